#!/usr/bin/env bash
# A whole session with the program, from outside, as a person has it: a name and OK, a draw
# in each mode, an empty bound and a seed that is not a number each answered by a message box
# closed with Enter, Create new seed and a second name, About, and Exit. After every switch of
# windows the one that should have the keyboard has it, with the focus where it belongs,
# without a click; every number drawn is the one the same keys draw under openbox on Debian 12.
#   run-on.sh PLATFORM session.sh PROGRAM
set -euo pipefail
program=$1
# shellcheck source=drive.sh
source "$(dirname "$0")/drive.sh"

nameBox="Every key you press here adds to the seed"
pure="Draws a number from 1 upwards"
low="The lowest number to draw; digits only"
seedBox="The seed the next number is drawn from; made from the keys of your name"

# Presses the keys $1, one combination after another, then waits for the window $2 to have
# the keyboard, with the focus on $3 if given.
afterKeys() {
    step=$1
    where="$RUN_ON, after $step"
    # shellcheck disable=SC2086 # a word for each combination
    pressKeys $step
    expectKeyboard "${@:2}"
}

# Chooses the item of the Dicewright menu whose access key is $1, Alt+D and then the key, as
# a hand presses them, and waits until the command after WHAT $2 succeeds. Made once: a choice
# the menu lost fails the test.
chooseFromMenu() {
    step="alt+d $1"
    where="$RUN_ON, after $step"
    pressKeys alt+d "$1"
    expect 10 "${@:2}"
}
seedBoxShown() { shows "$seedBox" && hasKeyboard main; }

# Asks for the number shown, once it is no longer $2, and checks it is $1.
expectNumber() {
    local number
    number=$(ask --name "$pid" "Your number" "$2") ||
        {
            echo "$RUN_ON, after $step: no number drawn; $(sight)"
            return 1
        }
    [ "$number" = "$1" ] ||
        {
            echo "$RUN_ON, after $step: drew $number where openbox draws $1"
            return 1
        }
    echo "$RUN_ON, after $step: drew $number"
}

where="$RUN_ON, start"
startProgram "$program"
typeText Ann
afterKeys "alt+o" main "$pure"
afterKeys "alt+g" main
expectNumber 187032110 000000000000000000000000000

# Range mode: 5 to 9.
afterKeys "alt+r" main "$low"
typeText 5
pressKeys Tab
typeText 9
afterKeys "alt+g" main
expectNumber 5 187032110

# Both bounds emptied by leaving range mode and coming back: a message, and nothing drawn.
afterKeys "alt+p alt+r" main "$low"
afterKeys "alt+g" message
afterKeys "Return" main "$low"
expectNumber 5 ""

# A seed that is not a number, typed into the shown seed box: a run-time error's message.
# The box is emptied key by key: text selected with the keys would fill the primary selection,
# which Qt 6.4's Wayland clipboard still holds, and the leak check reports, when the program
# ends on mutter and kwin.
chooseFromMenu v "the seed box to show after View Seed" seedBoxShown
afterKeys "alt+p Tab Tab" main "$seedBox"
pressKeys End BackSpace BackSpace BackSpace
typeText 12ab
afterKeys "alt+g" message
afterKeys "Return" main "$seedBox"
pressKeys End BackSpace BackSpace BackSpace BackSpace
typeText 285
afterKeys "alt+g" main
expectNumber 1683566750 5

# A new seed from a second name.
chooseFromMenu c "the name window to have the keyboard" hasKeyboard name "$nameBox"
typeText Bo
afterKeys "alt+o" main "$seedBox"
afterKeys "alt+g" main
expectNumber 1960765728 1683566750

chooseFromMenu a "About to have the keyboard" hasKeyboard message
afterKeys "Return" main "$seedBox"

where="$RUN_ON, Exit"
pressKeys alt+e
expect 10 "the program to end after Exit" ended
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || {
    echo "$where: ended with status $status"
    exit 1
}
echo "$RUN_ON: the whole session went as under openbox"
