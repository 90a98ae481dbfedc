#!/usr/bin/env bash
# Installs the Debian packages that building and testing Lirbo needs, only those missing.
# Usage: scripts/install-deps.sh [build|test]   (test adds what the test suites use)
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev fonts-wine)
test_pkgs=(python3 libgtest-dev googletest libbenchmark-dev clang clang-format libclang-rt-14-dev xvfb xauth iproute2 x11-utils xdotool
           g++-mingw-w64-x86-64 wine wine64 desktop-file-utils appstream dpkg-dev)

want=("${build_pkgs[@]}")
if [ "${1:-build}" = "test" ]; then
    want+=("${test_pkgs[@]}")
fi

missing=()
for p in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Run this script as root, or install them with apt-get." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
