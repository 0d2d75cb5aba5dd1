#!/usr/bin/env bash
# Installs what is missing, builds Dicewright with its tests and runs every test headless:
# once in the normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer (with
# leak checks and the fuzz target).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
for preset in test asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
