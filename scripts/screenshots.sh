#!/usr/bin/env bash
# Saves a picture of every window after a short game, under Xvfb: scripts/screenshots.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
make build
xvfb-run -a -s "-screen 0 1280x800x24" ./build/tools/vintalem_screenshots "$out"
