#!/usr/bin/env bash
# Runs a Windows executable under Wine in a private prefix, creating the prefix
# on first use. Used by CTest as the cross-compiling emulator.
set -euo pipefail

export WINEPREFIX="${VEYDRA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/veydra-wine}"
export WINEDEBUG=-all
# No Mono or Gecko: their installers would prompt, and nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.veydra-ready" ]; then
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$WINEPREFIX/.veydra-ready"
    fi
    # The virtual display has no window manager: unmanaged windows spare
    # every hidden or destroyed top-level window Wine's 2-second wait for a
    # window manager that never answers.
    if [ ! -f "$WINEPREFIX/.veydra-unmanaged" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$WINEPREFIX/.veydra-unmanaged"
    fi
) 9>"$WINEPREFIX.lock"

exec wine "$@"
