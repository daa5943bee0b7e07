#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ (or $FUZZ_BUILD_DIR) and runs
# each one for SECONDS (60 unless given), starting from its seeds in
# fuzz/corpus/<target>/. Inputs that reach new code are kept in
# build-fuzz/corpus/<target>/; an input that makes a target fail is saved in
# build-fuzz/findings/<target>/ and the script ends with status 1.
#
#   scripts/run-fuzzers.sh [SECONDS [TARGET...]]     TARGET: options, naming, ...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in "$root"/fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE=ON -DKORVANE_FUZZ=ON \
    -DKORVANE_BUILD_TESTS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzzers

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"

failed=()
printf '%-16s %12s %8s %8s  %s\n' target inputs corpus seconds result
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    # An image pac header needs 3587 bytes, the seeds of a residual section
    # 12 KB; the other inputs are short texts.
    max_len=4096
    [ "$target" = photocd_header ] && max_len=8192
    [ "$target" = photocd_decoder ] && max_len=16384
    started=$(date +%s)
    result=clean
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$root/fuzz/corpus/$target" \
        >"$log" 2>&1 || { result="FINDING (see $log)"; failed+=("$target"); }
    inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    printf '%-16s %12s %8s %8s  %s\n' "$target" "${inputs:-?}" "$(find "$corpus" -type f | wc -l)" \
        "$(($(date +%s) - started))" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]}"
    exit 1
fi
