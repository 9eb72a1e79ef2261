#!/usr/bin/env bash
# Builds everything and starts QUOMB_32.exe on the sample title (build/sample) under Wine: in a window on
# the user's display when DISPLAY is set, else on the build's own Xvfb display. Esc in the title quits.
# Where the machine has no sound device, the title plays to the null device of the build's Wine world.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${BUILD_DIR:-$root/build}"

# Somewhere to play: an ALSA playback device, the user's own ALSA set-up, or a PulseAudio/PipeWire server.
has_sound_device() {
    compgen -G '/dev/snd/pcmC*D*p' >/dev/null || [ -f "$HOME/.asoundrc" ] || [ -n "${PULSE_SERVER:-}" ] ||
        [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ]
}

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh"

cd "$build/sample"
if [ -n "${DISPLAY:-}" ]; then
    # The build's Wine prefix with the user's own display, home and sound.
    export WINEPREFIX="$build/wine/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if ! has_sound_device; then
        # Without a wave-out device the title stops at its start-up check; the world's home brings the null
        # device, and the user's X authority stays where it was.
        echo "run.sh: no sound device here; the title plays to the null sound device of the build's Wine world" >&2
        export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
        HOME=$(bash "$root/tools/wine-run.sh" "$build/wine" --home)
    fi
    exec wine QUOMB_32.exe
fi
trap 'bash "$root/tools/wine-run.sh" "$build/wine" --stop' EXIT
echo "run.sh: no DISPLAY; the title runs on the build's Xvfb display until Ctrl-C" >&2
bash "$root/tools/wine-run.sh" "$build/wine" QUOMB_32.exe
