#!/usr/bin/env bash
# The main job: installs what is missing, builds every product, draws the
# bundled sample and renders it with several presets into out/, then opens
# the filter's dialog on the sample in a virtual display, tunes it as a user
# would (veydra-host's --ui automation) and saves a picture of it. The
# README's two pictures come from here (docs/images/).
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
# The README's picture of the sample before and after, committed under
# docs/images (the dialog's picture joins it below).
mkdir -p docs/images
python3 tools/readme_pictures.py out/sample-layer.png out/cast-in-front.png docs/images/before-after.png
echo "docs/images/before-after.png"

# The filter modules, ready to copy into an editor's plug-in folder, and the
# sample rendered through each by the test host under Wine.
# A machine whose kernel runs no 32-bit processes, and has no emulator for
# them, still builds and packages the x86 module; only its runs are left out.
skipped=()
for arch in x64:win64 x86:win32; do
    dir=out/plugin/${arch%%:*} tree=${arch##*:}
    mkdir -p "$dir/langs"
    cp "build/$tree/src/host/Veydra.8bf" "$dir/"
    cp langs/*.lng "$dir/langs/"
    if ! reason=$(cmake/wine-run.sh --can-run "${arch%%:*}"); then
        echo "$dir/Veydra.8bf: not run in veydra-host, and no out/dialog-${arch%%:*}.png: $reason" >&2
        skipped+=("${arch%%:*}: $reason")
        continue
    fi
    log="out/module-${arch%%:*}.log"
    xvfb-run -a cmake/wine-run.sh "build/$tree/tools/veydra-host/veydra-host.exe" run "$dir/Veydra.8bf" \
        out/sample-layer.png -o "out/module-${arch%%:*}-cast-in-front.png" --preset "Cast In Front" >"$log" 2>&1 ||
        { echo "the module run in veydra-host failed ($log):" >&2; tail -n 5 "$log" >&2; exit 1; }
    echo "$dir/Veydra.8bf -> out/module-${arch%%:*}-cast-in-front.png"
    # The dialog, opened from the host's menu and tuned: a preset, two
    # sliders, the shadow position and a colour from the host's picker;
    # then OK. Every wait of the script has a deadline, and so has the run.
    shot="out/dialog-${arch%%:*}.png"
    rm -f "$shot"
    script="settle; menu presets 'Cast In Front'; slider angleY 25; slider blur 50; position bottom"
    script+="; color 2A3A6A; settle; screenshot Z:$(pwd)/$shot; ok"
    timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" cmake/wine-run.sh \
        "build/$tree/tools/veydra-host/veydra-host.exe" run "$dir/Veydra.8bf" out/sample-layer.png \
        -o "out/module-${arch%%:*}-dialog.png" --dialog --ui "$script" >"out/dialog-${arch%%:*}.log" 2>&1 ||
        { echo "the dialog run failed (out/dialog-${arch%%:*}.log):" >&2; tail -n 5 "out/dialog-${arch%%:*}.log" >&2; exit 1; }
    echo "$dir/Veydra.8bf dialog -> $shot, out/module-${arch%%:*}-dialog.png"
done
if [ -f out/dialog-x64.png ]; then
    cp out/dialog-x64.png docs/images/dialog.png
    echo "docs/images/dialog.png"
fi
# The release archives: the module, its languages and a read-me per
# architecture.
bash tools/package.sh --no-build
echo
for line in "${skipped[@]}"; do
    echo "Not run here: the $line" >&2
done
echo "Built: build/native (veydra: $veydra), build/win32, build/win64 (Veydra.8bf, veydra-host.exe), dist/ (release archives)"
