#!/bin/sh
# Writes the real-muxer fixtures of the end-to-end tests with Debian's ffmpeg:
# a few frames of a plain test picture each, in the containers and sizes that
# trelvik meets. The test suite only reads the files; run this again to make
# them anew (the bytes may differ with another ffmpeg, the sizes will not).
set -eu
cd "$(dirname "$0")"
command -v ffmpeg >/dev/null || { echo "make-fixtures.sh needs ffmpeg" >&2; exit 1; }

# make NAME WIDTHxHEIGHT FRAMES [ffmpeg output options...]
make() {
  name=$1 size=$2 frames=$3
  shift 3
  ffmpeg -nostdin -loglevel error -y -f lavfi \
    -i "color=c=0x336699:size=$size:rate=25" -frames:v "$frames" \
    -map_metadata -1 -fflags +bitexact -flags:v +bitexact "$@" "$name"
}

make avi-raw-176x144.avi 176x144 1 -c:v rawvideo -pix_fmt gray
make avi-mjpeg-320x240.avi 320x240 2 -c:v mjpeg -q:v 31
make avi-mpeg4-640x360.avi 640x360 3 -c:v mpeg4 -q:v 31
make avi-mpeg4-720x576.avi 720x576 3 -c:v mpeg4 -q:v 31
make avi-mjpeg-1280x720.avi 1280x720 1 -c:v mjpeg -q:v 31
make mpeg1-352x240.mpg 352x240 3 -c:v mpeg1video -q:v 31 -f mpeg
make mpeg1-352x288.mpg 352x288 3 -c:v mpeg1video -q:v 31 -f mpeg
make mpeg2-720x576.mpg 720x576 3 -c:v mpeg2video -q:v 31 -f vob
make mpeg2-720x480.mpg 720x480 3 -c:v mpeg2video -q:v 31 -f vob

# A program stream with sound only: no sequence header anywhere, so the scan
# for one runs to its limit of 16000 bytes.
ffmpeg -nostdin -loglevel error -y -f lavfi -i "sine=frequency=440:duration=1" \
  -map_metadata -1 -fflags +bitexact -c:a mp2 -b:a 192k -f mpeg \
  mpeg1-audio-only.mpg
