#!/usr/bin/env bash
# The program ends, with status 0, after every way out: Exit, closing the main window and
# closing the name window, each tried RUNS times on a display server of run-on.sh, driven from
# outside as a person would, by keys and clicks. Fails if a process is still alive five
# seconds after its way out has taken its windows away, or ends with another status than 0.
# Then, CHECKS times: keys typed at once after OK never reach the seed. "Ann", Alt+O and
# straight away "zzz", then Get Number must draw Ann's number all the same.
#   run-on.sh PLATFORM ends.sh PROGRAM [RUNS, default 10] [CHECKS, default 5]
#
# What the test acts on it asks the program and the display server, never pixels (drive.sh);
# the number drawn the program tells over the accessibility bus (ask.py), as a screen reader
# would read it.
set -euo pipefail
program=$1
runs=${2:-10}
checks=${3:-5}
# shellcheck source=drive.sh
source "$(dirname "$0")/drive.sh"

takeWayOut() {
    case $way in
    exit) pressKeys alt+e ;;
    close-main) closeWindow main ;;
    close-name) closeWindow name ;;
    esac
}

# Types a name and presses OK, then types whatever else is given at once.
typeName() {
    typeText "$1"
    pressKeys alt+o
    [ $# -lt 2 ] || typeText "$2"
}

alive=0
slowest=0
for way in exit close-main close-name; do
    for run in $(seq "$runs"); do
        where="$RUN_ON, $way, run $run"
        startProgram "$program"
        if [ "$way" != close-name ]; then
            typeName Ann
            expectKeyboard main
        fi
        takeWayOut
        start=$(date +%s%N)
        # Gone within five seconds; a way out that was not taken fails the run.
        waitFor 5 "the program to end" ended 2>/dev/null || true
        if ! ended && ! noWindows; then
            echo "$where: the way out was not taken ($(sight))"
            alive=$((alive + 1))
            kill -KILL "$pid"
            wait "$pid" 2>/dev/null || true
            continue
        fi
        if ! ended; then
            echo "$where: still alive five seconds after the way out ($(sight)); its threads:"
            gdb -p "$pid" -batch -ex "thread apply all bt 15" 2>/dev/null |
                grep -E '^(#|Thread)' || true
            alive=$((alive + 1))
            kill -KILL "$pid"
            wait "$pid" 2>/dev/null || true
            continue
        fi
        status=0
        wait "$pid" || status=$?
        took=$((($(date +%s%N) - start) / 1000000))
        [ "$took" -gt "$slowest" ] && slowest=$took
        if [ "$status" -ne 0 ]; then
            echo "$where: ended with status $status"
            alive=$((alive + 1))
        fi
    done
done
echo "$RUN_ON: $alive of $((3 * runs)) runs did not end well;" \
    "the slowest end took $slowest ms"

# Keys typed while the name window is on its way out belong to no one: Get Number draws from
# the seed of "Ann" alone, 285, which gives 187032110.
wrong=0
for run in $(seq "$checks"); do
    where="$RUN_ON, keys after OK, run $run"
    startProgram "$program"
    typeName Ann zzz
    expectKeyboard main
    pressKeys alt+g
    if ! number=$(ask --name "$pid" "Your number" 000000000000000000000000000); then
        echo "$where: no number drawn"
        wrong=$((wrong + 1))
    elif [ "$number" != 187032110 ]; then
        echo "$where: drew $number, not the 187032110 of Ann: the zzz typed after OK" \
            "reached the seed"
        wrong=$((wrong + 1))
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "$RUN_ON: $wrong of $checks draws after keys typed at once after OK were not Ann's"
[ "$alive" -eq 0 ] && [ "$wrong" -eq 0 ]
