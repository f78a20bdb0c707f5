#!/usr/bin/env bash
# Builds the browser version into a folder of static files: scripts/web.sh [folder]
# (default build-wasm/web). Installs what it needs from Debian, builds qtbase for
# WebAssembly once into a cache outside the checkout, then the game; every file is
# precompressed beside itself (.br, .gz) for servers that can send those.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-wasm/web}
build=${VINTALEM_WASM_BUILD:-build-wasm}
export JOBS=${JOBS:-$(nproc)}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

scripts/setup.sh emscripten nodejs ninja-build brotli dpkg-dev
# VINTALEM_WASM_QT names another Qt for WebAssembly to build with (its prefix).
qt=${VINTALEM_WASM_QT:-$(scripts/cross-qt.sh wasm)}
# qt-cmake finds emcc through the same emsdk layout Qt was built with.
export EMSDK=${EMSDK:-${VINTALEM_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vintalem-qt}/emsdk-debian}

if [ ! -f "$build/build.ninja" ]; then
    "$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVINTALEM_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j "$JOBS" --target vintalem

rm -rf "$out"
mkdir -p "$out"
cp app/web/index.html "$build/vintalem.js" "$build/vintalem.wasm" "$qt/plugins/platforms/qtloader.js" "$out/"
cp packaging/windows/vintalem.ico "$out/favicon.ico"
# Qt is linked into the page under the LGPL-3; its text goes with the page.
cp /usr/share/common-licenses/LGPL-3 "$out/LGPL-3.txt"
for f in "$out"/*; do
    brotli -q 11 -k -f "$f"
    gzip -9 -k -n -f "$f"
done
echo "web: $out"
