# shellcheck shell=bash
# waitFor CONDITION [WHAT]: evaluates the condition in the calling shell, every twentieth of a
# second, until it holds (status 0) or ten seconds have gone (status 1, and a line saying what
# was waited for). WHAT says it in words, the condition itself when not given. A caller that
# sets `where` (a run, a way out) has it named too, so a failure says which attempt it was;
# one that sets `seen` to a command has its output added, to say what there was instead.
# Ten seconds by the clock, however long each look takes: some ask another process.
waitFor() {
    local deadline=$((${EPOCHREALTIME/./} + 10000000))
    while [ "${EPOCHREALTIME/./}" -lt "$deadline" ]; do
        if eval "$1"; then return 0; fi
        sleep 0.05
    done
    eval "$1" && return 0 # one last look, after a slow one
    echo "$(basename "$0"): ${where:+$where: }gave up after ten seconds waiting for" \
        "${2:-$1}${seen:+; $($seen)}" >&2
    return 1
}
