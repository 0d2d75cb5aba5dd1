#!/usr/bin/env bash
# Renders the windows' icon sizes from the scalable icon, so the program needs no SVG
# support at run time. Needs imagemagick. Run after changing the SVG, and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/../packaging"
for size in 16 32 48 96; do
  convert -background none -density $((96 * size / 48)) io.dicewright.Dicewright.svg \
    -resize "${size}x${size}" -depth 8 "icons/dicewright-$size.png"
done
