#!/usr/bin/env bash
# Runs the Windows build's whole test suite under Wine on Xvfb with a window manager, then
# installs the MSI silently, plays one game on it from the Start-menu shortcut, upgrades it
# and uninstalls it: windows-test.sh [BUILD_DIR] [DIST_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-windows}"); dist=$(realpath "${2:-dist}")

if [ -z "${VINTALEM_IN_X:-}" ]; then
    export VINTALEM_IN_X=1
    exec xvfb-run -a -s "-screen 0 1366x768x24 -dpi 96" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; WINEPREFIX=${VINTALEM_WINEPREFIX:-$HOME/.cache/vintalem-wine} wineserver -k 2>/dev/null || true' EXIT

# One Wine prefix for the suite, made before the tests start side by side.
timeout 300 scripts/wine-run cmd /c exit >/dev/null
(cd "$build" && timeout 1800 ctest --output-on-failure -j "$(nproc)")

timeout 900 scripts/windows-msi-check.sh "$dist" "$build"
