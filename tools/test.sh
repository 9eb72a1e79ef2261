#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

trap 'bash "$root/tools/wine-run.sh" "$build/wine" --stop' EXIT
cd "$build"
ctest --output-on-failure -j "$(nproc)"
