#!/usr/bin/env bash
# Installs what is missing (make included), then: make run (builds and starts the game only)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
exec make run VINTALEM_SET_UP=1
