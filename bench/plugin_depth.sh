#!/usr/bin/env bash
# The module's start step under Wine (win64) on the 4000 x 3000 benchmark
# layer as an 8-bit RGBA document and as a 16-bit one (RGB48 with
# transparency, from the 16-bit benchmark file: bench/make_bench_layer.py
# --depth 16), "Cast In Front". veydra-host's "start selector" time is the
# whole start step (advanceState, finding the object, the reduction, blur,
# render, compositing); "own" leaves out the host's advanceState work
# (copying the document into its buffers, twice the bytes at 16 bits). Runs
# alternate between the two; prints fastest and median of RUNS (default 5)
# and the 16-bit / 8-bit ratio.
#
# usage: VEYDRA_WINEPREFIX=... bash bench/plugin_depth.sh [RUNS]   (after tools/build.sh win64)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
layer8=build/bench-layer.png
layer16=build/bench-layer-16.png
[ -f "$layer8" ] || python3 bench/make_bench_layer.py "$layer8"
[ -f "$layer16" ] || python3 bench/make_bench_layer.py --depth 16 "$layer16"
host=build/win64/tools/veydra-host/veydra-host.exe
module=build/win64/src/host/Veydra.8bf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((i = 0; i < runs; i++)); do
    for depth in 8 16; do
        layer=$layer8
        [ "$depth" = 16 ] && layer=$layer16
        xvfb-run -a cmake/wine-run.sh "$host" run "$module" "$layer" --preset "Cast In Front" --depth "$depth" \
            2>/dev/null | grep '^start selector:' >>"$work/start-$depth.txt"
    done
done

python3 - "$work" "$runs" <<'PY'
import re
import statistics
import sys

work, runs = sys.argv[1], int(sys.argv[2])
rows = {}
for depth in (8, 16):
    total, own = [], []
    for line in open(f"{work}/start-{depth}.txt"):
        m = re.match(r"start selector: ([0-9.]+) ms, of which in the host's advanceState ([0-9.]+) ms", line)
        if m:
            total.append(float(m.group(1)))
            own.append(float(m.group(1)) - float(m.group(2)))
    rows[depth] = (total, own)
print(f"module start step, win64 under Wine, 4000 x 3000 layer, Cast In Front, {runs} runs (ms: min / median)")
for i, name in enumerate(("whole start step", "without advanceState")):
    a, b = rows[8][i], rows[16][i]
    print(f"{name:22s} 8-bit {min(a):7.1f} / {statistics.median(a):7.1f}   16-bit {min(b):7.1f} / "
          f"{statistics.median(b):7.1f}   ratio of medians {statistics.median(b) / statistics.median(a):.2f}")
PY
