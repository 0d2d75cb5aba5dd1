#!/usr/bin/env bash
# With neither an X nor a Wayland display the program says so in one line and exits with 1.
#   no-display.sh PROGRAM
set -uo pipefail
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
echo "$output"
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$output")" -eq 1 ] &&
    grep -q "no graphical display found" <<<"$output"
