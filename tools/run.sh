#!/usr/bin/env bash
# Builds a title (its program, DLLs and data) and starts it under Wine: in a window on the user's display
# when DISPLAY is set, else on the display of its Wine world. Where the machine has no sound device, the
# title plays to the null device of its Wine world.
#   run.sh              QUOMB_32.exe on the sample title (build/sample); Esc in the title quits
#   run.sh tottlewick   Tottlewick.exe on the generated title (build/title) in its world build/wine-tottlewick,
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
    # A Wine program does not end on Ctrl-C: the title runs in the background, and the signal ends the
    # Wine processes of its world (on the user's display) or stops the whole world with its display.
    trap 'exit 130' INT TERM
    if [ -n "${DISPLAY:-}" ]; then
        trap 'WINEPREFIX="$world/prefix" wineserver -k 2>/dev/null || true' EXIT
        # The world's Wine prefix with the user's own display, home and sound.
        export WINEPREFIX="$world/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        if ! has_sound_device; then
            # Without a wave-out device the title stops at its start-up check; the world's home brings the
            # null device, and the user's X authority stays where it was.
            echo "run.sh: no sound device here; the title plays to the null sound device of its Wine world" >&2
            export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
            HOME=$(bash "$root/tools/wine-run.sh" "$world" --home)
        fi
        wine "$program" &
    else
        trap 'bash "$root/tools/wine-run.sh" "$world" --stop' EXIT
        echo "run.sh: no DISPLAY; the title runs on display $(bash "$root/tools/wine-run.sh" "$world" --start)" \
             "of its Wine world until Ctrl-C" >&2
        bash "$root/tools/wine-run.sh" "$world" "$program" &
    fi
    wait $!
}

bash "$root/tools/setup.sh"

case "${1:-}" in
"")
    bash "$root/tools/build.sh" QUOMB_32 smackw32 sample_title
    start "$build/sample" "$build/wine" QUOMB_32.exe
    ;;
tottlewick)
    bash "$root/tools/build.sh" Tottlewick mss32 tottlewick_title
    bash "$root/tools/title-world.sh" "$build/wine-tottlewick" "$build/title/disc"
    start "$build/title" "$build/wine-tottlewick" Tottlewick.exe
    ;;
*)
    echo "usage: run.sh [tottlewick]" >&2
    exit 2
    ;;
esac
