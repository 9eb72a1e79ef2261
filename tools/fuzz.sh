#!/usr/bin/env bash
# Builds the native fuzz targets (fuzz/, clang with libFuzzer, AddressSanitizer and UBSan), replays every
# seed and regression input, then runs each target for the given seconds, FUZZ_JOBS targets at a time.
#   tools/fuzz.sh [seconds per target, default 10] [target ...]   (no targets: all of them)
#   tools/fuzz.sh seeds                                            rewrites fuzz/corpus with the seed writer
# New inputs go to the build folder's corpus; an input that fails is saved under findings/ there, to be
# kept in fuzz/regressions/<target>/ once the fault is fixed. A target with inputs in fuzz/pending/<target>/
# has an open finding in code being changed elsewhere: it is reported and skipped until the fix moves
# them to regressions/. Exits 1 when any target found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
jobs="${FUZZ_JOBS:-$(nproc)}"
compiler=clang++-14

command -v "$compiler" >/dev/null || { echo "fuzz: $compiler is missing; tools/setup.sh installs it" >&2; exit 1; }
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 || { cat "$build/build.log" >&2; exit 1; }

if [ "${1:-}" = "seeds" ]; then
    rm -rf "$root/fuzz/corpus"
    "$build/write_seeds" "$root/fuzz/corpus"
    echo "fuzz: seeds written to fuzz/corpus"
    exit 0
fi

seconds="${1:-10}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(ls "$build/bin")
mkdir -p "$build/logs" "$build/findings"
options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1)

# Every seed and regression input runs once; any failure ends the step.
replay() {
    local target=$1 inputs=()
    mapfile -t inputs < <(find "$root/fuzz/corpus/$target" "$root/fuzz/regressions/$target" -type f 2>/dev/null | sort)
    [ ${#inputs[@]} -gt 0 ] || return 0
    if ! "$build/bin/$target" "${options[@]}" "${inputs[@]}" >"$build/logs/$target.replay.log" 2>&1; then
        echo "fuzz $target: a seed or regression input fails" >&2
        tail -n 40 "$build/logs/$target.replay.log" >&2
        return 1
    fi
}

run() {
    local target=$1 log="$build/logs/$target.log" rc=0
    mkdir -p "$build/corpus/$target"
    local seeds=()
    [ -d "$root/fuzz/corpus/$target" ] && seeds=("$root/fuzz/corpus/$target")
    "$build/bin/$target" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="$build/findings/$target-" \
        "$build/corpus/$target" "${seeds[@]}" >"$log" 2>&1 || rc=$?
    local runs time corpus
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
    corpus=$(find "$build/corpus/$target" -type f | wc -l)
    if [ "$rc" -eq 0 ]; then
        echo "fuzz $target: ${runs:-0} executions in ${time:-$seconds} s, $corpus inputs in the corpus, no findings"
    else
        echo "fuzz $target: FAILED after ${runs:-?} executions (log $log, input in $build/findings/)"
        grep -m 1 -A 12 -E '^==[0-9]+==|fuzz check failed|runtime error|ERROR: libFuzzer' "$log" | sed 's/^/    /'
    fi
    return "$rc"
}

failed=0
runnable=()
for target in "${targets[@]}"; do
    [ -x "$build/bin/$target" ] || { echo "fuzz: no target $target" >&2; exit 1; }
    if [ -d "$root/fuzz/pending/$target" ]; then
        echo "fuzz $target: skipped, open finding in fuzz/pending/$target/"
        continue
    fi
    replay "$target" || failed=1
    runnable+=("$target")
done
[ "$failed" -eq 0 ] || exit 1

running=0
for target in "${runnable[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    run "$target" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit "$failed"
