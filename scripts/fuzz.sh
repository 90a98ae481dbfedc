#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz: clang, ASan + UBSan) and runs each for a bounded time,
# starting from its committed seed corpus, then prints the executions per target.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#   scripts/fuzz.sh            # 20 s per target, as ./test.sh runs it
#   scripts/fuzz.sh 3600       # a long run: one hour per target
# Inputs found on the way go to build/fuzz/corpus/<target>, never into the source tree; a failing
# input is kept as build/fuzz/artifacts/<target>-crash-* and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    targets=(datagram rtf ini settings integer ipv4 peerlist historyline)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "${targets[@]/%/_fuzz}"

work=build/fuzz
mkdir -p "${work}/artifacts"
summary=()
failed=0
for t in "${targets[@]}"; do
    corpus="${work}/corpus/${t}"
    mkdir -p "${corpus}"
    log="${work}/${t}_fuzz.log"
    echo "=== fuzz ${t}: ${seconds} s ==="
    if "${work}/fuzz/${t}_fuzz" -max_total_time="${seconds}" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="${work}/artifacts/${t}-" "${corpus}" "fuzz/corpus/${t}" >"${log}" 2>&1; then
        status=ok
    else
        status=FAILED
        failed=1
        tail -n 40 "${log}"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "${log}" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "${log}" | tail -n 1 | cut -d' ' -f2)
    summary+=("$(printf '%-10s %12s %8s %s' "${t}" "${runs:-?}" "${cov:-?}" "${status}")")
done

printf '\n%-10s %12s %8s %s\n' target executions edges result
printf '%s\n' "${summary[@]}"
exit "${failed}"
