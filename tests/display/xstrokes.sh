# shellcheck shell=bash
# xStrokes COMBINATION...: presses alt+o, a, Return ... on an X server, through the caller's
# xdo (xdotool on the right display), or xdotool on $DISPLAY.
#
# Keys go in as a hand presses them: each held a tenth of a second, let go the other way
# round from the order it was pressed in, and a pause after it. xdotool's own key and type
# commands hold a key for a fraction of their delay and let a combination go in the order it
# was pressed, so on X its chain is spelled out; keyboard.py and kwin-keys.py hold and pause
# the same.
declare -F xdo >/dev/null || xdo() { xdotool "$@"; }

xStrokes() {
    local chain=() combination keys i
    for combination in "$@"; do
        IFS=+ read -ra keys <<<"$combination"
        for ((i = 0; i < ${#keys[@]}; i++)); do chain+=(keydown "${keys[i]}"); done
        chain+=(sleep 0.1)
        for ((i = ${#keys[@]} - 1; i >= 0; i--)); do chain+=(keyup "${keys[i]}"); done
        chain+=(sleep 0.05)
    done
    xdo "${chain[@]}"
}
