#!/usr/bin/env bash
# Builds the browser version into a folder of static files: scripts/web.sh [folder]
# (default build-wasm/web, inside the checkout). The page is built on Debian 13's Qt 6.8 and
# Emscripten, in a fresh Debian 13 system (scripts/debian13.sh) that mounts this checkout; there
# it installs what it needs, builds qtbase for WebAssembly once into the cache outside the
# checkout, then the game. Every file is precompressed beside itself (.br, .gz) for servers that
# can send those.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-wasm/web}
case $out in /*) out=$(realpath -m --relative-to=. "$out") ;; esac
case $out in ..*) echo "web: the folder must be inside the checkout: $1" >&2; exit 2 ;; esac
. /etc/os-release
# VINTALEM_WASM_QT names another Qt for WebAssembly to build with (its prefix), here.
if [ -z "${VINTALEM_WASM_QT:-}" ] && [ "${VERSION_CODENAME:-}" != trixie ]; then
    exec scripts/debian13.sh --checkout scripts/web.sh "$out"
fi
build=${VINTALEM_WASM_BUILD:-build-wasm}
export JOBS=${JOBS:-$(nproc)}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

scripts/setup.sh emscripten nodejs ninja-build brotli dpkg-dev librsvg2-bin python3-fonttools node-qrcode-generator
qt=${VINTALEM_WASM_QT:-$(scripts/cross-qt.sh wasm)}
# qt-cmake finds emcc through the same emsdk layout Qt was built with.
export EMSDK=${EMSDK:-${VINTALEM_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vintalem-qt}/emsdk-debian}

# A build folder made with another Qt, or elsewhere, is made again.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx "VINTALEM_WEB_QT:[A-Z]*=$qt|$PWD" "$build/CMakeCache.txt"; then
    rm -rf "$build"
fi
if [ ! -f "$build/build.ninja" ]; then
    "$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DVINTALEM_TESTS=OFF \
        -DVINTALEM_WEB_QT="$qt|$PWD" >/dev/null
fi
cmake --build "$build" -j "$JOBS" --target vintalem

rm -rf "$out"
mkdir -p "$out"
cp "$build/vintalem.js" "$build/vintalem.wasm" "$qt/plugins/platforms/qtloader.js" "$out/"
cp packaging/windows/vintalem.ico "$out/favicon.ico"
# The teacher's QR code: Debian's JavaScript QR code generator, loaded when first shown.
cp /usr/share/javascript/qrcode-generator/qrcode.js "$out/qrcode.js"
# How Apache serves the folder as it stands (nginx: app/web/nginx.conf, in docs/web.md).
cp app/web/htaccess "$out/.htaccess"
for size in 192 512; do rsvg-convert -w $size -h $size data/vintalem.svg -o "$out/icona-$size.png"; done
# The build's identity names the service worker's cache, so a new build replaces the old one
# whole; the page asks for its code under it, and fills its bar against the code's real size.
id=$(cat "$out"/* app/web/index.html app/web/pagina.js app/web/sw.js app/web/manifest.webmanifest | sha256sum | cut -c1-12)
wasm_bytes=$(stat -c %s "$out/vintalem.wasm")
sed -e "s/@BUILD@/$id/g" -e "s/@WASM_BYTES@/$wasm_bytes/g" app/web/index.html >"$out/index.html"
sed -e "s/@BUILD@/$id/g" app/web/pagina.js >"$out/pagina.js"
sed -e "s/@BUILD@/$id/g" app/web/sw.js >"$out/sw.js"
sed -e "s/@BUILD@/$id/g" app/web/manifest.webmanifest >"$out/manifest.webmanifest"

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
cp /usr/share/doc/node-qrcode-generator/copyright "$out/licenze/qrcode-generator.txt"
{
    echo '<!doctype html><html lang="it"><meta charset="utf-8"><title>Vintalem: licenze</title>'
    echo '<h1>Vintalem: licenze</h1><p>La pagina è distribuita sotto la licenza GPL-3.</p><ul>'
    for f in "$out"/licenze/*.txt; do echo "<li><a href=\"${f##*/}\">${f##*/}</a></li>"; done
    echo '</ul></html>'
} >"$out/licenze/index.html"
for f in "$out"/* "$out"/licenze/*; do
    [ -f "$f" ] || continue
    case $f in *.png) continue ;; esac
    brotli -q 11 -k -f "$f"
    gzip -9 -k -n -f "$f"
done
# What was built in the Debian 13 system belongs to the checkout's owner.
owner=$(stat -c %u:%g .)
[ "$(id -u):$(id -g)" = "$owner" ] || chown -R "$owner" "$build" "$out"
echo "web: $out"
