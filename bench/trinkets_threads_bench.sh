#!/usr/bin/env bash
# Runs the script-thread benchmark under Wine and the same loop in Lua 5.4 natively, then prints the ratio.
# Lua comes from Debian's lua5.4, which tools/setup.sh installs; without it the ratio is skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ours=$(cd "$work" && taskset -c 0 "$root/tools/wine-run.sh" "$build/wine" "$build/bin/trinkets_threads_bench.exe" | tr -d '\r')
echo "$ours"
if ! command -v lua5.4 >/dev/null; then
    echo "lua5.4 is missing (tools/setup.sh installs it): no Lua ratio"
    exit 0
fi
lua=$(taskset -c 0 lua5.4 - <<'LUA'
local Counter = {}
Counter.__index = Counter
function Counter:touch() self.touched = self.touched + 1 end
local o = setmetatable({touched = 0}, Counter)
local outer, inner, perPass = 10, 30000, 4
local n = 0
local start = os.clock()
for j = 1, outer do
  for i = 1, inner do
    local a = i + 1
    n = n + a
    o:touch()
  end
end
local elapsed = os.clock() - start
local statements = outer * inner * perPass
print(string.format("lua 5.4: %.0f statements in %.3f s = %.0f statements/s", statements, elapsed, statements / elapsed))
LUA
)
echo "$lua"
rate() { sed -E 's/.*= ([0-9]+) statements\/s/\1/' <<<"$1"; }
awk -v a="$(rate "$ours")" -v b="$(rate "$lua")" 'BEGIN { printf "lua 5.4 / script thread: %.1fx\n", b / a }'
