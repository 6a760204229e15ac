"""Run by gnome_shell.sh: keys through a Mutter remote-desktop session, the
window with the keyboard through Shell.Eval, pictures through
Shell.Screenshot."""

import json
import subprocess
import sys
import time

from gi.repository import Gio, GLib

PROGRAM, OUT = sys.argv[1:3]
BUS = Gio.bus_get_sync(Gio.BusType.SESSION)
KEYS = {"Return": 28, "alt": 56, "t": 20, "n": 49, "f": 33, "shift": 42}


def call(dest, path, interface, method, args=None, reply=None):
    return BUS.call_sync(dest, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 10000, None)


def shell(js):
    ok, out = call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                   GLib.Variant("(s)", (js,)), "(bs)").unpack()
    return json.loads(out) if ok and out else None


DESKTOP = "org.gnome.Mutter.RemoteDesktop"
SESSION = call(DESKTOP, "/org/gnome/Mutter/RemoteDesktop", DESKTOP, "CreateSession", None, "(o)").unpack()[0]
call(DESKTOP, SESSION, DESKTOP + ".Session", "Start")


def key(name, pressed):
    call(DESKTOP, SESSION, DESKTOP + ".Session", "NotifyKeyboardKeycode",
         GLib.Variant("(ub)", (KEYS[name], pressed)))


def tap(*names, held=0.0):
    for name in names:
        key(name, True)
    time.sleep(held)
    for name in reversed(names):
        key(name, False)


def focus_on(title, other_than=None, seconds=15):
    """Waits for a window of that title, other than the one given, to hold
    the keyboard; returns it."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        w = shell("(w => w ? [w.get_title(), w.get_id()] : ['', 0])(global.display.focus_window)")
        if w and w[0] == title and w[1] != other_than:
            return w[1]
        time.sleep(0.05)
    sys.exit(f"FAIL: {title!r} never took the keyboard; on view: {on_view()}")


def on_view():
    return shell("global.get_window_actors().map(a => a.meta_window.get_title())")


def picture(name):
    call("org.gnome.Shell", "/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot", "Screenshot",
         GLib.Variant("(bbs)", (False, False, f"{OUT}/{name}.png")), "(bs)")


def start():
    return subprocess.Popen([PROGRAM], stderr=open(f"{OUT}/program.log", "a"))


shell("Main.overview.hide()")
# The session's keyboard sets itself up with its first key, which goes nowhere.
time.sleep(0.5)
tap("shift")
time.sleep(1)

ended = 0
for attempt in range(20):
    program = start()
    welcome = focus_on("The Snelk Test")
    time.sleep(0.3)
    tap("Return", held=0.08)
    pressed = time.monotonic()
    focus_on("The Snelk Test", other_than=welcome)
    time.sleep(max(0.0, 0.3 - (time.monotonic() - pressed)))
    tap("Return", held=0.08)
    try:
        program.wait(timeout=5)
        ended += 1
    except subprocess.TimeoutExpired:
        print(f"attempt {attempt + 1}: the second Enter did nothing; on view: {on_view()}", flush=True)
        program.kill()
        program.wait()
print(f"Enter on the welcome screen, then on the main window 0.3 s later: {ended} of 20 ended the program")

program = start()
w = focus_on("The Snelk Test")
tap("Return")
w = focus_on("The Snelk Test", other_than=w)
tap("alt", "t")
w = focus_on("Question 1", other_than=w)
time.sleep(1)
picture("question-1")
for n in range(1, 21):  # no choice picked: wrong, and its explanation
    tap("alt", "n")
    w = focus_on("Dialog Caption" if n == 16 else "Wrong", other_than=w)
    tap("Return")
    w = focus_on(f"Question {n + 1}" if n < 20 else "Part Two", other_than=w)
tap("Return")
w = focus_on("True or False", other_than=w)
tap("alt", "f")  # right: statement 22 comes straight after 21
w = focus_on("True or False", other_than=w)
time.sleep(1)
picture("statement-22")
print(f"at statement 22, on view: {on_view()}")
program.kill()
sys.exit(0 if ended == 20 else 1)
