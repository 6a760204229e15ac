"""What Orca says while the program is used with real keystrokes: the welcome
screen, the main window, a question (its choices, their states and the
arrows among them), a wrong answer's explanation, the next question and the
about screen with its link; then, with Orca stopped, Quit.

Every check waits for phrases in Orca's speech since the last keys, in the
order given, each as whole words in any case: Orca's exact wording changes
between versions, what it names does not. A window that does not come up
stops the run; anything else unheard is noted and the run goes on, so that
one run tells all that is missing.

Usage: orca_speech_run.py PROGRAM ANSWER_KEY TRANSCRIPT
(run by orca_speech_run.sh, which starts the desktop and Orca, whose pid it
gives in E2E_ORCA_PID; with E2E_SCREENSHOT set, a failure leaves a picture
of the screen there)
"""

import json
import os
import re
import signal
import subprocess
import sys
import time

PROGRAM, ANSWER_KEY, TRANSCRIPT = sys.argv[1:4]
ORCA = int(os.environ["E2E_ORCA_PID"])
HERE = os.path.dirname(os.path.abspath(__file__))
MAIN = "The Snelk Test"
QUESTIONS = {q["number"]: q for q in json.loads(subprocess.check_output([ANSWER_KEY, "json"]))}
# The choices' slots in tab order and the middle of each, from "answer-key lines".
LAYOUT = {}
for line in subprocess.check_output([ANSWER_KEY, "lines"], text=True).splitlines():
    f = line.split()
    if f[0] == "choice":
        LAYOUT[int(f[1])] = {"tabs": [int(x) for x in f[5:9]],
                             "centres": [(int(f[9 + 2 * i]), int(f[10 + 2 * i])) for i in range(4)]}


class Failure(Exception):
    pass


missing = []  # what should have been heard and was not


def step(message):
    print("--", message, flush=True)


# --- What Orca said ------------------------------------------------------------

def speech():
    with open(TRANSCRIPT, encoding="utf-8") as f:
        return f.read().splitlines()


heard_before = 0  # lines of speech before the last keys


def since_keys():
    return [line for line in speech()[heard_before:] if not line.startswith("## ")]


def find_in_order(text, phrases):
    """Where the phrases occur in this order in the text, as whole words in
    any case; None if they do not."""
    at = 0
    for phrase in phrases:
        words = r"\s+".join(re.escape(w) for w in phrase.split())
        m = re.compile(r"(?<!\w)" + words + r"(?!\w)", re.IGNORECASE).search(text, at)
        if not m:
            return None
        at = m.end()
    return at


def orca_running():
    try:
        with open(f"/proc/{ORCA}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def hear(what, *phrases, seconds=20, essential=True):
    """Waits until Orca has said the phrases, in order, since the last keys.
    Unheard, an essential one stops the run; any other is noted."""
    deadline = time.monotonic() + seconds
    while True:
        said = " | ".join(since_keys())
        if find_in_order(said, phrases) is not None:
            return True
        if time.monotonic() > deadline:
            break
        time.sleep(0.1)
    message = (f'{what}: Orca should have said {" ... ".join(repr(p) for p in phrases)}; '
               f'since the last keys it said: {since_keys()}; the focus is on "{focused_window()}"' +
               ("" if orca_running() else "; Orca is no longer running"))
    if essential:
        raise Failure(message)
    print(f"-- MISSING: {message}", flush=True)
    missing.append(message)
    return False


def also_heard(what, *phrases):
    """The phrases were said since the last keys, along with what was heard
    just before: they are waited for only briefly."""
    return hear(what, *phrases, seconds=2, essential=False)


def not_heard(what, phrase):
    said = " | ".join(since_keys())
    if find_in_order(said, [phrase]) is not None:
        message = f"{what}: Orca said {phrase!r}: {since_keys()}"
        print(f"-- WRONG: {message}", flush=True)
        missing.append(message)


# --- The keyboard ------------------------------------------------------------------

def focused_window():
    r = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], capture_output=True, text=True,
                       timeout=10)
    return r.stdout.strip()


def keys(*names, note):
    """Types the keys into whichever window has the focus, as the keyboard
    does; the speech from here on is their answer. The note goes into the
    transcript for whoever reads it."""
    global heard_before
    with open(TRANSCRIPT, "a", encoding="utf-8") as f:
        f.write(f"## {' '.join(names)}: {note}\n")
    heard_before = len(speech())
    step(f"{' '.join(names)}: {note}")
    subprocess.run(["xdotool", "key", "--delay", "100", *names], check=True, timeout=30)


def window_on_view(title, seconds=20):
    """Waits until the window of that title holds the focus: the keys sent
    next go to it."""
    deadline = time.monotonic() + seconds
    while focused_window() != title:
        if time.monotonic() > deadline:
            raise Failure(f'"{title}" should hold the focus; it is on "{focused_window()}"')
        time.sleep(0.1)


def choice_below(n, slot):
    """The choice the Down arrow moves to from this one: the next one down in
    the same column."""
    x, y = LAYOUT[n]["centres"][slot - 1]
    below = [(cy, s) for s, (cx, cy) in enumerate(LAYOUT[n]["centres"], start=1) if cx == x and cy > y]
    if not below:
        raise Failure(f"question {n}: no choice below choice {slot}")
    return min(below)[1]


# --- The run ---------------------------------------------------------------------------

def welcome_and_main_window():
    step("the welcome screen comes up")
    hear("the welcome screen", MAIN, "OK", "push button", seconds=30)
    window_on_view(MAIN)
    keys("Return", note="OK on the welcome screen")
    hear("the main window after the welcome screen", MAIN, "Quit", "push button")
    keys("Tab", note="from Quit to the next button that can be pressed")
    hear("Tab in the main window", "Start Test", "push button")


def question_one():
    q = QUESTIONS[1]
    keys("alt+t", note="Start Test")
    hear("the first question", q["caption"], "Quit", "push button")
    also_heard("the first question's own words as it comes up", q["prompt"])
    window_on_view(q["caption"])
    keys("Tab", note="from Quit to Next Question")
    hear("Tab on the question", "Next Question", "push button")
    first = LAYOUT[1]["tabs"][0]
    below = choice_below(1, first)
    keys("Tab", note="into the choices")
    hear("Tab into the choices", q["choices"][first - 1], "radio button")
    also_heard("the state of a choice not picked", "not selected")
    keys("Down", note="the arrow to the next choice")
    hear("Down among the choices", q["choices"][below - 1], "radio button")
    also_heard("the state of a choice not picked", "not selected")
    keys("space", note="picks it")
    hear("Space on a choice", "selected")
    not_heard("Space on a choice", "not selected")
    keys("Up", note="the arrow takes the pick back up")
    hear("Up to the first choice, picked", q["choices"][first - 1], "selected", "radio button")
    not_heard("Up with a choice picked", "not selected")
    if first == q["answer"]:
        raise Failure("question 1: the first choice is the right one; this run answers it wrong")
    keys("alt+n", note="Next Question, with a wrong answer picked")
    hear("the explanation after a wrong answer", "Wrong", "OK", "push button")
    also_heard("the explanation's own words as it comes up", q["explanation"])
    window_on_view("Wrong")


def question_two():
    q = QUESTIONS[2]
    keys("Return", note="OK on the explanation")
    hear("the second question", q["caption"], "Quit", "push button")
    also_heard("the second question's own words as it comes up", q["prompt"])
    window_on_view(q["caption"])
    keys("alt+q", note="Quit the test")
    hear("back in the main window", MAIN, "push button")
    window_on_view(MAIN)


def about_screen():
    keys("alt+a", note="About")
    hear("the about screen", "About Snelk Test", "OK", "push button")
    # OK is the only control there that takes the keyboard, by design; the
    # link is offered to screen readers as a link they can press, which the
    # run through the accessibility bus follows.
    also_heard("the about screen's own words as it comes up", "Tarnwick Studios")
    window_on_view("About Snelk Test")
    keys("Escape", note="closes the about screen")
    hear("back in the main window", MAIN, "push button")
    window_on_view(MAIN)


def stop_orca():
    """Orca is stopped before the program quits. While a screen reader still
    asks about the windows going away, Qt's D-Bus code now and then loses a
    message at the program's end, inside libdbus, which LeakSanitizer then
    reports as a leak; that is no fault of the program's."""
    if not orca_running():
        raise Failure("Orca ended during the run")
    step("Orca stops")
    os.kill(ORCA, signal.SIGTERM)
    deadline = time.monotonic() + 20
    while orca_running():
        if time.monotonic() > deadline:
            raise Failure("Orca was still running 20 s after being asked to stop")
        time.sleep(0.1)


def quit_program(program):
    keys("alt+q", note="Quit")
    try:
        status = program.wait(timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure("the program was still running 20 s after Quit") from None
    if status != 0:
        raise Failure(f"the program exited with status {status}")


def screenshot():
    path = os.environ.get("E2E_SCREENSHOT")
    if path and subprocess.run(["bash", os.path.join(HERE, "screenshot.sh"), path],
                               timeout=30).returncode == 0:
        print(f"screenshot of the failure: {path}", file=sys.stderr)


def main():
    started = time.monotonic()
    program = subprocess.Popen([PROGRAM])
    try:
        welcome_and_main_window()
        question_one()
        question_two()
        about_screen()
        stop_orca()
        quit_program(program)
    except Failure as e:
        print(f"FAIL: {e}", file=sys.stderr, flush=True)
        screenshot()
        return 1
    finally:
        if program.poll() is None:
            program.terminate()
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
    if missing:
        for message in missing:
            print(f"FAIL: {message}", file=sys.stderr, flush=True)
        return 1
    print(f"Orca run: everything checked was spoken, in {time.monotonic() - started:.0f} s; "
          f"the program exited with 0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
