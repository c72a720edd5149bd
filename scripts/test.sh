#!/usr/bin/env bash
# Installs what is missing and runs every test:
#   build/test      trelvik and its tests, and the end-to-end cases against
#                   trelvik.exe (build/windows, cross-built) under Wine,
#                   the manual page and the example script with ffmpeg;
#   dist/           the Debian package and the Windows .zip, checked;
#   build/sanitize  the same tests with AddressSanitizer and UBSan;
#   build/fuzz      the corpus of each fuzz target, then a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" libgtest-dev "${WINDOWS_PACKAGES[@]}" \
  "${EXAMPLE_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
jobs=$(nproc 2>/dev/null || echo 2)
run_tests() { ctest --test-dir "$1" --output-on-failure -j "$jobs"; }

cmake --preset windows -DTRELVIK_WERROR=ON
cmake --build --preset windows -j "$jobs"
build build/test -DBUILD_TESTING=ON -DTRELVIK_WERROR=ON \
  -DTRELVIK_WINDOWS_BUILD="$PWD/build/windows"
run_tests build/test

# Passing without these would prove nothing about trelvik.exe, the conversion
# scripts or the manual page.
require_tests() {  # require_tests LABEL WHAT
  local count
  count=$(ctest --test-dir build/test -N -L "$1" | sed -n 's/^Total Tests: //p')
  if [ "${count:-0}" -eq 0 ]; then
    echo "ERROR: no test with the label $1 ran: $2 is untested." >&2
    exit 1
  fi
  echo "Tests with the label $1 ($2): $count"
}
require_tests wine trelvik.exe
require_tests example "the conversion scripts"
require_tests manual "the manual page"

bash scripts/dist.sh
wine=$(sed -n 's/^TRELVIK_WINE:FILEPATH=//p' build/test/CMakeCache.txt)
sh tests/check-packages.sh dist/*.deb dist/*.zip "$wine" build/test \
  samples/sample.avi

build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
  -DTRELVIK_WERROR=ON -DTRELVIK_SANITIZE=ON
run_tests build/sanitize

CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DTRELVIK_WERROR=ON \
  -DTRELVIK_FUZZ=ON
run_tests build/fuzz
