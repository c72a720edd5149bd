#!/usr/bin/env bash
# Installs what is missing, builds trelvik with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" libgtest-dev
build build/test -DBUILD_TESTING=ON -DTRELVIK_WERROR=ON
ctest --test-dir build/test --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
