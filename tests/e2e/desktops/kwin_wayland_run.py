"""Run by kwin_wayland.sh: keys through KWin's fake-input protocol
(kwin_fake_keys), the window with the keyboard from a KWin script that
reports each activation in KWin's log, pictures through ScreenShot2."""

import os
import subprocess
import sys
import threading
import time

from gi.repository import Gio, GLib

import whole_test

PROGRAM, OUT, ANSWER_KEY, FAKE_KEYS, KWIN_LOG, WATCH_SCRIPT = sys.argv[1:7]
BUS = Gio.bus_get_sync(Gio.BusType.SESSION)
ACTIVE = "js: snelk-active "


def call(path, interface, method, args=None, reply=None, fds=None):
    return BUS.call_with_unix_fd_list_sync("org.kde.KWin", path, interface, method, args,
                                           GLib.VariantType(reply) if reply else None,
                                           Gio.DBusCallFlags.NONE, 10000, fds, None)[0]


class KWinWayland(whole_test.Desktop):
    def __init__(self):
        self.keys = subprocess.Popen([FAKE_KEYS], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        script = call("/Scripting", "org.kde.kwin.Scripting", "loadScript",
                      GLib.Variant("(ss)", (WATCH_SCRIPT, "snelkwatch")), "(i)").unpack()[0]
        call(f"/{script}", "org.kde.kwin.Script", "run")

    def key(self, name, pressed):
        self.keys.stdin.write(f"{whole_test.KEYS[name]} {int(pressed)}\n")
        self.keys.stdin.flush()
        self.keys.stdout.readline()

    def active(self):
        with open(KWIN_LOG, errors="replace") as log:
            lines = [line[len(ACTIVE):].rstrip("\n") for line in log if line.startswith(ACTIVE)]
        window, _, title = (lines[-1] if lines else "none").partition(" ")
        return window, title

    def focus_on(self, title, other_than=None, seconds=15):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            window, active_title = self.active()
            if active_title == title and window != other_than:
                return window
            time.sleep(0.05)
        sys.exit(f"FAIL: {title!r} never took the keyboard; the last window to: {self.active()}")

    def on_view(self):
        # Only the window with the keyboard: enough to tell where a walk stuck.
        return [self.active()[1]]

    def picture(self, name):
        read_end, write_end = os.pipe()
        data = []
        reader = threading.Thread(target=lambda: data.append(os.fdopen(read_end, "rb").read()))
        reader.start()
        fds = Gio.UnixFDList.new_from_array([write_end])
        info = call("/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureActiveScreen",
                    GLib.Variant("(a{sv}h)", ({}, 0)), "(a{sv})", fds).unpack()[0]
        os.close(write_end)
        reader.join()
        subprocess.run(["convert", "-size", f"{info['width']}x{info['height']}", "-depth", "8",
                        f"bgra:-", f"{OUT}/{name}.png"], input=data[0], check=True)


whole_test.run(KWinWayland(), PROGRAM, OUT, ANSWER_KEY)
