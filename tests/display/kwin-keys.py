#!/usr/bin/python3
"""Presses keys on KWin's Wayland compositor, KDE Plasma's, which the tests run headless with no
keyboard of its own. KWin takes keys from a client through its fake input protocol
(org_kde_kwin_fake_input, version 4 and up), as KDE Connect's remote keyboard does:
    kwin-keys.py type TEXT       each character as a key of its own, Shift where one needs it
    kwin-keys.py press KEYS...   key combinations written as xdotool writes them: alt+o Return
Returns once KWin has taken every key, in order (a round trip after the last one). Keys go
in as a hand presses them: each held a tenth of a second, with a pause after its release.

It speaks the Wayland wire protocol itself, a handful of messages, since Debian 12 has no
Python binding for Wayland. The keys are Linux key codes on KWin's US layout (run-on.sh).
KWin offers fake input only to a client it trusts: run-on.sh starts it trusting every one.
"""
import os
import socket
import struct
import sys
import time

# Linux key codes: the rows of a US keyboard from their first key, plain and with Shift.
ROWS = [(2, "1234567890-=", "!@#$%^&*()_+"), (16, "qwertyuiop[]", "QWERTYUIOP{}"),
        (30, "asdfghjkl;'`", 'ASDFGHJKL:"~'), (43, "\\zxcvbnm,./", "|ZXCVBNM<>?")]
NAMED = {
    "alt": 56, "ctrl": 29, "shift": 42, "super": 125, "space": 57,
    "Return": 28, "Tab": 15, "Escape": 1, "BackSpace": 14, "Delete": 111,
    "Up": 103, "Down": 108, "Left": 105, "Right": 106, "Home": 102, "End": 107,
    "F4": 62, "F10": 68,
}
SHIFT = NAMED["shift"]

HELD, PAUSE = 0.1, 0.05  # seconds a key is held, and left up before the next one
DISPLAY, REGISTRY = 1, 2  # the ids of the first objects; the client numbers them in order
KEYBOARD_KEY = 10  # fake input's request number of keyboard_key


def keyOf(character):
    """The key code of a character, and whether it needs Shift."""
    if character == " ":
        return NAMED["space"], False
    for first, plain, shifted in ROWS:
        if character in plain:
            return first + plain.index(character), False
        if character in shifted:
            return first + shifted.index(character), True
    raise ValueError(f"no key types {character!r}")


def keyNamed(name):
    return NAMED[name] if name in NAMED else keyOf(name)[0] if len(name) == 1 else None


def text(value):
    """A string as the wire carries it: its length with the NUL, then it, padded to 4 bytes."""
    data = value.encode() + b"\0"
    return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)


def readText(arguments, at):
    """The string at offset at, and the offset after it."""
    (length,) = struct.unpack_from("=I", arguments, at)
    return arguments[at + 4:at + 3 + length].decode(), at + 4 + length + (-length % 4)


class Compositor:
    def __init__(self):
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(
            os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
        self.received = b""
        self.lastId = REGISTRY

    def newId(self):
        self.lastId += 1
        return self.lastId

    def send(self, target, opcode, arguments=b""):
        header = struct.pack("=II", target, (8 + len(arguments)) << 16 | opcode)
        self.socket.sendall(header + arguments)

    def events(self):
        """Each event as (object, opcode, arguments), until the compositor closes."""
        while True:
            while len(self.received) >= 8:
                target, sizeAndOpcode = struct.unpack_from("=II", self.received)
                size = sizeAndOpcode >> 16
                if len(self.received) < size:
                    break
                yield target, sizeAndOpcode & 0xFFFF, self.received[8:size]
                self.received = self.received[size:]
            more = self.socket.recv(4096)
            if not more:
                raise ConnectionError("KWin closed the connection")
            self.received += more

    def roundTrip(self, onEvent=lambda *_: None):
        """Asks for a callback and hands every event before it to onEvent."""
        callback = self.newId()
        self.send(DISPLAY, 0, struct.pack("=I", callback))  # wl_display.sync
        for target, opcode, arguments in self.events():
            if target == DISPLAY and opcode == 0:  # wl_display.error
                _, code = struct.unpack_from("=II", arguments)
                raise ConnectionError(f"KWin: error {code}: {readText(arguments, 8)[0]}")
            if target == callback and opcode == 0:  # wl_callback.done
                return
            onEvent(target, opcode, arguments)


def connect():
    compositor = Compositor()
    compositor.send(DISPLAY, 1, struct.pack("=I", REGISTRY))  # wl_display.get_registry
    offered = {}

    def onGlobal(target, opcode, arguments):
        if target == REGISTRY and opcode == 0:  # wl_registry.global: name, interface, version
            (name,) = struct.unpack_from("=I", arguments)
            interface, at = readText(arguments, 4)
            offered[interface] = (name, struct.unpack_from("=I", arguments, at)[0])

    compositor.roundTrip(onGlobal)
    name, version = offered.get("org_kde_kwin_fake_input", (None, 0))
    if version < 4:
        raise ConnectionError(f"KWin offers no fake input with keys (version {version})")
    fakeInput = compositor.newId()
    compositor.send(REGISTRY, 0, struct.pack("=I", name) + text("org_kde_kwin_fake_input")
                    + struct.pack("=II", 4, fakeInput))  # wl_registry.bind
    compositor.send(fakeInput, 0, text("Dicewright's tests") + text("typing as a person would"))
    return compositor, fakeInput


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("type", "press"):
        print(__doc__, file=sys.stderr)
        return 2
    try:
        if sys.argv[1] == "type":
            strokes = [([SHIFT] if shifted else []) + [code]
                       for code, shifted in map(keyOf, sys.argv[2])]
        else:
            strokes = [[keyNamed(key) for key in combination.split("+")]
                       for argument in sys.argv[2:] for combination in argument.split()]
            if any(None in stroke for stroke in strokes):
                raise ValueError(f"a key without a name among {sys.argv[2:]}")
        compositor, fakeInput = connect()
        for stroke in strokes:  # pressed in order, held, released the other way round
            for code in stroke:
                compositor.send(fakeInput, KEYBOARD_KEY, struct.pack("=II", code, 1))
            time.sleep(HELD)
            for code in reversed(stroke):
                compositor.send(fakeInput, KEYBOARD_KEY, struct.pack("=II", code, 0))
            time.sleep(PAUSE)
        compositor.roundTrip()
    except (ValueError, ConnectionError, OSError) as error:
        print(f"kwin-keys.py: {error}", file=sys.stderr)
        return 1
    return 0


sys.exit(main())
