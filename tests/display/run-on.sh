#!/usr/bin/env bash
# Runs one test program on a real display server, started for it and stopped after it:
#   run-on.sh xcb|wayland PROGRAM [ARGUMENTS...]
# xcb: a virtual X server (Xvfb) with openbox as window manager.
# wayland: weston with its desktop shell, drawing into a virtual X server of its own. Weston's
# headless backend has no keyboard or pointer, so it would never activate a window; its X11
# backend gives it both, and still needs no screen.
set -euo pipefail
platform=$1
shift

work=$(mktemp -d)
pids=()
stop() { # weston now and then hangs on its way out, so it gets two seconds
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for _ in $(seq 40); do
        alive=0
        for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
        [ "$alive" -eq 0 ] && break
        sleep 0.05
    done
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap stop EXIT

waitFor() { # a condition, checked for up to ten seconds
    for _ in $(seq 200); do
        if eval "$1"; then return 0; fi
        sleep 0.05
    done
    echo "run-on.sh: gave up waiting for: $1" >&2
    cat "$work"/*.log >&2 2>/dev/null || true
    exit 1
}

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Xvfb chooses a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
waitFor '[ -s "$work/display" ]'
display=":$(head -n 1 "$work/display")"

status=0
case $platform in
xcb)
    DISPLAY=$display openbox --sm-disable --startup "touch $work/wm-ready" \
        >"$work/openbox.log" 2>&1 &
    pids+=($!)
    waitFor '[ -e "$work/wm-ready" ]'
    env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@" || status=$?
    ;;
wayland)
    DISPLAY=$display weston --backend=x11-backend.so --socket=wayland-test --idle-time=0 \
        --width=1200 --height=960 >"$work/weston.log" 2>&1 &
    pids+=($!)
    waitFor '[ -S "$XDG_RUNTIME_DIR/wayland-test" ]'
    env -u DISPLAY WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland "$@" || status=$?
    ;;
*)
    echo "run-on.sh: no platform $platform (xcb or wayland)" >&2
    exit 2
    ;;
esac
exit "$status"
