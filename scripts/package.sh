#!/usr/bin/env bash
# Builds the Debian package, installs it and starts the installed program for a moment under
# a virtual display.   Usage: scripts/package.sh   (installs xvfb and xauth when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build --preset default
(cd build/default && cpack)
deb=$(ls build/default/dicewright_*.deb)
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" xvfb xauth
# Still running after three seconds means it started; timeout then ends it (status 124).
status=0
xvfb-run -a timeout 3 /usr/bin/dicewright || status=$?
if [ "$status" -eq 124 ]; then
  echo "installed $deb; /usr/bin/dicewright started"
else
  echo "the installed program stopped with status $status" >&2
  exit 1
fi
