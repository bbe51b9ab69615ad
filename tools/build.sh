#!/usr/bin/env bash
# Configures and builds the trees named on the command line (default: the
# four product trees native, sanitize, win32, win64; the fuzz tree, built with
# clang and libFuzzer, only when named). Trees live under build/.
set -euo pipefail
cd "$(dirname "$0")/.."
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native sanitize win32 win64)
jobs=$(nproc)
werror=${VEYDRA_WERROR:-OFF}
[ "${CI:-}" = true ] && werror=ON

for tree in "${trees[@]}"; do
    args=(-S . -B "build/$tree" -DCMAKE_BUILD_TYPE=Release -DVEYDRA_WERROR="$werror")
    case "$tree" in
        native) ;;
        sanitize) args+=(-DVEYDRA_SANITIZE=ON -DVEYDRA_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
        win32) args+=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake -DVEYDRA_BENCHMARKS=OFF) ;;
        win64) args+=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake -DVEYDRA_BENCHMARKS=OFF) ;;
        fuzz) args+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVEYDRA_FUZZ=ON -DVEYDRA_BENCHMARKS=OFF
                     -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
        *) echo "build.sh: unknown tree '$tree'" >&2; exit 2 ;;
    esac
    command -v ninja >/dev/null && args+=(-G Ninja)
    # A configured tree keeps its settings; only CI=true (or VEYDRA_WERROR
    # given) changes whether its warnings are errors.
    if [ -f "build/$tree/CMakeCache.txt" ]; then
        args=(-S . -B "build/$tree")
        if [ "${CI:-}" = true ] || [ -n "${VEYDRA_WERROR:-}" ]; then
            args+=(-DVEYDRA_WERROR="$werror")
        fi
    fi
    cmake "${args[@]}" >/dev/null
    cmake --build "build/$tree" -j "$jobs"
done
