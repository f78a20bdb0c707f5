#!/usr/bin/env bash
# Builds the game for 64-bit Windows on Debian 12 and proves it under Wine:
#   scripts/windows.sh [--no-tests]
# Installs what is missing from Debian's archive, builds qtbase for Windows once into a cache
# (scripts/cross-qt.sh), cross-builds the game and its test programs into build-windows/, makes
# dist/vintalem-<version>-windows-x64.zip and dist/vintalem-<version>-x64.msi, then runs the
# whole suite under Wine on Xvfb and plays one game on the installed MSI
# (scripts/windows-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_WINDOWS:-build-windows}

# wine64-preloader is only suggested by wine64, but without it Wine now and then fails to start.
scripts/setup.sh g++-mingw-w64-x86-64-posix wine wine64 wine64-preloader wixl msitools ninja-build \
    dpkg-dev zip unzip openbox xdotool imagemagick x11-utils
start=$(date +%s)
qt=$(scripts/cross-qt.sh windows)
echo "windows: Qt for Windows ready in $(( $(date +%s) - start )) s: $qt"

start=$(date +%s)
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run" -DVINTALEM_TEST_TIMEOUT=180 >/dev/null
cmake --build "$build" -j "$(nproc)"
scripts/windows-package.sh "$build" dist
echo "windows: game, tests and packages built in $(( $(date +%s) - start )) s"

[ "${1:-}" = --no-tests ] && exit 0
scripts/windows-test.sh "$build" dist
