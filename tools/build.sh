#!/usr/bin/env bash
# Configures and builds every image, test and tool into build/ (the cross build for 32-bit Windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build "$build" -j "$(nproc)"
