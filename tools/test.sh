#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: native,
# native under AddressSanitizer/UBSan, the win32 and win64 builds under Wine
# (in a virtual X display, for the tests that open windows), and a short
# smoke run of every fuzz target (clang, libFuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh native sanitize win32 win64 fuzz

status=0
run_ctest() {
    local tree=$1
    shift
    echo "=== tests: $tree ==="
    "$@" ctest --test-dir "build/$tree" --output-on-failure -j 2 || status=1
}
run_ctest native
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitize env
run_ctest win32 xvfb-run -a -s "-screen 0 1280x1024x24"
run_ctest win64 xvfb-run -a -s "-screen 0 1280x1024x24"
run_ctest fuzz
exit $status
