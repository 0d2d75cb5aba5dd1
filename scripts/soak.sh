#!/usr/bin/env bash
# Runs the monkey for a long time under the sanitizer build and prints its pace and the
# invariants it checked: on Qt's offscreen platform, or on a real display server that
# tests/display/run-on.sh starts for it (Xvfb with openbox, or weston).
#   Usage: scripts/soak.sh [actions, default 1000000] [seed, default 1] [offscreen|xcb|wayland]
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-1000000}
seed=${2:-1}
platform=${3:-offscreen}
scripts/deps.sh test
cmake --preset asan >/dev/null
cmake --build --preset asan --target monkey_soak
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
# Qt 6.4's Wayland clipboard leaks what each copy put on it, in ways no suppression can name.
[ "$platform" = wayland ] && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
soak=(build/asan/tests/monkey_soak "$actions" "$seed")
case $platform in
offscreen) QT_QPA_PLATFORM=offscreen "${soak[@]}" ;;
xcb | wayland) DISPLAY_TEST_TIMEOUT=0 tests/display/run-on.sh "$platform" "${soak[@]}" ;;
*)
    echo "soak.sh: no platform $platform (offscreen, xcb or wayland)" >&2
    exit 2
    ;;
esac 2> >(grep -v -e '^This plugin does not support' -e 'XDG_RUNTIME_DIR' >&2)
