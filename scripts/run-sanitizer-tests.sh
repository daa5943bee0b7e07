#!/usr/bin/env bash
# Builds the program and its test suite with AddressSanitizer,
# UndefinedBehaviorSanitizer and leak checking into build-asan/ (or
# $ASAN_BUILD_DIR) and runs every test. Any finding fails the run, whether in
# the test program or in a korvane run that a test starts: each one writes its
# report into the reports folder, and a run that leaves a report there fails.
#
# Then the tests that make conversion runs in process, some of them several
# at once, run under ThreadSanitizer from build-tsan/ (or $TSAN_BUILD_DIR):
# only those tests and the engine are built there, which takes a few minutes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ASAN_BUILD_DIR:-$root/build-asan}
tsan_build=${TSAN_BUILD_DIR:-$root/build-tsan}
"$root/scripts/install-deps.sh" --tests
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
# The program and the tests only: no second release build, no benchmarks.
cmake --build "$build" -j "$(nproc)" --target korvane korvane_tests

reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"

status=0
# The install tests need the packaging files of a full build and check the
# release program; the window tests drive GTK, whose own caches the leak
# checker would report. The normal suite runs both.
(cd "$build" && ctest --output-on-failure -j "$(nproc)" -LE 'install|window') || status=$?
if compgen -G "$reports/*" >/dev/null; then
    for report in "$reports"/*; do
        echo "=== sanitizer report $report"
        cat "$report"
    done
    echo "The sanitizers reported findings; see above."
    status=1
fi

cmake -S "$root" -B "$tsan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_SANITIZE_THREADS=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
cmake --build "$tsan_build" -j "$(nproc)" --target korvane_thread_tests
# A report fails the test program (exit status 66) at its end.
TSAN_OPTIONS="suppressions=$root/scripts/tsan-suppressions.txt:second_deadlock_stack=1:history_size=4" \
    "$tsan_build/tests/korvane_thread_tests" --gtest_filter='ConversionRun.*:BatchDriver.*:BatchRun.*' || {
    echo "ThreadSanitizer reported findings or a test failed; see above."
    status=1
}
exit "$status"
