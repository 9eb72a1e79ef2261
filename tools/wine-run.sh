#!/usr/bin/env bash
# Runs a Windows program under Wine in the Wine world of a build tree: its own 32-bit prefix, HOME with
# a null sound device, an Xvfb display at 8 bits per pixel (WINE_SCREEN_DEPTH=24 for a true-colour
# world) and one persistent wineserver. The world is started on first use (under a lock, so parallel
# tests share it) and stopped by `wine-run.sh WORLD --stop`.
#
#   wine-run.sh WORLD_DIR program.exe [args...]
#   wine-run.sh WORLD_DIR --start    (starts the world and prints its display)
#   wine-run.sh WORLD_DIR --stop
#   wine-run.sh WORLD_DIR --home     (prints the world's HOME, made ready with its null sound device)
set -euo pipefail

world=$(mkdir -p "$1" && cd "$1" && pwd)
shift

depth=${WINE_SCREEN_DEPTH:-8}
# Wine's debug channels stay quiet unless the caller asks for some (WINEDEBUG=+seh traces exceptions).
export WINEPREFIX="$world/prefix" WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} HOME="$world/home"
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
            setsid Xvfb ":$n" -screen 0 "1024x768x$depth" -nolisten tcp \
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
                echo "$depth" > "$world/depth"
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
    # A display started by a runner that kept no record of its depth is started again.
    if display_alive && [ ! -f "$world/depth" ]; then stop_world; fi
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
    rm -f "$world/xvfb.pid" "$world/depth"
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

# A world keeps the depth it was started with; a run that needs another would pass or fail for the wrong
# reason, so it does not run.
if [ "$(cat "$world/depth" 2>/dev/null)" != "$depth" ]; then
    echo "wine-run: the display of $world has $(cat "$world/depth" 2>/dev/null || echo "an unknown number of") bits per pixel; this run needs $depth" >&2
    exit 1
fi

DISPLAY=$(cat "$world/display")
export DISPLAY
[ "${1:-}" = --start ] && { echo "$DISPLAY"; exit 0; }

case " $* " in
    *" --gtest_brief=1 "*) ;;
    *) exec wine "$@" ;;
esac

# The number of tests that a test program run with these arguments is to run: gtest's list for the same
# filter, less the disabled ones (--gtest_brief=1 prints no count before the tests start).
tests_to_run() {
    wine "$@" --gtest_list_tests 2>/dev/null | tr -d '\r' | awk '
        /^[^ ]/ { suite = $1 }
        /^  [^ ]/ && suite !~ /^DISABLED_/ && $1 !~ /^DISABLED_/ { n++ }
        END { print n + 0 }'
}

# Prints why a test program's output ($1) does not prove that all $2 of its tests ran and passed (none
# failed, each passed or skipped, as gtest's closing summary counts them), or nothing when it does.
summary_fault() {
    tr -d '\r' < "$1" | awk -v expected="$2" '
        /^\[==========\] [0-9]+ tests? from .* ran\./ { ran = $2; summary = 1; passed = 0; skipped = 0 }
        /^\[  PASSED  \] [0-9]+ tests?\./ { passed = $4 }
        /^\[  SKIPPED \] [0-9]+ tests?\./ { skipped = $4 }
        /^\[  FAILED  \]/ { failed = 1 }
        /Unhandled/ { unhandled = 1 }
        END {
            if (expected == 0) print "its arguments select no test"
            else if (!summary) print "gtest printed no summary: the program ended before its tests had all run"
            else if (ran != expected) print "gtest ran " ran " of the " expected " tests it was to run"
            else if (passed + skipped != ran) print "of " ran " tests " passed " passed and " skipped " were skipped"
            else if (failed) print "a test failed"
            else if (unhandled) print "Wine reported an unhandled exception"
        }'
}

# Wine 8's 32-bit side has a fault of its own at process exit: a thread that runs only Wine's code (no frame
# of the program, started from libc's thread start) gets a signal before Wine has set up its signal state,
# and Wine's handler, loading a zero %gs, faults in pthread_getspecific. Its core file (written in the
# program's folder, where the kernel writes cores there) shows exactly that: the faulting thread stopped in
# pthread_getspecific under NtCurrentTeb with %gs 0, in frames of Wine's ntdll.so and libc alone. True
# when core file $1 does.
wine_exit_fault() {
    gdb -batch -ex bt -ex 'info registers gs' /usr/lib/wine/wine "$1" 2>/dev/null | awk '
        /^#0 .* in pthread_getspecific / { top = 1 }
        /^#1 .* in NtCurrentTeb .*ntdll\.so/ { teb = 1 }
        /^#/ && !/<signal handler called>|__kernel_vsyscall|libc\.so\.6|ntdll\.so/ { other = 1 }
        /^gs +0x0 / { zero = 1 }
        END { exit !(top && teb && zero && !other) }'
}

# A test program passes when it ends with 0 and its output shows every test it was to run passed. One that
# Wine ended on a signal fails, whatever it printed before, unless every test passed and its core shows
# Wine's exit fault above: that run passes, and the runner says so on the console and in the build tree's
# wine-rescued.log (or WINE_RESCUE_LOG), which tools/test.sh prints after the tests.
expected=$(tests_to_run "$@")
output="$world/output.$$"
# Core files in the program's folder, each with its time of change.
core_files() { find . -maxdepth 1 -type f \( -name core -o -name 'core.*' \) -printf '%p %T@\n' 2>/dev/null; }
cores_before=$(core_files)
ulimit -c unlimited 2>/dev/null || true
set +e
wine "$@" 2>&1 | tee "$output"
rc=${PIPESTATUS[0]}
set -e
fault=$(summary_fault "$output" "$expected")
rm -f "$output"
cores=$(core_files | grep -vxF -e "$cores_before" | cut -d' ' -f1 || true)
if [ "$rc" -eq 139 ] && [ -z "$fault" ] && [ "$(wc -w <<<"$cores")" -eq 1 ] && wine_exit_fault "$cores"; then
    rescue="wine-run: $(basename "$1"): every test passed, then Wine ended on its own exit fault (SIGSEGV in Wine's signal handler on a thread of its own, as its core showed); counted as passed"
    echo "$rescue" >&2
    echo "$rescue" >> "${WINE_RESCUE_LOG:-$(dirname "$world")/wine-rescued.log}"
    rm -f "$cores"
    rc=0
elif [ "$rc" -gt 128 ]; then
    echo "wine-run: Wine ended on signal $((rc - 128)) (WINEDEBUG=+seh traces its exceptions)" >&2
    for core in $cores; do echo "wine-run: core file $PWD/${core#./}" >&2; done
elif [ "$rc" -eq 0 ] && [ -n "$fault" ]; then
    echo "wine-run: exit code 0, but $fault" >&2
    rc=1
fi
exit "$rc"
