#!/usr/bin/env bash
# With neither an X nor a Wayland display the program says so in one line and exits with 1;
# --help and --version answer all the same, on standard output, with status 0.
#   no-display.sh PROGRAM
set -uo pipefail
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
output=$(run "$1" 2>&1)
status=$?
echo "$output"
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$output")" -eq 1 ] &&
    grep -q "no graphical display found" <<<"$output" || exit 1
version=$(run "$1" --version 2>/dev/null) && echo "$version" && [[ $version =~ ^dicewright\ [0-9.]+$ ]] || exit 1
help=$(run "$1" --help 2>/dev/null) && grep -q "^Usage: dicewright" <<<"$help" || exit 1
