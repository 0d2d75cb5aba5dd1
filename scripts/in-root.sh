#!/usr/bin/env bash
# Runs one of this project's scripts on another Debian release, as on a fresh machine of it:
# makes a minimal root of RELEASE with debootstrap in a temporary folder, binds /proc, /sys and
# /dev (with /dev/pts and /dev/shm) into it, copies a clean clone of this checkout's HEAD in
# and runs the script there, by default the test command, ./scripts/test.sh. The root is
# removed afterwards, whatever happened. Needs root (or sudo) and Debian's package servers;
# installs debootstrap here when missing.
#   Usage: scripts/in-root.sh [RELEASE] [SCRIPT [ARGUMENTS...]]
#     RELEASE  a Debian codename, or "other" (the default): trixie (Debian 13, Qt 6.8) on
#              Debian 12, bookworm (Debian 12, Qt 6.4) elsewhere; forky is Debian testing
#     SCRIPT   a path in the clone, such as scripts/bench.sh
#
# A release newer than this machine's debootstrap knows is made as testing is made (its sid
# script). Where the mirror serves a package index past its Valid-Until date, as it may for
# testing, the root's apt is told not to check that date, and a line says so. Testing is
# allowed to be broken for a while, when a transition leaves a package uninstallable: then
# the packages the tests need are installed first, and if that fails for a reason of the
# release's own, one line names the package and the release counts as not run (status 0).
# The machine itself is left as it was.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=common.sh
source scripts/common.sh
becomeRoot "$@"

release=${1:-other}
[ $# -gt 0 ] && shift
command=("${@:-./scripts/test.sh}")
if [ "$release" = other ]; then
    here=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ "$here" = bookworm ]; then release=trixie; else release=bookworm; fi
fi

if ! command -v debootstrap >/dev/null; then
    aptUpdate
    aptGet install -y -qq --no-install-recommends debootstrap
fi

work=$(mktemp -d "${TMPDIR:-/var/tmp}/dicewright-$release.XXXXXX")
root=$work/root
mounts=(proc sys dev dev/pts dev/shm) # bound in this order, let go in the other

cleanUp() {
    local status=$? process i
    # Whatever the script left running inside the root goes first, or its mounts stay busy.
    for process in /proc/[0-9]*; do
        if [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ]; then
            kill -KILL "${process#/proc/}" 2>/dev/null || true
        fi
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        if mountpoint -q "$root/${mounts[i]}"; then
            umount "$root/${mounts[i]}" || umount -l "$root/${mounts[i]}"
        fi
    done
    # Only what lies in the root itself: nothing bound into it is reached.
    rm -rf --one-file-system "$work"
    echo "in-root.sh: the $release root is removed; ${command[*]} ended with status $status" \
        "after $SECONDS s"
}
trap cleanUp EXIT
trap 'exit 130' INT TERM

scripts=/usr/share/debootstrap/scripts
script=()
if [ ! -e "$scripts/$release" ]; then
    echo "in-root.sh: this debootstrap does not know $release; it is made as testing is (sid)"
    script=(http://deb.debian.org/debian "$scripts/sid")
fi
echo "== debootstrap --variant=minbase $release"
debootstrap --variant=minbase "$release" "$root" "${script[@]}" >"$work/debootstrap.log" 2>&1 ||
    {
        tail -20 "$work/debootstrap.log" >&2
        exit 1
    }

# The field $1 of the release's own Release file, as debootstrap fetched it.
releaseField() {
    local file
    for file in "$root"/var/lib/apt/lists/*_InRelease "$root"/var/lib/apt/lists/*_Release; do
        [ -f "$file" ] && sed -n "s/^$1: //p" "$file" | head -n 1 && return
    done
    return 0
}
validUntil=$(releaseField Valid-Until)
if [ -n "$validUntil" ] && [ "$(date -d "$validUntil" +%s)" -lt "$(date +%s)" ]; then
    echo "in-root.sh: $release's package index was valid until $validUntil; the mirror still" \
        "serves it, so apt in the root does not check that date (Acquire::Check-Valid-Until)"
    echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99valid-until"
fi
suite=$(releaseField Suite)
for mount in "${mounts[@]}"; do
    mount --bind "/$mount" "$root/$mount"
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

git clone --quiet --no-local . "$root/work/dicewright"
inRoot() {
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 CI="${CI:-}" DISPLAY_TEST_TIMEOUT="${DISPLAY_TEST_TIMEOUT:-}" \
        /bin/bash -c 'cd /work/dicewright && exec "$@"' in-root "$@"
}

if [ "$suite" = testing ] || [ "$suite" = unstable ]; then
    echo "== scripts/deps.sh test on $release ($suite)"
    if ! inRoot scripts/deps.sh test 2>&1 | tee "$work/deps.log"; then
        # apt names what it cannot install in one of these ways.
        broken=$(grep -oE "^ ?[a-z0-9][a-z0-9.+-]* : Depends: [^ ]+|Unable to locate package [^ ]+|Package [^ ]+ has no installation candidate|[^ ]+ : Breaks: [^ ]+" \
            "$work/deps.log" | head -n 1 | sed 's/^ *//')
        if [ -n "$broken" ]; then
            echo "in-root.sh: $release not run: $suite cannot install a package the tests need" \
                "($broken)"
            exit 0
        fi
        exit 1
    fi
fi
echo "== ${command[*]} on $release, at $(git rev-parse --short HEAD)"
inRoot "${command[@]}"
