#!/usr/bin/env bash
# The stages of `veydra render --timings` on the 4000 x 3000 benchmark layer
# (bench/make_bench_layer.py) with the "Cast In Front" preset, run RUNS
# times (default 7) for each thread count, runs of the counts taken in turn
# so that a busy machine slows them alike. Prints each stage's fastest and
# median time, and the engine alone (the stages between decoding and
# encoding). Then the whole process under /usr/bin/time -v: peak memory and
# minor page faults.
#
# usage: bash bench/cli_stages.sh [RUNS] [VEYDRA]   (after tools/build.sh native)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
veydra=${2:-build/native/tools/veydra/veydra}
layer=build/bench-layer.png
[ -f "$layer" ] || python3 bench/make_bench_layer.py "$layer"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((i = 0; i < runs; i++)); do
    for threads in 1 2; do
        "$veydra" render "$layer" --preset "Cast In Front" --timings --threads "$threads" -o "$work/out.png" \
            2>>"$work/timings-$threads.txt"
    done
done
for threads in 1 2; do
    /usr/bin/time -v "$veydra" render "$layer" --preset "Cast In Front" --threads "$threads" -o "$work/out.png" \
        2>"$work/time-$threads.txt"
done

python3 - "$work" "$runs" <<'PY'
import re
import sys

sys.path.insert(0, "bench")
from stage_timings import min_median, read_stage_times

work, runs = sys.argv[1], int(sys.argv[2])
print(f"veydra render, 4000 x 3000 layer, Cast In Front, {runs} runs (ms: min / median)")
print(f"{'stage':24s} {'1 thread':>18s} {'2 threads':>18s}")
table = {threads: read_stage_times(f"{work}/timings-{threads}.txt") for threads in (1, 2)}
for stage in list(table[1]):
    cells = [min_median(table[threads].get(stage, [])) for threads in (1, 2)]
    print(f"{stage:24s} {cells[0]:>18s} {cells[1]:>18s}")
for threads in (1, 2):
    text = open(f"{work}/time-{threads}.txt").read()
    peak = re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1)
    faults = re.search(r"Minor \(reclaiming a frame\) page faults: (\d+)", text).group(1)
    wall = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (\S+)", text).group(1)
    print(f"{threads} thread(s): peak {int(peak) / 1024:.1f} MB, {faults} minor page faults, wall {wall}")
PY
