#!/usr/bin/env bash
# The main job: installs what is missing, builds every product, draws the
# bundled sample and renders it with several presets into out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh native win32 win64

veydra=build/native/tools/veydra/veydra
mkdir -p out
python3 samples/make_sample.py out
for preset in "Cast In Front" "Cast In Front 2" "Cast On Left Wall" "Flat Faint Shadow" "Rear Shadow"; do
    name=$(echo "$preset" | tr 'A-Z ' 'a-z-')
    "$veydra" render out/sample-layer.png -o "out/$name.png" --preset "$preset"
    echo "out/$name.png"
done
# The flat copy of the sample, with its selection as the mask.
"$veydra" render out/sample-flat.png --mask out/sample-mask.png -o out/flat-cast-in-front-2.png --preset "Cast In Front 2"
echo "out/flat-cast-in-front-2.png"
echo
echo "Built: build/native (veydra: $veydra), build/win32, build/win64"
