#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Dicewright need, when any
# is missing. Works as root or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config   # toolchain
  clang libclang-rt-14-dev           # the sanitizer build and the fuzz target
  qt6-base-dev libgl-dev             # Qt 6 Widgets and Test
  qt6-qpa-plugins qt6-wayland        # window system plugins, X11 and Wayland
  fonts-dejavu-core                  # a font for windows drawn offscreen
  desktop-file-utils appstream dpkg-dev  # checking and packaging the desktop files
  xvfb xauth openbox weston          # real display servers for the window tests
  dbus-daemon dbus-bin at-spi2-core  # their D-Bus session and accessibility bus
  xdotool x11-utils                  # driving the program from outside, finding its windows
  python3-pyatspi                    # asking it what it shows, as a screen reader would
  gdb                                # backtraces of a display test that hangs
  imagemagick                        # the screenshots (scripts/screenshots.sh)
  lintian man-db                     # checking the package and its manual page
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
