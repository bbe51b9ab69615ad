#!/usr/bin/env bash
# The plug-in's start step under Wine against the native engine, on the
# 4000 x 3000 benchmark layer with "Cast In Front".
#
# Native: the sum of `veydra render --timings` stages without PNG decode and
# encode. Module: veydra-host's "start selector" time (the whole start step:
# advanceState, the object scan, buffers, blur, render, compositing), and
# that time without the host's own advanceState work (copying the image into
# its buffers). Prints the median of RUNS runs (default 5) of each.
#
# usage: bash bench/plugin_speed.sh [RUNS]   (after tools/build.sh native win32 win64)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
layer=build/bench-layer.png
[ -f "$layer" ] || python3 bench/make_bench_layer.py "$layer"
preset="Cast In Front"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

native=()
for ((i = 0; i < runs; i++)); do
    native+=("$(build/native/tools/veydra/veydra render "$layer" -o build/bench-native.png --preset "$preset" --timings 2>&1 |
        awk '/^timing:/ && !/png/ {sum += $(NF-1)} END {printf "%.1f", sum}')")
done
echo "native engine:        $(printf '%s\n' "${native[@]}" | median) ms  (runs: ${native[*]})"

for tree in win64 win32; do
    if ! reason=$(cmake/wine-run.sh --can-run "$([ "$tree" = win32 ] && echo x86 || echo x64)"); then
        echo "$tree: not run: $reason"
        continue
    fi
    total=() own=()
    for ((i = 0; i < runs; i++)); do
        line=$(xvfb-run -a cmake/wine-run.sh "build/$tree/tools/veydra-host/veydra-host.exe" run \
            "build/$tree/src/host/Veydra.8bf" "$layer" --preset "$preset" 2>/dev/null | grep '^start selector:')
        t=$(echo "$line" | awk '{print $3}')
        host=$(echo "$line" | awk '{print $(NF-1)}')
        total+=("$t")
        own+=("$(awk -v t="$t" -v h="$host" 'BEGIN {printf "%.1f", t - h}')")
    done
    echo "$tree start selector: $(printf '%s\n' "${total[@]}" | median) ms, without the host's advanceState" \
         "$(printf '%s\n' "${own[@]}" | median) ms  (runs: ${total[*]})"
done
