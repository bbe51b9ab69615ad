#!/usr/bin/env bash
# Fails when a Windows binary imports a DLL that is not part of Windows, e.g. a
# C++ runtime DLL that should have been linked statically.
set -euo pipefail
objdump=$1
shift
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|ole32|oleaut32|shell32|advapi32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+|msimg32|uxtheme|version|shlwapi)\.dll$'
status=0
for binary in "$@"; do
    dlls=$("$objdump" -p "$binary" | awk '/DLL Name:/ {print tolower($3)}')
    [ -n "$dlls" ] || { echo "$binary: no imports found" >&2; status=1; }
    for dll in $dlls; do
        if ! [[ $dll =~ $allowed ]]; then
            echo "$binary imports non-system $dll" >&2
            status=1
        fi
    done
    echo "$(basename "$binary"): $(echo $dlls | tr '\n' ' ')"
done
exit $status
