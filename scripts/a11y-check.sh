#!/usr/bin/env bash
# A by-hand check of what a screen reader sees and of play without a mouse: starts the game
# under Xvfb with a window manager (openbox) and the accessibility bus, then plays one whole
# game by keyboard alone (scripts/a11y-walk.py) and prints what AT-SPI reports at each step.
#   scripts/a11y-check.sh                 the walk alone
#   scripts/a11y-check.sh --orca FILE     with Orca running; FILE gets its debug log, whose
#                                         "SPEECH OUTPUT" lines are what a pupil hears
#   scripts/a11y-check.sh --browser [--orca FILE]
#                                         the same pupil in the page (build-wasm/web), in
#                                         Chromium with its accessibility on (scripts/a11y-walk-web.py)
# Installs what is missing: xvfb, openbox, xdotool, python3-pyatspi, at-spi2-core, dbus (and
# orca with speech-dispatcher for --orca). Fails where a promise is broken, or Orca does not say
# a word it must.
set -euo pipefail
cd "$(dirname "$0")/.."
orca_log= browser=
if [ "${1:-}" = --browser ]; then browser=1; shift; fi
if [ "${1:-}" = --orca ]; then orca_log=$(realpath -m "${2:?--orca needs a file}"); fi
scripts/setup.sh openbox xdotool python3-pyatspi at-spi2-core dbus-daemon ${orca_log:+orca speech-dispatcher} \
    ${browser:+chromium chromium-driver python3-selenium}
if [ -n "$browser" ]; then
    [ -f build-wasm/web/vintalem.wasm ] || scripts/web.sh
    walk="/usr/bin/python3 -u scripts/a11y-walk-web.py build-wasm/web"
else
    [ -x build/vintalem ] || make build VINTALEM_SET_UP=1  # set up just above
    walk="./build/vintalem & game=\$!; sleep 3; /usr/bin/python3 -u scripts/a11y-walk.py"
fi
# Chromium turns its accessibility on only when asked.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ACCESSIBILITY_ENABLED=1 ORCA_LOG="$orca_log" WALK="$walk"
export XDG_RUNTIME_DIR=$(mktemp -d) HOME=${orca_log:+$(mktemp -d)}${orca_log:-$HOME}
if [ -n "$orca_log" ]; then
    # Speech goes to ALSA's null device: with no sound server, speech-dispatcher would wait for
    # PulseAudio for ever, and Orca with it, and the game's key events would time out.
    mkdir -p "$HOME/.config"
    cp -r /etc/speech-dispatcher "$HOME/.config/"
    echo 'AudioOutputMethod "alsa"' >> "$HOME/.config/speech-dispatcher/speechd.conf"
    echo 'pcm.!default { type null }' > "$HOME/.asoundrc"
fi
status=0
xvfb-run -a -s "-screen 0 1366x768x24" dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
    if [ -n "$ORCA_LOG" ]; then orca --debug-file "$ORCA_LOG" -r >/dev/null 2>&1 & orca=$!; sleep 4; fi
    game=
    status=0
    eval "$WALK" || status=$?
    [ -z "$game" ] || kill $game 2>/dev/null || true
    kill ${orca:-} $wm $bus 2>/dev/null || true
    exit $status' || status=$?
if [ -n "$orca_log" ]; then
    echo "What Orca said:"
    grep -o "SPEECH OUTPUT: .*" "$orca_log" | sed "s/{.*//; s/^SPEECH OUTPUT: //"
fi
exit $status
