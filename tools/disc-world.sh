#!/usr/bin/env bash
# Prepares the Wine world of the disc and printer tests: CD-ROM drives E: (a disc labelled "OTHER"),
# F: (a disc labelled "tottlewick") and G: (no disc: its folder is missing), and no printer. The drive
# types are registry values that Wine reads when its wineserver starts, so the world is stopped after
# they are written; the tests start it again.
#   disc-world.sh WORLD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
world=$(mkdir -p "$1" && cd "$1" && pwd)
run() { "$root/tools/wine-run.sh" "$world" "$@"; }

for drive in e: f: g:; do
    run reg add 'HKLM\Software\Wine\Drives' /v "$drive" /t REG_SZ /d cdrom /f >/dev/null
done
run --stop

discs="$world/discs"
rm -rf "$discs"
mkdir -p "$discs/other" "$discs/data"
printf 'OTHER' >"$discs/other/.windows-label"
printf 'tottlewick' >"$discs/data/.windows-label"
devices="$world/prefix/dosdevices"
ln -sfn "$discs/other" "$devices/e:"
ln -sfn "$discs/data" "$devices/f:"
ln -sfn "$discs/missing" "$devices/g:"
