#!/usr/bin/env bash
# Installs the Debian packages that building and testing Lirbo needs, only those missing.
# Usage: scripts/install-deps.sh [build|test]   (test adds what the test suites use)
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev fonts-wine
            qt6-translations-l10n)
test_pkgs=(python3 libgtest-dev googletest libbenchmark-dev clang clang-format clang-tidy libclang-rt-14-dev xvfb xauth iproute2 x11-utils xdotool
           libsm-dev g++-mingw-w64-x86-64 wine wine64 desktop-file-utils appstream dpkg-dev locales libc-l10n xz-utils nsis python3-yaml
           libcanberra0)
# Locales the tests switch to: Russian system texts, a time format with another separator, and
# the English system (code page 1252 under Wine) that the Windows window test also runs in.
test_locales=(ru_RU fi_FI en_US)

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

missing_locales=()
if [ "${1:-build}" = "test" ]; then
    for l in "${test_locales[@]}"; do
        if ! locale -a 2>/dev/null | grep -qx "$l.utf8"; then
            missing_locales+=("$l")
        fi
    done
fi

if [ "${#missing[@]}" -eq 0 ] && [ "${#missing_locales[@]}" -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    [ "${#missing[@]}" -eq 0 ] || echo "Missing Debian packages: ${missing[*]}" >&2
    [ "${#missing_locales[@]}" -eq 0 ] || echo "Missing locales: ${missing_locales[*]/%/.UTF-8}" >&2
    echo "Run this script as root." >&2
    exit 1
fi

if [ "${#missing[@]}" -ne 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for l in "${missing_locales[@]}"; do
    echo "Generating the locale $l.UTF-8"
    localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
