#!/usr/bin/env bash
# Builds everything and runs the logging library's demonstration client under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

trap 'bash "$root/tools/wine-run.sh" "$build/wine" --stop' EXIT
work="$build/demo"
mkdir -p "$work"
cp "$build/bin/WXLOG32.dll" "$build/bin/wxlog_demo.exe" "$root/wxlog/demo/demo.msg" "$work/"
cd "$work"
bash "$root/tools/wine-run.sh" "$build/wine" wxlog_demo.exe
