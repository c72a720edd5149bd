#!/bin/sh
# Renders the manual page as man(1) would and fails on any groff warning;
# then checks that it quotes every fixed console line exactly, since script
# maintainers copy those lines into their scripts.
#
# Usage: check-manual.sh GROFF MANUAL
set -u
groff=$1
manual=$2

page=$(mktemp) || exit 1
warnings=$(mktemp) || exit 1
trap 'rm -f -- "$page" "$warnings"' EXIT

"$groff" -man -Tutf8 -ww -P-cbou "$manual" 2>"$warnings" >"$page"
if [ -s "$warnings" ]; then
  echo "FAIL: groff warns about $manual:"
  cat "$warnings"
  exit 1
fi

missing=0
while IFS= read -r line; do
  # Each quoted line stands alone on a line of the rendered page.
  if ! sed 's/^ *//' "$page" | grep -qxF -- "$line"; then
    echo "FAIL: the manual does not quote: $line"
    missing=1
  fi
done <<'EOF'
Created for the video conversion script for Motorola phones
Usage: trelvik.exe input_filename [-ctX] [-cbY] [-clZ] [-crN]
Where '-ct' is top cropping, '-cb' is bottom and etc, 'X', 'Y', 'Z', 'N' are the cropping values.
Error opening file!
Opened file "NAME"
File format recognized as: AVI
File format recognized as: MPG
File format is not recognized! Parsing as AVI...
Error reading the file data!
Video resolution: WxH
Cropping: Top=T Bottom=B Left=L Right=R
Raw vertical size: N
Calculated vertical size: N
Runtime error NNN at XXXXXXXX
EOF
[ "$missing" -eq 0 ] || exit 1
echo "ok: $manual renders without warnings and quotes every console line"
