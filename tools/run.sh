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

# The filter modules, ready to copy into an editor's plug-in folder, and the
# sample rendered through each by the test host under Wine.
for arch in x64:win64 x86:win32; do
    dir=out/plugin/${arch%%:*} tree=${arch##*:}
    mkdir -p "$dir/langs"
    cp "build/$tree/src/host/Veydra.8bf" "$dir/"
    cp langs/*.lng "$dir/langs/"
    xvfb-run -a cmake/wine-run.sh "build/$tree/tools/veydra-host/veydra-host.exe" run "$dir/Veydra.8bf" \
        out/sample-layer.png -o "out/module-${arch%%:*}-cast-in-front.png" --preset "Cast In Front" >/dev/null 2>&1
    echo "$dir/Veydra.8bf -> out/module-${arch%%:*}-cast-in-front.png"
done
# The release archives: the module, its languages and a read-me per
# architecture.
bash tools/package.sh --no-build
echo
echo "Built: build/native (veydra: $veydra), build/win32, build/win64 (Veydra.8bf, veydra-host.exe), dist/ (release archives)"
