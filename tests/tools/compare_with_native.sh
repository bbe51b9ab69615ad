#!/usr/bin/env bash
# The module, loaded by veydra-host under Wine, gives the same pixels as the
# native command-line renderer: on the bundled sample layer with several
# presets, and on its flat copy with the selection as mask.
#
# usage: compare_with_native.sh NATIVE_VEYDRA HOST_EXE MODULE WORK_DIR SOURCE_DIR
# Exits 77 (skipped) when the native renderer has not been built.
set -euo pipefail
native=$1 host=$2 module=$3 work=$4 source=$5
if [ ! -x "$native" ]; then
    echo "native renderer not found at $native (build the native tree first): skipped"
    exit 77
fi
wine_run="$source/cmake/wine-run.sh"
mkdir -p "$work"
python3 "$source/samples/make_sample.py" "$work"
# Start from an empty plug-in store.
"$wine_run" reg delete 'HKCU\Software\Tevra Ltd\Veydra' /f >/dev/null 2>&1 || true

status=0
compare() {  # name input preset [mask]
    local name=$1 input=$2 preset=$3 mask=${4:-}
    # Every host buffer ends right before an inaccessible page.
    local native_args=() host_args=(--guard-pages)
    if [ -n "$mask" ]; then
        native_args=(--mask "$mask")
        host_args+=(--mask "$mask")
    fi
    "$native" render "$input" -o "$work/native-$name.png" --preset "$preset" "${native_args[@]}"
    "$wine_run" "$host" run "$module" "$input" -o "$work/module-$name.png" --preset "$preset" "${host_args[@]}" \
        >"$work/module-$name.log" 2>&1 || true
    if ! grep -q '^selector 3 (start): result 0' "$work/module-$name.log"; then
        echo "$name: the module's run failed:"
        cat "$work/module-$name.log"
        status=1
        return
    fi
    echo -n "$name: "
    python3 "$source/tests/tools/same_pixels.py" "$work/native-$name.png" "$work/module-$name.png" || status=1
}

for preset in "Cast In Front" "Cast In Front 2" "Cast On Left Wall" "Flat Solid Shadow" "Rear Shadow"; do
    compare "layer-$(echo "$preset" | tr 'A-Z ' 'a-z-')" "$work/sample-layer.png" "$preset"
done
for preset in "Cast In Front 2" "Flat Faint Shadow"; do
    compare "flat-$(echo "$preset" | tr 'A-Z ' 'a-z-')" "$work/sample-flat.png" "$preset" "$work/sample-mask.png"
done
"$wine_run" reg delete 'HKCU\Software\Tevra Ltd\Veydra' /f >/dev/null 2>&1 || true
exit $status
