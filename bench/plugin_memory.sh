#!/usr/bin/env bash
# The largest square RGBA document the 32-bit module renders in the 32-bit
# veydra-host (large-address aware, as 32-bit image editors are), found by
# bisection on generated layers like the benchmark's (an opaque disc a third
# of the side in radius) with "Cast In Front". Then shows that the next size
# up ends with a result code and the host still alive, not with a crash.
#
# Needs several GB of memory while it runs. usage: bash bench/plugin_memory.sh [LOW HIGH]
set -euo pipefail
cd "$(dirname "$0")/.."
lo=${1:-4000} hi=${2:-20000}
host=build/win32/tools/veydra-host/veydra-host.exe
module=build/win32/src/host/Veydra.8bf
if ! reason=$(cmake/wine-run.sh --can-run x86); then
    echo "the 32-bit host cannot run here: $reason" >&2
    exit 1
fi

attempt() {
    xvfb-run -a cmake/wine-run.sh "$host" run "$module" --synthetic "$1" --preset "Cast In Front" 2>/dev/null |
        grep -E '^selector 3|^host:' | tr '\n' ' '
}

while [ $((hi - lo)) -gt 16 ]; do
    mid=$(((lo + hi) / 2))
    report=$(attempt "$mid")
    echo "$mid x $mid: $report"
    if [[ $report == *"result 0"* ]]; then lo=$mid; else hi=$mid; fi
done
echo "largest rendered: $lo x $lo"
report=$(attempt "$hi")
echo "$hi x $hi: $report"
[[ $report == *"result -1"* && $report == *"host: done"* ]] || { echo "expected result -1 with the host alive"; exit 1; }
