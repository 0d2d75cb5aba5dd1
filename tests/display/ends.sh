#!/usr/bin/env bash
# The program ends, with status 0, after every way out: Exit, closing the main window and
# closing the name window, each tried RUNS times on a display server of run-on.sh, driven from
# outside as a person would (xdotool keys and clicks). Fails if a process is still alive five
# seconds after its way out has taken its windows away, or ends with another status than 0.
# Then, CHECKS times: keys typed at once after OK never reach the seed. "Ann", Alt+O and
# straight away "zzz", then Get Number must draw Ann's number all the same.
#   run-on.sh xcb|wayland ends.sh PROGRAM [RUNS, default 10] [CHECKS, default 5]
#
# What the test acts on it learns from the display server and the program, never from
# pixels: on weston, where the program's windows are comes from the compositor's scene graph
# (weston-debug); on X11, from xdotool and the window manager's _NET_ACTIVE_WINDOW; the number
# drawn, from the program itself over the accessibility bus (ask.py), as a screen reader
# would read it.
set -euo pipefail
program=$1
runs=${2:-10}
checks=${3:-5}
here=$(dirname "$0")
# shellcheck source=wait-for.sh
source "$here/wait-for.sh"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 # for ask.py
if [ "$QT_QPA_PLATFORM" = wayland ]; then
    x=$WESTON_X_DISPLAY
else
    x=$DISPLAY
fi
xdo() { DISPLAY=$x xdotool "$@"; }

# The program's windows on screen, a line each: which window (name or main), its left, top,
# right and bottom, and on X11 its id. Both are titled Dicewright and a surface ID of weston
# may be used again after the name window hides, so they are told apart by shape: the name
# window is over twice as wide as it is tall, the main window not (3555x1110 and 3315x2175
# twips in their designs, and the main window has a menu bar as well).
windows() {
    if [ "$QT_QPA_PLATFORM" = wayland ]; then
        # Each view is a line "View 0 (role xdg_toplevel, PID 6765, surface ID 16, ...):"
        # and, a few lines further, "position: (743, 550) -> (1047, 676)". One look each
        # time; `timeout` in case a weston keeps the stream open.
        timeout 5 weston-debug scene-graph | awk -v pid="$pid" '
            /^\tView / { mine = /role xdg_toplevel, / && index($0, " PID " pid ",") }
            mine && /^\t\tposition:/ { gsub(/[(),]|->/, " "); print $2, $3, $4, $5; mine = 0 }'
    else
        local window
        for window in $(xdo search --onlyvisible --pid "$pid" 2>/dev/null); do
            xdo getwindowgeometry --shell "$window" 2>/dev/null | awk -F= '{ v[$1] = $2 } END {
                print v["X"], v["Y"], v["X"] + v["WIDTH"], v["Y"] + v["HEIGHT"], v["WINDOW"] }'
        done
    fi | awk '{ print ($3 - $1 > 2 * ($4 - $2) ? "name" : "main"), $0 }'
}

# Whether the program's window $1 (name or main) has the keyboard.
hasKeyboard() {
    if [ "$QT_QPA_PLATFORM" = wayland ]; then
        # Weston's desktop shell activates a top-level window, giving it the keyboard, in the
        # same step as it maps it, so once the window is in the scene graph the program has
        # been sent its keyboard enter, and any key pressed after this look comes after it.
        # (Checked against the program's own Wayland log: at the first look that showed the
        # main window, its keyboard enter had always arrived.)
        windows | grep -q "^$1 "
    else
        # The window manager names the active window on the root window once it has the
        # focus; it must be the program's own, and the one asked for.
        local active
        active=$(xdo getactivewindow 2>/dev/null) &&
            windows | awk -v which="$1" -v id="$active" '$1 == which && $6 == id { ok = 1 }
                END { exit !ok }'
    fi
}

# What there is, for a wait that gives up or a way out that was not taken.
sight() {
    local shown
    shown=$(windows | paste -s -d ';' -)
    echo -n "the program's windows: ${shown:-none}"
    [ "$QT_QPA_PLATFORM" = wayland ] ||
        echo -n "; the active window: $(xdo getactivewindow 2>/dev/null || echo none)"
    echo
}
# shellcheck disable=SC2034 # waitFor's
seen=sight

# Closes the program's window $1 as a person would: Alt+F4 under openbox, to the active
# window; on weston, whose shell has no such key, a click on the close button of the title bar
# Qt draws, 18 pixels square, 8 from the right edge, in the middle of a 30-pixel bar (clicks
# around it closed the window from 6 to 24 pixels below the top and from 26 to 8 left of the
# right edge). Weston's X11 window is 1200x960 at the corner of a 1280x1024 screen: the
# pointer comes in from outside it, so weston is told the exact point the pointer enters at
# and not only how far it moved.
closeWindow() {
    if [ "$QT_QPA_PLATFORM" != wayland ]; then
        xdo key alt+F4
        return
    fi
    local top right
    read -r _ _ top right _ < <(windows | grep "^$1 ") ||
        { echo "$where: no $1 window to close; $(sight)"; return 1; }
    xdo mousemove 1250 1000 mousemove $((right - 17)) $((top + 15)) click 1 mousemove 1199 959
}

takeWayOut() {
    case $way in
    exit) xdo key alt+e ;;
    close-main) closeWindow main ;;
    close-name) closeWindow name ;;
    esac
}

# Starts the program, and waits until its name window has the keyboard. The pointer waits
# in the bottom-right corner of weston's window: weston's X server has no window manager, so
# it gives the keyboard to the window under the pointer, and weston hears keys only while
# the pointer is over it.
startProgram() {
    xdo mousemove 1199 959
    "$program" &
    pid=$!
    waitFor 'hasKeyboard name' "the name window to have the keyboard"
}

# Types a name and presses OK, then whatever else is given, in one go.
typeName() {
    xdo type --delay 20 "$1"
    xdo key alt+o "${@:2}"
}

alive=0
slowest=0
for way in exit close-main close-name; do
    for run in $(seq "$runs"); do
        where="$QT_QPA_PLATFORM, $way, run $run"
        startProgram
        if [ "$way" != close-name ]; then
            typeName Ann
            if ! waitFor 'hasKeyboard main' "the main window to have the keyboard"; then
                echo "$where: the main window did not come up; a loaded display may have lost" \
                    "Alt+O: OK again"
                xdo key alt+o
                waitFor 'hasKeyboard main' "the main window to have the keyboard"
            fi
        fi
        takeWayOut
        start=$(date +%s%N)
        for _ in 1 2 3; do
            for _ in $(seq 100); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.05
            done
            if ! kill -0 "$pid" 2>/dev/null || [ -z "$(windows)" ]; then
                break # ended, or outlived its windows
            fi
            echo "$where: the way out was not taken ($(sight)); a loaded display may have" \
                "lost the key or the click: again"
            takeWayOut
            start=$(date +%s%N)
        done
        if kill -0 "$pid" 2>/dev/null; then
            echo "$where: still alive five seconds after the way out ($(sight)); its threads:"
            gdb -p "$pid" -batch -ex "thread apply all bt 15" 2>/dev/null |
                grep -E '^(#|Thread)' || true
            alive=$((alive + 1))
            kill -KILL "$pid"
            wait "$pid" 2>/dev/null || true
            continue
        fi
        status=0
        wait "$pid" || status=$?
        took=$((($(date +%s%N) - start) / 1000000))
        [ "$took" -gt "$slowest" ] && slowest=$took
        if [ "$status" -ne 0 ]; then
            echo "$where: ended with status $status"
            alive=$((alive + 1))
        fi
    done
done
echo "$QT_QPA_PLATFORM: $alive of $((3 * runs)) runs did not end well;" \
    "the slowest end took $slowest ms"

# Keys typed while the name window is on its way out belong to no one: Get Number draws from
# the seed of "Ann" alone, 285, which gives 187032110.
wrong=0
for run in $(seq "$checks"); do
    where="$QT_QPA_PLATFORM, keys after OK, run $run"
    startProgram
    typeName Ann type --delay 20 zzz
    waitFor 'hasKeyboard main' "the main window to have the keyboard"
    xdo key alt+g
    if ! number=$("$here/ask.py" "$pid" "Your number" 000000000000000000000000000); then
        echo "$where: no number drawn"
        wrong=$((wrong + 1))
    elif [ "$number" != 187032110 ]; then
        echo "$where: drew $number, not the 187032110 of Ann: the zzz typed after OK" \
            "reached the seed"
        wrong=$((wrong + 1))
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "$QT_QPA_PLATFORM: $wrong of $checks draws after keys typed at once after OK were not Ann's"
[ "$alive" -eq 0 ] && [ "$wrong" -eq 0 ]
