#!/usr/bin/env bash
# Builds everything in build-asan (Debug, AddressSanitizer with LeakSanitizer, and
# UndefinedBehaviorSanitizer) and runs the whole test suite under it.
# Exits non-zero on any failing test and on any sanitizer report.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$repo/build-asan"
jobs="${JOBS:-2}"

"$repo/scripts/setup.sh"

flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs") || status=$?

# A report that did not end its process (or whose test still passed) counts too.
log="$build/Testing/Temporary/LastTest.log"
if [ -f "$log" ] && grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer' "$log"; then
    echo "sanitize: sanitizer reports found:" >&2
    grep -nE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: ' "$log" | head -n 40 >&2
    status=1
fi
if [ "$status" -ne 0 ]; then
    echo "sanitize: FAILED" >&2
    exit 1
fi
echo "sanitize: every test passed with no sanitizer report"
