#!/usr/bin/env bash
# Checks the Windows packages as a person on Windows meets them, under Wine, in a Wine prefix
# made afresh for the check, with Wine's virtual desktop on an Xvfb of its own
# (tests/wine/desktop.sh):
# - the zip holds exactly the DLLs that dicewright.exe and its plugins import, beside Windows'
#   own; unpacked into an empty folder, with nothing else on the DLL search path, the program
#   starts, OK takes the name typed ("ab") to the main window, and Exit, Alt+F4 and the close
#   box each end it with status 0;
# - the installer, run silently for the current user and for all users, puts the program, its
#   Start-menu entry and its entry in Apps & features where each belongs; the uninstaller, run
#   silently as that entry says, leaves none of its files, folders or entries behind once
#   Windows has started again (NSIS's uninstaller runs from a copy of itself in the user's
#   temporary folder, which it asks Windows to delete at the next start). The one thing that
#   stays is that copy's empty folder, which Wine does not remove.
# What it acts on it asks of Windows' window system through wintool.exe (which windows the
# program has, which one is in front, where a close box is); keys and clicks go in through the
# X server as a hand gives them, each held a tenth of a second.
#   Usage: scripts/windows-check.sh BUILD   (the windows preset's folder, after cpack)
set -euo pipefail
build=$(realpath "$1")
cd "$(dirname "$0")/.."
# shellcheck source=../packaging/dicewright-facts.sh.in
source "$build/dicewright-facts.sh"
zip=$build/dicewright-$version-windows-x64.zip
installer=$build/dicewright-$version-windows-x64.exe
wintool=$build/wintool.exe
# shellcheck source=common.sh
source scripts/common.sh
# shellcheck source=../tests/display/xstrokes.sh
source tests/display/xstrokes.sh

work=$(mktemp -d)
desktop=$work/desktop
cleanUp() {
    tests/wine/desktop.sh stop "$desktop" >/dev/null || true
    rm -rf "$work"
}
trap cleanUp EXIT
tests/wine/desktop.sh start "$desktop" >/dev/null
export WINEPREFIX=$desktop/prefix WINEDEBUG=-all WINEARCH=win64
DISPLAY=:$(cat "$desktop/display")
export DISPLAY
unset WINEPATH
xdo mousemove 0 0 # out of the way; the keys go to the desktop's one X window

# The program's windows as Windows tells of them, a line each: which window (name or main:
# the name window is over twice as wide as it is tall), "front" or "behind", and its handle.
programWindows() {
    wine "$wintool" windows dicewright.exe 2>/dev/null | tr -d '\r' |
        awk '{ print ($5 - $3 > 2 * ($6 - $4) ? "name" : "main"), $2, $1 }' || true
}
inFront() { programWindows | grep -q "^$1 front "; }
mainAlone() { inFront main && ! programWindows | grep -q "^name "; }

# -- The zip --------------------------------------------------------------------------------
unzip -q "$zip" -d "$work/unpacked"
folder=$(echo "$work"/unpacked/*)

# Every DLL the program or a plugin imports, and what those import, is in the folder or is
# Windows' own (one of Wine's, or an API set, api-ms-*, which Windows resolves itself); every
# DLL in the folder is one of them.
lowerCase() { tr '[:upper:]' '[:lower:]'; }
imports() { x86_64-w64-mingw32-objdump -p "$@" | sed -n 's/^\s*DLL Name: //p' | lowerCase; }
names() { find "$@" -maxdepth 1 -name '*.dll' -printf '%f\n' | lowerCase | sort; }
shipped=$(names "$folder")
needed=$(imports "$folder/dicewright.exe" "$folder"/platforms/*.dll "$folder"/styles/*.dll | sort -u)
while :; do
    more=$(comm -12 <(echo "$shipped") <(echo "$needed") | while read -r dll; do
        imports "$(find "$folder" -maxdepth 1 -iname "$dll")"
    done | sort -u)
    grown=$(sort -u <(echo "$needed") <(echo "$more"))
    [ "$grown" = "$needed" ] && break
    needed=$grown
done
windows_own=$(names /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
missing=$(comm -23 <(echo "$needed") <(sort -u <(echo "$shipped") <(echo "$windows_own")) |
    grep -v '^api-ms-' || true)
extra=$(comm -23 <(echo "$shipped") <(echo "$needed"))
if [ -n "$missing$extra" ]; then
    echo "windows-check.sh: the zip lacks: ${missing:-nothing}; it has what nothing loads:" \
        "${extra:-nothing}" >&2
    exit 1
fi
echo "zip: $(echo "$shipped" | wc -l) DLLs and $(names "$folder"/platforms "$folder"/styles | wc -l)" \
    "plugins, each one loaded; every other DLL is Windows' own"

# Runs COMMAND, the program, as a person uses it: "ab" in the name window, OK, Get Number in
# the main window; then takes the way out WAY (Exit, Alt+F4 or the close box) and checks the
# program ends with status 0.
ended() { ! kill -0 "$pid" 2>/dev/null; }
useAndLeave() {
    local way=$1 handle across down status=0
    shift
    "$@" &
    pid=$!
    if waitFor 10 "$where: the name window in front" inFront name && xStrokes a b alt+o &&
        waitFor 10 "$where: the main window alone" mainAlone && xStrokes alt+g; then
        case $way in
        Exit) xStrokes alt+e ;;
        Alt+F4) xStrokes alt+F4 ;;
        *)
            handle=$(programWindows | awk '$1 == "main" { print $3 }')
            read -r across down < <(wine "$wintool" closebox "$handle" 2>/dev/null | tr -d '\r')
            xdo mousemove "$across" "$down" mousedown 1 sleep 0.1 mouseup 1
            ;;
        esac
        if waitFor 10 "$where: the program to end after $way" ended; then
            wait "$pid" || status=$?
            [ "$status" -eq 0 ] && return 0
            echo "${where:-}: ended with status $status after $way" >&2
        fi
    fi
    kill "$pid" 2>/dev/null || true
    wineserver -k
    wait "$pid" 2>/dev/null || true
    return 1
}

failed=0
for way in Exit Alt+F4 "the close box"; do
    where="zip, $way"
    # shellcheck disable=SC2016 # the folder is the started shell's $1
    if useAndLeave "$way" bash -c 'cd "$1" && exec wine ./dicewright.exe' - "$folder"; then
        echo "zip: started from an empty folder; \"ab\", OK, Get Number; $way ended it with" \
            "status 0"
    else
        failed=$((failed + 1))
    fi
done
[ "$failed" -eq 0 ] || exit 1

# -- The installer --------------------------------------------------------------------------
key="HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id"
drive=$WINEPREFIX/drive_c
registry() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"; }
everything() { (cd "$drive" && find . | sort); }
for mode in CurrentUser AllUsers; do
    case $mode in
    CurrentUser)
        hive=HKEY_CURRENT_USER
        folder="$drive/users/root/AppData/Local/Programs/Dicewright"
        shortcut="$drive/users/root/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Dicewright.lnk"
        ;;
    AllUsers)
        hive=HKEY_LOCAL_MACHINE
        folder="$drive/Program Files/Dicewright"
        shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Dicewright.lnk"
        ;;
    esac
    entry=${key/HKEY_CURRENT_USER/$hive}
    wineserver -w
    before=$(everything)
    wine "$installer" /S "/$mode"
    wineserver -w # the installer and everything it started have ended
    for file in "$folder/dicewright.exe" "$folder/Qt6Core.dll" "$folder/platforms/qwindows.dll" \
        "$folder/Uninstall.exe" "$shortcut"; do
        [ -f "$file" ] || {
            echo "installer, $mode: no ${file#"$drive/"}" >&2
            exit 1
        }
    done
    uninstall=$(registry "$entry" QuietUninstallString)
    name=$(registry "$entry" DisplayName)
    if [ -z "$uninstall" ] || [ "$name" != Dicewright ]; then
        echo "installer, $mode: no entry in Apps & features ($entry)" >&2
        exit 1
    fi
    echo "installer, $mode: the program in ${folder#"$drive/"}, its Start-menu entry," \
        "and \"$name\" in Apps & features"
    where="installer, $mode"
    useAndLeave Exit wine start /wait /unix "$shortcut" || exit 1
    echo "installer, $mode: started from its Start-menu entry; Exit ended it with status 0"
    program=${uninstall#\"}
    program=${program%%\"*}
    read -ra arguments <<<"${uninstall#\""$program"\"}"
    wine "$program" "${arguments[@]}"
    wineserver -w # the uninstaller runs from a copy of itself, which ends last
    # It asked Windows to delete that copy when it next starts.
    wineboot --restart
    wineserver -w
    left=$(comm -13 <(echo "$before") <(everything))
    temp=$(grep -E '^\./users/root/Temp/~nsu[^/]*\.tmp$' <<<"$left" || true)
    left=$(grep -vxF "${temp:-none}" <<<"$left" || true)
    for dir in $temp; do
        [ -z "$(ls -A "$drive/$dir")" ] || left+=" $dir (not empty)"
    done
    if [ -n "$left" ] || [ -n "$(registry "$entry" DisplayName)" ]; then
        echo "installer, $mode: left behind: ${left:-its entry in Apps & features}" >&2
        exit 1
    fi
    kept=
    [ -z "$temp" ] || kept=", but the uninstaller's empty working folder ${temp#./}"
    echo "installer, $mode: removed by $uninstall; no file, folder or entry left$kept"
done
