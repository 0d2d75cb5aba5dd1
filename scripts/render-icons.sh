#!/usr/bin/env bash
# Renders the icon's pixel sizes and a picture of them all (docs/icon-sizes.png). 16 and 24
# come from a simplified drawing whose shapes sit on the pixel grid, the larger sizes from
# the scalable icon. Needs librsvg2-bin and imagemagick. Run after changing either drawing,
# and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
icons=packaging/icons
# The sizes the build installs, as CMakeLists.txt names them.
read -ra sizes < <(sed -n 's/^set(DICEWRIGHT_ICON_SIZES \(.*\))$/\1/p' CMakeLists.txt)
rm -f "$icons"/dicewright-*.png
for size in "${sizes[@]}"; do
    drawing=packaging/dicewright.svg
    [ "$size" -le 24 ] && drawing=$icons/dicewright-small.svg
    rsvg-convert -w "$size" -h "$size" "$drawing" -o "$icons/dicewright-$size.png"
done

# Every size at its own size, on a light and on a dark panel.
panel() {
    # shellcheck disable=SC2046
    convert -background "$1" -bordercolor "$1" $(printf "$icons/dicewright-%s.png " "${sizes[@]}") \
        -border 12 -gravity center +append png:-
}
panel '#eeeeee' >/tmp/dicewright-light.png
panel '#2b2b2b' >/tmp/dicewright-dark.png
convert /tmp/dicewright-light.png /tmp/dicewright-dark.png -append +repage docs/icon-sizes.png
rm /tmp/dicewright-light.png /tmp/dicewright-dark.png
