#!/usr/bin/env bash
# Builds everything and starts a title under Wine: in a window on the user's display when DISPLAY is set,
# else on the build's own Xvfb display. Where the machine has no sound device, the title plays to the
# null device of its Wine world.
#   run.sh              QUOMB_32.exe on the sample title (build/sample); Esc in the title quits
#   run.sh tottlewick   Tottlewick.exe on the generated title (build/title) in its world build/title/wine,
#                       whose CD-ROM drive E: holds the title's disc
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

# Somewhere to play: an ALSA playback device, the user's own ALSA set-up, or a PulseAudio/PipeWire server.
has_sound_device() {
    compgen -G '/dev/snd/pcmC*D*p' >/dev/null || [ -f "$HOME/.asoundrc" ] || [ -n "${PULSE_SERVER:-}" ] ||
        [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ]
}

# start FOLDER WORLD PROGRAM
start() {
    local folder=$1 world=$2 program=$3
    cd "$folder"
    if [ -n "${DISPLAY:-}" ]; then
        # The world's Wine prefix with the user's own display, home and sound.
        export WINEPREFIX="$world/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        if ! has_sound_device; then
            # Without a wave-out device the title stops at its start-up check; the world's home brings the
            # null device, and the user's X authority stays where it was.
            echo "run.sh: no sound device here; the title plays to the null sound device of its Wine world" >&2
            export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
            HOME=$(bash "$root/tools/wine-run.sh" "$world" --home)
        fi
        exec wine "$program"
    fi
    trap 'bash "$root/tools/wine-run.sh" "$world" --stop' EXIT
    echo "run.sh: no DISPLAY; the title runs on its world's Xvfb display until Ctrl-C" >&2
    bash "$root/tools/wine-run.sh" "$world" "$program"
}

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

case "${1:-}" in
"")
    start "$build/sample" "$build/wine" QUOMB_32.exe
    ;;
tottlewick)
    bash "$root/tools/title-world.sh" "$build/title/wine" "$build/title/disc"
    start "$build/title" "$build/title/wine" Tottlewick.exe
    ;;
*)
    echo "usage: run.sh [tottlewick]" >&2
    exit 2
    ;;
esac
