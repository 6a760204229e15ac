"""Run by gnome_shell.sh: keys through a Mutter remote-desktop session, the
window with the keyboard through Shell.Eval, pictures through
Shell.Screenshot."""

import json
import sys
import time

from gi.repository import Gio, GLib

import whole_test

PROGRAM, OUT, ANSWER_KEY = sys.argv[1:4]
BUS = Gio.bus_get_sync(Gio.BusType.SESSION)
DESKTOP = "org.gnome.Mutter.RemoteDesktop"


def call(dest, path, interface, method, args=None, reply=None):
    return BUS.call_sync(dest, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 10000, None)


def shell(js):
    ok, out = call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                   GLib.Variant("(s)", (js,)), "(bs)").unpack()
    return json.loads(out) if ok and out else None


class GnomeShell(whole_test.Desktop):
    def __init__(self):
        self.session = call(DESKTOP, "/org/gnome/Mutter/RemoteDesktop", DESKTOP, "CreateSession", None,
                            "(o)").unpack()[0]
        call(DESKTOP, self.session, DESKTOP + ".Session", "Start")
        shell("Main.overview.hide()")

    def key(self, name, pressed):
        call(DESKTOP, self.session, DESKTOP + ".Session", "NotifyKeyboardKeycode",
             GLib.Variant("(ub)", (whole_test.KEYS[name], pressed)))

    def focus_on(self, title, other_than=None, seconds=15):
        """Waits for a window of that title, other than the one given, to
        hold the keyboard; returns it."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            w = shell("(w => w ? [w.get_title(), w.get_id()] : ['', 0])(global.display.focus_window)")
            if w and w[0] == title and w[1] != other_than:
                return w[1]
            time.sleep(0.05)
        sys.exit(f"FAIL: {title!r} never took the keyboard; on view: {self.on_view()}")

    def on_view(self):
        return shell("global.get_window_actors().map(a => a.meta_window.get_title())")

    def picture(self, name):
        call("org.gnome.Shell", "/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot", "Screenshot",
             GLib.Variant("(bbs)", (False, False, f"{OUT}/{name}.png")), "(bs)")


whole_test.run(GnomeShell(), PROGRAM, OUT, ANSWER_KEY)
