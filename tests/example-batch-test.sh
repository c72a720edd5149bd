#!/bin/sh
# Runs examples/convert-for-phone.bat under Wine's cmd, with trelvik.exe on
# the PATH and a stand-in for ffmpeg.exe (there is no Windows ffmpeg here), on
# the inputs of the shell script's test plus a name full of characters that
# cmd treats specially, into a folder whose name has some too. Checks the
# ffmpeg command line asked for each video (cropped by trelvik's amounts,
# scaled to 176 by trelvik's height), the outputs and the list of the files
# not converted.
#
# Usage: example-batch-test.sh WINE PREFIX WINDOWS_BUILD SOURCE_DIR TRELVIK
# (TRELVIK: the native program, which gives the expected heights)
set -u
wine=$1
prefix=$2
windows_build=$3
source_dir=$4
trelvik=$5

. "$source_dir/tests/shell-test.sh"
windows() { printf 'Z:%s' "$1" | tr / '\\'; }

mkdir "$work/bin" "$work/in"
cp "$windows_build/trelvik.exe" "$windows_build/ffmpeg-stub/ffmpeg.exe" "$work/bin/"
. "$source_dir/tests/example-inputs.sh"
make_example_inputs "$source_dir/tests/data" "$work/in" "rock & roll (^ wow!).avi"
out="$work/out (x) & y"

WINEPREFIX=$prefix
WINEDEBUG=-all
WINEPATH=$(windows "$work/bin")
FFMPEG_STUB_LOG=$(windows "$work/ffmpeg.log")
export WINEPREFIX WINEDEBUG WINEPATH FFMPEG_STUB_LOG
batch=$(windows "$source_dir/examples/convert-for-phone.bat")
"$wine" cmd /c "$batch" "$(windows "$work/in")" "$(windows "$out")" \
  -ct8 -cb8 '-cl$10' >"$work/log" 2>&1
status=$?
[ "$status" -eq 1 ] || error "exit code $status, not 1 (some files failed)"
tr -d '\r' <"$work/log" >"$work/log.txt"
tr -d '\r' <"$work/ffmpeg.log" >"$work/ffmpeg.txt" 2>/dev/null

# Each video that converts: the stand-in was asked to crop by 16 left, 8 top
# and 8 bottom and to scale to 176 by trelvik's height, into OUT\STEM.3gp.
win_in=$(windows "$work/in")
win_out=$(windows "$out")
example_conversions "$work/in" >"$work/conversions"
while IFS= read -r name; do
  stem=${name%.*}
  "$trelvik" "$work/in/$name" -ct8 -cb8 '-cl$10' >/dev/null
  height=$?
  vf="crop=iw-16-0:ih-8-8:16:8,scale=176:$height,setsar=1"
  grep -F -- "-i \"file:$win_in\\$name\" " "$work/ffmpeg.txt" |
    grep -F -- "-vf \"$vf\" " |
    grep -qF -- "\"file:$win_out\\$stem.3gp\"" ||
    error "$name: ffmpeg was not asked for $vf into $stem.3gp"
  [ -f "$out/$stem.3gp" ] || error "$name: no $stem.3gp"
done <"$work/conversions"
check_no_stray_outputs "$out"
converted=$(wc -l <"$work/conversions")

listed=$(sed -n '/^Not converted:$/,$p' "$work/log.txt" |
  sed -n 's/^  \(".*\)/\1/p' | sort)
expect_listed='"0 not a video.avi": trelvik did not complete (exit code 100), see its lines above
"cut-short.avi": ffmpeg failed (exit code 1)
"mpeg1-audio-only.mpg": trelvik did not complete (exit code 0), see its lines above
"twice.mpg": the same output name as a file before it'
[ "$listed" = "$expect_listed" ] || error "listed as not converted: [$listed]"
grep -qxF "Converted $converted of 16 files to \"$win_out\"." "$work/log.txt" ||
  error "no 'Converted $converted of 16 files' line"
grep -qx 'Cropping: Top=8 Bottom=8 Left=16 Right=0' "$work/log.txt" ||
  error "trelvik's cropping line is not in the log"

# A completed run whose height is 0 (exit code 0) is a failure too: 4 rows
# left of 240 scale to 2, which rounds to 0.
mkdir "$work/flat"
cp "$source_dir/tests/data/avi-mjpeg-320x240.avi" "$work/flat/"
"$wine" cmd /c "$batch" "$(windows "$work/flat")" "$(windows "$work/flat-out")" \
  -ct236 >"$work/flat.log" 2>&1
status=$?
[ "$status" -eq 1 ] || error "a height of 0: exit code $status, not 1"
tr -d '\r' <"$work/flat.log" |
  grep -qxF '  "avi-mjpeg-320x240.avi": trelvik: the picture is 0 pixels tall after cropping' ||
  error "a height of 0 is not listed as not converted"
[ ! -e "$work/flat-out/avi-mjpeg-320x240.3gp" ] || error "a height of 0 was converted"

# Wrong use: exit code 2.
"$wine" cmd /c "$batch" "$(windows "$work/in")" >/dev/null 2>&1
[ $? -eq 2 ] || error "one argument did not give exit code 2"

if [ "$errors" -ne 0 ]; then
  echo "--- the batch file's output:"
  cat "$work/log.txt"
  echo "--- the command lines ffmpeg.exe got:"
  cat "$work/ffmpeg.txt"
  exit 1
fi
echo "ok: $converted videos asked of ffmpeg.exe and checked"
