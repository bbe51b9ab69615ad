#!/usr/bin/env bash
# How fast the main dialog answers, under Wine in a virtual display, on the
# 4000 x 3000 benchmark layer (64-bit and 32-bit modules). veydra-host plays
# a --ui script on the dialog while the module writes timestamps of its own
# work (VEYDRA_TIMING, off by default):
#
#   open -> first preview   from DoModal to the first preview painted, which
#                           includes the 200 ms the first-render timer waits;
#                           and the work alone, from that timer to the paint
#   slider -> repaint       a moved slider's timer firing (after its 200 ms)
#                           to the preview repainted: the render and the
#                           recomposed view (angles, offsets, zoom, ...), and
#                           the rebuild of plane and texture first (blur)
#   pan step                one step of a preview drag: the view recomposed
#                           and painted
#   zoom change             a zoom level chosen to the preview repainted at it
#
# Each is measured with the preview at each zoom level in LEVELS (default
# "fit 100"), the dialog opened at that level.
#
# Prints the median (and the range) of each over RUNS dialog runs (default 3).
#
# usage: [TREES=win64] [LEVELS="fit 100"] bash bench/dialog_speed.sh [RUNS]
#        (after tools/build.sh win32 win64)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
layer=build/bench-layer.png
[ -f "$layer" ] || python3 bench/make_bench_layer.py "$layer"
work=build/dialog-speed
mkdir -p "$work"

script="menu presets 'Cast In Front'; settle"
for value in -60 -80 -100 -40; do script+="; slider angleX $value; settle"; done
for value in 30 -30 60; do script+="; slider posY $value; settle"; done
for value in 40 60 30; do script+="; slider blur $value; settle"; done
script+="; drag-preview -300 -200; settle; drag-preview 250 160; settle"

for tree in ${TREES:-win64 win32}; do
  for level in ${LEVELS:-fit 100}; do
    # The zoom changes come last and end where the run began.
    zooms="zoom 100; settle; zoom 400; settle; zoom 25; settle; zoom fit; settle; zoom $level; settle"
    if ! reason=$(cmake/wine-run.sh --can-run "$([ "$tree" = win32 ] && echo x86 || echo x64)"); then
        echo "$tree: not run: $reason"
        continue
    fi
    timing="$work/timing-$tree-$level.txt"
    rm -f "$timing"
    for ((i = 0; i < runs; i++)); do
        VEYDRA_TIMING="Z:$(pwd)/$timing" xvfb-run -a -s "-screen 0 1280x1024x24" cmake/wine-run.sh \
            "build/$tree/tools/veydra-host/veydra-host.exe" run "build/$tree/src/host/Veydra.8bf" "$layer" \
            --dialog --ui "settle; zoom $level; settle; $script; $zooms; cancel" --ui-time-limit 120000 \
            >"$work/run-$tree-$level-$i.log" 2>&1 ||
            { echo "$tree: the dialog run failed, see $work/run-$tree-$level-$i.log"; exit 1; }
    done
    python3 - "$tree at $level" "$timing" <<'PY'
import statistics
import sys

tree, path = sys.argv[1], sys.argv[2]
spans = {"open -> first preview (with the 200 ms timer)": [], "first render, timer to paint": [],
         "slider -> repaint (render)": [], "  of which the engine's frame": [],
         "  of which view composed and painted": [], "slider -> repaint (rebuild, blur)": [], "pan step": [], "zoom change": []}
starts = {}
for line in open(path):
    words = line.split()
    at, event = float(words[0]), words[1]
    if event == "dialog-start":
        starts.clear()
    starts[event] = at
    pairs = {"first-preview-shown": [("dialog-start", "open -> first preview (with the 200 ms timer)"),
                                     ("first-render-start", "first render, timer to paint")],
             "render-shown": [("render-start", "slider -> repaint (render)"),
                              ("frame-rendered", "  of which view composed and painted")],
             "frame-rendered": [("render-start", "  of which the engine's frame")],
             "rebuild-shown": [("rebuild-start", "slider -> repaint (rebuild, blur)")],
             "pan-shown": [("pan-start", "pan step")],
             "zoom-shown": [("zoom-start", "zoom change")]}
    for start, name in pairs.get(event, []):
        if start in starts:
            spans[name].append(at - starts[start])
    if event.endswith("-shown"):
        # A render is over: its marks pair with nothing that follows.
        for key in ("render-start", "rebuild-start", "first-render-start", "frame-rendered", "pan-start", "zoom-start"):
            starts.pop(key, None)
print(f"{tree}:")
for name, values in spans.items():
    if values:
        print(f"  {name:48s} median {statistics.median(values):8.1f} ms  "
              f"(min {min(values):.1f}, max {max(values):.1f}, n {len(values)})")
    else:
        print(f"  {name:48s} no samples")
PY
  done
done
