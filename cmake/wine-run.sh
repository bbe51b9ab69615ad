#!/usr/bin/env bash
# Runs a Windows executable under Wine in a private prefix, creating the prefix
# on first use. Used by CTest as the cross-compiling emulator and by every
# script that runs a Windows program.
#
#   wine-run.sh PROGRAM [ARGS...]   run a .exe (or a Wine builtin such as reg)
#   wine-run.sh --can-run x86|x64|EXE
#                                   exit 0 if programs of that architecture
#                                   (or of EXE's) can run here, else print
#                                   why and exit 77
#
# 64-bit programs are started with the 64-bit loader directly. Debian's
# `wine` starts the 32-bit loader first whenever the 32-bit side is
# installed, and some kernels refuse 32-bit processes outright, which would
# make even 64-bit programs fail. 32-bit programs need the 32-bit loader:
# natively where the kernel runs 32-bit processes, otherwise through the
# qemu user-mode emulator that tools/setup.sh registers. Where neither
# works, a 32-bit program is not run: this script says why and exits 77,
# which CTest reports as skipped.
set -euo pipefail

export WINEPREFIX="${VEYDRA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/veydra-wine}"
# VEYDRA_WINE_DPI=N (120, 144, 192, ...) runs in a prefix of its own beside
# that one whose display is set to N dots per inch (the "LogPixels" of
# HKCU\Control Panel\Desktop, which Wine reads when a process starts), so
# tests can look at the dialogs on a dense display. 96 is the plain prefix.
dpi=${VEYDRA_WINE_DPI:-96}
case "$dpi" in
    ''|*[!0-9]*) echo "wine-run.sh: VEYDRA_WINE_DPI must be a number of dots per inch, not '$dpi'" >&2; exit 1 ;;
esac
[ "$dpi" = 96 ] || WINEPREFIX="$WINEPREFIX-dpi$dpi"
export WINEDEBUG=-all
# No Mono or Gecko: their installers would prompt, and nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

libdir=/usr/lib/wine
if [ -x "$libdir/wine64" ]; then
    loader64=$libdir/wine64
else
    # Other distributions name the loaders differently; their `wine64` (or
    # `wine`) is then the 64-bit one.
    loader64=$(command -v wine64 || command -v wine || true)
fi
loader32=$libdir/wine
[ -x "$loader32" ] || loader32=$(command -v wine || true)
[ -x "$libdir/wineserver64" ] && export WINESERVER=$libdir/wineserver64

die() {
    echo "wine-run.sh: $*" >&2
    exit 1
}
[ -n "$loader64" ] && [ -x "$loader64" ] || die "no 64-bit Wine loader found (install wine64: bash tools/setup.sh)"

# The machine field of a PE file: 014c for x86, 8664 for x64; nothing for a
# name that is not a file (a Wine builtin such as reg or wineboot).
pe_machine() {
    local file=$1 offset
    [ -f "$file" ] || return 0
    offset=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 0
    od -An -t x2 -j $((offset + 4)) -N 2 "$file" 2>/dev/null | tr -d ' '
}

# Why 32-bit programs cannot run here, or nothing when they can.
why_no_x86() {
    if [ "${VEYDRA_I386_ROUTE:-}" = none ]; then
        echo "32-bit programs are switched off here (VEYDRA_I386_ROUTE=none)"
        return
    fi
    if [ -z "$loader32" ] || [ ! -x "$loader32" ] || [ "$loader32" = "$loader64" ]; then
        echo "the 32-bit side of Wine is not installed (wine32:i386)"
        return
    fi
    local out
    if ! out=$("$loader32" --version 2>&1); then
        echo "the 32-bit Wine loader does not start: ${out##*$'\n'} (this kernel runs no 32-bit processes and no emulator is registered: bash tools/setup.sh)"
    fi
}

# WINELOADER tells Wine which loader to start for child processes; it
# derives the 32-bit loader's name from the 64-bit one.
export WINELOADER=$loader64

# Makes the prefix once, with the 64-bit loader, and says loudly when that
# fails. A prefix made while 32-bit programs could not run lacks their half;
# it is brought up to date in place once they can (never deleted: the
# folder may be one the user pointed us at).
prepare_prefix() {
    local want_x86=$1 marker="$WINEPREFIX/.veydra-prefix" log="$WINEPREFIX.boot.log"
    mkdir -p "$(dirname "$WINEPREFIX")" 2>/dev/null || die "cannot make the folder of the Wine prefix $WINEPREFIX"
    (
        flock 9
        if [ -f "$marker" ] && { [ "$want_x86" = no ] || grep -qx 'x86=yes' "$marker"; }; then
            exit 0
        fi
        local boot=--init
        [ -f "$WINEPREFIX/system.reg" ] && boot=--update
        if ! "$loader64" wineboot "$boot" >"$log" 2>&1 || ! "$WINESERVER_BIN" -w >>"$log" 2>&1 ||
            [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "wine-run.sh: cannot make the Wine prefix $WINEPREFIX with $loader64; Wine said:" >&2
            tail -n 5 "$log" | sed 's/^/    /' >&2
            exit 1
        fi
        # The virtual display has no window manager: unmanaged windows spare
        # every hidden or destroyed top-level window Wine's 2-second wait for
        # a window manager that never answers.
        if ! "$loader64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1; then
            echo "wine-run.sh: cannot write the prefix's registry; Wine said:" >&2
            tail -n 5 "$log" | sed 's/^/    /' >&2
            exit 1
        fi
        if [ "$dpi" != 96 ] && ! "$loader64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$dpi" /f >>"$log" 2>&1; then
            echo "wine-run.sh: cannot set the prefix's display density; Wine said:" >&2
            tail -n 5 "$log" | sed 's/^/    /' >&2
            exit 1
        fi
        "$WINESERVER_BIN" -w || true
        if [ -z "$(why_no_x86)" ]; then echo x86=yes; else echo x86=no; fi >"$marker"
    ) 9>"$WINEPREFIX.lock"
}

WINESERVER_BIN=${WINESERVER:-$(command -v wineserver || echo wineserver)}

if [ "${1:-}" = --can-run ]; then
    arch=${2:-}
    case "$(pe_machine "$arch")" in
        014c) arch=x86 ;;
        8664) arch=x64 ;;
    esac
    case "$arch" in
        x64) exit 0 ;;
        x86)
            reason=$(why_no_x86)
            [ -z "$reason" ] && exit 0
            echo "$reason"
            exit 77
            ;;
        *) die "usage: wine-run.sh --can-run x86|x64|EXE" ;;
    esac
fi
[ $# -gt 0 ] || die "usage: wine-run.sh PROGRAM [ARGS...]"

if [ "$(pe_machine "$1")" = 014c ]; then
    reason=$(why_no_x86)
    if [ -n "$reason" ]; then
        echo "wine-run.sh: skipped $(basename "$1"): $reason" >&2
        exit 77
    fi
    prepare_prefix yes
    exec "$loader32" "$@"
fi
prepare_prefix no
exec "$loader64" "$@"
