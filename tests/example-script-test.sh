#!/bin/sh
# Runs examples/convert-for-phone.sh on the real fixtures with the real
# ffmpeg, trelvik being found on the PATH, and checks with ffprobe that every
# video came out 176 wide and as tall as trelvik says; that each file that
# cannot be converted (trelvik fails, ffmpeg fails, two inputs that would
# make the same output) is listed at the end without stopping the others.
#
# Usage: example-script-test.sh TRELVIK SOURCE_DIR
set -u
trelvik=$1
source_dir=$2
script=$source_dir/examples/convert-for-phone.sh
data=$source_dir/tests/data

. "$source_dir/tests/shell-test.sh"
mkdir "$work/bin" "$work/in"
ln -s "$trelvik" "$work/bin/trelvik"
PATH=$work/bin:$PATH
export PATH

. "$source_dir/tests/example-inputs.sh"
make_example_inputs "$data" "$work/in"

crops='-ct8 -cb8 -cl$10'
# shellcheck disable=SC2086 # the crop options are separate words
sh "$script" "$work/in" "$work/out" $crops >"$work/log" 2>&1
status=$?
[ "$status" -eq 1 ] || error "exit status $status, not 1 (some files failed)"

# Every input that the script converts: trelvik's height, then the output's
# size as ffprobe reads it.
example_conversions "$work/in" >"$work/conversions"
while IFS= read -r name; do
  output=$work/out/${name%.*}.3gp
  # shellcheck disable=SC2086
  "$trelvik" "$work/in/$name" $crops >/dev/null
  height=$?
  size=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height \
    -of csv=p=0 "$output" 2>&1)
  [ "$size" = "176,$height" ] || error "$name: $output is '$size', not 176,$height"
done <"$work/conversions"
check_no_stray_outputs "$work/out"

# The list at the end names exactly the failed files, each with its reason.
listed=$(sed -n '/^Not converted:$/,$p' "$work/log" | tail -n +2)
expect_listed="  0 not a video.avi: trelvik: Runtime error 100 at *(exit code 100)
  cut-short.avi: ffmpeg failed (exit code *)
  mpeg1-audio-only.mpg: trelvik: Error reading the file data! (exit code 0)
  twice.mpg: twice.3gp was already made from another file"
# shellcheck disable=SC2254 # a pattern: the address and ffmpeg's exit code vary
case $listed in
  $expect_listed) ;;
  *) error "listed as not converted: [$listed]" ;;
esac
converted=$(wc -l <"$work/conversions")
grep -qx "Converted $converted of 15 files to .*" "$work/log" ||
  error "no 'Converted $converted of 15 files' line"

# trelvik's lines reach the log, and the crop amounts ffmpeg used are
# trelvik's reading of them ($10 is 16).
grep -qx 'Cropping: Top=8 Bottom=8 Left=16 Right=0' "$work/log" ||
  error "trelvik's cropping line is not in the log"

# A completed run whose height is 0 (exit code 0) is a failure too: 4 rows
# left of 240 scale to 2, which rounds to 0.
mkdir "$work/flat"
cp "$data/avi-mjpeg-320x240.avi" "$work/flat/"
sh "$script" "$work/flat" "$work/flat-out" -ct236 >"$work/flat.log" 2>&1
status=$?
[ "$status" -eq 1 ] || error "a height of 0: exit status $status, not 1"
grep -qxF '  avi-mjpeg-320x240.avi: trelvik: the picture is 0 pixels tall after cropping' \
  "$work/flat.log" || error "a height of 0 is not listed as not converted"
[ ! -e "$work/flat-out/avi-mjpeg-320x240.3gp" ] || error "a height of 0 was converted"

# Wrong use: exit status 2.
sh "$script" "$work/in" >/dev/null 2>&1
[ $? -eq 2 ] || error "one argument did not give exit status 2"
sh "$script" "$work/missing" "$work/out2" >/dev/null 2>&1
[ $? -eq 2 ] || error "a missing input folder did not give exit status 2"

if [ "$errors" -ne 0 ]; then
  echo "--- the script's output:"
  cat "$work/log"
  exit 1
fi
echo "ok: $(grep -c '^-->' "$work/log") videos converted and checked"
