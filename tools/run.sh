#!/usr/bin/env bash
# Builds everything and starts QUOMB_32.exe on the sample title (build/sample) under Wine: in a window on
# the user's display when DISPLAY is set, else on the build's own Xvfb display. Esc in the title quits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

cd "$build/sample"
if [ -n "${DISPLAY:-}" ]; then
    # The build's Wine prefix with the user's own display, home and sound.
    export WINEPREFIX="$build/wine/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    exec wine QUOMB_32.exe
fi
trap 'bash "$root/tools/wine-run.sh" "$build/wine" --stop' EXIT
echo "run.sh: no DISPLAY; the title runs on the build's Xvfb display until Ctrl-C" >&2
bash "$root/tools/wine-run.sh" "$build/wine" QUOMB_32.exe
