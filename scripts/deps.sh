#!/usr/bin/env bash
# Installs the Debian packages Dicewright needs, when any is missing. Works as root or through
# sudo, on Debian 12 and 13 and on any release that has these packages under these names.
#   Usage: scripts/deps.sh [run|test|windows]
#     run      what building and running the program need (the default)
#     test     that, and what the tests, the benchmark and the package check need
#     windows  what the Windows build needs (scripts/windows.sh): the cross-compiler, the
#              host's Qt tools for Qt's own build, Wine for the tests, NSIS for the installer
set -euo pipefail

run_packages=(
  g++ cmake make ninja-build pkg-config  # toolchain (make for a plain CMake build)
  qt6-base-dev libgl-dev             # Qt 6 Widgets
  qt6-qpa-plugins qt6-wayland        # window system plugins, X11 and Wayland
)
test_packages=(
  clang libclang-rt-dev              # the sanitizer build and the fuzz target: the clang
                                     # runtime that goes with the release's clang
  fonts-dejavu-core                  # a font for windows drawn offscreen
  desktop-file-utils appstream dpkg-dev  # checking and packaging the desktop files
  xvfb xauth openbox weston          # real display servers for the window tests
  mutter                             # GNOME's own, on Wayland and as an X11 window manager
  kwin-x11 kwin-wayland              # KDE Plasma's, on X11 and as a Wayland compositor
  dbus-daemon dbus-bin at-spi2-core  # their D-Bus session and accessibility bus
  xdotool x11-utils                  # driving the program from outside, finding its windows
  python3-gi                         # typing into mutter's Wayland (tests/display/keyboard.py)
  python3-pyatspi                    # asking it what it shows, as a screen reader would
  ibus ibus-hangul                    # typing names through an input method (tests/display/ime.sh)
  gdb                                # backtraces of a display test that hangs
  clang-format                       # the format check (scripts/check-format.sh)
  imagemagick                        # the screenshots (scripts/screenshots.sh)
  lintian man-db                     # checking the package and its manual page
)
windows_packages=(
  cmake ninja-build dpkg-dev          # building; dpkg-source unpacks Qt's Debian source
  g++-mingw-w64-x86-64-posix mingw-w64-tools  # the compiler, with the POSIX threads Qt needs
  qt6-base-dev-tools                 # moc, rcc and uic, which Qt's and Dicewright's builds run
  icoutils                           # the program's .ico (icotool)
  nsis                               # the installer
  wine wine64 fonts-wine             # running the tests, the zip and the installer
  fonts-dejavu-core                  # a font for windows drawn offscreen there too
  xvfb xdotool unzip                 # the display they run on, keys typed into it, the zip
)

# Where the release has them: Plasma 6 (Debian 13) starts its global shortcuts daemon, which
# kwin's keys need, apart from kwin; Plasma 5's comes with kwin.
optional_test_packages=(kglobalacceld)

packages=("${run_packages[@]}")
optional=()
case "${1:-run}" in
  run) ;;
  test) packages+=("${test_packages[@]}"); optional=("${optional_test_packages[@]}") ;;
  windows) packages=("${windows_packages[@]}") ;;
  *) echo "usage: scripts/deps.sh [run|test|windows]" >&2; exit 2 ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
known() { [ -n "$(apt-cache policy "$1" 2>/dev/null | grep Candidate: | grep -v none)" ]; }
# Adds the optional packages the release has and the machine lacks.
addOptional() {
  for package in "${optional[@]}"; do
    if known "$package" && ! installed "$package" && [[ " ${missing[*]} " != *" $package "* ]]; then
      missing+=("$package")
    fi
  done
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
addOptional
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
# At a machine's first boot another apt may hold the package lock: wait for it, ten minutes
# at most. apt-get install waits by itself; apt-get update gives up at once on the lock of its
# lists, so it is tried again while another apt holds that.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
echo "Installing: ${missing[*]}"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for attempt in $(seq 120); do
  "${as_root[@]}" apt-get "${wait_for_lock[@]}" update -qq 2>"$errors" && break
  if ! grep -q "Could not get lock" "$errors" || [ "$attempt" -eq 120 ]; then
    cat "$errors" >&2
    exit 1
  fi
  [ "$attempt" -eq 1 ] && echo "Waiting for another apt to let go of the package lists"
  sleep 5
done
cat "$errors" >&2
addOptional # the package lists may not have known them before
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get "${wait_for_lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
