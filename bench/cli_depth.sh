#!/usr/bin/env bash
# `veydra render` on the 4000 x 3000 benchmark layer as an 8-bit and as a
# 16-bit RGBA file (bench/make_bench_layer.py, --depth 16: the 8-bit file is
# its exact reduction), "Cast In Front", RUNS times each (default 7), the two
# taken in turn so that a busy machine slows them alike. Prints the fastest
# and median of the engine (the stages between decoding and encoding), of
# decoding and encoding, and of the whole process, and the 16-bit / 8-bit
# ratio of each.
#
# usage: bash bench/cli_depth.sh [RUNS] [VEYDRA]   (after tools/build.sh native)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
veydra=${2:-build/native/tools/veydra/veydra}
layer8=build/bench-layer.png
layer16=build/bench-layer-16.png
[ -f "$layer8" ] || python3 bench/make_bench_layer.py "$layer8"
[ -f "$layer16" ] || python3 bench/make_bench_layer.py --depth 16 "$layer16"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((i = 0; i < runs; i++)); do
    for depth in 8 16; do
        layer=$layer8
        [ "$depth" = 16 ] && layer=$layer16
        start=$(date +%s.%N)
        "$veydra" render "$layer" --preset "Cast In Front" --timings -o "$work/out-$depth.png" \
            2>>"$work/timings-$depth.txt"
        end=$(date +%s.%N)
        echo "timing: whole process $(echo "($end - $start) * 1000" | bc -l) ms" >>"$work/timings-$depth.txt"
    done
done

python3 - "$work" "$runs" <<'PY'
import statistics
import sys

sys.path.insert(0, "bench")
from stage_timings import min_median, read_stage_times

work, runs = sys.argv[1], int(sys.argv[2])
table = {depth: read_stage_times(f"{work}/timings-{depth}.txt") for depth in (8, 16)}
print(f"veydra render, 4000 x 3000 RGBA layer, Cast In Front, {runs} runs (ms: min / median)")
print(f"{'stage':22s} {'8-bit':>18s} {'16-bit':>18s} {'ratio of medians':>17s}")
for stage in list(table[8]):
    a, b = table[8].get(stage, []), table[16].get(stage, [])
    if not a or not b:
        continue
    ratio = statistics.median(b) / statistics.median(a)
    print(f"{stage:22s} {min_median(a)}  {min_median(b)}  {ratio:15.2f}")
PY
