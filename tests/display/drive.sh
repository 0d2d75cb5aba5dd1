# shellcheck shell=bash
# How the display tests drive the program from outside, as a person would, on each display
# server of run-on.sh (RUN_ON), and ask what it shows. The program is the process $pid.
#
# Keys: xdotool on an X server (weston's own, on weston); on mutter's Wayland, keyboard.py; on
# kwin's Wayland, kwin-keys.py.
# What is on screen is asked, never guessed from pixels: the program itself says, over the
# accessibility bus (ask.py), which of its windows is shown, which one is active and what has
# the focus in it. On X11, the window manager's _NET_ACTIVE_WINDOW must name the same window;
# on weston, where the program's windows are comes from the compositor's scene graph
# (weston-debug), for a click on a title bar.
# shellcheck source=../../scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 # for ask.py
askPy=$(dirname "${BASH_SOURCE[0]}")/ask.py
# Asks the program over the accessibility bus what it shows (ask.py says how), with
# Debian's Python, which has its pyatspi.
ask() { /usr/bin/python3 "$askPy" "$@"; }
case $RUN_ON in
xcb | gnome-x11 | kde-x11) x=$DISPLAY ;;
wayland) x=$WESTON_X_DISPLAY ;;
gnome | kde) x= ;;
*)
    echo "drive.sh: not on a display server of run-on.sh" >&2
    exit 2
    ;;
esac
xdo() { DISPLAY=$x xdotool "$@"; }

keyboard() {
    dbus-send --session --print-reply --dest=org.dicewright.TestKeyboard \
        /org/dicewright/TestKeyboard "org.dicewright.TestKeyboard.$1" "string:$2" >/dev/null
}

kwinKeys() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/kwin-keys.py" "$@"
}

# shellcheck source=xstrokes.sh
source "$(dirname "${BASH_SOURCE[0]}")/xstrokes.sh"

# Types the text, a key for each character.
typeText() {
    case $RUN_ON in
    gnome) keyboard Type "$1" ;;
    kde) kwinKeys type "$1" ;;
    *)
        local characters=() i
        for ((i = 0; i < ${#1}; i++)); do
            case ${1:i:1} in
            " ") characters+=(space) ;;
            *) characters+=("${1:i:1}") ;;
            esac
        done
        xStrokes "${characters[@]}"
        ;;
    esac
}

# Presses each key combination given, one after the other: alt+o Return ctrl+a ...
pressKeys() {
    case $RUN_ON in
    gnome) keyboard Press "$*" ;;
    kde) kwinKeys press "$@" ;;
    *) xStrokes "$@" ;;
    esac
}

# The program's windows on screen as it tells of them, a line each: which window (name, main,
# message), active or inactive, and what has the focus in it.
shownWindows() {
    ask --windows "$pid" 2>/dev/null
}

# Whether the control the program describes as $1 is on screen.
shows() {
    ask --shows "$pid" "$1" 2>/dev/null
}

# On an X server, the program's windows there, a line each: which window, its left, top,
# right and bottom, and its id. The name window is over twice as wide as it is tall, the main
# window not (3555x1110 and 3315x2175 twips in their designs, and the main window has a menu
# bar as well); a message box is a dialog.
xWindows() {
    local window
    for window in $(xdo search --onlyvisible --pid "$pid" 2>/dev/null); do
        {
            xdo getwindowgeometry --shell "$window"
            DISPLAY=$x xprop -id "$window" _NET_WM_WINDOW_TYPE | sed 's/.* = /TYPE=/'
        } 2>/dev/null | awk -F= '{ v[$1] = $2 } END {
            kind = v["TYPE"] ~ /DIALOG/ ? "message" : v["WIDTH"] > 2 * v["HEIGHT"] ? "name" : "main"
            print kind, v["X"], v["Y"], v["X"] + v["WIDTH"], v["Y"] + v["HEIGHT"], v["WINDOW"] }'
    done
}

# On weston, the program's top-level views, a line each: which window, its left, top, right
# and bottom. This is the one place the tests read a tool's text for what they act on: Wayland
# tells no client where another's window is, and weston tells it only in its scene graph, a
# text for people (docs/TESTING.md). Each view is a line "View 2-1-1 (role xdg_toplevel, PID
# 6765, ...):" and, a few lines further, "position: (743, 550) -> (1047, 676)"; a weston that
# writes it otherwise gives no window here, and the close fails saying so. `timeout` in case a
# weston keeps the stream open.
westonWindows() {
    timeout 5 weston-debug scene-graph | awk -v pid="$pid" '
        /^\tView / { mine = /role xdg_toplevel, / && index($0, " PID " pid ",") }
        mine && /^\t\tposition:/ { gsub(/[(),]|->/, " "); print $2, $3, $4, $5; mine = 0 }' |
        awk '{ print ($3 - $1 > 2 * ($4 - $2) ? "name" : "main"), $0 }'
}

# Whether the program's window $1 (name, main or message) has the keyboard, and, when $2 is
# given, the control it describes (its description, or its name) has the focus in it.
hasKeyboard() {
    if [ $# -gt 1 ]; then
        shownWindows | grep -qxF "$1 active $2" || return 1
    else
        shownWindows | grep -qE "^$1 active( |$)" || return 1
    fi
    case $RUN_ON in
    xcb | gnome-x11 | kde-x11)
        # The window manager names the active window on the root window once it has the
        # focus; it must be the program's own, and the one asked for.
        local active
        active=$(xdo getactivewindow 2>/dev/null) &&
            xWindows | awk -v which="$1" -v id="$active" '$1 == which && $6 == id { ok = 1 }
                END { exit !ok }'
        ;;
    esac
}

# What there is, for a wait that gives up or a step that went wrong.
sight() {
    local shown
    shown=$(shownWindows | paste -s -d ';' -)
    echo -n "the program says its windows are: ${shown:-none}"
    case $RUN_ON in
    xcb | gnome-x11 | kde-x11)
        echo -n "; on the X server: $(xWindows | paste -s -d ';' -);" \
            "the active window: $(xdo getactivewindow 2>/dev/null || echo none)"
        ;;
    wayland) echo -n "; on weston: $(westonWindows | paste -s -d ';' -)" ;;
    esac
    echo
}
# waitFor with what there was instead when it gave up, and where ($where) that was.
expect() {
    waitFor "$@" || {
        echo "${where:-$RUN_ON}: $(sight)" >&2
        return 1
    }
}

# Waits until the program's window $1 has the keyboard, with the focus on $2 when given.
expectKeyboard() {
    expect 10 "the $1 window to have the keyboard${2+, with the focus on \"$2\"}" hasKeyboard "$@"
}

# Whether the program's process has ended.
ended() { ! kill -0 "$pid" 2>/dev/null; }

# Whether the program has no window on screen any more, by its own word and, on X11, the
# server's.
noWindows() {
    [ -z "$(shownWindows)" ] || return 1
    case $RUN_ON in
    xcb | gnome-x11 | kde-x11) [ -z "$(xWindows)" ] ;;
    esac
}

# Closes the program's window $1 as a person would: Alt+F4 under openbox, mutter and kwin, to
# the active window; on weston, whose shell has no such key, a click on the close button of the
# title bar Qt draws, 18 pixels square, 8 from the right edge, in the middle of a 30-pixel bar
# (clicks around it closed the window from 6 to 24 pixels below the top and from 26 to 8 left
# of the right edge).
closeWindow() {
    if [ "$RUN_ON" != wayland ]; then
        pressKeys alt+F4
        return
    fi
    local top right
    read -r _ _ top right _ < <(westonWindows | grep "^$1 ") ||
        {
            echo "${where-}: no $1 window to close; $(sight)"
            return 1
        }
    westonClick $((right - 17)) $((top + 15))
}

# Clicks at $1, $2 on weston, holding the button as a hand does. Weston's X window is
# 1200x960 at the corner of a 1280x1024 screen: the pointer comes in from outside it, so
# weston is told the exact point the pointer enters at and not only how far it moved; and it
# goes back to the corner, where weston hears the keys.
westonClick() {
    xdo mousemove 1250 1000 mousemove "$1" "$2" mousedown 1 sleep 0.1 mouseup 1 mousemove 1199 959
}

# Clicks, as a hand does, the middle of the control described $1 in the program's window $2
# (name or main). On X11 the program knows where on the screen it is. On weston it knows
# only where the control is in its window, and weston where the window's view is, whose frame
# Qt draws as wide at the bottom as at each side and taller at the top, for the title bar.
clickOn() {
    local across down width height onScreen left right bottom margin # x is the X display
    read -r across down width height onScreen < <(ask --place "$pid" "$1") ||
        {
            echo "${where-}: no place of \"$1\"; $(sight)"
            return 1
        }
    case $RUN_ON in
    wayland)
        read -r _ left _ right bottom < <(westonWindows | grep "^$2 ") ||
            {
                echo "${where-}: no $2 window on weston; $(sight)"
                return 1
            }
        margin=$(((right - left - width) / 2))
        westonClick $((left + margin + across)) $((bottom - margin - height + down))
        ;;
    gnome | kde)
        echo "${where-}: no clicks on $RUN_ON in these tests"
        return 1
        ;;
    *) read -r across down <<<"$onScreen" && xdo mousemove "$across" "$down" mousedown 1 sleep 0.1 mouseup 1 ;;
    esac
}

# Starts the program, and waits until its name window has the keyboard, with the focus in
# the name box. On weston the pointer waits in the bottom-right corner of its window: weston's
# X server has no window manager, so it gives the keyboard to the window under the pointer,
# and weston hears keys only while the pointer is over it.
startProgram() {
    [ "$RUN_ON" = wayland ] && xdo mousemove 1199 959
    "$@" &
    pid=$!
    expectKeyboard name "Every key you press here adds to the seed"
}
