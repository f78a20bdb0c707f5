#!/usr/bin/env bash
# Pictures of the Windows build under Wine on Xvfb: every window, drawn by the Windows build
# (the same short game as scripts/screenshots.sh), into docs/screenshots/windows/, and the whole
# screen after a coding run at 96, 120, 144 and 192 dpi (Wine's LogPixels: 100 %, 125 %, 150 %
# and 200 % display scaling): windows-screenshots.sh [BUILD_DIR] [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-windows}"); out=$(realpath -m "${2:-docs/screenshots/windows}")
if [ -z "${VINTALEM_IN_X:-}" ]; then
    export VINTALEM_IN_X=1
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" "$0" "$@"
fi
openbox >/dev/null 2>&1 &
tmp=$(mktemp -d)
export VINTALEM_WINEPREFIX="$tmp/prefix"
trap 'WINEPREFIX=$VINTALEM_WINEPREFIX wineserver -k 2>/dev/null; rm -rf "$tmp"' EXIT
mkdir -p "$out"
scripts/wine-run cmd /c exit >/dev/null
timeout 120 scripts/wine-run "$build/tools/vintalem_screenshots.exe" "$(winepath -w "$out")"

fail() { echo "windows-screenshots: FAILED: $*" >&2; exit 1; }
. scripts/xwin.sh
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
for dpi in 96 120 144 192; do
    scripts/wine-run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    WINEPREFIX=$VINTALEM_WINEPREFIX wineserver -k 2>/dev/null || true
    scripts/wine-run "$build/vintalem.exe" &
    game=$!
    main=$(wait_for Vintalem); wait_for 'Tabella degli Aminoacidi' 30 >/dev/null
    xdotool windowactivate --sync "$main"; sleep 0.5
    for _ in $(seq 21); do keys Tab; done
    keys space
    wait_for mutazioni 30 >/dev/null
    sleep 1
    import -window root "$out/screen-${dpi}dpi.png"
    echo "wrote $out/screen-${dpi}dpi.png"
    xdotool windowactivate --sync "$main"; sleep 0.3
    keys alt+f e
    timeout 60 tail --pid="$game" -f /dev/null
done
