#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: native,
# native under AddressSanitizer/UBSan, the win32 and win64 builds under Wine
# (in a virtual X display, for the tests that open windows), and a short
# smoke run of every fuzz target (clang, libFuzzer).
#
# Where this machine cannot run 32-bit programs at all (see
# tools/setup-i386.sh), the win32 tree is still built and its checks that
# need no Wine still run; its other tests are reported as skipped, with the
# reason, never as passed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh native sanitize win32 win64 fuzz

status=0
passed=0 failed=0 skipped=0
recap=()
run_ctest() {
    local tree=$1 log rc=0
    shift
    log="build/$tree/ctest-last.log"
    echo "=== tests: $tree ==="
    "$@" ctest --test-dir "build/$tree" --output-on-failure -j 2 2>&1 | tee "$log" || rc=$?
    [ $rc -eq 0 ] || status=1
    local total fail skip
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    fail=$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
    skip=$(grep -c '\*\*\*Skipped\|Not Run' "$log" || true)
    if [ -z "$total" ]; then
        recap+=("$tree: ctest reported no summary")
        status=1
        return
    fi
    passed=$((passed + total - fail - skip)) failed=$((failed + fail)) skipped=$((skipped + skip))
    recap+=("$tree: $((total - fail - skip)) passed, $fail failed, $skip skipped")
}
run_ctest native
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitize env
x86_reason=$(cmake/wine-run.sh --can-run x86) || true
run_ctest win32 xvfb-run -a -s "-screen 0 1280x1024x24"
run_ctest win64 xvfb-run -a -s "-screen 0 1280x1024x24"
run_ctest fuzz

echo "=== summary ==="
for line in "${recap[@]}"; do
    echo "$line"
done
if [ -n "$x86_reason" ]; then
    echo "win32: its Wine tests were skipped, not passed: $x86_reason"
elif grep -qsx enabled /proc/sys/fs/binfmt_misc/veydra-i386; then
    echo "win32: run through the qemu-i386 emulator (this kernel runs no 32-bit processes)"
fi
echo "summary: $passed passed, $failed failed, $skipped skipped"
exit $status
