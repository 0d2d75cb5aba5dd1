#!/usr/bin/python3
"""Asks a running program over the accessibility bus what one of its objects says, as a screen
reader would, and prints the answer:
    ask.py PID DESCRIPTION [UNLIKE]
The object is the one whose accessible description is DESCRIPTION, in the program of process
PID; the answer is its accessible name, once it differs from UNLIKE (an empty name is never
an answer). Waits up to ten seconds for that; then says what it saw and exits with 1. What it
asks and what it saw go to standard error, the answer alone to standard output.

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


def main():
    pid, description = int(sys.argv[1]), sys.argv[2]
    unlike = sys.argv[3] if len(sys.argv) > 3 else ""
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
