#!/usr/bin/env bash
# Builds Qt's qtbase for another platform from Debian's own source package, once, into a cache
# outside the checkout, and prints the prefix. Usage: cross-qt.sh windows|wasm
# The cache path names the Qt version, Debian's revision, the compiler and the configuration; the
# build is installed under a temporary name and renamed only when complete.
set -euo pipefail
target=${1:?usage: cross-qt.sh windows|wasm}
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VINTALEM_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vintalem-qt}
jobs=${JOBS:-$(nproc)}

# Only what the game needs: Core, Gui, Widgets, Test and the platform plugins.
common=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
)
case $target in
windows)
    compiler="mingw-$(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
    # Debian's source lacks wintab.h. Direct2D stays: in 6.4 the platform plugin's DirectWrite
    # font database is only built with it.
    opts=("${common[@]}" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
          -DFEATURE_tabletevent=OFF -DFEATURE_style_windowsvista=OFF)
    ;;
wasm)
    # Emscripten's tools need Debian's node modules.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    # Qt looks for an emsdk layout; Debian has emcc in /usr/bin and the rest in
    # /usr/share/emscripten, so a folder of links stands in for one.
    if [ -z "${EMSDK:-}" ]; then
        EMSDK="$cache/emsdk-debian"
        root="$EMSDK/upstream/emscripten"
        if [ ! -e "$root/emcc" ]; then
            mkdir -p "$root"
            ln -sfn /usr/share/emscripten/* "$root/"
            for tool in /usr/bin/em*; do ln -sfn "$tool" "$root/"; done
            echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" > "$EMSDK/.emscripten"
        fi
        export EMSDK
    fi
    compiler="emcc-$(emcc -dumpversion 2>/dev/null)"
    # Smaller code over faster code: the page's size is what pupils wait for.
    opts=("${common[@]}" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DFEATURE_thread=OFF
          -DFEATURE_optimize_size=ON
          -DCMAKE_TOOLCHAIN_FILE="$EMSDK/upstream/emscripten/cmake/Modules/Platform/Emscripten.cmake")
    ;;
*) echo "cross-qt: unknown target $target" >&2; exit 2 ;;
esac

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # the host Qt must be the same version
config=$(printf '%s\n' "$target" "${opts[@]}" | sed "s|$here|SRC|g" | sha256sum | cut -c1-10)
prefix="$cache/qtbase-${version//[:~]/_}-$target-$compiler-$config"
if [ -f "$prefix/bin/qt-cmake" ]; then echo "$prefix"; exit 0; fi

mkdir -p "$cache"
work=$(mktemp -d "$cache/.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "cross-qt: building qtbase $version for $target once, into $prefix" >&2
(
    cd "$work"
    # Debian's own source package, fetched without changing the machine's apt configuration.
    "$here/scripts/apt-source.sh" qt6-base qt6-base-dev >&2 2>"$work/apt-source.log" || {
        cat "$work/apt-source.log" >&2; exit 1; }
    src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' -o -maxdepth 1 -type d -name 'qtbase-*' | head -n1)
    cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "${opts[@]}" >&2
    cmake --build "$work/build" -j "$jobs" >&2
    DESTDIR="$work/stage" cmake --install "$work/build" >/dev/null
)
mv "$work/stage$prefix" "$prefix"
echo "$prefix"
