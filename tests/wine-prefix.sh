#!/bin/sh
# wine-prefix.sh WINE PREFIX: makes a fresh Wine prefix for one test run.
# Mono and Gecko are switched off: a console program needs neither, and
# without them the prefix is ready in seconds and asks nothing. Wine's chatter
# goes to PREFIX.log and is shown only when the prefix cannot be made.
set -eu
wine=$1
prefix=$2
rm -rf "$prefix"
mkdir -p "$prefix"
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' \
  "$wine" wineboot --init >"$prefix.log" 2>&1 || true
if [ ! -d "$prefix/drive_c/windows" ]; then
  cat "$prefix.log" >&2
  echo "wine-prefix.sh: $wine could not make a prefix in $prefix" >&2
  exit 1
fi
