#!/usr/bin/env bash
# Builds the Debian package from a stripped Release build and checks it as a user and a
# reviewer would: lintian reports no error or warning; it installs with apt; the manual page
# is found; the program starts from its desktop entry on X11 (the windows' class matching the
# entry) and on Wayland (the windows carrying the application id); removing it leaves no file.
#   Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

cmake --preset default -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build --preset default
rm -f build/default/dicewright_*.deb
(cd build/default && cpack >/dev/null)
deb=$(ls build/default/dicewright_*.deb)

echo "== lintian --info --pedantic $deb"
status=0
report=$(lintian --info --pedantic --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v "running with root privileges" <<<"$report" || true
[ "$status" -eq 0 ] || { echo "lintian: not clean" >&2; exit 1; }
echo "lintian: no error, no warning"

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "./$deb" >/dev/null
installed=$(dpkg -L dicewright)
man -w dicewright >/dev/null || { echo "the manual page is not found" >&2; exit 1; }

# The command line of the desktop entry, without its field codes.
entry=/usr/share/applications/io.dicewright.Dicewright.desktop
command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[a-zA-Z]//g')
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
log=$(mktemp)
trap 'rm -f "$log"' EXIT
export command wm_class log

# X11: the program's window appears and its class is the entry's StartupWMClass.
tests/display/run-on.sh xcb bash -c '
  $command & pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --class "^$wm_class\$" | head -n 1)
  class=$(xprop -id "$window" WM_CLASS)
  kill $pid
  echo "X11: started from the desktop entry; $class"
  [[ $class == *"\"$wm_class\""* ]]'

# Wayland: the window is given the application id.
tests/display/run-on.sh wayland bash -c '
  status=0
  WAYLAND_DEBUG=1 timeout 3 $command 2>"$log" || status=$?
  [ "$status" -eq 124 ] || { echo "the program stopped with status $status" >&2; exit 1; }
  app_id=$(grep -o "set_app_id(\"[^\"]*\")" "$log" | head -n 1)
  echo "Wayland: started from the desktop entry; $app_id"
  [ "$app_id" = "set_app_id(\"io.dicewright.Dicewright\")" ]'

echo "== figures"
echo ".deb: $(stat -c %s "$deb") bytes; installed: $(dpkg-query -W -f='${Installed-Size}' dicewright) KiB"

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq dicewright >/dev/null
left=()
while read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && left+=("$path")
done <<<"$installed"
if [ ${#left[@]} -ne 0 ]; then
  echo "left behind after removal: ${left[*]}" >&2
  exit 1
fi
echo "removed: none of its files is left"
