#!/usr/bin/env bash
# Checks the build script on a small checkout of its own (a project that only prints its source folder):
# a checkout copied or moved with its build folder builds itself, not the checkout it came from, and a tree
# configured in its own place keeps its cache.
#   build-test.sh
set -uo pipefail
script="$(cd "$(dirname "$0")/.." && pwd)/build.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

mkdir -p "$work/first/tools" "$work/first/cmake"
cp "$script" "$work/first/tools/build.sh"
: >"$work/first/cmake/mingw-i686.cmake"
cat >"$work/first/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(checkout NONE)
option(WARNINGS_AS_ERRORS "" OFF)
add_custom_target(where ALL COMMAND ${CMAKE_COMMAND} -E echo "built from ${CMAKE_SOURCE_DIR}")
CMAKE

# expect CHECKOUT WHAT: the build script of CHECKOUT ends with status 0, builds from CHECKOUT and says no
# CMake error.
expect() {
    local checkout=$1 what=$2 output rc
    output=$(bash "$checkout/tools/build.sh" 2>&1)
    rc=$?
    if [ "$rc" -ne 0 ] || ! grep -qxF "built from $checkout" <<<"$output" || grep -q "CMake Error" <<<"$output"; then
        echo "FAILED: $what: expected status 0 and \"built from $checkout\" without a CMake error, got $rc:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

expect "$work/first" "a new tree"
# An entry of the cache's own that only a fresh configuration drops.
cmake -DKEPT_MARK=1 "$work/first/build" >/dev/null 2>&1
expect "$work/first" "a tree configured in its own place"
if ! grep -q '^KEPT_MARK:' "$work/first/build/CMakeCache.txt"; then
    echo "FAILED: a tree configured in its own place was configured afresh"
    failures=$((failures + 1))
fi
cp -a "$work/first" "$work/copy"
expect "$work/copy" "a copied checkout"
mv "$work/first" "$work/moved"
expect "$work/moved" "a moved checkout"
exit $((failures > 0))
