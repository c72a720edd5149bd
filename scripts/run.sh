#!/usr/bin/env bash
# Builds trelvik and runs it on the sample AVI file (320x240) with the crops
# -ct8 -cb8, as a conversion script would: the answer is the exit code, 124.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"
build build/run -DBUILD_TESTING=OFF >/dev/null

echo "\$ trelvik samples/sample.avi -ct8 -cb8"
status=0
build/run/trelvik samples/sample.avi -ct8 -cb8 || status=$?
echo "exit code: $status"
