#!/usr/bin/env bash
# Installs what is missing, builds Dicewright with its tests and runs every test headless:
# once in the normal build (the window tests on Qt's offscreen platform, under Xvfb and under
# weston), once under AddressSanitizer and UndefinedBehaviorSanitizer (with leak checks and
# the fuzz target); then builds the Debian package and checks a copy of it unpacked into a
# temporary folder (scripts/package.sh). It installs the packages the build and the tests
# need, but installs, replaces or removes no dicewright package, except in CI (CI=true).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
for preset in test asan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    status=0
    ctest --preset "$preset" || status=$?
    # A skipped display test says why; CTest keeps that in its log.
    grep -h "^run-on.sh: skipped:" "build/$preset/Testing/Temporary/LastTest.log" | sort -u || true
    [ "$status" -eq 0 ] || exit "$status"
done
scripts/package.sh
