#!/usr/bin/env bash
# The module, loaded by veydra-host under Wine, gives the same pixels as the
# native command-line renderer: on the bundled sample layer with several
# presets, on its flat copy with the selection as mask, both again on one
# thread and on seven, and after a user tuned the shadow in the dialog
# (played by veydra-host's --ui script) and pressed OK. That run records the
# thirteen values and stores them as the last-used set, and a repeated run
# gives the same pixels without a window.
# Needs an X display (the tests run under xvfb-run).
#
# usage: compare_with_native.sh NATIVE_VEYDRA HOST_EXE MODULE WORK_DIR SOURCE_DIR
# Exits 77 (skipped) when the native renderer has not been built, or when
# this machine cannot run the host's architecture.
set -euo pipefail
native=$1 host=$2 module=$3 work=$4 source=$5
if [ ! -x "$native" ]; then
    echo "native renderer not found at $native (build the native tree first): skipped"
    exit 77
fi
wine_run="$source/cmake/wine-run.sh"
if ! reason=$("$wine_run" --can-run "$host"); then
    echo "skipped: $reason"
    exit 77
fi
mkdir -p "$work"
python3 "$source/samples/make_sample.py" "$work"
# Start from an empty plug-in store.
"$wine_run" reg delete 'HKCU\Software\Tevra Ltd\Veydra' /f >/dev/null 2>&1 || true

status=0
compare() {  # name input preset [mask [threads [native-options host-options]]]
    local name=$1 input=$2 preset=$3 mask=${4:-} threads=${5:-}
    # Every host buffer ends right before an inaccessible page.
    local native_args=() host_args=(--guard-pages) run_env=()
    if [ -n "$mask" ]; then
        native_args=(--mask "$mask")
        host_args+=(--mask "$mask")
    fi
    # A thread count for both (the module reads it from its environment):
    # the result must not depend on it.
    [ -z "$threads" ] || run_env=("VEYDRA_THREADS=$threads")
    # Values beyond the preset: options of the renderer, keys of the descriptor.
    # shellcheck disable=SC2206
    [ -z "${6:-}" ] || { native_args+=($6); host_args+=($7); }
    env "${run_env[@]}" "$native" render "$input" -o "$work/native-$name.png" --preset "$preset" "${native_args[@]}"
    env "${run_env[@]}" "$wine_run" "$host" run "$module" "$input" -o "$work/module-$name.png" --preset "$preset" \
        "${host_args[@]}" >"$work/module-$name.log" 2>&1 || true
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
# Softness and the shadow alone, over the preset.
compare "layer-rear-shadow-soft-alone" "$work/sample-layer.png" "Rear Shadow" "" "" "--softness 70 --shadow-only" \
    "--set sofT=70 --set shdO=1"
for threads in 1 7; do
    compare "layer-cast-in-front-$threads-threads" "$work/sample-layer.png" "Cast In Front" "" "$threads"
    compare "flat-cast-in-front-2-$threads-threads" "$work/sample-flat.png" "Cast In Front 2" "$work/sample-mask.png" \
        "$threads"
done

# The dialog, tuned as a user would: a preset, several sliders (softness
# among them), the shadow position, "Only Outside" and a colour (through the host's colour services,
# or through the system chooser when the host has no picker).
dialog_case() {  # name colour host-switches
    local name=$1 colour=$2 switches=$3
    "$wine_run" reg delete 'HKCU\Software\Tevra Ltd\Veydra' /f >/dev/null 2>&1 || true
    local script="settle; menu presets 'Cast In Front'; slider blur 45; slider transparency 20; slider angleY 15"
    script+="; slider zoom 120; slider posX 12; slider posY -8; slider perspective 60; slider intensity 70"
    script+="; slider softness 55"
    script+="; position top; outside off; color $colour; settle; ok"
    # shellcheck disable=SC2086
    "$wine_run" "$host" run "$module" "$work/sample-layer.png" -o "$work/dialog-$name.png" --dialog \
        --ui "$script" $switches >"$work/dialog-$name.log" 2>&1 || true
    if ! grep -q '^selector 3 (start): result 0' "$work/dialog-$name.log" || ! grep -q '^ui: ok' "$work/dialog-$name.log"; then
        echo "dialog-$name: the dialog run failed:"
        cat "$work/dialog-$name.log"
        status=1
        return
    fi
    # The recorded descriptor holds the values the user set; the native
    # renderer gets exactly those.
    local recorded args
    recorded=$(grep '^descriptor recorded (recordInfo 0): ' "$work/dialog-$name.log" || true)
    args=$(python3 - "$recorded" "$colour" <<'PY'
import sys
line, colour = sys.argv[1], sys.argv[2]
values = dict(item.split("=") for item in line.split(": ", 1)[1].replace(" (bool)", "").split())
expected = {"outS": "0", "posI": "2", "bluR": "45", "traN": "20", "intE": "70", "angX": "-105",
            "angY": "15", "angZ": "0", "zooM": "120", "offX": "12", "offY": "-8", "perS": "60",
            "colR": str(int(colour[4:6] + colour[2:4] + colour[0:2], 16)), "sofT": "55", "shdO": "0"}
if values != expected:
    sys.exit("recorded %s, expected %s" % (values, expected))
c = int(values["colR"])
print(f"--outside off --position top --blur {values['bluR']} --transparency {values['traN']} "
      f"--intensity {values['intE']} --angle-x {values['angX']} --angle-y {values['angY']} --angle-z {values['angZ']} "
      f"--zoom {values['zooM']} --offset-x {values['offX']} --offset-y {values['offY']} "
      f"--perspective {values['perS']} --color {c & 255:02X}{c >> 8 & 255:02X}{c >> 16 & 255:02X} "
      f"--softness {values['sofT']}")
PY
) || { echo "dialog-$name: $args"; status=1; return; }
    # shellcheck disable=SC2086
    "$native" render "$work/sample-layer.png" -o "$work/dialog-native-$name.png" $args
    echo -n "dialog-$name: "
    python3 "$source/tests/tools/same_pixels.py" "$work/dialog-native-$name.png" "$work/dialog-$name.png" || status=1
    # Stored as the last-used set: a repeated run (no parameters step, no
    # descriptor) reproduces it without a window and records nothing.
    "$wine_run" reg query 'HKCU\Software\Tevra Ltd\Veydra' >"$work/store-$name.txt" 2>/dev/null || true
    python3 - "$recorded" "$work/store-$name.txt" <<'PY' || { echo "dialog-$name: wrong last-used set"; status=1; }
import sys
line, store = sys.argv[1], sys.argv[2]
recorded = dict(item.split("=") for item in line.split(": ", 1)[1].replace(" (bool)", "").split())
names = {"outS": "Outside", "posI": "Shadow Position", "bluR": "Blur", "traN": "Transparency",
         "intE": "Intensity", "angX": "Angle X", "angY": "Angle Y", "angZ": "Angle Z", "zooM": "Zoom",
         "offX": "Pos X", "offY": "Pos Y", "perS": "Perspective", "colR": "Color", "sofT": "Softness",
         "shdO": "Shadow Only"}
stored = {}
for row in open(store, errors="replace"):
    parts = row.strip().split("    ")
    if len(parts) == 3 and parts[1] == "REG_DWORD":
        value = int(parts[2], 16)
        stored[parts[0]] = value - (1 << 32) if value >= 1 << 31 else value
wrong = {k: (v, stored.get(names[k])) for k, v in recorded.items() if stored.get(names[k]) != int(v)}
if wrong:
    sys.exit("recorded vs stored: %s" % wrong)
PY
    "$wine_run" "$host" run "$module" "$work/sample-layer.png" -o "$work/repeat-$name.png" \
        >"$work/repeat-$name.log" 2>&1 || true
    if grep -q '^dialog:' "$work/repeat-$name.log" || ! grep -q '^descriptor recorded: none' "$work/repeat-$name.log"; then
        echo "repeat-$name: showed a window or recorded a descriptor:"
        cat "$work/repeat-$name.log"
        status=1
    fi
    echo -n "repeat-$name: "
    python3 "$source/tests/tools/same_pixels.py" "$work/dialog-$name.png" "$work/repeat-$name.png" || status=1
}
dialog_case host-picker 3366CC ""
dialog_case system-chooser CC8822 "--color-choice-error -30900"
"$wine_run" reg delete 'HKCU\Software\Tevra Ltd\Veydra' /f >/dev/null 2>&1 || true
exit $status
