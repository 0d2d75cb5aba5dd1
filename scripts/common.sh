# shellcheck shell=bash
# What the project's scripts share: waiting for a state, doing a thing as root, and apt.
# Sourced, never run.

# waitFor SECONDS WHAT COMMAND [ARGUMENTS...]: runs the command, a program or a function,
# every twentieth of a second until it succeeds, or SECONDS have gone by the clock however
# long each try takes; then it tries once more. Fails with a line on the standard error that
# says how long it waited for WHAT.
waitFor() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((${EPOCHREALTIME/./} + seconds * 1000000))
    while [ "${EPOCHREALTIME/./}" -lt "$deadline" ]; do
        "$@" && return 0
        sleep 0.05
    done
    "$@" && return 0
    echo "$(basename "$0"): gave up after $seconds s waiting for $what" >&2
    return 1
}

# asRoot COMMAND [ARGUMENTS...]: runs it as root, through sudo where this is not root.
asRoot() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# becomeRoot "$@", early in a script that does all its work as root: where this is not root,
# runs the script again through sudo, with the same arguments and CI's settings.
becomeRoot() {
    [ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI,DISPLAY_TEST_TIMEOUT "$0" "$@"
}

# Whether a Debian package is installed, and whether the package lists know it.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
known() { apt-cache policy "$1" 2>/dev/null | grep Candidate: | grep -vq none; }

# aptGet ARGUMENTS...: apt-get as root, asking nothing, and waiting, ten minutes at most, for
# another apt that holds the package lock, as one may at a machine's first boot.
aptGet() {
    asRoot env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# aptUpdate: updates the package lists. apt-get update gives up at once on the lock of its
# lists, unlike apt-get install, so it is tried again while another apt holds that lock, ten
# minutes at most.
aptUpdate() {
    local errors status
    errors=$(mktemp)
    for attempt in $(seq 120); do
        status=0
        aptGet update -qq 2>"$errors" || status=$?
        if [ "$status" -eq 0 ] || ! grep -q "Could not get lock" "$errors" ||
            [ "$attempt" -eq 120 ]; then
            cat "$errors" >&2
            rm -f "$errors"
            return "$status"
        fi
        [ "$attempt" -eq 1 ] && echo "Waiting for another apt to let go of the package lists" >&2
        sleep 5
    done
}
