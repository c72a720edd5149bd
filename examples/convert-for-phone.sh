#!/bin/sh
# Converts every AVI and MPEG video in a folder for a phone screen 176 pixels
# wide. trelvik says how tall each picture becomes once cropped and scaled to
# 176 pixels wide; ffmpeg then crops and scales it to exactly that size.
#
# Usage: convert-for-phone.sh INPUT_DIR OUTPUT_DIR [-ctX] [-cbY] [-clZ] [-crN]
#
# The crop options go to trelvik as they are (see trelvik(1)); ffmpeg crops by
# the amounts that trelvik reports it used. Every INPUT_DIR/NAME.avi, .mpg,
# .mpeg or .vob (any case) becomes OUTPUT_DIR/NAME.3gp, replacing a file of
# that name from an earlier run. trelvik and ffmpeg are taken from the PATH.
#
# A file that cannot be converted does not stop the others: all of them are
# listed at the end. Exit status: 0 when every file was converted, 1 when some
# were not, 2 when the arguments or the tools are wrong.

# Video and audio for an older phone: MPEG-4 Visual (ISO/IEC 14496-2) at 15
# frames a second and mono AAC, in a 3GP file. Change them to suit your phone.
FFMPEG_OPTIONS='-c:v mpeg4 -b:v 256k -r 15 -c:a aac -b:a 48k -ar 22050 -ac 1'

me=${0##*/}
if [ $# -lt 2 ]; then
  echo "usage: $me INPUT_DIR OUTPUT_DIR [-ctX] [-cbY] [-clZ] [-crN]" >&2
  exit 2
fi
in_dir=$1
out_dir=$2
shift 2
if [ ! -d "$in_dir" ]; then
  echo "$me: no such folder: $in_dir" >&2
  exit 2
fi
for tool in trelvik ffmpeg; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$me: $tool is not on the PATH" >&2
    exit 2
  fi
done
mkdir -p -- "$out_dir" || exit 2

log=$(mktemp) || exit 2
trap 'rm -f -- "$log"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

newline='
'
failed=   # one line for each file that was not converted
made=     # the output names written so far, each between two newlines
found=0
converted=0

fail() {
  failed="$failed  $1: $2$newline"
  echo "$me: $1 not converted: $2" >&2
}

for input in "$in_dir"/*; do
  [ -f "$input" ] || continue
  case $input in
    *.[aA][vV][iI] | *.[mM][pP][gG] | *.[mM][pP][eE][gG] | *.[vV][oO][bB]) ;;
    *) continue ;;
  esac
  found=$((found + 1))
  name=${input##*/}
  stem=${name%.*}
  echo "=== $name"

  trelvik "$input" "$@" >"$log"
  height=$?
  # The lines are for this log, with this system's line ends. The report
  # line of a run-time error carries a zero byte, which a log is better
  # without.
  tr -d '\r\000' <"$log"
  last=$(tr -d '\r\000' <"$log" | tail -n 1)

  # The exit code is the height only after a completed run, and a height of
  # 0 cannot be scaled to: the exit code alone cannot tell 0 or 100 from a
  # failure.
  case $last in
    "Calculated vertical size: "*) ;;
    *)
      fail "$name" "trelvik: ${last:-no output} (exit code $height)"
      continue
      ;;
  esac
  if [ "$height" -eq 0 ]; then
    fail "$name" "trelvik: the picture is 0 pixels tall after cropping"
    continue
  fi

  # Crop by what trelvik used, so that its number syntax needs no second
  # reading here: "Cropping: Top=T Bottom=B Left=L Right=R".
  IFS=' =' read -r _ _ top _ bottom _ left _ right <<EOF
$(tr -d '\r' <"$log" | grep '^Cropping: ')
EOF

  case $made in
    *"$newline$stem$newline"*)
      fail "$name" "$stem.3gp was already made from another file"
      continue
      ;;
  esac
  output=$out_dir/$stem.3gp
  # file: keeps ffmpeg from taking a name with a colon for a protocol, or one
  # that starts with a hyphen for an option.
  # shellcheck disable=SC2086 # FFMPEG_OPTIONS is meant to split into words.
  if ffmpeg -nostdin -hide_banner -loglevel error -y -i "file:$input" \
    -map 0:v:0 -map '0:a:0?' -sn -dn \
    -vf "crop=iw-$left-$right:ih-$top-$bottom:$left:$top,scale=176:$height,setsar=1" \
    $FFMPEG_OPTIONS "file:$output"; then
    converted=$((converted + 1))
    made="${made:-$newline}$stem$newline"
    echo "--> $output (176x$height)"
  else
    status=$?
    rm -f -- "$output"
    fail "$name" "ffmpeg failed (exit code $status)"
  fi
done

echo
if [ "$found" -eq 0 ]; then
  echo "No AVI or MPEG files in $in_dir."
  exit 0
fi
echo "Converted $converted of $found files to $out_dir."
if [ -n "$failed" ]; then
  echo "Not converted:"
  printf '%s' "$failed"
  exit 1
fi
exit 0
