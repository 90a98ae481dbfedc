#!/usr/bin/env bash
# Builds the benchmarks (release preset), runs them all and prints one table in which every
# figure stands beside its raw baseline from the same run. The JSON results stay in
# build/release/bench/results/. Loopback only; takes a few minutes on 2 cores.
# Usage: scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
command -v python3 >/dev/null || { DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3 >/dev/null; }

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target chat_receive_bench file_bench endpoint_bench history_bench history_viewer_timing lirbo same_features_qt_window minimal_qt_window

out=build/release/bench/results
rm -rf "${out}"
mkdir -p "${out}"
for b in chat_receive_bench file_bench endpoint_bench history_bench; do
    echo "=== ${b} ===" >&2
    "build/release/bench/${b}" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
        --benchmark_out="${out}/${b}.json" --benchmark_out_format=json >&2
done
echo "=== the history viewer on a 64 MiB day (offscreen) ===" >&2
build/release/bench/history_viewer_timing 64 >&2
echo "=== process and window figures ===" >&2
PYTHONPATH="${PWD}/tests/harness" python3 bench/process_bench.py build/release/ui/qt/lirbo build/release/bench/same_features_qt_window \
    build/release/bench/minimal_qt_window "${out}/process.json" >&2 ||
    echo "process figures skipped: they need root (network namespace) and Xvfb" >&2
echo "=== what a user feels (two copies) ===" >&2
python3 bench/feel_bench.py build/release/ui/qt/lirbo 15 >&2 ||
    echo "user-felt figures skipped: they need root, ip, Xvfb and xdotool" >&2

echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
python3 bench/table.py "${out}"/*.json
