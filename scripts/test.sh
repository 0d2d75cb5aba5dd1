#!/usr/bin/env bash
# Installs what is missing, builds Dicewright with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test
