#!/usr/bin/env bash
# The Windows desktop the Windows build's tests run in, under Wine: started before the first
# test and stopped after the last by CTest's fixture wine_desktop. It is an Xvfb of its own
# with Wine's virtual desktop on it, so that Wine itself places, activates and decorates the
# windows, as Windows does, with no window manager of Linux's in between; and a Wine prefix in
# FOLDER, made on first use (without Wine's Mono and Gecko, which Dicewright does not use),
# where a crash prints its backtrace instead of opening a dialog that nobody closes. The
# prefix's fonts folder holds Wine's own fonts (Tahoma, Marlett for the caption buttons ...),
# as a Windows system has its own: Debian's Wine finds them nowhere else.
#   desktop.sh start|stop FOLDER
set -euo pipefail
action=$1
folder=$2
export WINEPREFIX=$folder/prefix WINEDEBUG=-all WINEARCH=win64
# shellcheck source=../../scripts/common.sh
source "$(dirname "$0")/../../scripts/common.sh"

stop() {
    if [ -s "$folder/display" ]; then
        DISPLAY=:$(cat "$folder/display") wineserver -k 2>/dev/null || true
    fi
    if [ -s "$folder/xvfb.pid" ]; then
        kill "$(cat "$folder/xvfb.pid")" 2>/dev/null || true
    fi
    rm -f "$folder/display" "$folder/xvfb.pid"
}

case $action in
stop)
    stop
    echo "desktop.sh: the Wine desktop in $folder is stopped"
    ;;
start)
    mkdir -p "$folder"
    stop # what an interrupted run left
    # Detached, so that it outlives this fixture; it says its display number once it is ready.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$folder/display.new" </dev/null >"$folder/xvfb.log" 2>&1 &
    echo $! >"$folder/xvfb.pid"
    waitFor 10 "Xvfb to say its display" test -s "$folder/display.new" ||
        {
            cat "$folder/xvfb.log" >&2
            exit 1
        }
    mv "$folder/display.new" "$folder/display"
    DISPLAY=:$(cat "$folder/display")
    export DISPLAY
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "desktop.sh: making the Wine prefix $WINEPREFIX"
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init 2>"$folder/wineboot.log" ||
            {
                cat "$folder/wineboot.log" >&2
                exit 1
            }
        ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    wine regedit /S "$(winepath -w "$(dirname "$0")/settings.reg")"
    wineserver -w # the settings are written
    echo "desktop.sh: the Wine desktop is up on $DISPLAY, $(wine --version)"
    ;;
*)
    echo "usage: desktop.sh start|stop FOLDER" >&2
    exit 2
    ;;
esac
