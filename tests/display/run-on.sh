#!/usr/bin/env bash
# Runs one test program on a real display server, started for it and stopped after it:
#   run-on.sh xcb|wayland|gnome|gnome-x11|kde-x11|kde PROGRAM [ARGUMENTS...]
# xcb: a virtual X server (Xvfb) with openbox as window manager.
# wayland: weston with its desktop shell, drawing into a virtual X server of its own. Weston's
# headless backend has no keyboard or pointer, so it would never activate a window; its X11
# backend gives it both, and still needs no screen. For a test that drives weston from
# outside (xdotool), WESTON_X_DISPLAY names that X server; weston runs with its debug
# protocol, so `weston-debug scene-graph` tells where each window is.
# gnome: mutter, GNOME's compositor, as a headless Wayland display server with one virtual
# monitor. It has no keyboard of its own: keyboard.py presses keys through mutter's remote
# desktop interface, and offers them to the test on the session bus.
# gnome-x11: mutter as the window manager of a virtual X server, as in GNOME's X11 session.
# kde-x11: kwin, KDE Plasma's window manager, on a virtual X server, as in Plasma's X11 session.
# kde: kwin, KDE Plasma's compositor, as a headless Wayland display server with no keyboard
# of its own: kwin-keys.py presses keys through kwin's fake input.
# RUN_ON tells the test which of these it runs on.
#
# Everything runs with settings of the run's own: HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR
# are in a temporary folder, openbox, weston and mutter read the configurations beside this
# script, and the run has a D-Bus session bus of its own with the accessibility bus running,
# as on a desktop, so nothing of the user's own settings or session changes a result. Mutter
# and the program share that bus, as in a GNOME session.
#
# The program has DISPLAY_TEST_TIMEOUT seconds (240 unless set; 0 for no limit, as a long
# soak needs), well inside CTest's TIMEOUT of 300: a hang is ended here, where it can still
# be told about, and not by CTest, which kills the whole tree at once without a word. When
# the program fails or runs out of time, a backtrace of each of its processes still alive is
# printed before anything is ended, then the servers' logs; its own output has gone to
# standard output and error as it ran. The temporary folder is removed either way.
#
# A desktop session that this release no longer has (GNOME 50's mutter has no X11 session) is
# not a failure: the run says why in one line and exits with 77, which CTest counts as a skip.
# Each run first says which display server, window manager and screen reader it runs with.
set -euo pipefail
platform=$1
shift
testCommand=("$@")
here=$(cd "$(dirname "$0")" && pwd)
limit=${DISPLAY_TEST_TIMEOUT:-240}
skipped=77

# The version of each Debian package given that is installed, as "package version".
versions() {
    local package version
    for package in "$@"; do
        version=$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null) || true
        echo -n "$package ${version:-not installed}; "
    done
}
case $platform in
xcb) servers=(xvfb openbox) ;;
wayland) servers=(xvfb weston) ;;
gnome) servers=(mutter) ;;
gnome-x11) servers=(xvfb mutter) ;;
kde) servers=(kwin-wayland) ;;
kde-x11) servers=(xvfb kwin-x11) ;;
*) servers=() ;;
esac
qt=$(dpkg-query -W -f='${Package} ${Version}\n' 'libqt6core6*' 2>/dev/null | awk 'NF == 2')
echo "run-on.sh: $platform: $(versions "${servers[@]}" orca)${qt:-Qt not installed}"

# Mutter's X11 session: gone from GNOME 50 on, where mutter refuses --x11 (its option parser
# then fails, where it would print its help).
if [ "$platform" = gnome-x11 ] && ! mutter --x11 --help >/dev/null 2>&1; then
    echo "run-on.sh: skipped: mutter $(dpkg-query -W -f='${Version}' mutter 2>/dev/null) has no" \
        "X11 session (GNOME 50 and later run on Wayland only)"
    exit "$skipped"
fi

# shellcheck source=../../scripts/common.sh
source "$here/../../scripts/common.sh"

work=$(mktemp -d)
pids=() # in the order started
timedOut=false

# The program's processes: those that inherited this run's mark, wherever they have been
# reparented to. The servers, D-Bus and the services it starts among them, were started
# without it.
testProcesses() {
    grep -lzxF "RUN_ON_TEST=$work" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}

testGone() { [ -z "$(testProcesses)" ]; }
gone() { ! kill -0 "$1" 2>/dev/null; }

backtraces() {
    local pid
    for pid in $(testProcesses); do
        echo "---- backtrace of $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
        gdb -p "$pid" -batch -ex 'thread apply all bt' 2>&1 |
            grep -v -e '^\[New LWP' -e '^\[Thread debugging' -e '^Using host libthread_db' || true
    done
}

stop() {
    status=$?
    if $timedOut; then
        echo "run-on.sh: still running after $limit s, the limit DISPLAY_TEST_TIMEOUT sets" \
            "(CTest's own is 300 s): ${testCommand[*]}; backtraces of each of its processes:"
        backtraces
    elif [ "$status" -ne 0 ]; then
        echo "run-on.sh: failed with status $status: ${testCommand[*]}; backtraces of what is left:"
        backtraces
    fi
    # Whatever the program left behind goes too: it would hold CTest's output open.
    if [ -n "$(testProcesses)" ]; then
        echo "run-on.sh: ending what is left of the test: $(testProcesses | xargs)"
        testProcesses | xargs -r kill 2>/dev/null || true
        waitFor 10 "the test's processes to end on SIGTERM" testGone ||
            testProcesses | xargs -r kill -KILL 2>/dev/null || true
    fi
    if [ -n "${test:-}" ]; then wait "$test" 2>/dev/null || true; fi
    # Last started, first stopped: weston before the X server it draws into, the session
    # bus last. Each gets two seconds to go (weston now and then hangs on its way out).
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        waitFor 2 "process $pid to end" gone "$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        for log in "$work"/*.log; do
            echo "---- $(basename "$log")"
            [ -s "$log" ] && cat "$log" || echo "(empty)"
        done
        echo "---- end of the servers' logs; the test's own output is above the backtraces"
    fi
    rm -rf "$work"
    exit "$status"
} >&2
trap stop EXIT

# Starts the test command in the background, with this run's mark, on the X server $display
# or on the Wayland display wayland-test.
startTestOnX() {
    env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb RUN_ON_TEST="$work" \
        "${testCommand[@]}" &
}
startTestOnWayland() {
    env -u DISPLAY WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland RUN_ON_TEST="$work" \
        "${testCommand[@]}" &
}

# Whether a name is owned on the session bus.
onBus() {
    dbus-send --session --dest=org.freedesktop.DBus --print-reply /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q "boolean true"
}

# Whether the compositor serves the test's Wayland display and has its name $1 on the bus.
servesWayland() { [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && onBus "$1"; }

# Whether a window manager manages the X screen: it names itself on the root window then.
managesScreen() { DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; }

# Xvfb chooses a free display itself and writes its number.
startXvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    waitFor 10 "Xvfb to start" test -s "$work/display"
    display=":$(head -n 1 "$work/display")"
}

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME"
# Mutter's settings, for GLib's keyfile backend.
mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
cp "$here/mutter.keyfile" "$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The session bus: what its services print goes to dbus.log.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
pids+=($!)
waitFor 10 "the D-Bus session bus to start" test -s "$work/bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS RUN_ON=$platform
dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null || {
    echo "run-on.sh: no accessibility bus (package at-spi2-core)"
    exit 1
}

case $platform in
xcb)
    startXvfb
    DISPLAY=$display openbox --sm-disable --config-file "$here/openbox.xml" \
        --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
    pids+=($!)
    waitFor 10 "openbox to start" test -e "$work/wm-ready"
    startTestOnX
    ;;
wayland)
    startXvfb
    DISPLAY=$display weston --debug --config="$here/weston.ini" --backend=x11-backend.so \
        --socket=wayland-test --width=1200 --height=960 >"$work/weston.log" 2>&1 &
    pids+=($!)
    waitFor 10 "weston to start" test -S "$XDG_RUNTIME_DIR/wayland-test"
    WESTON_X_DISPLAY=$display startTestOnWayland
    ;;
gnome)
    GSETTINGS_BACKEND=keyfile mutter --headless --wayland --no-x11 --virtual-monitor 1280x1024 \
        --wayland-display wayland-test >"$work/mutter.log" 2>&1 &
    pids+=($!)
    waitFor 10 "mutter to start" servesWayland org.gnome.Mutter.RemoteDesktop
    /usr/bin/python3 "$here/keyboard.py" >"$work/keyboard.log" 2>&1 &
    pids+=($!)
    waitFor 10 "keyboard.py to start" onBus org.dicewright.TestKeyboard
    startTestOnWayland
    ;;
gnome-x11)
    startXvfb
    DISPLAY=$display GSETTINGS_BACKEND=keyfile mutter --x11 --sm-disable >"$work/mutter.log" 2>&1 &
    pids+=($!)
    waitFor 10 "mutter to start" managesScreen
    startTestOnX
    ;;
kde-x11)
    startXvfb
    # KWin's keys, Alt+F4 among them, are KDE's global shortcuts, which kglobalaccel takes
    # from the X server: Plasma 6's kglobalacceld is started by the session, Plasma 5's by the
    # bus when KWin asks for it.
    dbus-update-activation-environment DISPLAY="$display"
    for daemon in /usr/lib/*/libexec/kglobalacceld; do
        [ -x "$daemon" ] || continue
        DISPLAY=$display "$daemon" >"$work/kglobalaccel.log" 2>&1 &
        pids+=($!)
        waitFor 10 "kglobalacceld to start" onBus org.kde.kglobalaccel
    done
    DISPLAY=$display kwin_x11 >"$work/kwin.log" 2>&1 &
    pids+=($!)
    waitFor 10 "kwin to start" managesScreen
    startTestOnX
    ;;
kde)
    # Debian gives kwin_wayland file capabilities, which a container refuses to run; a copy
    # without them runs, under the same name (its own Qt platform plugin looks for it).
    mkdir "$work/kwin"
    cp /usr/bin/kwin_wayland "$work/kwin/kwin_wayland"
    # KWin offers its fake input, which kwin-keys.py types with, only to trusted programs.
    # A desktop entry naming the program trusts it, but only once KDE's service database has
    # been built, which now and then came after the first key: so this kwin, which serves the
    # test alone, trusts every program.
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 XKB_DEFAULT_LAYOUT=us "$work/kwin/kwin_wayland" \
        --virtual --width 1280 --height 1024 --socket wayland-test >"$work/kwin.log" 2>&1 &
    pids+=($!)
    waitFor 10 "kwin to start" servesWayland org.kde.KWin
    startTestOnWayland
    ;;
*)
    echo "run-on.sh: no platform $platform (xcb, wayland, gnome, gnome-x11, kde-x11 or kde)" >&2
    exit 2
    ;;
esac
test=$!

# The program runs beside a timer, and whichever ends first decides. Not `timeout`: it would
# end the program before its backtraces were taken.
timer=()
if [ "$limit" != 0 ]; then
    sleep "$limit" >/dev/null 2>&1 &
    timer=($!)
fi
status=0
wait -n -p ended "$test" "${timer[@]}" || status=$?
if [ "$ended" != "$test" ]; then
    timedOut=true
    exit 124
fi
kill "${timer[@]}" 2>/dev/null || true
# 77 is this script's word for a skip: a test command that happens to end with it has failed.
[ "$status" -eq "$skipped" ] && status=1
exit "$status"
