#!/usr/bin/env bash
# Builds the two packages into dist/: the Debian package of trelvik for this
# machine (trelvik, its manual page, the README and the example shell script)
# and the .zip for Windows (trelvik.exe, README.txt and the example batch
# file). Installs what is missing to build them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${MINGW_PACKAGES[@]}" dpkg
build build/dist-linux -DBUILD_TESTING=OFF
build build/dist-windows -DBUILD_TESTING=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"

rm -rf dist
mkdir dist
package() {  # package BUILD_DIR EXTENSION
  (cd "$1" && rm -f ./*."$2" && cpack)
  cp "$1"/*."$2" dist/
}
package build/dist-linux deb
package build/dist-windows zip
ls -l dist
