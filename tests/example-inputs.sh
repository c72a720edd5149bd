# Sourced by the tests of the conversion scripts: the inputs they convert,
# and what the scripts must make of them.
#
# make_example_inputs DATA_DIR DIR [SPECIAL_NAME]: the real fixtures as they
# are (the audio-only one fails in trelvik), and beside them:
#   "0 not a video.avi"  sorts first: a trelvik failure (error 100, an exit
#                        code that is also a height) must not stop the rest;
#   cut-short.avi        trelvik reads its header, ffmpeg cannot decode it;
#   "my clip's (1).AVI"  blanks, a quote, parentheses, upper-case extension;
#   twice.avi, twice.mpg the second would overwrite the first's output;
#   notes.txt            not a video by its name: left alone;
#   SPECIAL_NAME         (when given) a copy of a fixture under that name.
make_example_inputs() {
  cp "$1"/*.avi "$1"/*.mpg "$2/"
  printf 'not a video, only some text\n' >"$2/0 not a video.avi"
  head -c 2000 "$1/avi-mjpeg-320x240.avi" >"$2/cut-short.avi"
  cp "$1/avi-mjpeg-320x240.avi" "$2/my clip's (1).AVI"
  cp "$1/avi-mpeg4-640x360.avi" "$2/twice.avi"
  cp "$1/mpeg1-352x288.mpg" "$2/twice.mpg"
  printf 'notes\n' >"$2/notes.txt"
  if [ $# -gt 2 ]; then cp "$1/avi-raw-176x144.avi" "$2/$3"; fi
}

# The inputs that a script must list as not converted. twice.avi is
# converted, so twice.3gp is there although twice.mpg failed.
EXAMPLE_NOT_CONVERTED='0 not a video.avi
cut-short.avi
mpeg1-audio-only.mpg
twice.mpg'

# example_conversions DIR: the names of the inputs in DIR that a script
# converts, one to a line.
example_conversions() {
  for input in "$1"/*; do
    name=${input##*/}
    case $name in notes.txt) continue ;; esac
    printf '%s\n' "$EXAMPLE_NOT_CONVERTED" | grep -qxF "$name" ||
      printf '%s\n' "$name"
  done
}

# check_no_stray_outputs OUT_DIR: no output was made for an input that failed
# (twice.3gp is twice.avi's) or that is not a video. Reports through error.
check_no_stray_outputs() {
  for stem in "0 not a video" cut-short mpeg1-audio-only notes; do
    [ ! -e "$1/$stem.3gp" ] || error "$stem.3gp was made"
  done
}
