#!/usr/bin/env bash
# One version everywhere: what `veydra --version` prints, the module's
# version resource as veydra-host reads it (the file's properties), and the
# first line of the About box's credits (the name of its picture, which the
# host lists when it closes the box) all name the project's version.
#
# usage: version_check.sh NATIVE_VEYDRA HOST_EXE MODULE VERSION SOURCE_DIR
set -euo pipefail
veydra=$1 host=$2 module=$3 version=$4 source=$5
wine_run="$source/cmake/wine-run.sh"
fail() { echo "version check: $*"; exit 1; }

if [ ! -x "$veydra" ]; then
    echo "version check: no native renderer at $veydra (build the native tree first)"
    exit 77
fi
if ! reason=$("$wine_run" --can-run "$host"); then
    echo "version check: the module cannot run here: $reason"
    exit 77
fi

cli=$("$veydra" --version)
# The host writes Windows line ends.
resource=$("$wine_run" "$host" info "$module" 2>&1 | tr -d '\r' | sed -n 's/^version resource: //p')
about=$("$wine_run" "$host" about "$module" 2>&1 | tr -d '\r' |
    sed -n 's/^dialog: caption "[^"]*" icon none text "\(.*\)"$/\1/p')

[ "$cli" = "veydra $version" ] || fail "veydra --version prints '$cli', not 'veydra $version'"
# The resource's file version has four numbers: 2.1 is 2.1.0.0.
file_version=$version
while [ "$(tr -cd . <<<"$file_version" | wc -c)" -lt 3 ]; do file_version+=.0; done
[ "$resource" = "file $file_version, product $version" ] || fail "the version resource holds '$resource'"
[ "$about" = "Veydra $version" ] || fail "the About box names '$about', not 'Veydra $version'"
echo "version check: '$cli', resource '$resource', About '$about'"
