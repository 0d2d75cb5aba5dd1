# shellcheck shell=bash
# waitFor CONDITION: evaluates the condition in the calling shell, every twentieth of a
# second, until it holds (status 0) or ten seconds have gone (status 1, and a line saying so).
waitFor() {
    for _ in $(seq 200); do
        if eval "$1"; then return 0; fi
        sleep 0.05
    done
    echo "$(basename "$0"): gave up waiting for: $1" >&2
    return 1
}
