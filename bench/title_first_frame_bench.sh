#!/usr/bin/env bash
# Runs the title's first-frame benchmark in the world it needs: a Wine world at 24 bits per pixel whose
# CD-ROM drive E: holds the generated title's disc (build/wine-first-frame), stopped again at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
world="$build/wine-first-frame"
export WINE_SCREEN_DEPTH=24
trap 'bash "$root/tools/wine-run.sh" "$world" --stop' EXIT
bash "$root/tools/title-world.sh" "$world" "$build/title/disc"
taskset -c 0 bash "$root/tools/wine-run.sh" "$world" "$build/bin/title_first_frame_bench.exe"
