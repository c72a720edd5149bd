#!/usr/bin/env bash
# Writes sample.avi: the header of a RIFF AVI file of 320 by 240 pixels, one
# uncompressed video stream and no frames, laid out as muxers write it.
# Usage: bash samples/make-sample.sh [OUTPUT]   (default: samples/sample.avi)
set -euo pipefail
out=${1:-"$(dirname "$0")/sample.avi"}

le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }

width=320 height=240
{
  printf 'RIFF'; le32 224; printf 'AVI '
  printf 'LIST'; le32 192; printf 'hdrl'
  # Main AVI header: dwWidth and dwHeight stand at file offsets 64 and 68.
  printf 'avih'; le32 56
  le32 40000      # dwMicroSecPerFrame: 25 frames a second
  le32 0          # dwMaxBytesPerSec
  le32 0          # dwPaddingGranularity
  le32 16         # dwFlags: AVIF_HASINDEX
  le32 0          # dwTotalFrames
  le32 0          # dwInitialFrames
  le32 1          # dwStreams
  le32 0          # dwSuggestedBufferSize
  le32 $width; le32 $height
  le32 0; le32 0; le32 0; le32 0
  printf 'LIST'; le32 116; printf 'strl'
  printf 'strh'; le32 56
  printf 'vids'; printf 'DIB '
  le32 0; le16 0; le16 0; le32 0   # dwFlags, wPriority, wLanguage, dwInitialFrames
  le32 1; le32 25; le32 0; le32 0  # dwScale, dwRate, dwStart, dwLength
  le32 $((width * height * 3)); le32 4294967295; le32 0  # buffer, quality, sample size
  le16 0; le16 0; le16 $width; le16 $height              # rcFrame
  printf 'strf'; le32 40
  le32 40; le32 $width; le32 $height; le16 1; le16 24    # BITMAPINFOHEADER
  le32 0; le32 $((width * height * 3)); le32 0; le32 0; le32 0; le32 0
  printf 'LIST'; le32 4; printf 'movi'
  printf 'idx1'; le32 0
} > "$out"
