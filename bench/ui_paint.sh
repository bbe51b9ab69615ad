#!/usr/bin/env bash
# Paint times of the preview control and the About animation under Wine, in
# both architectures (see bench/wine/ui_paint_bench.cpp).
#
# usage: bash bench/ui_paint.sh [PAINTS_PER_BATCH]   (after tools/build.sh win32 win64)
set -euo pipefail
cd "$(dirname "$0")/.."
for tree in win64 win32; do
    if ! reason=$(cmake/wine-run.sh --can-run "$([ "$tree" = win32 ] && echo x86 || echo x64)"); then
        echo "$tree: not run: $reason"
        continue
    fi
    echo "$tree:"
    xvfb-run -a cmake/wine-run.sh "build/$tree/tests/ui_paint_bench.exe" "$@" 2>/dev/null | sed 's/^/  /'
done
