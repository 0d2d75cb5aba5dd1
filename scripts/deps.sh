#!/usr/bin/env bash
# Installs the Debian packages Dicewright needs, when any is missing. Works as root or through
# sudo, on Debian 12 and 13 and on any release that has these packages under these names.
#   Usage: scripts/deps.sh [run|test|windows]
#     run      what building and running the program need (the default)
#     test     that, and what the tests, the benchmark and the package check need
#     windows  what the Windows build needs (scripts/windows.sh): the cross-compiler, the
#              host's Qt tools for Qt's own build, Wine for the tests, NSIS for the installer
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

run_packages=(
    g++ cmake make ninja-build pkg-config # toolchain (make for a plain CMake build)
    qt6-base-dev libgl-dev                # Qt 6 Widgets
    qt6-qpa-plugins qt6-wayland           # window system plugins, X11 and Wayland
)
test_packages=(
    clang libclang-rt-dev                 # the sanitizer build and the fuzz target
    fonts-dejavu-core                     # a font for windows drawn offscreen
    desktop-file-utils appstream dpkg-dev # checking and packaging the desktop files
    xvfb xauth openbox weston             # real display servers for the window tests
    mutter                                # GNOME's own, on Wayland and as an X11 window manager
    kwin-x11 kwin-wayland                 # KDE Plasma's, on X11 and as a Wayland compositor
    dbus-daemon dbus-bin at-spi2-core     # their D-Bus session and accessibility bus
    xdotool x11-utils                     # driving the program from outside, finding its windows
    python3-gi                            # typing into mutter's Wayland (tests/display/keyboard.py)
    python3-pyatspi                       # asking it what it shows, as a screen reader would
    ibus ibus-hangul                      # typing names through an input method (tests/display/ime.sh)
    gdb                                   # backtraces of a display test that hangs
    clang-format shfmt shellcheck         # the format check (scripts/check-format.sh)
    imagemagick                           # the screenshots (scripts/screenshots.sh)
    lintian man-db                        # checking the package and its manual page
)
windows_packages=(
    cmake ninja-build dpkg-dev                 # building; dpkg-source unpacks Qt's Debian source
    g++-mingw-w64-x86-64-posix mingw-w64-tools # the compiler, with the POSIX threads Qt needs
    qt6-base-dev-tools                         # moc, rcc and uic, which Qt's and Dicewright's builds run
    icoutils                                   # the program's .ico (icotool)
    nsis                                       # the installer
    wine wine64 fonts-wine                     # running the tests, the zip and the installer
    fonts-dejavu-core                          # a font for windows drawn offscreen there too
    xvfb xdotool unzip                         # the display they run on, keys typed into it, the zip
)

# Where the release has them: Plasma 6 (Debian 13) starts its global shortcuts daemon, which
# kwin's keys need, apart from kwin; Plasma 5's comes with kwin.
optional_test_packages=(kglobalacceld)

packages=("${run_packages[@]}")
optional=()
case "${1:-run}" in
run) ;;
test)
    packages+=("${test_packages[@]}")
    optional=("${optional_test_packages[@]}")
    ;;
windows) packages=("${windows_packages[@]}") ;;
*)
    echo "usage: scripts/deps.sh [run|test|windows]" >&2
    exit 2
    ;;
esac

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

echo "Installing: ${missing[*]}"
aptUpdate
addOptional # the package lists may not have known them before
aptGet install -y -qq --no-install-recommends "${missing[@]}"
