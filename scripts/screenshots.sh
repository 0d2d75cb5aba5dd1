#!/usr/bin/env bash
# Takes the screenshots in docs/ of both windows, a run-time error and the About box, at 1x
# and 2x scale, in a virtual display with a window manager, typing as a person would.
# Needs: xvfb xauth openbox xdotool imagemagick (apt-get install them), and a default build.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs
program=build/default/app/dicewright

if [ -z "${DISPLAY_READY:-}" ]; then
  exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi

openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# Grabs the active window with its frame.
grab() {
  sleep 1
  import -window "$(xdotool getactivewindow)" -frame "$out/$1"
}

for scale in 1 2; do
  QT_SCALE_FACTOR=$scale "$program" &
  app=$!
  sleep 2
  xdotool type --delay 60 "Ann"
  grab "name-window-${scale}x.png"
  xdotool key alt+o
  sleep 1
  xdotool key alt+r
  sleep 0.5
  xdotool type --delay 60 "1"
  xdotool key Tab
  sleep 0.3
  xdotool type --delay 60 "6"
  xdotool key alt+d
  sleep 0.5
  xdotool key v
  sleep 0.5
  xdotool key alt+g
  grab "main-window-${scale}x.png"
  # A seed that is not a number: from the high bound, Tab passes Get Number to the seed box.
  xdotool key Tab Tab ctrl+a
  xdotool type --delay 60 "abc"
  xdotool key alt+g
  grab "error-box-${scale}x.png"
  xdotool key Return
  sleep 0.5
  xdotool key alt+d
  sleep 0.5
  xdotool key a
  grab "about-box-${scale}x.png"
  xdotool key Return
  kill "$app"
done
kill "$wm"
