#!/bin/sh
# Checks what the packages of scripts/dist.sh hold, and that the program in
# each runs: the Debian package's trelvik natively, the .zip's trelvik.exe
# under Wine. Also checks that cmake --install of BUILD_DIR lays out trelvik
# and its manual page.
#
# Usage: check-packages.sh DEB ZIP WINE BUILD_DIR SAMPLE
# (BUILD_DIR: a native build of trelvik)
set -u
absolute() { (cd "$(dirname "$1")" && echo "$PWD/$(basename "$1")"); }
deb=$(absolute "$1")
zip=$(absolute "$2")
wine=$3
build_dir=$4
sample=$(absolute "$5")

. "$(dirname "$0")/shell-test.sh"

# The sample with -ct8 -cb8 gives 124 on every host.
expect_124() {  # expect_124 WHAT COMMAND...
  what=$1
  shift
  "$@" "$sample" -ct8 -cb8 >"$work/out" 2>&1
  status=$?
  [ "$status" -eq 124 ] || error "$what: exit code $status, not 124"
  [ "$(tr -d '\r' <"$work/out" | tail -n 1)" = 'Calculated vertical size: 124' ] ||
    error "$what: the last line is not 'Calculated vertical size: 124'"
}

# cmake --install: the program in bin/, the manual page in share/man/man1/.
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null ||
  error "cmake --install failed"
[ -x "$work/prefix/bin/trelvik" ] || error "cmake --install: no bin/trelvik"
[ -f "$work/prefix/share/man/man1/trelvik.1" ] ||
  error "cmake --install: no share/man/man1/trelvik.1"

# The Debian package.
for field in 'Package: trelvik' 'Architecture: ' 'Version: '; do
  dpkg-deb -f "$deb" | grep -q "^$field" || error "$deb: no '$field' field"
done
dpkg-deb -c "$deb" | awk '{print $1, $6}' >"$work/deb-list"
for entry in '-rwxr-xr-x ./usr/bin/trelvik' \
  '-rw-r--r-- ./usr/share/man/man1/trelvik.1' \
  '-rw-r--r-- ./usr/share/doc/trelvik/README.md' \
  '-rwxr-xr-x ./usr/share/doc/trelvik/examples/convert-for-phone.sh'; do
  grep -qxF -- "$entry" "$work/deb-list" || error "$deb does not hold: $entry"
done
dpkg-deb -x "$deb" "$work/deb"
expect_124 "the Debian package's trelvik" "$work/deb/usr/bin/trelvik"

# The .zip for Windows: one folder with the program, the README as text and
# the batch file, both with CR LF line ends.
(cd "$work" && cmake -E tar xf "$zip") || error "$zip cannot be unpacked"
folder=$(basename "$zip" .zip)
for file in trelvik.exe README.txt convert-for-phone.bat; do
  [ -f "$work/$folder/$file" ] || error "$zip does not hold $folder/$file"
done
cr=$(printf '\r')
for file in README.txt convert-for-phone.bat; do
  if grep -qv "$cr\$" "$work/$folder/$file"; then
    error "$zip: $file has lines without CR LF"
  fi
done
sh "$(dirname "$0")/wine-prefix.sh" "$wine" "$work/wine-prefix" >/dev/null ||
  error "no Wine prefix"
WINEPREFIX=$work/wine-prefix WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
expect_124 "the .zip's trelvik.exe" "$wine" "$work/$folder/trelvik.exe"

[ "$errors" -eq 0 ] || exit 1
echo "ok: $deb and $zip"
