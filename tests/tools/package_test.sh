#!/usr/bin/env bash
# The release archive of one architecture, as a user gets it: made by
# tools/package.sh, unpacked into a fresh folder, holding exactly the module,
# the language files and the read-me; the module imports only system DLLs,
# finds its languages in the unpacked langs folder (a refusal and the About
# box speak German when the stored language says so) and renders a layer in
# veydra-host. The archive is named after the project's version.
#
# usage: package_test.sh ARCH HOST_EXE OBJDUMP WORK_DIR SOURCE_DIR VERSION
set -euo pipefail
arch=$1 host=$2 objdump=$3 work=$4 source=$5 version=$6
wine_run="$source/cmake/wine-run.sh"
rm -rf "$work"
mkdir -p "$work/dist" "$work/unpacked"
fail() { echo "package test ($arch): $*"; exit 1; }

bash "$source/tools/package.sh" --no-build --arch "$arch" --dist "$work/dist" >/dev/null
archives=("$work"/dist/Veydra-*-"$arch".zip)
[ ${#archives[@]} -eq 1 ] && [ -f "${archives[0]}" ] || fail "no archive made"
[ "$(basename "${archives[0]}")" = "Veydra-$version-$arch.zip" ] ||
    fail "the archive is named $(basename "${archives[0]}"), not after version $version"
unzip -q "${archives[0]}" -d "$work/unpacked"
listing=$(cd "$work/unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
expected="ReadMe.txt Veydra.8bf langs/Deutsch.lng langs/English.lng langs/Espanol.lng langs/Francais.lng "
[ "$listing" = "$expected" ] || fail "the archive holds: $listing"
grep -q $'HKEY_CURRENT_USER\\\\Software\\\\Tevra Ltd\\\\Veydra\r$' "$work/unpacked/ReadMe.txt" ||
    fail "the read-me does not name the settings key (with Windows line ends)"
bash "$source/cmake/check-imports.sh" "$objdump" "$work/unpacked/Veydra.8bf" >/dev/null || fail "non-system imports"
# What follows runs the module; the archive's checks above need no Wine.
if ! reason=$("$wine_run" --can-run "$host"); then
    echo "package test ($arch): the archive is right; its module was not run: $reason"
    exit 77
fi

python3 - "$work" <<'PY'
import struct, sys, zlib
work = sys.argv[1]
def png(path, colour_type, pixel):
    w = h = 32
    rows = b"".join(b"\0" + b"".join(pixel(x, y) for x in range(w)) for y in range(h))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, colour_type, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
png(work + "/layer.png", 6, lambda x, y: bytes([200, 90, 40, 255 if 8 <= x < 24 and 6 <= y < 22 else 0]))
png(work + "/flat.png", 2, lambda x, y: bytes([x * 8, y * 8, 100]))
PY

key='HKCU\Software\Tevra Ltd\Veydra'
"$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true
trap '"$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true' EXIT
"$wine_run" reg add "$key" /v Language /d Deutsch /f >/dev/null 2>&1
module="$work/unpacked/Veydra.8bf"

# A flat image without a selection is refused, with the text of the
# language stored in the settings, read from the unpacked langs folder.
"$wine_run" "$host" run "$module" "$work/flat.png" --guard-pages >"$work/refused.log" 2>&1 || true
german=$(python3 -c 'import sys
for line in open(sys.argv[1], encoding="cp1252"):
    if line.startswith("err_no_sel="):
        print(line.strip().split("=", 1)[1])' "$work/unpacked/langs/Deutsch.lng")
[ -n "$german" ] || fail "no German refusal text in the language file"
grep -qF "text \"$german\"" "$work/refused.log" || { cat "$work/refused.log"; fail "the refusal is not in German"; }
grep -q '^selector 3 (start): result -128' "$work/refused.log" || fail "the refusal did not end as cancelled"

# The host's About command shows the About box, titled in German from the
# same folder; the host's watcher closes it.
"$wine_run" "$host" about "$module" >"$work/about.log" 2>&1 || true
grep -q '^selector 0 (about): result 0' "$work/about.log" || { cat "$work/about.log"; fail "the About step failed"; }
grep -q '^dialog: caption "Info"' "$work/about.log" || { cat "$work/about.log"; fail "no German About box shown"; }

"$wine_run" "$host" run "$module" "$work/layer.png" -o "$work/rendered.png" --guard-pages >"$work/run.log" 2>&1 || true
grep -q '^selector 3 (start): result 0' "$work/run.log" || { cat "$work/run.log"; fail "the run failed"; }
grep -q '^outData: written' "$work/run.log" || { cat "$work/run.log"; fail "nothing rendered"; }
grep -q '^host: done' "$work/run.log" || { cat "$work/run.log"; fail "the host did not finish"; }
cmp -s "$work/layer.png" "$work/rendered.png" && fail "the rendered image equals the input"
echo "package test ($arch): $(basename "${archives[0]}"): $listing"
