#!/usr/bin/env bash
# A whole session with the program, from outside, as a person has it: a name and OK, a draw
# in each mode, an empty bound and a seed that is not a number each answered by a message box
# closed with Enter, Create new seed and a second name, About, and Exit. After every switch of
# windows the one that should have the keyboard has it, with the focus where it belongs,
# without a click; every number drawn is the one the same keys draw under openbox on Debian 12.
#   run-on.sh PLATFORM session.sh PROGRAM
set -euo pipefail
program=$1
here=$(dirname "$0")
# shellcheck source=drive.sh
source "$here/drive.sh"

nameBox="Every key you press here adds to the seed"
pure="Draws a number from 1 upwards"
low="The lowest number to draw; digits only"
seedBox="The seed the next number is drawn from; made from the keys of your name"

# Presses the keys $1, one combination after another, then waits for the window $2 to have
# the keyboard, with the focus on $3 if given.
afterKeys() {
    keys=$1
    where="$RUN_ON, after $keys"
    # shellcheck disable=SC2086 # a word for each combination
    pressKeys $keys
    expectKeyboard "${@:2}"
}

# Chooses the item of the Dicewright menu whose access key is $1, Alt+D and then the key, as
# a hand presses them, and waits until the condition $2 holds ($3 says it in words). Made
# once: a choice the menu lost fails the test.
chooseFromMenu() {
    keys="alt+d $1"
    where="$RUN_ON, after $keys"
    pressKeys alt+d "$1"
    waitFor "$2" "$3"
}

# Asks for the number shown, once it is no longer $2, and checks it is $1.
expectNumber() {
    local number
    number=$("$here/ask.py" "$pid" "Your number" "$2") ||
        { echo "$RUN_ON, after $keys: no number drawn; $(sight)"; return 1; }
    [ "$number" = "$1" ] ||
        { echo "$RUN_ON, after $keys: drew $number where openbox draws $1"; return 1; }
    echo "$RUN_ON, after $keys: drew $number"
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
chooseFromMenu v 'shows "$seedBox" && hasKeyboard main' "the seed box to show after View Seed"
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
chooseFromMenu c 'hasKeyboard name "$nameBox"' "the name window to have the keyboard"
typeText Bo
afterKeys "alt+o" main "$seedBox"
afterKeys "alt+g" main
expectNumber 1960765728 1683566750

chooseFromMenu a 'hasKeyboard message' "About to have the keyboard"
afterKeys "Return" main "$seedBox"

where="$RUN_ON, Exit"
pressKeys alt+e
waitFor '! kill -0 "$pid" 2>/dev/null' "the program to end after Exit"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "$where: ended with status $status"; exit 1; }
echo "$RUN_ON: the whole session went as under openbox"
