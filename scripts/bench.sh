#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release) and runs them: start-up time and
# peak memory of the game against a minimal Qt Widgets program, the coding run,
# and the CPU time of the 2-second note and of idle seconds.
#
#   scripts/bench.sh [--xcb] [--runs N]
#
# Runs under QT_QPA_PLATFORM=offscreen by default. --xcb runs on a real X server
# instead, started by xvfb-run. Results go to stdout and build-bench/bench-results.md.
set -euo pipefail
cd "$(dirname "$0")/.."

platform=offscreen
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --xcb) platform=xcb ;;
        --runs) args+=(--runs "$2"); shift ;;
        *) echo "usage: $0 [--xcb] [--runs N]" >&2; exit 2 ;;
    esac
    shift
done

./scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVINTALEM_BENCH=ON -DVINTALEM_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target vintalem_bench >&2

bench=(build-bench/bench/vintalem_bench --out build-bench/bench-results.md "${args[@]}")
if [ "$platform" = xcb ]; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" "${bench[@]}"
else
    QT_QPA_PLATFORM=offscreen "${bench[@]}"
fi
