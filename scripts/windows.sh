#!/usr/bin/env bash
# Builds Dicewright for 64-bit Windows on Debian 12, as root or with sudo: installs what is
# missing (scripts/deps.sh windows); builds the Qt it links from Debian's own source, once,
# into a cache outside the checkout (scripts/windows-qt.sh); cross-builds Dicewright in the
# windows preset and runs its tests under Wine; packs the installer and the zip; and checks both
# as a person on Windows meets them (scripts/windows-check.sh). The last lines it prints are the
# paths of the installer and the zip, with their sizes.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
took() { echo "windows.sh: $1 took $((SECONDS - $2)) s"; }

scripts/deps.sh windows
step=$SECONDS
DICEWRIGHT_QT_WINDOWS=$(scripts/windows-qt.sh)
export DICEWRIGHT_QT_WINDOWS
took "Qt for Windows" "$step"

step=$SECONDS
cmake --preset windows >/dev/null
cmake --build --preset windows
took "the build" "$step"
step=$SECONDS
ctest --preset windows
took "the tests under Wine" "$step"

step=$SECONDS
build=build/windows
# shellcheck source=../packaging/dicewright-facts.sh.in
source "$build/dicewright-facts.sh"
packages=("$build/dicewright-$version-windows-x64.exe" "$build/dicewright-$version-windows-x64.zip")
rm -f "${packages[@]}"
(cd "$build" && cpack >/dev/null)
scripts/windows-check.sh "$build"
took "packing and the package checks" "$step"

echo "windows.sh: done in $((SECONDS - start)) s"
for file in "${packages[@]}"; do
    echo "$(realpath "$file"): $(stat -c %s "$file") bytes"
done
