#!/usr/bin/env bash
# Configures and builds into build/ (the cross build for 32-bit Windows): every image, test and tool, or
# only the targets named.
#   build.sh [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

# A configured tree reconfigures itself when a CMake file changes; it is configured here when it is new or
# when the warnings setting changes.
if ! grep -qx "WARNINGS_AS_ERRORS:BOOL=$werror" "$build/CMakeCache.txt" 2>/dev/null; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARNINGS_AS_ERRORS="$werror" >/dev/null
fi
cmake --build "$build" -j "$(nproc)" ${1:+--target "$@"}
