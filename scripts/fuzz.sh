#!/usr/bin/env bash
# Builds the core's libFuzzer target with clang in build-fuzz and runs it from the
# committed seed corpus for a fixed number of runs (default 200000).
# Exits non-zero when the fuzzer finds a crash; the crashing input is left in build-fuzz/.
set -euo pipefail
runs="${1:-200000}"
[[ "$runs" =~ ^[0-9]+$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$repo/build-fuzz"

"$repo/scripts/setup.sh" clang libclang-rt-14-dev

cmake -S "$repo/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target fuzz_core

# libFuzzer adds what it finds to the corpus folder: give it a copy, not the repository's.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp "$repo"/fuzz/corpus/* "$work/corpus/"

log="$build/fuzz.log"
status=0
(cd "$work" && "$build/fuzz_core" -runs="$runs" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/" corpus) >"$log" 2>&1 || status=$?

grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz: FAILED (exit $status); log in $log, crashing inputs in $build/" >&2
    exit 1
fi
echo "fuzz: no crash in $runs runs"
