#!/usr/bin/env bash
# Checks the test runner's verdicts on runs of the probe test program in a world of their own: a run
# passes only when every test it was to run passed and Wine did not end it on a signal, and a run never
# uses a display of another depth.
#   wine-run-test.sh WORLD_DIR RunnerProbe.exe
set -uo pipefail
runner="$(cd "$(dirname "$0")/.." && pwd)/wine-run.sh"
world=$1 probe=$2
trap 'bash "$runner" "$world" --stop' EXIT
failures=0

# expect STATUS MESSAGE FILTER: the run of the tests FILTER selects ends with STATUS and says MESSAGE.
expect() {
    local status=$1 message=$2 filter=$3 output rc
    output=$(bash "$runner" "$world" "$probe" --gtest_brief=1 --gtest_filter="$filter" 2>&1)
    rc=$?
    if [ "$rc" -ne "$status" ] || ! grep -qF -- "$message" <<<"$output"; then
        echo "FAILED: $filter: expected status $status and \"$message\", got $rc:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

expect 0 "[  PASSED  ] 1 test." 'RunnerProbe.Passes'
expect 1 "exit code 0, but gtest printed no summary: the program ended before its tests had all run" \
    'RunnerProbe.Passes:RunnerProbe.EndsTheProcessWithZero'
expect 1 "exit code 0, but gtest ran 1 of the 2 tests it was to run" \
    'RunnerProbe.Passes:RunnerProbe.PrintsAChildsSummary*'
expect 1 "exit code 0, but its arguments select no test" 'RunnerProbe.NoSuchTest'
WINE_SCREEN_DEPTH=24 expect 1 "has 8 bits per pixel; this run needs 24" 'RunnerProbe.Passes'
# A program that Wine ends on a signal fails even after a summary of every test passed: a stand-in for
# wine lists one test, prints that summary, leaves a core file when CORE is set, and ends on SIGSEGV. A
# stand-in for gdb prints the backtrace and %gs register of the core's faulting thread from BACKTRACE.
fake=$(mktemp -d)
cat >"$fake/wine" <<'WINE'
#!/bin/sh
case " $* " in *" --gtest_list_tests "*) printf 'RunnerProbe.\n  Passes\n'; exit 0 ;; esac
printf '[==========] 1 test from 1 test suite ran. (1 ms total)\n[  PASSED  ] 1 test.\n'
ulimit -c 0
[ -n "${CORE:-}" ] && : > "$CORE"
kill -SEGV $$
WINE
cat >"$fake/gdb" <<'GDB'
#!/bin/sh
printf '%b\n' "$BACKTRACE"
GDB
chmod +x "$fake/wine" "$fake/gdb"
cd "$(mktemp -d)"
PATH="$fake:$PATH" expect 139 "wine-run: Wine ended on signal 11" 'RunnerProbe.Passes'

# Wine's own exit fault, as a core of it showed: a thread of Wine and libc alone, stopped in
# pthread_getspecific under NtCurrentTeb with %gs 0, in Wine's signal handler.
ntdll=/usr/lib/i386-linux-gnu/wine/i386-unix/ntdll.so libc=/lib/i386-linux-gnu/libc.so.6
exit_fault="#0  0xf7d66046 in pthread_getspecific () from $libc
#1  0xf7c7da18 in NtCurrentTeb () from $ntdll
#2  0xf7c65bbd in ?? () from $ntdll
#3  <signal handler called>
#4  0xf7f1b5e9 in __kernel_vsyscall ()
#5  0xf7de73c7 in read () from $libc
#6  0xf7c62861 in wine_server_call () from $ntdll
#7  0xf7d6448c in ?? () from $libc
gs             0x0                 0"
export WINE_RESCUE_LOG="$PWD/rescued.log"
rescued=$WINE_RESCUE_LOG
CORE=core BACKTRACE="$exit_fault" PATH="$fake:$PATH" \
    expect 0 "every test passed, then Wine ended on its own exit fault" 'RunnerProbe.Passes'
grep -q "RunnerProbe.exe: every test passed" "$rescued" 2>/dev/null || { echo "FAILED: no line in $rescued"; failures=$((failures + 1)); }
[ ! -e core ] || { echo "FAILED: the matched core was left behind"; failures=$((failures + 1)); }
rm -f "$rescued"
# Any other fault stays a failure, and its core is named: a frame of the program, %gs set, another top.
program_frame="${exit_fault%%gs *}#8  0x00401234 in ?? ()
gs             0x0                 0"
for backtrace in "$program_frame" "${exit_fault/gs             0x0/gs             0x63}" \
                 "${exit_fault/pthread_getspecific/memcpy}"; do
    CORE=core.42 BACKTRACE="$backtrace" PATH="$fake:$PATH" expect 139 "wine-run: core file $PWD/core.42" 'RunnerProbe.Passes'
    rm -f core.42
done
[ ! -e "$rescued" ] || { echo "FAILED: a failure was recorded as rescued"; failures=$((failures + 1)); }
rm -rf "$fake"
exit $((failures > 0))
