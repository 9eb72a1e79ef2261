#!/usr/bin/env bash
# Runs the object-model benchmark under Wine and sets its property calls by name beside the same field
# stores and reads of a Lua 5.4 table with 40 fields (Lua from Debian's lua5.4, which tools/setup.sh
# installs). Without Lua the figures are printed without the ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
ours=$(taskset -c 0 "$root/tools/wine-run.sh" "$build/wine" "$build/bin/om_bench.exe" | tr -d '\r')
echo "$ours"
if ! command -v lua5.4 >/dev/null; then
    echo "lua5.4 is missing (tools/setup.sh installs it): no Lua ratios"
    exit 0
fi
lua=$(taskset -c 0 lua5.4 - <<'LUA'
local t = {}
for i = 0, 39 do t[string.format("p%02d", i)] = 0 end
local n = 20000000
local function best(f)
  local fastest
  for run = 1, 5 do
    local start = os.clock()
    f()
    local ns = (os.clock() - start) / n * 1e9
    if not fastest or ns < fastest then fastest = ns end
  end
  return fastest
end
print(string.format("p00 set %.2f", best(function() for i = 1, n do t.p00 = 42 end end)))
print(string.format("p00 get %.2f", best(function() local x for i = 1, n do x = t.p00 end end)))
print(string.format("p39 set %.2f", best(function() for i = 1, n do t.p39 = 42 end end)))
print(string.format("p39 get %.2f", best(function() local x for i = 1, n do x = t.p39 end end)))
LUA
)
# "setProperty("p00", "42")  31.0 ns/call ..." and "p00 set 6.35" give one ratio per property and call.
while read -r name call luaNs; do
    if [ "$call" = set ]; then label="setProperty(\"$name\""; else label="getProperty(\"$name\")"; fi
    oursNs=$(grep -F "$label" <<<"$ours" | head -1 | sed -E 's/.*[)] +([0-9.]+) ns\/call.*/\1/')
    awk -v w="$call $name" -v o="$oursNs" -v l="$luaNs" \
        'BEGIN { printf "%s by name: %.1f ns, Lua 5.4 table field %.2f ns, %.1fx Lua\n", w, o, l, o / l }'
done <<<"$lua"
