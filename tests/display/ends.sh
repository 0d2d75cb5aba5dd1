#!/usr/bin/env bash
# The program ends, with status 0, after every way out: Exit, closing the main window and
# closing the name window, each tried RUNS times on a display server of run-on.sh, driven from
# outside as a person would (xdotool keys and clicks). Fails if a process is still alive five
# seconds after its way out has taken its windows away, or ends with another status than 0.
#   run-on.sh xcb|wayland ends.sh PROGRAM [RUNS, default 10]
set -euo pipefail
program=$1
runs=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "$QT_QPA_PLATFORM" = wayland ]; then
    x=$WESTON_X_DISPLAY
    background='#204060' # weston.ini beside this script
else
    x=$DISPLAY
fi
xdo() { DISPLAY=$x xdotool "$@"; }

# shellcheck source=wait-for.sh
source "$(dirname "$0")/wait-for.sh"

# Whether the program's window number N (1: the name window, 2: the main window after OK) has
# taken the keyboard: on Wayland the compositor's N-th keyboard enter, on X11 the N-th
# window of the program that became the active one.
hasKeyboard() {
    if [ -n "${background:-}" ]; then
        [ "$(grep -c 'wl_keyboard@[0-9]*\.enter' "$work/wayland.log")" -ge "$1" ]
        return
    fi
    local active
    active=$(xdo getactivewindow 2>/dev/null) &&
        [ "$(xdo getwindowname "$active" 2>/dev/null)" = Dicewright ] ||
        return 1
    [ "$1" -eq 1 ] && first=$active
    [ "$1" -eq 1 ] || [ "$active" != "$first" ]
}

# Where the one window on weston's screen is: the box around what is not background. The
# pointer waits in the bottom-right corner, the few pixels of it there are painted over.
windowBox() {
    DISPLAY=$x import -window root -crop 1200x960+0+0 png:- |
        convert - -fill "$background" -draw 'rectangle 1194,954 1199,959' -format '%@' info:
}

# Closes the active window as a person would: Alt+F4 under openbox; on weston, whose shell
# has no such key, a click on the close button of the title bar Qt draws.
closeWindow() {
    if [ -z "${background:-}" ]; then
        xdo key alt+F4
        return
    fi
    local box previous=""
    for _ in $(seq 50); do # until two looks, a tenth of a second apart, agree on a window
        box=$(windowBox 2>/dev/null)
        [ "$box" = "$previous" ] && [[ $box =~ ^[0-9]{3} ]] && break
        previous=$box
        sleep 0.1
    done
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "no window: $box" >&2; return 1; }
    local width=${BASH_REMATCH[1]} left=${BASH_REMATCH[3]} top=${BASH_REMATCH[4]}
    # The close button is 18 pixels square, 8 from the right edge, centred in a 32-pixel bar.
    xdo mousemove $((left + width - 17)) $((top + 16)) click 1 mousemove 1199 959
}

takeWayOut() {
    if [ "$way" = exit ]; then
        xdo key alt+e
    else
        closeWindow
    fi
}

# Whether a window of the program is still on the screen.
windowsShown() {
    if [ -n "${background:-}" ]; then
        [[ $(windowBox 2>/dev/null) =~ ^[0-9]{3} ]]
    else
        [ -n "$(xdo search --onlyvisible --pid "$pid" 2>/dev/null)" ]
    fi
}

alive=0
slowest=0
for way in exit close-main close-name; do
    for run in $(seq "$runs"); do
        xdo mousemove 1199 959
        WAYLAND_DEBUG=client "$program" 2>"$work/wayland.log" &
        pid=$!
        waitFor 'hasKeyboard 1'
        if [ "$way" != close-name ]; then
            xdo type --delay 20 Ann
            xdo key alt+o
            if ! waitFor 'hasKeyboard 2'; then
                echo "$way, run $run: the main window did not come up; OK again"
                xdo key alt+o
                waitFor 'hasKeyboard 2'
            fi
        fi
        takeWayOut
        start=$(date +%s%N)
        for _ in 1 2 3; do
            for _ in $(seq 100); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.05
            done
            if ! kill -0 "$pid" 2>/dev/null || ! windowsShown; then
                break # ended, or outlived its windows
            fi
            # A display under load now and then loses a key or a click; a person tries again.
            echo "$way, run $run: the way out was not taken; again"
            takeWayOut
            start=$(date +%s%N)
        done
        if kill -0 "$pid" 2>/dev/null; then
            echo "$way, run $run: still alive five seconds after the way out, with" \
                "$(DISPLAY=$x xdotool search --pid "$pid" 2>/dev/null | wc -l) X windows; its threads:"
            gdb -p "$pid" -batch -ex "thread apply all bt 15" 2>/dev/null | grep -E '^(#|Thread)' || true
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
            echo "$way, run $run: ended with status $status; the end of what it printed:"
            grep -v '^\[[0-9. ]*\] ' "$work/wayland.log" | tail -n 30
            alive=$((alive + 1))
        fi
    done
done
echo "$QT_QPA_PLATFORM: $alive of $((3 * runs)) runs did not end well; the slowest end took $slowest ms"
[ "$alive" -eq 0 ]
