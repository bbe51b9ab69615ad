#!/usr/bin/env bash
# Makes the release archives: dist/Veydra-<version>-win32.zip and
# dist/Veydra-<version>-win64.zip, each holding Veydra.8bf of its
# architecture, the shipped language files in langs\ and ReadMe.txt (from
# tools/package/ReadMe.txt.in, with Windows line ends). The version is the
# project's version in CMakeLists.txt. Builds the win32 and win64 trees first
# unless told not to.
#
# The archives are reproducible: every entry carries the time of the last
# commit and the entries come in a fixed order.
#
# usage: bash tools/package.sh [--no-build] [--dist DIR] [--arch win32|win64]...
set -euo pipefail
cd "$(dirname "$0")/.."
dist=dist build=yes arches=()
while [ $# -gt 0 ]; do
    case "$1" in
        --no-build) build=no ;;
        --dist) dist=$2; shift ;;
        --arch) arches+=("$2"); shift ;;
        *) echo "package.sh: unknown argument '$1'" >&2; exit 2 ;;
    esac
    shift
done
[ ${#arches[@]} -gt 0 ] || arches=(win32 win64)

version=$(sed -n 's/^project(Veydra VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no project version in CMakeLists.txt" >&2; exit 1; }
[ "$build" = yes ] && bash tools/build.sh "${arches[@]}"
stamp=$(git log -1 --format=%ct 2>/dev/null || echo 946684800)

mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
for arch in "${arches[@]}"; do
    case "$arch" in
        win32) bits=32-bit other_arch=win64 other_bits=64-bit ;;
        win64) bits=64-bit other_arch=win32 other_bits=32-bit ;;
        *) echo "package.sh: unknown architecture '$arch'" >&2; exit 2 ;;
    esac
    module=build/$arch/src/host/Veydra.8bf
    [ -f "$module" ] || { echo "package.sh: $module is missing (build the $arch tree)" >&2; exit 1; }
    name=Veydra-$version-$arch
    stage=$(mktemp -d)
    mkdir "$stage/langs"
    cp "$module" "$stage/Veydra.8bf"
    cp langs/*.lng "$stage/langs/"
    sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$arch/g" -e "s/@BITS@/$bits/g" \
        -e "s/@OTHER_ARCH@/$other_arch/g" -e "s/@OTHER_BITS@/$other_bits/g" \
        tools/package/ReadMe.txt.in | sed 's/$/\r/' >"$stage/ReadMe.txt"
    find "$stage" -exec touch -h -d "@$stamp" {} +
    rm -f "$dist/$name.zip"
    (cd "$stage" && LC_ALL=C find . -type f | sed 's|^\./||' | LC_ALL=C sort |
        TZ=UTC zip -X -q -@ "$dist/$name.zip")
    rm -rf "$stage"
    echo "$dist/$name.zip"
done
