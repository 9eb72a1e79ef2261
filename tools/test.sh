#!/usr/bin/env bash
# Sets up the machine, builds everything, runs the native fuzz targets for a short time each (FUZZ_SECONDS,
# default 10) with every seed and regression input replayed, then every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"
FUZZ_BUILD_DIR="$build/fuzz" bash "$root/tools/fuzz.sh" "${FUZZ_SECONDS:-10}"

trap 'bash "$root/tools/wine-run.sh" "$build/wine" --stop' EXIT
cd "$build"
rm -f wine-rescued.log
status=0
ctest --output-on-failure -j "$(nproc)" || status=$?
# ctest shows no output of a passed test: a run that passed after Wine's own exit fault is shown here.
if [ -f wine-rescued.log ]; then
    echo
    cat wine-rescued.log
fi
exit "$status"
