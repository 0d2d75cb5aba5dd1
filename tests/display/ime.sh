#!/usr/bin/env bash
# Names typed through an input method, as people who write Korean, Chinese or Japanese type
# them: IBus with its Hangul engine, on the run's own session bus, reached by Qt's IBus
# plug-in (QT_IM_MODULE=ibus), which talks to IBus over D-Bus, on X11 and on Wayland alike.
# Each row types keys into the name box and presses OK; the name box then holds the name
# and the seed is the sum of the 16-bit codes of the characters the input method committed,
# and of the keys that reached the box by themselves: a key that only composes counts
# nothing, a BackSpace the input method takes counts nothing, one that reaches the box 8.
#   run-on.sh xcb|wayland ime.sh PROGRAM
set -euo pipefail
program=$1
# shellcheck source=drive.sh
source "$(dirname "$0")/drive.sh"

ok="Uses the keys you typed as the seed and opens the main window"
nameBox="Every key you press here adds to the seed"
seedBox="The seed the next number is drawn from; made from the keys of your name"

# The Hangul engine starts in Hangul, not Latin, mode: its setting, read through GSettings.
export GSETTINGS_BACKEND=keyfile
cat >>"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<'SETTINGS'

[org/freedesktop/ibus/engine/hangul]
initial-input-mode='hangul'
SETTINGS
# IBus at an address of the run's own, which the ibus command and Qt's plug-in both take
# from IBUS_ADDRESS, on Wayland as on X11.
export IBUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/ibus
ibus-daemon --panel=disable --config=/usr/libexec/ibus-memconf --address="$IBUS_ADDRESS" --daemonize
pid=0 # no program yet
# Asked over IBus's own bus, as its panel asks; the ibus command would also set the keyboard
# layout with setxkbmap, which has no X server to talk to on Wayland.
hangul() {
    dbus-send --address="$IBUS_ADDRESS" --print-reply --dest=org.freedesktop.IBus \
        /org/freedesktop/IBus org.freedesktop.IBus.SetGlobalEngine string:hangul >/dev/null 2>&1
}
waitFor 10 "IBus to take the Hangul engine" hangul
echo "$RUN_ON: IBus $(dpkg-query -W -f='${Version}' ibus), ibus-hangul" \
    "$(dpkg-query -W -f='${Version}' ibus-hangul)"
export QT_IM_MODULE=ibus

# What, how OK is pressed, the keys, and the name and seed to come of them. 한 is U+D55C,
# -10916 as a 16-bit code; 글 U+AE00, -20992. g k s compose 한; r m f 글, and r commits 한.
rows=(
    "committed as typed|alt+o|g k s r m f space|한글 |-31876"
    "last syllable composing at Alt+O|alt+o|g k s r m f|한글|-31908"
    "last syllable composing at a click on OK|click|g k s r m f|한글|-31908"
    "Tab at once after the last syllable, OK by Enter|Return|g k s r m f Tab|한글|-31908"
    "corrected with BackSpace while composing|alt+o|g k s BackSpace s r m f|한글|-31908"
    "composed and plain characters, BackSpace to the box|alt+o|g k s 1 2 BackSpace|한1|-10809"
)
failed=0
for row in "${rows[@]}"; do
    IFS='|' read -r what press keys name seed <<<"$row"
    where="$RUN_ON, $what"
    startProgram "$program"
    # shellcheck disable=SC2086 # a word for each key
    pressKeys $keys
    if [ "$press" = click ]; then clickOn "$ok" name; else pressKeys "$press"; fi
    expectKeyboard main
    typed=$(ask --text "$pid" "$nameBox")
    published=$(ask --text "$pid" "$seedBox")
    if [ "$typed" = "$name" ] && [ "$published" = "$seed" ]; then
        echo "$where: the name \"$typed\", the seed $published"
    else
        echo "$where: the name \"$typed\" and the seed $published, not \"$name\" and $seed"
        failed=$((failed + 1))
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "$RUN_ON: $failed of ${#rows[@]} names typed through IBus came out otherwise"
[ "$failed" -eq 0 ]
