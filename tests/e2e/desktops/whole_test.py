"""What gnome_shell_run.py and kwin_wayland_run.py do on their desktop, with
real keys: Enter twice, twenty times, and a whole test. A desktop is a
Desktop with key(name, pressed), focus_on(title, other_than) -> window id, on_view() and
picture(name)."""

import subprocess
import sys
import time


# Linux key codes, as both desktops' input takes them.
KEYS = {"Return": 28, "alt": 56, "t": 20, "n": 49, "f": 33, "s": 31, "q": 16, "shift": 42}


class Desktop:
    """Keys pressed together and let go in turn; a desktop gives key()."""

    def tap(self, *names, held=0.0):
        for name in names:
            self.key(name, True)
        time.sleep(held)
        for name in reversed(names):
            self.key(name, False)


def start(program, out):
    return subprocess.Popen([program], stderr=open(f"{out}/program.log", "a"))


def enter_twice(desktop, program, out, tries=20):
    """Enter on the welcome screen, then on the main window 0.3 s after the
    first press: each second press must end the program."""
    ended = 0
    for attempt in range(tries):
        running = start(program, out)
        welcome = desktop.focus_on("The Snelk Test")
        time.sleep(0.3)
        desktop.tap("Return", held=0.08)
        pressed = time.monotonic()
        desktop.focus_on("The Snelk Test", other_than=welcome)
        time.sleep(max(0.0, 0.3 - (time.monotonic() - pressed)))
        desktop.tap("Return", held=0.08)
        try:
            running.wait(timeout=5)
            ended += 1
        except subprocess.TimeoutExpired:
            print(f"try {attempt + 1}: the second Enter did nothing; on view: {desktop.on_view()}", flush=True)
            running.kill()
            running.wait()
    print(f"Enter on the welcome screen, then on the main window 0.3 s later: {ended} of {tries} ended the program")
    return ended == tries


def whole_test(desktop, program, out, answer_key):
    """Enter held 2 s on the welcome screen; the twenty questions left
    unanswered (wrong, and each explanation); the thirty statements answered
    rightly; the score; Quit. Every window must come up holding the keyboard."""
    truth = {}
    for line in subprocess.run([answer_key, "lines"], capture_output=True, text=True, check=True).stdout.splitlines():
        kind, n, answer = line.split()[:3]
        if kind == "truefalse":
            truth[int(n)] = answer == "true"
    running = start(program, out)
    steps = 0

    def next_window(title, keys, held=0.0):
        nonlocal steps, w
        # No hand answers a window faster than this. Sooner, through XWayland
        # on GNOME, a key can come before the X server has moved the keyboard
        # to the window GNOME already reports as having it, and go nowhere.
        time.sleep(0.15)
        desktop.tap(*keys, held=held)
        w = desktop.focus_on(title, other_than=w)
        steps += 1

    w = desktop.focus_on("The Snelk Test")
    next_window("The Snelk Test", ["Return"], held=2.0)
    time.sleep(0.5)
    if running.poll() is not None or "The Snelk Test" not in desktop.on_view():
        sys.exit(f"FAIL: Enter held on the welcome screen went on past the main window; on view: {desktop.on_view()}")
    main = w
    next_window("Question 1", ["alt", "t"])
    time.sleep(1)
    desktop.picture("question-1")
    for n in range(1, 21):
        next_window("Dialog Caption" if n == 16 else "Wrong", ["alt", "n"])
        next_window(f"Question {n + 1}" if n < 20 else "Part Two", ["Return"])
    next_window("True or False", ["Return"])
    for n in range(21, 51):
        following = "True or False" if n < 50 else "End of the questions"
        next_window("Correct" if n == 22 else following, ["alt", "t" if truth[n] else "f"])
        if n == 22:
            next_window(following, ["Return"])
        if n == 21:
            time.sleep(1)
            desktop.picture("statement-22")
            print(f"at statement 22, on view: {desktop.on_view()}", flush=True)
    next_window("The Snelk Test", ["alt", "s"])
    if w != main:
        sys.exit("FAIL: the score should have left the main window, not another")
    desktop.tap("alt", "q")
    try:
        status = running.wait(timeout=10)
    except subprocess.TimeoutExpired:
        sys.exit(f"FAIL: Quit left the program running; on view: {desktop.on_view()}")
    print(f"a whole test by keys: {steps} windows came up holding the keyboard; the program exited with {status}")
    return status == 0


def run(desktop, program, out, answer_key):
    # The session's keyboard sets itself up with its first key, which goes
    # nowhere on some desktops.
    time.sleep(0.5)
    desktop.tap("shift")
    time.sleep(1)
    ok = enter_twice(desktop, program, out)
    ok = whole_test(desktop, program, out, answer_key) and ok
    sys.exit(0 if ok else 1)
