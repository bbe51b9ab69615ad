#!/usr/bin/env bash
# Fuzzes every target (or the ones named) for SECONDS each, one after the
# other, from the seed corpus in fuzz/corpus/<target>/: builds the fuzz tree
# (clang, libFuzzer, AddressSanitizer and UBSan) first. Prints one line per
# target with its executions per second and exits 1 if anything was found.
#
# New inputs and findings stay under build/fuzz/campaign/<target>/ (a crash
# as findings/crash-*); a fault, once fixed, goes into the corpus as
# regression-<what>, so every later run replays it.
#
# The machine is shared: run long campaigns at low priority, e.g.
#   nice -n 19 bash tools/fuzz.sh 600
# usage: bash tools/fuzz.sh SECONDS [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: bash tools/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(png_render png_read shadow_scene descriptors language_text plugin_resources)

bash tools/build.sh fuzz
status=0
for target in "${targets[@]}"; do
    bash fuzz/run_target.sh "build/fuzz/fuzz/fuzz_$target" "fuzz/corpus/$target" "build/fuzz/campaign/$target" \
        "$seconds" || status=1
done
exit $status
