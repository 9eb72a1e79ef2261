#!/usr/bin/env bash
# Runs a Windows program under Wine in the Wine world of a build tree: its own 32-bit prefix, HOME with
# a null sound device, an Xvfb display at 8 bits per pixel (WINE_SCREEN_DEPTH=24 for a true-colour
# world) and one persistent wineserver. The world is started on first use (under a lock, so parallel
# tests share it) and stopped by `wine-run.sh WORLD --stop`.
#
#   wine-run.sh WORLD_DIR program.exe [args...]
#   wine-run.sh WORLD_DIR --stop
#   wine-run.sh WORLD_DIR --home     (prints the world's HOME, made ready with its null sound device)
set -euo pipefail

world=$(mkdir -p "$1" && cd "$1" && pwd)
shift

export WINEPREFIX="$world/prefix" WINEARCH=win32 WINEDEBUG=-all HOME="$world/home"
# No debugger: a crashed program would wait in it until the test's time runs out; without one it ends at
# once with the fault's code and Wine's line that names the fault.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

display_alive() {
    [ -f "$world/xvfb.pid" ] && kill -0 "$(cat "$world/xvfb.pid")" 2>/dev/null
}

# A running wineserver of this prefix listens on a socket in a temporary folder, named after the
# prefix's device and inode.
wineserver_alive() {
    local id socket
    id=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
    for socket in /tmp/.wine-"$(id -u)"/"$id"/socket /tmp/wine-*/"$id"/socket; do
        [ -S "$socket" ] && return 0
    done
    return 1
}

# True once display $1 is served by process $2: Xvfb writes its pid into the display's lock file before
# it listens, so a server that lost the number to another world's never counts as started.
serves_display() {
    [ "$(tr -d ' \n' 2>/dev/null < "/tmp/.X$1-lock")" = "$2" ] && [ -e "/tmp/.X11-unix/X$1" ]
}

# Takes the first free display number from 90 on; a number that another server holds (another world
# starting at the same moment, or one in another root that this folder cannot see) is passed over.
start_display() {
    local n=90 pid tries
    while [ "$n" -lt 200 ]; do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            setsid Xvfb ":$n" -screen 0 "1024x768x${WINE_SCREEN_DEPTH:-8}" -nolisten tcp \
                </dev/null >"$world/xvfb.log" 2>&1 9>&- &
            pid=$!
            tries=0
            while kill -0 "$pid" 2>/dev/null && ! serves_display "$n" "$pid" && [ "$tries" -lt 100 ]; do
                tries=$((tries + 1))
                sleep 0.1
            done
            if kill -0 "$pid" 2>/dev/null && serves_display "$n" "$pid"; then
                echo "$pid" > "$world/xvfb.pid"
                echo ":$n" > "$world/display"
                return 0
            fi
            kill "$pid" 2>/dev/null || true
        fi
        n=$((n + 1))
    done
    echo "wine-run: Xvfb did not start (see $world/xvfb.log)" >&2
    exit 1
}

# ALSA's null device is Wine's wave-out device in this world.
prepare_home() {
    mkdir -p "$HOME"
    [ -f "$HOME/.asoundrc" ] || printf 'pcm.!default { type null }\n' > "$HOME/.asoundrc"
}

# Every world of a build tree starts as a copy of one template prefix beside it. Wine's own DLLs (system32
# and winsxs, nearly all of a prefix's 600 MB) are hard links into the template, since nothing writes to them;
# everything else (the registry, win.ini, the user folders) is copied, so each world's writes stay its own.
seed_prefix() {
    local template shared
    template="$(dirname "$world")/wine-template"
    (
        exec 8>"$template.lock"
        flock 8
        if [ ! -f "$template/system.reg" ]; then
            rm -rf "$template"
            WINEPREFIX="$template" wineboot -i </dev/null >"$world/wineboot.log" 2>&1 8>&- 9>&-
            WINEPREFIX="$template" wineserver -w
        fi
    )
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    shared="drive_c/windows/system32 drive_c/windows/winsxs"
    tar -C "$template" $(printf -- '--exclude=./%s ' $shared) -cf - . | tar -C "$WINEPREFIX" -xf -
    for folder in $shared; do cp -al "$template/$folder" "$WINEPREFIX/$folder"; done
}

# The persistent children started here (Xvfb, wineserver) hold neither the lock nor the caller's
# output, so callers that wait for their output to close are not kept waiting.
start_world() {
    prepare_home
    display_alive || start_display
    export DISPLAY
    DISPLAY=$(cat "$world/display")
    [ -f "$WINEPREFIX/system.reg" ] || seed_prefix
    if ! wineserver_alive; then
        setsid wineserver -p </dev/null >/dev/null 2>&1 9>&-
        # Wine's own services start with the first program; start them here, detached from our output.
        wineboot </dev/null >>"$world/wineboot.log" 2>&1 9>&-
    fi
}

stop_world() {
    wineserver -k >/dev/null 2>&1 || true
    if display_alive; then kill "$(cat "$world/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$world/xvfb.pid"
}

case "${1:-}" in
    --stop) stop_world; exit 0 ;;
    --home) prepare_home; echo "$HOME"; exit 0 ;;
esac

exec 9>"$world/lock"
flock 9
start_world
flock -u 9
exec 9>&-

DISPLAY=$(cat "$world/display")
export DISPLAY

# True when a test program's output ($1) ends in gtest's summary of a run with every test passed and
# shows no Windows exception.
all_tests_passed() {
    grep -q '^\[  PASSED  \] ' "$1" && ! grep -qE '^\[  FAILED  \]|Unhandled' "$1"
}

# Test programs only: a Wine process killed by a signal after its tests have all passed crashed in Wine's
# own teardown (a crash of the program itself is a Windows exception, reported and ended with an exit
# code), so that run counts as passed, with a line that says so. Every other run keeps its status.
case " $* " in
    *" --gtest_brief=1 "*) ;;
    *) exec wine "$@" ;;
esac
output="$world/output.$$"
set +e
wine "$@" 2>&1 | tee "$output"
rc=${PIPESTATUS[0]}
set -e
if [ "$rc" -gt 128 ] && all_tests_passed "$output"; then
    echo "wine-run: Wine ended on signal $((rc - 128)) after every test had passed; counted as passed" >&2
    rc=0
fi
rm -f "$output"
exit "$rc"
