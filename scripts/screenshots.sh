#!/usr/bin/env bash
# Takes the pictures in docs/ of both windows, a run-time error and the About box, at 1x and
# 2x scale, under Xvfb with openbox (tests/display/run-on.sh), driving a Release build as the
# display tests drive the program (tests/display/drive.sh): each key held as a hand holds it,
# and each picture taken once the program says that the window it shows has the keyboard.
#   scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${RUN_ON:-}" ]; then
    scripts/deps.sh test
    cmake --preset default >/dev/null
    cmake --build --preset default >/dev/null
    exec tests/display/run-on.sh xcb "$0" "$@"
fi
# shellcheck source=../tests/display/drive.sh
source tests/display/drive.sh

pure="Draws a number from 1 upwards"
low="The lowest number to draw; digits only"
seedBox="The seed the next number is drawn from; made from the keys of your name"
zeros=000000000000000000000000000

# The window that has the keyboard, with its frame.
grab() { import -window "$(xdo getactivewindow)" -frame "docs/$1"; }
numberShown() { ask --name "$pid" "Your number" "$zeros" >/dev/null; }

for scale in 1 2; do
    where="screenshots, ${scale}x"
    startProgram env QT_SCALE_FACTOR="$scale" build/default/app/dicewright
    typeText Ann
    grab "name-window-${scale}x.png"
    pressKeys alt+o
    expectKeyboard main "$pure"
    pressKeys alt+r
    expectKeyboard main "$low"
    typeText 1
    pressKeys Tab
    typeText 6
    pressKeys alt+d v
    expect 10 "the seed box to show" shows "$seedBox"
    pressKeys alt+g
    numberShown
    grab "main-window-${scale}x.png"
    # A seed that is not a number: from the high bound, Tab passes Get Number to the seed box.
    pressKeys Tab Tab
    expectKeyboard main "$seedBox"
    pressKeys End BackSpace BackSpace BackSpace
    typeText abc
    pressKeys alt+g
    expectKeyboard message
    grab "error-box-${scale}x.png"
    pressKeys Return
    expectKeyboard main "$seedBox"
    pressKeys alt+d a
    expectKeyboard message
    grab "about-box-${scale}x.png"
    pressKeys Return
    expectKeyboard main
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "screenshots.sh: the pictures in docs/ are taken anew"
