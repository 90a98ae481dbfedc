#!/usr/bin/env bash
# The Windows program's figures under Wine (windows preset), in one fresh prefix: lirbo.exe's
# stripped size; exec to window shown and to input idle, resident and private memory, beside a
# floor window with lirbo.exe's manifest, imports, controls, tray icon and socket and beside an
# empty window, started in turn; and the receive figures with a full transcript (from a native
# sender, beside a raw receiver). Loopback only, in a network namespace of its own (root).
# Usage: scripts/bench-windows.sh [RUNS [OTHER_LIRBO.EXE]]  (another build started in turn too,
#        e.g. one from before a change)
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target windows_packages lirbo_minimal_window lirbo_same_features_window \
    lirbo_windows_bench lirbo_raw_receiver
build=build/windows
prefix=${build}/wine-bench-prefix
python3 tests/win32/wine_gui.py prefix "${prefix}"

echo "lirbo.exe stripped: $(stat -c %s ${build}/packaging-windows/stage/lirbo.exe) bytes"
win() { echo "Z:$(realpath "$1" | tr / '\\')"; }
other=()
if [ -n "${2:-}" ]; then other=("other=TMainChat=$(win "$2")"); fi
python3 tests/win32/wine_gui.py exec "${prefix}" "${build}/bench-windows/lirbo_windows_bench.exe" @work "${1:-7}" \
    "lirbo=TMainChat=$(win ${build}/ui/win32/lirbo.exe)" \
    "floor=SameFeaturesWindow=$(win ${build}/bench-windows/lirbo_same_features_window.exe)" \
    "empty=MinimalWindow=$(win ${build}/bench-windows/lirbo_minimal_window.exe)" "${other[@]}"
PYTHONPATH=bench:tests/win32:tests/harness python3 bench/win32/receive_bench.py "${prefix}" \
    "${build}/ui/win32/lirbo.exe" "${build}/bench-windows/lirbo_raw_receiver.exe"
