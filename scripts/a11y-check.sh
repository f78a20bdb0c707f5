#!/usr/bin/env bash
# A by-hand check of what a screen reader sees: starts the game under Xvfb with the
# accessibility bus, presses "Codifica proteina" through AT-SPI and prints the glyphs' names.
# Needs python3-pyatspi, at-spi2-core and dbus (apt-get install python3-pyatspi at-spi2-core dbus).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/vintalem ] || make build
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
cat > "$probe" <<'PY'
import time, pyatspi
time.sleep(3)
def find(node, pred):
    try:
        if pred(node): return node
    except Exception: return None
    for i in range(node.childCount):
        r = find(node.getChildAtIndex(i), pred)
        if r: return r
app = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == 'vintalem'][0]
button = find(app, lambda n: n.getRoleName() == 'push button' and n.name == 'Codifica proteina')
button.queryAction().doAction(0)
time.sleep(1)
for i in range(1, 21):
    n = find(app, lambda n: n.name.startswith('Aminoacido %d' % i) and n.getRoleName() == 'push button')
    print(n.getRoleName(), repr(n.name), [n.queryAction().getName(k) for k in range(n.queryAction().nActions)])
PY
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
xvfb-run -a dbus-run-session bash -c "/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1; ./build/vintalem & /usr/bin/python3 '$probe'; kill %2"
