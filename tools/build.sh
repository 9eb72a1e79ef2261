#!/usr/bin/env bash
# Configures and builds into build/ (the cross build for 32-bit Windows): every image, test and tool, or
# only the targets named.
#   build.sh [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

cache="$build/CMakeCache.txt"

# The folder that the cache's entry $1 names, as a physical path; empty when it does not exist.
cached_folder() {
    local folder
    folder=$(sed -n "s/^$1:INTERNAL=//p" "$cache")
    [ -n "$folder" ] && (cd "$folder" 2>/dev/null && pwd -P) || true
}

# A tree configured for other folders (a checkout moved or copied with its build folder) would stop at
# CMake's cache check or build the other checkout: it is configured afresh.
fresh=()
if [ -f "$cache" ] && { [ "$(cached_folder CMAKE_HOME_DIRECTORY)" != "$(cd "$root" && pwd -P)" ] ||
                         [ "$(cached_folder CMAKE_CACHEFILE_DIR)" != "$(cd "$build" && pwd -P)" ]; }; then
    fresh=(--fresh)
fi

# A configured tree reconfigures itself when a CMake file changes; it is configured here when it is new,
# configured for other folders, or when the warnings setting changes.
if [ ${#fresh[@]} -gt 0 ] || ! grep -qx "WARNINGS_AS_ERRORS:BOOL=$werror" "$cache" 2>/dev/null; then
    cmake "${fresh[@]}" -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWARNINGS_AS_ERRORS="$werror" >/dev/null
fi
cmake --build "$build" -j "$(nproc)" ${1:+--target "$@"}
