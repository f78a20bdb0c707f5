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
# The page links Qt's browser platform, which is GPL-3.0-only, so the page as a whole is under
# the GPL-3 (the game's own code is Expat, which it allows); beside it, the licence of
# everything else the page carries.
mkdir -p "$out/licenze"
font_package=$(sed -n 's/^VINTALEM_FONT_PACKAGE:[A-Z]*=//p' "$build/CMakeCache.txt")
cp /usr/share/common-licenses/GPL-3 "$out/licenze/GPL-3.txt"
cp /usr/share/common-licenses/LGPL-3 "$out/licenze/LGPL-3.txt"
cp data/debian/copyright "$out/licenze/Vintalem.txt"
# Debian's records name every library each bundles, with its notice: Qt's FreeType, HarfBuzz,
# PCRE2, zlib, libpng and the rest; Emscripten's musl, libc++ and its JavaScript runtime.
cp /usr/share/doc/qt6-base-dev/copyright "$out/licenze/Qt.txt"
cp /usr/share/doc/qt6-translations-l10n/copyright "$out/licenze/Qt-traduzioni.txt"
cp "/usr/share/doc/$font_package/copyright" "$out/licenze/Liberation-fonts.txt"
cp /usr/share/doc/emscripten/copyright "$out/licenze/Emscripten.txt"
{
    echo '<!doctype html><html lang="it"><meta charset="utf-8"><title>Vintalem: licenze</title>'
    echo '<h1>Vintalem: licenze</h1><p>La pagina è distribuita sotto la licenza GPL-3.</p><ul>'
    for f in "$out"/licenze/*.txt; do echo "<li><a href=\"${f##*/}\">${f##*/}</a></li>"; done
    echo '</ul></html>'
} >"$out/licenze/index.html"
for f in "$out"/*; do
    [ -f "$f" ] || continue
    brotli -q 11 -k -f "$f"
    gzip -9 -k -n -f "$f"
done
echo "web: $out"
