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
# wine lists one test, prints that summary and ends on SIGSEGV.
fake=$(mktemp -d)
cat >"$fake/wine" <<'WINE'
#!/bin/sh
case " $* " in *" --gtest_list_tests "*) printf 'RunnerProbe.\n  Passes\n'; exit 0 ;; esac
printf '[==========] 1 test from 1 test suite ran. (1 ms total)\n[  PASSED  ] 1 test.\n'
ulimit -c 0
kill -SEGV $$
WINE
chmod +x "$fake/wine"
PATH="$fake:$PATH" expect 139 "wine-run: Wine ended on signal 11" 'RunnerProbe.Passes'
rm -rf "$fake"
exit $((failures > 0))
