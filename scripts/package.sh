#!/usr/bin/env bash
# Builds the Debian package from a stripped Release build and checks it as a user and a
# reviewer would: lintian reports no error or warning; it holds every file a desktop needs;
# its manual page reads without warnings; the program starts from its desktop entry on X11
# (the windows' class matching the entry) and on Wayland (the windows carrying the
# application id). All of that on a copy unpacked into a temporary folder: the machine's own
# packages are left alone.
#
# With --install, and always in CI (CI=true), it also installs the package with apt, checks
# the installed copy the same way and purges it, leaving no file behind. That round trip
# refuses to run where a dicewright package is installed already, since it would replace and
# then remove it.
#   Usage: scripts/package.sh [--install]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=common.sh
source scripts/common.sh
install=false
[ "${1:-}" = --install ] || [ "${CI:-}" = true ] && install=true
if $install && installed dicewright; then
    echo "package.sh: dicewright is installed on this machine; the install check would replace" \
        "and then remove it. Remove it first, or check the unpacked package (no --install)." >&2
    exit 1
fi
scripts/deps.sh test

cmake --preset default -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build --preset default
rm -f build/default/dicewright_*.deb
(cd build/default && cpack >/dev/null)
deb=$(ls build/default/dicewright_*.deb)

echo "== lintian --info --pedantic $deb"
status=0
report=$(lintian --info --pedantic --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v "running with root privileges" <<<"$report" || true
[ "$status" -eq 0 ] || {
    echo "lintian: not clean" >&2
    exit 1
}
echo "lintian: no error, no warning"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unpacked=$work/root
dpkg-deb -x "$deb" "$unpacked"
# shellcheck source=../packaging/dicewright-facts.sh.in
source build/default/dicewright-facts.sh
id=$app_id

# Every file a desktop and a reader look for, under ROOT.
checkFiles() {
    local root=$1 missing=()
    for file in /usr/bin/dicewright "/usr/share/applications/$id.desktop" \
        "/usr/share/metainfo/$id.metainfo.xml" "/usr/share/icons/hicolor/scalable/apps/$id.svg" \
        /usr/share/man/man1/dicewright.1.gz /usr/share/doc/dicewright/copyright \
        /usr/share/doc/dicewright/changelog.gz; do
        [ -f "$root$file" ] || missing+=("$file")
    done
    for size in "${icon_sizes[@]}"; do
        file=/usr/share/icons/hicolor/${size}x$size/apps/$id.png
        [ -f "$root$file" ] || missing+=("$file")
    done
    [ ${#missing[@]} -eq 0 ] || {
        echo "missing from the package: ${missing[*]}" >&2
        return 1
    }
    echo "files: the program, its desktop entry, metainfo, icons, manual page and documents"
}

# The manual page renders without a warning.
checkManual() {
    local warnings
    warnings=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || {
        echo "the manual page: $warnings" >&2
        return 1
    }
    echo "manual page: reads without warnings"
}

# Starts the program with the command line of the desktop entry under ROOT, its program found
# in ROOT's /usr/bin, on X11 and on Wayland.
checkStart() {
    local root=$1 entry=$1/usr/share/applications/$id.desktop
    command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[a-zA-Z]//g')
    wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
    PATH=$root/usr/bin:$PATH
    export command wm_class PATH id

    # X11: the program's window appears and its class is the entry's StartupWMClass.
    # shellcheck disable=SC2016 # expanded by the shell that run-on.sh starts
    tests/display/run-on.sh xcb bash -c '
      $command & pid=$!
      window=$(timeout 10 xdotool search --sync --onlyvisible --class "^$wm_class\$" | head -n 1)
      class=$(xprop -id "$window" WM_CLASS)
      kill $pid
      echo "X11: started from the desktop entry; $class"
      [[ $class == *"\"$wm_class\""* ]]'

    # Wayland: the program's own client gives its window the application id; the protocol
    # as the client speaks it (WAYLAND_DEBUG) shows the request.
    # shellcheck disable=SC2016 # expanded by the shell that run-on.sh starts
    tests/display/run-on.sh wayland bash -c '
      source scripts/common.sh
      log=$(mktemp)
      WAYLAND_DEBUG=client $command 2>"$log" & pid=$!
      asked() { grep -q "xdg_toplevel[@#][0-9]*\.set_app_id(" "$log"; }
      waitFor 10 "the window to be given an application id" asked || true
      app_id=$(grep -o "xdg_toplevel[@#][0-9]*\.set_app_id(\"[^\"]*\")" "$log" | head -n 1 |
          sed "s/.*(\"//; s/\")//")
      kill $pid
      rm -f "$log"
      echo "Wayland: started from the desktop entry; application id ${app_id:-none}"
      [ "$app_id" = "$id" ]'
}

echo "== the package unpacked into $unpacked"
checkFiles "$unpacked"
checkManual "$unpacked/usr/share/man/man1/dicewright.1.gz"
(checkStart "$unpacked")
echo "== figures"
echo ".deb: $(stat -c %s "$deb") bytes; installed: $(dpkg-deb -f "$deb" Installed-Size) KiB"

$install || exit 0
echo "== installed with apt"
aptGet install -y -qq "./$deb" >/dev/null
installed=$(dpkg -L dicewright)
checkFiles ""
man -w dicewright >/dev/null || {
    echo "man does not find the manual page" >&2
    exit 1
}
echo "manual page: found by man"
(checkStart "")
aptGet purge -y -qq dicewright >/dev/null
left=()
while read -r path; do
    [ -f "$path" ] || [ -L "$path" ] && left+=("$path")
done <<<"$installed"
if [ ${#left[@]} -ne 0 ]; then
    echo "left behind after removal: ${left[*]}" >&2
    exit 1
fi
echo "removed: none of its files is left"
