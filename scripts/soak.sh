#!/usr/bin/env bash
# Runs the monkey for a long time under the sanitizer build and prints its pace and the
# invariants it checked.   Usage: scripts/soak.sh [actions, default 1000000] [seed, default 1]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan --target monkey_soak
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export QT_QPA_PLATFORM=offscreen
build/asan/tests/monkey_soak "${1:-1000000}" "${2:-1}" 2> >(grep -v -e '^This plugin does not support' -e 'XDG_RUNTIME_DIR' >&2)
