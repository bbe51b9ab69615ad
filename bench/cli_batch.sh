#!/usr/bin/env bash
# A batch of `veydra render IN... --out-dir DIR` at each split of the
# machine: -j 1 (every render with all threads) up to -j <hardware threads>
# (one thread each), on COUNT copies of the bundled sample (400 x 640, many
# small files) and on 4 copies of the 4000 x 3000 benchmark layer (few large
# ones), "Cast In Front". Each split runs RUNS times (default 5), the splits
# taken in turn so a busy machine slows them alike; prints the fastest and
# median wall time and the peak memory of the batch.
#
# usage: bash bench/cli_batch.sh [RUNS] [COUNT] [VEYDRA]   (after tools/build.sh native)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
count=${2:-48}
veydra=${3:-build/native/tools/veydra/veydra}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
layer=build/bench-layer.png
[ -f "$layer" ] || python3 bench/make_bench_layer.py "$layer"
python3 samples/make_sample.py "$work" >/dev/null
mkdir "$work/small" "$work/large"
for ((i = 0; i < count; i++)); do cp "$work/sample-layer.png" "$work/small/s$i.png"; done
for i in 1 2 3 4; do cp "$layer" "$work/large/l$i.png"; done

splits=$(seq 1 "$(nproc)")
for ((r = 0; r < runs; r++)); do
    for set in small large; do
        for j in $splits; do
            /usr/bin/time -f "$set $j %e %M" "$veydra" render "$work/$set"/*.png --out-dir "$work/out" -j "$j" \
                --preset "Cast In Front" >/dev/null 2>>"$work/times.txt"
        done
    done
done

python3 - "$work/times.txt" "$count" <<'PY'
import statistics
import sys
from collections import defaultdict

times, count = sys.argv[1], sys.argv[2]
runs = defaultdict(list)
for line in open(times):
    parts = line.split()
    if len(parts) == 4 and parts[0] in ("small", "large"):
        runs[(parts[0], int(parts[1]))].append((float(parts[2]), int(parts[3])))
names = {"small": f"{count} x 400x640", "large": "4 x 4000x3000"}
print(f"{'files':16s} {'-j':>3s} {'min s':>7s} {'median s':>9s} {'peak MB':>8s}")
for (kind, j), values in sorted(runs.items()):
    seconds = [v[0] for v in values]
    peak = max(v[1] for v in values) / 1024
    print(f"{names[kind]:16s} {j:3d} {min(seconds):7.2f} {statistics.median(seconds):9.2f} {peak:8.0f}")
PY
