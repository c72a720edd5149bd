# Shared by run.sh, test.sh and dist.sh: installing what is missing, and building.

# Installs those of the given Debian packages that are missing.
ensure_packages() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "Not a Debian system: make sure these are installed: $*" >&2
    return 0
  fi
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
    --no-install-recommends "${missing[@]}"
}

# build DIR [CMAKE OPTIONS...]: configures and builds the project in DIR.
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)"
}

BUILD_PACKAGES=(cmake make g++ libc6-dev)
# trelvik.exe is cross-built with mingw-w64 and tested under Wine.
MINGW_PACKAGES=(g++-mingw-w64-x86-64)
WINDOWS_PACKAGES=("${MINGW_PACKAGES[@]}" wine64)
# The example script's test converts with ffmpeg; the manual page is checked
# with groff.
EXAMPLE_PACKAGES=(ffmpeg groff-base)
# The fuzz targets are built with clang's libFuzzer.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
