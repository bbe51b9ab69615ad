#!/usr/bin/env bash
# The main job: installs what is missing, builds every product and shows where
# the outputs are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh native win32 win64
echo
echo "Built:"
echo "  native libraries and tests: build/native"
echo "  Windows x86 and x64:        build/win32, build/win64"
