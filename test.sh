#!/usr/bin/env bash
# Builds Lirbo and runs every test suite: release, AddressSanitizer + UBSan, ThreadSanitizer,
# the Windows build (core, net, app, lirbo.exe with its zip and installer) under Wine, and a short fuzzing pass. The release run also
# checks the include direction of the layers and the format of every tracked C++ file.
# Installs the Debian packages it needs first.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test

run_preset() {
    local preset=$1
    echo "=== ${preset} ==="
    cmake --preset "${preset}" >/dev/null
    cmake --build --preset "${preset}"
    ctest --preset "${preset}"
}

run_preset release
run_preset asan
run_preset tsan

# A bounded fuzzing pass (clang, ASan + UBSan): about 20 s per target from its seed corpus.
scripts/fuzz.sh 20

run_preset windows
