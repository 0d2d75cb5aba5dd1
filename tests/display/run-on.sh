#!/usr/bin/env bash
# Runs one test program on a real display server, started for it and stopped after it:
#   run-on.sh xcb|wayland PROGRAM [ARGUMENTS...]
# xcb: a virtual X server (Xvfb) with openbox as window manager.
# wayland: weston with its desktop shell, drawing into a virtual X server of its own. Weston's
# headless backend has no keyboard or pointer, so it would never activate a window; its X11
# backend gives it both, and still needs no screen. For a test that drives weston from
# outside (xdotool, import), WESTON_X_DISPLAY names that X server.
#
# Everything runs with settings of the run's own: HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR
# are in a temporary folder, openbox and weston read the configurations beside this script,
# and the program gets a D-Bus session bus of its own with the accessibility bus running, as
# on a desktop, so nothing of the user's own settings or session changes a result. When the
# program fails, the servers' logs are printed.
set -euo pipefail
platform=$1
shift
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
pids=() # in the order started
stop() {
    status=$?
    # Last started, first stopped: weston before the X server it draws into. Each gets two
    # seconds to go (weston now and then hangs on its way out).
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 40); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        for log in "$work"/*.log; do
            [ -s "$log" ] && { echo "---- $(basename "$log")"; cat "$log"; } >&2
        done
    fi
    rm -rf "$work"
    exit "$status"
}
trap stop EXIT

# shellcheck source=wait-for.sh
source "$here/wait-for.sh"

# Runs a command on a D-Bus session bus of its own, with the accessibility bus that screen
# readers use started on it.
inSession() {
    dbus-run-session -- bash -c '
        dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null ||
            { echo "run-on.sh: no accessibility bus (package at-spi2-core)" >&2; exit 1; }
        exec "$@"' inSession "$@"
}

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Xvfb chooses a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
waitFor '[ -s "$work/display" ]'
display=":$(head -n 1 "$work/display")"

case $platform in
xcb)
    DISPLAY=$display openbox --sm-disable --config-file "$here/openbox.xml" \
        --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
    pids+=($!)
    waitFor '[ -e "$work/wm-ready" ]'
    (
        unset WAYLAND_DISPLAY
        export DISPLAY=$display QT_QPA_PLATFORM=xcb
        inSession "$@"
    )
    ;;
wayland)
    DISPLAY=$display weston --config="$here/weston.ini" --backend=x11-backend.so \
        --socket=wayland-test --width=1200 --height=960 >"$work/weston.log" 2>&1 &
    pids+=($!)
    waitFor '[ -S "$XDG_RUNTIME_DIR/wayland-test" ]'
    (
        unset DISPLAY
        export WESTON_X_DISPLAY=$display WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland
        inSession "$@"
    )
    ;;
*)
    echo "run-on.sh: no platform $platform (xcb or wayland)" >&2
    exit 2
    ;;
esac
