#!/usr/bin/env bash
# Runs the test command (scripts/test.sh) on another Debian release, as on a fresh machine of
# it: makes a minimal root of RELEASE with debootstrap in a temporary folder, binds /proc,
# /sys and /dev (with /dev/pts and /dev/shm) into it, copies a clean clone of this checkout's
# HEAD in and runs ./scripts/test.sh there. The root is removed afterwards, whatever happened.
# Needs root (or sudo) and Debian's package servers; installs debootstrap here when missing.
#   Usage: scripts/test-in-root.sh [RELEASE]
#     RELEASE  a Debian codename; by default the other of bookworm (Debian 12, Qt 6.4) and
#              trixie (Debian 13, Qt 6.8): trixie on Debian 12, bookworm on Debian 13.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=CI,DISPLAY_TEST_TIMEOUT "$0" "$@"
fi

here_release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if [ -n "${1:-}" ]; then
    release=$1
elif [ "$here_release" = trixie ]; then
    release=bookworm
else
    release=trixie
fi

if ! command -v debootstrap >/dev/null; then
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends debootstrap
fi

work=$(mktemp -d "${TMPDIR:-/var/tmp}/dicewright-$release.XXXXXX")
root=$work/root
mounts=(proc sys dev dev/pts dev/shm) # bound in this order, let go in the other

cleanUp() {
    local status=$? pid i
    # Whatever the tests left running inside the root goes first, or its mounts stay busy.
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        mountpoint -q "$root/${mounts[i]}" && { umount "$root/${mounts[i]}" || umount -l "$root/${mounts[i]}"; }
    done
    # Only what lies in the root itself: nothing bound into it is left to reach.
    rm -rf --one-file-system "$work"
    echo "test-in-root.sh: $release root removed; status $status"
}
trap cleanUp EXIT
trap 'exit 130' INT TERM

echo "== debootstrap --variant=minbase $release"
debootstrap --variant=minbase "$release" "$root" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log" >&2; exit 1; }
for mount in "${mounts[@]}"; do
    mount --bind "/$mount" "$root/$mount"
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

git clone --quiet --no-local . "$root/work/dicewright"
echo "== scripts/test.sh on $release, $(git rev-parse --short HEAD)"
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 CI="${CI:-}" DISPLAY_TEST_TIMEOUT="${DISPLAY_TEST_TIMEOUT:-}" \
    /bin/bash -c 'cd /work/dicewright && ./scripts/test.sh'
