#!/usr/bin/env bash
# Installs everything the builds and tests need on a fresh Debian machine.
# Safe to run again: apt skips what is already installed.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    echo "setup.sh: run as root (it installs Debian packages)" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive

# 32-bit Wine needs the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi

packages=(
    build-essential cmake ninja-build pkg-config
    googletest libgtest-dev libbenchmark-dev
    libpng-dev zlib1g-dev libdeflate-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
    wine wine32:i386 wine64
    xvfb xauth
    python3 time
    clang libclang-rt-14-dev
    zip unzip
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
echo "setup.sh: all packages present"

bash "$(dirname "$0")/setup-i386.sh"
