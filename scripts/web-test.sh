#!/usr/bin/env bash
# The browser test: builds the page (scripts/web.sh; --built: it is built already) and the desktop
# reference, then plays in headless Chromium: one game at 1366 x 768 (with the load, size,
# offline and update measurements), one at 1920 x 1080 with no WebGL, and one by touch alone on a
# 1024 x 768 tablet, comparing every state with the desktop's pictures; then a light pass on each
# screen a class meets, from a phone to a 4K panel (fit, zoom, two fingers, full screen), and the
# teacher's link with its QR code, read by a real decoder; then the page served by Debian's apache2
# and nginx as a school serves it, and thirty loads at once from Apache. Pictures go to
# build-wasm/web-test/. Exits non-zero on any failure; the last line sums up.
set -uo pipefail
cd "$(dirname "$0")/.."
out=build-wasm/web-test
fail() { echo "web: $1"; echo "web: 0 passed, 1 failed"; exit 1; }

scripts/setup.sh chromium chromium-driver python3-selenium imagemagick zbar-tools apache2 nginx libnginx-mod-http-brotli-static ||
    fail "could not install the browser and the servers"
if [ "${1:-}" != --built ]; then
    timeout 3600 scripts/web.sh build-wasm/web || fail "the page did not build"
fi
[ -f build-wasm/web/vintalem.wasm ] || fail "there is no page in build-wasm/web"
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
timeout 900 cmake --build build -j "${JOBS:-$(nproc)}" --target vintalem_web_reference >/dev/null \
    || fail "the desktop reference did not build"

rm -rf "$out"
passed=0 failed=0
for run in 1366x768 1920x1080 1024x768 screens links apache nginx load; do
    size=$run
    case $run in
    1366x768) extra=(--measure) ;;
    1920x1080) extra=(--no-webgl) ;;
    1024x768) extra=(--tablet) ;;
    screens) extra=(--screens) size=1366x768 ;;
    links) extra=(--links) size=1366x768 ;;
    esac
    log="$out/$run.log"
    mkdir -p "$out/$run"
    case $run in
    apache | nginx | load)
        server=$run; [ "$run" = load ] && server="apache --load"
        # shellcheck disable=SC2086
        timeout 420 /usr/bin/python3 tests/web/servers.py build-wasm/web "$out/$run" $server ;;
    *)
        QT_QPA_PLATFORM=offscreen timeout 420 /usr/bin/python3 tests/web/web_test.py build-wasm/web \
            build/tools/vintalem_web_reference "$out/$run" --width "${size%x*}" --height "${size#*x}" "${extra[@]}" ;;
    esac 2>&1 | sed "s/^web:/$run:/" | tee "$log"
    line=$(grep -E "^$run: [0-9]+ passed, [0-9]+ failed$" "$log" | tail -n1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        echo "$run: the test stopped without a result"
    else
        read -r p f <<<"$(echo "$line" | sed -E 's/.* ([0-9]+) passed, ([0-9]+) failed/\1 \2/')"
        passed=$((passed + p)) failed=$((failed + f))
    fi
done
echo "web: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
