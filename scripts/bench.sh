#!/usr/bin/env bash
# Builds the Release benchmark and runs it where people run the program: on Qt's offscreen
# platform, under Xvfb with openbox (xcb) and under weston (wayland), each server started for
# the run by tests/display/run-on.sh. Takes about three minutes.
#   scripts/bench.sh [start-up runs, default 30] [events of each kind, default 10000]
# A run that stops before its last line, "Every figure measured.", fails here and says so,
# whatever its exit status.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
events=${2:-10000}
scripts/deps.sh test
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
bench=build/bench/bench/dicewright_bench
failed=()
for platform in offscreen xcb wayland; do
    echo "== $platform"
    output=$(mktemp)
    status=0
    if [ "$platform" = offscreen ]; then
        runtime=$(mktemp -d)
        XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen "$bench" "$runs" "$events" >"$output" ||
            status=$?
        rm -rf "$runtime"
    else
        DISPLAY_TEST_TIMEOUT=0 tests/display/run-on.sh "$platform" "$bench" "$runs" "$events" \
            >"$output" || status=$?
    fi
    cat "$output"
    if [ "$status" -ne 0 ] || [ "$(tail -n 1 "$output")" != "Every figure measured." ]; then
        echo "scripts/bench.sh: the run on $platform stopped early (status $status) after:" \
            "$(tail -n 1 "$output")" >&2
        failed+=("$platform")
    fi
    rm -f "$output"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "scripts/bench.sh: not every figure was measured on: ${failed[*]}" >&2
    exit 1
fi
