#!/usr/bin/python3
"""Asks a running program over the accessibility bus what it shows, as a screen reader would,
and prints the answer:
    ask.py --name PID DESCRIPTION [UNLIKE]
    ask.py --windows PID
    ask.py --shows PID DESCRIPTION
    ask.py --text PID DESCRIPTION
    ask.py --place PID DESCRIPTION
The first asks for one object: the one whose accessible description is DESCRIPTION, in the
program of process PID; the answer is its accessible name, once it differs from UNLIKE (an
empty name is never an answer). Waits up to ten seconds for that; then says what it saw and
exits with 1. What it asks and what it saw go to standard error, the answer alone to standard
output.

The second looks once at the program's windows on screen, a line each: which window (name,
main, message for a message box, or the role of any other), "active" when it is the window
with the keyboard or "inactive", and what holds the focus in it, by its description or, when
it has none, its name. A program that is not on the bus, or does not answer, has none.

The third looks once whether the object described DESCRIPTION is on screen: status 0 if it is.

The fourth prints once the text the object described DESCRIPTION holds, as a screen reader
reads it, shown or not.

The fifth prints once where the object described DESCRIPTION is in its window: the x and y of
its middle, from the window's top left corner, then the window's width and height, then the x
and y of its middle on the screen as the program places it, in pixels. On X11 that is where
it is; on Wayland only the program's own idea.

Debian's python3-pyatspi (scripts/deps.sh), so /usr/bin/python3 and not another Python.
"""
import sys
import time

import pyatspi


def find(node, description):
    if node is None:
        return None
    if node.description == description:
        return node
    for child in node:
        found = find(child, description)
        if found is not None:
            return found
    return None


def program(pid):
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.get_process_id() == pid:
            return application
    return None


# The program's two windows, by a control only each of them has.
KINDS = {"Every key you press here adds to the seed": "name", "Your number": "main"}


def kind(window):
    for description, which in KINDS.items():
        if find(window, description) is not None:
            return which
    role = window.getRoleName()
    return "message" if role in ("alert", "dialog") else role.replace(" ", "-")


def focused(node):
    if node.getState().contains(pyatspi.STATE_FOCUSED):
        return node
    for child in node:
        found = focused(child)
        if found is not None:
            return found
    return None


def windows(pid):
    pyatspi.setTimeout(2000, 2000)
    try:
        application = program(pid)
        for window in application if application is not None else []:
            state = window.getState()
            if not state.contains(pyatspi.STATE_SHOWING):
                continue  # made once and hidden, as the name window while the main one shows
            focus = focused(window)
            active = "active" if state.contains(pyatspi.STATE_ACTIVE) else "inactive"
            print(" ".join([kind(window), active]
                           + ([] if focus is None else [focus.description or focus.name])))
    except Exception as error:  # the program went, or answered nothing in time
        print(f"ask.py: no answer from process {pid}: {error}", file=sys.stderr)
    return 0


def shows(pid, description):
    pyatspi.setTimeout(2000, 2000)
    try:
        found = find(program(pid), description)
        return 0 if found is not None and found.getState().contains(pyatspi.STATE_SHOWING) else 1
    except Exception:  # the program went, or answered nothing in time
        return 1


def answerOnce(pid, description, what, answer):
    """Prints what answer(object) makes of the object described DESCRIPTION, asked once."""
    pyatspi.setTimeout(2000, 2000)
    try:
        print(answer(find(program(pid), description)))
        return 0
    except Exception as error:  # no such object, the program went, or answered nothing
        print(f"ask.py: no {what} of {description!r} from process {pid}: {error}", file=sys.stderr)
        return 1


def placeOf(found):
    window = found
    while window.parent is not None and window.parent.getRole() != pyatspi.ROLE_APPLICATION:
        window = window.parent
    # Both as the program places them on its screen, which on Wayland is its own idea: the
    # difference holds all the same.
    x, y, width, height = found.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    left, top, windowWidth, windowHeight = window.queryComponent().getExtents(
        pyatspi.DESKTOP_COORDS)
    return " ".join(str(value) for value in (x - left + width // 2, y - top + height // 2,
                                             windowWidth, windowHeight,
                                             x + width // 2, y + height // 2))


def text(pid, description):
    return answerOnce(pid, description, "text", lambda found: found.queryText().getText(0, -1))


def place(pid, description):
    return answerOnce(pid, description, "place", placeOf)


def main():
    once = {"--windows": windows, "--shows": shows, "--text": text, "--place": place}
    if sys.argv[1] in once:
        return once[sys.argv[1]](int(sys.argv[2]), *sys.argv[3:])
    if sys.argv[1] != "--name":
        print(__doc__, file=sys.stderr)
        return 2
    pid, description = int(sys.argv[2]), sys.argv[3]
    unlike = sys.argv[4] if len(sys.argv) > 4 else ""
    print(f"ask.py: asking process {pid} for the name of {description!r}"
          + (f", once it is not {unlike!r}" if unlike else ""), file=sys.stderr)
    # A program that hangs answers no call: each gives up after two seconds, not D-Bus's 25,
    # so the ten seconds hold.
    pyatspi.setTimeout(2000, 2000)
    seen = "no program of that process on the accessibility bus"
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            application = program(pid)
            if application is not None:
                # The names change as the program runs: each look asks it anew.
                application.clear_cache()
                found = find(application, description)
                seen = (f"its name was {found.name!r}" if found is not None
                        else f"no object described {description!r} answered")
                if found is not None and found.name not in ("", unlike):
                    print(found.name)
                    return 0
        except Exception as error:  # the program went, or answered nothing in time
            seen = f"asking failed: {error}"
        time.sleep(0.1)
    print(f"ask.py: gave up after ten seconds asking process {pid} for {description!r}: {seen}",
          file=sys.stderr)
    return 1


sys.exit(main())
