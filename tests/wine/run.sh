#!/usr/bin/env bash
# CTest's emulator in the Windows build: runs a program of the build under Wine, in the Wine
# prefix and on the display that the wine_desktop fixture started (desktop.sh), with the DLLs
# of Qt and of MinGW's runtime found where they lie (DICEWRIGHT_WINE_DLL_DIRS, a list of this
# machine's folders as PATH has them, which Wine sees on its drive Z:).
# Wine's own messages stay out of the test's output.
#   run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
desktop=${DICEWRIGHT_WINE_DESKTOP:?the folder of the wine_desktop fixture}
if [ ! -s "$desktop/display" ]; then
    echo "run.sh: no Wine desktop in $desktop; the fixture wine_desktop_start starts it" >&2
    exit 1
fi
export WINEPREFIX=$desktop/prefix WINEDEBUG=${WINEDEBUG:--all} WINEARCH=win64
dirs=${DICEWRIGHT_WINE_DLL_DIRS:-}
WINEPATH=$(sed 's|:/|;Z:/|g; s|^/|Z:/|; s|/|\\|g' <<<"$dirs")
export WINEPATH
# Wine keeps this machine's QT_ variables from Windows programs, since they name Linux's
# plugins and paths; those the test sets are meant for the program, and reach it as Wine
# hands them over, named WINEQT_. Qt's messages and Qt Test's report go to the standard
# output and error, not to a debugger the program looks for first.
export QT_FORCE_STDERR_LOGGING=1
for name in $(compgen -e); do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done
DISPLAY=:$(cat "$desktop/display")
export DISPLAY
exec wine "$@"
