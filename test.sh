#!/usr/bin/env bash
# Installs what is missing (make included), then: make test
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
exec make test VINTALEM_SET_UP=1
