#!/usr/bin/python3
"""A keyboard for tests on mutter's headless Wayland display server, which has none of its own.
It presses keys through mutter's remote desktop interface on the session bus, as GNOME's own
remote desktop does, and offers them on that bus to the test's scripts:
    keyboard.py
stays running until ended, and answers on the session bus as org.dicewright.TestKeyboard:
    Type(s text)   each character as a key of its own (mutter adds Shift where one needs it)
    Press(s keys)  key combinations written as xdotool writes them: "alt+o", "Return", "ctrl+a"
Each call returns once mutter has taken every key of it, in order. Keys go in as a hand
presses them: each held a tenth of a second, with a pause after its release. Released at once,
a choice from a menu (Alt+D, then the item's key) was lost now and then with Qt 6.11 on mutter 50.

One remote desktop session serves the whole run: mutter takes keys only from the D-Bus client
that made the session, and when that client goes, its keyboard goes and the program's window
loses the keyboard with it. Mutter drops the first key of a new session, so a Shift is pressed
first, which types nothing.

Debian's python3-gi (scripts/deps.sh), so /usr/bin/python3 and not another Python.
"""
import sys
import time

from gi.repository import Gio, GLib

MUTTER = "org.gnome.Mutter.RemoteDesktop"
SESSION = "org.gnome.Mutter.RemoteDesktop.Session"
NAME = "org.dicewright.TestKeyboard"
INTERFACE = f"""<node><interface name="{NAME}">
  <method name="Type"><arg type="s" name="text" direction="in"/></method>
  <method name="Press"><arg type="s" name="keys" direction="in"/></method>
</interface></node>"""

# X keysyms of the keys the tests name; any other single character is its own keysym.
HELD, PAUSE = 0.1, 0.05  # seconds a key is held, and left up before the next one

KEYSYMS = {
    "alt": 0xFFE9, "ctrl": 0xFFE3, "shift": 0xFFE1, "super": 0xFFEB,
    "Return": 0xFF0D, "Tab": 0xFF09, "Escape": 0xFF1B, "BackSpace": 0xFF08, "Delete": 0xFFFF,
    "space": 0x20, "Up": 0xFF52, "Down": 0xFF54, "Left": 0xFF51, "Right": 0xFF53,
    "Home": 0xFF50, "End": 0xFF57, "F4": 0xFFC1, "F10": 0xFFC7,
}


def keysym(key):
    if key in KEYSYMS:
        return KEYSYMS[key]
    if len(key) != 1:
        raise ValueError(f"no key named {key!r}")
    code = ord(key)
    return code if code < 0x100 else 0x01000000 + code  # Latin-1 as it is, Unicode above


class Keyboard:
    def __init__(self, bus):
        self.bus = bus
        reply = self.call("/org/gnome/Mutter/RemoteDesktop", MUTTER, "CreateSession", None, "(o)")
        self.session = reply.unpack()[0]
        self.call(self.session, SESSION, "Start", None)
        self.stroke([KEYSYMS["shift"]])

    def call(self, path, interface, method, arguments, reply=None):
        return self.bus.call_sync(MUTTER, path, interface, method, arguments,
                                  reply and GLib.VariantType(reply), Gio.DBusCallFlags.NONE,
                                  5000, None)

    def key(self, symbol, pressed):
        self.call(self.session, SESSION, "NotifyKeyboardKeysym",
                  GLib.Variant("(ub)", (symbol, pressed)))


    def stroke(self, symbols):
        """Presses the keys in order, holds them, and lets them go the other way round."""
        for symbol in symbols:
            self.key(symbol, True)
        time.sleep(HELD)
        for symbol in reversed(symbols):
            self.key(symbol, False)
        time.sleep(PAUSE)

    def type(self, text):
        for character in text:
            self.stroke([keysym(character)])

    def press(self, keys):
        for combination in keys.split():
            self.stroke([keysym(key) for key in combination.split("+")])


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    keyboard = Keyboard(bus)

    def answer(_connection, _sender, _path, _interface, method, arguments, invocation):
        try:
            (keyboard.type if method == "Type" else keyboard.press)(arguments.unpack()[0])
            invocation.return_value(None)
        except (ValueError, GLib.Error) as error:
            invocation.return_dbus_error(f"{NAME}.Failed", str(error))

    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    bus.register_object("/org/dicewright/TestKeyboard", node.interfaces[0], answer)
    loop = GLib.MainLoop()
    # Ready only once the name is ours: run-on.sh waits for it before it starts the test.
    Gio.bus_own_name_on_connection(bus, NAME, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("keyboard.py: ready", flush=True),
                                   lambda *_: loop.quit())
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)  # SIGTERM
    loop.run()
    return 0


sys.exit(main())
