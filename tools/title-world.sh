#!/usr/bin/env bash
# Prepares a Wine world for Tottlewick: CD-ROM drive E: holding a disc labelled "Tottlewick", by default
# one of the world's own with an empty "Resource" folder (the title probe's), or the folder DISC_DIR (the
# generated title's disc). The drive type is a registry value that Wine reads when its wineserver starts,
# so the world is stopped after it is written; the tests start it again.
#   title-world.sh WORLD_DIR [DISC_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
world=$(mkdir -p "$1" && cd "$1" && pwd)
run() { "$root/tools/wine-run.sh" "$world" "$@"; }

# A world made ready before for the same disc is ready still (the drive's registry value is in the
# prefix's saved registry once its wineserver has stopped).
if [ -n "${2:-}" ] && [ "$(readlink "$world/prefix/dosdevices/e:" 2>/dev/null)" = "$(cd "$2" && pwd)" ] &&
    grep -qx '"e:"="cdrom"' "$world/prefix/system.reg"; then
    exit 0
fi

run reg add 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d cdrom /f >/dev/null
run --stop

if [ -n "${2:-}" ]; then
    disc=$(cd "$2" && pwd)
else
    disc="$world/discs/title"
    rm -rf "$disc"
    mkdir -p "$disc/Resource"
    printf 'Tottlewick' >"$disc/.windows-label"
fi
ln -sfn "$disc" "$world/prefix/dosdevices/e:"
