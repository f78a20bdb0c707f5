#!/usr/bin/env bash
# Runs the whole suite N times in a row (default 25) in the build folder, and reports
# how many runs failed and which tests failed; the output of a failing run is kept in
# <build>/repeat-logs/. VINTALEM_TEST_SEED, if set, is passed on.
#   scripts/repeat-tests.sh [runs] [build folder]
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-25}
build=${2:-build}
[ -d "$build" ] || { echo "repeat-tests: no build folder '$build'; run make build first" >&2; exit 2; }
failed_runs=0
declare -A failures=()
for ((r = 1; r <= runs; r++)); do
    log=$(cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --output-on-failure 2>&1)
    if [ $? -ne 0 ]; then
        failed_runs=$((failed_runs + 1))
        mkdir -p "$build/repeat-logs"
        printf '%s\n' "$log" > "$build/repeat-logs/run-$r.log"
        while read -r name; do failures[$name]=$(( ${failures[$name]:-0} + 1 )); done \
            < <(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' <<<"$log")
    fi
    printf 'run %d of %d: %s\n' "$r" "$runs" "$(grep -E 'tests passed' <<<"$log")"
done
for name in "${!failures[@]}"; do echo "  $name failed ${failures[$name]} times"; done
echo "${failed_runs} of ${runs} runs failed"
[ "$failed_runs" -eq 0 ]
