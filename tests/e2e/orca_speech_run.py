"""What Orca says while a whole test is taken with real keystrokes: the
welcome screen, the main window's introduction, the difficulty dialog, every
question and statement as it comes up (the first one's choices with their
states as the arrows go through them), every explanation shown, the Part Two
notice, the end of the test, the results on the main window after Score, and,
after Reset Test, the introduction again and the about screen; then, with
Orca stopped, Quit.

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

import os
import re
import signal
import subprocess
import sys
import time

from e2e_run import MAIN, Failure, check, dialogs_after, expect_exit, late_failures, questions, run, step, wait_for

PROGRAM, ANSWER_KEY, TRANSCRIPT = sys.argv[1:4]
ORCA = int(os.environ["E2E_ORCA_PID"])
ORCAS_RECORD = os.environ["E2E_ORCA_DEBUG_FILE"]
QUESTIONS = questions(ANSWER_KEY)
# The choices' slots in tab order and the middle of each, from "answer-key lines".
LAYOUT = {}
for line in subprocess.check_output([ANSWER_KEY, "lines"], text=True).splitlines():
    f = line.split()
    if f[0] == "choice":
        LAYOUT[int(f[1])] = {"tabs": [int(x) for x in f[5:9]],
                             "centres": [(int(f[9 + 2 * i]), int(f[10 + 2 * i])) for i in range(4)]}


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
    late_failures.append(message)
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
        late_failures.append(message)


# --- The keyboard ------------------------------------------------------------------

def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True, timeout=10).stdout.strip()


def focused_window_id():
    return xdotool("getwindowfocus")


def focused_window():
    return xdotool("getwindowfocus", "getwindowname")


def orca_at_work():
    """What Orca has said, and how far its debug file has got: the file
    grows while Orca works through the program's events, silent or not."""
    return len(speech()), os.path.getsize(ORCAS_RECORD)


def until_orca_is_quiet(quiet=0.5, longest=10):
    """Waits until Orca has said and done nothing new for a moment, as a
    listener waits for the speech to end before the next keys. Qt's
    accessibility bridge gives the screen reader 100 ms to answer each key;
    a screen reader still busy with the last change (a reset hides ten
    labels at once) answers late, and then the bridge delivers the keys it
    held back out of turn."""
    deadline = time.monotonic() + longest
    seen, since = orca_at_work(), time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.1)
        now = orca_at_work()
        if now != seen:
            seen, since = now, time.monotonic()
        elif time.monotonic() - since >= quiet:
            return


def keys(*names, note):
    """Types the keys into whichever window has the focus, as the keyboard
    does; the speech from here on is their answer. The note goes into the
    transcript for whoever reads it."""
    global heard_before
    until_orca_is_quiet()
    with open(TRANSCRIPT, "a", encoding="utf-8") as f:
        f.write(f"## {' '.join(names)}: {note}\n")
    heard_before = len(speech())
    step(f"{' '.join(names)}: {note}")
    subprocess.run(["xdotool", "key", "--delay", "100", *names], check=True, timeout=30)


def window_on_view(title, other_than=None, seconds=20):
    """Waits until a window of that title, other than the one given (the
    one the last keys went to), holds the focus: the keys sent next go to
    it. Returns the window."""
    deadline = time.monotonic() + seconds
    while True:
        window = focused_window_id()
        if window and window != other_than and focused_window() == title:
            return window
        check(time.monotonic() <= deadline, f'"{title}" should hold the focus; it is on "{focused_window()}"')
        time.sleep(0.1)


# --- The run ---------------------------------------------------------------------------

INTRODUCTION = "This test is to check you knowledge about snelks"
# The questions answered wrong, each for its explanation: 1 with the choices
# gone through by arrow, 16 with its picture, 20 before the Part Two notice,
# 50 before the end. Every other one is answered right, 22 with its
# "Correct": 42 of 50, 84%, "Good Job!!!".
WRONG = {1, 9, 16, 20, 23, 33, 47, 50}


def welcome_and_main_window():
    step("the welcome screen comes up")
    hear("the welcome screen", MAIN, "OK", "push button", seconds=30)
    also_heard("the welcome screen's own words as it comes up", "Thank you for taking this little snelk test",
               "please pass it on to others", "written at Tarnwick Studios")
    window_on_view(MAIN)
    keys("Return", note="OK on the welcome screen")
    hear("the main window after the welcome screen", MAIN, "Quit", "push button")
    also_heard("the main window's introduction as it becomes active", MAIN, INTRODUCTION, "Quit")
    keys("Tab", note="from Quit to the next button that can be pressed")
    hear("Tab in the main window", "Start Test", "push button")


def difficulty():
    keys("alt+d", note="Set Diffuculty of Test")
    hear("the difficulty dialog", "Test Diffuculty", "OK", "push button")
    window_on_view("Test Diffuculty")
    # From OK, Tab twice reaches the choices, at "Normal"; Down twice "Very
    # Easy", Space picks it, and Tab goes on to OK.
    keys("Tab", "Tab", note="into the choices")
    hear("Tab into the difficulty's choices", "Normal", "radio button")
    keys("Down", "Down", "space", note="Very Easy, picked")
    hear("Very Easy picked", "Very Easy", "selected")
    keys("Tab", "Return", note="OK")
    hear("back in the main window", MAIN, "push button")
    window_on_view(MAIN)


def choices_left(n):
    """The two choices left at Very Easy, in tab order."""
    masked = QUESTIONS[n]["mask"]
    return [slot for slot in LAYOUT[n]["tabs"] if slot not in masked]


def arrow_towards(n, slot, to):
    (x, y), (tx, ty) = LAYOUT[n]["centres"][slot - 1], LAYOUT[n]["centres"][to - 1]
    return "Down" if ty > y else "Up" if ty < y else "Right" if tx > x else "Left"


def choose(n, right):
    """Picks a choice with the keys: Tab from Quit past the next button into
    the choices puts the focus on the first one left, Space picks it and an
    arrow moves the pick to the other one."""
    q = QUESTIONS[n]
    first, other = choices_left(n)
    want = q["answer"] if right else next(s for s in (first, other) if s != q["answer"])
    keys("Tab", "Tab", "space", note=f"picks {q['choices'][first - 1]!r}")
    if want != first:
        keys(arrow_towards(n, first, want), note=f"moves the pick to {q['choices'][want - 1]!r}")
    keys("alt+n", note="Next Question, " + ("right" if right else "wrong"))


def choices_by_arrow(n):
    """Question 1's choices as the arrows go through them, each said with its
    state, ending with the wrong one picked."""
    q = QUESTIONS[n]
    first, other = choices_left(n)
    check(other != q["answer"], f"question {n}: the run goes from the right choice to a wrong one")
    keys("Tab", note="from Quit to Next Question")
    hear("Tab on the question", "Next Question", "push button")
    keys("Tab", note="into the choices")
    hear("Tab into the choices", q["choices"][first - 1], "radio button")
    also_heard("the state of a choice not picked", "not selected")
    keys(arrow_towards(n, first, other), note="the arrow to the other choice")
    hear("an arrow among the choices", q["choices"][other - 1], "radio button")
    also_heard("the state of a choice not picked", "not selected")
    keys("space", note="picks it")
    hear("Space on a choice", "selected")
    not_heard("Space on a choice", "not selected")
    keys(arrow_towards(n, other, first), note="the arrow takes the pick back")
    hear("an arrow with a choice picked", q["choices"][first - 1], "selected", "radio button")
    not_heard("an arrow with a choice picked", "not selected")
    keys(arrow_towards(n, first, other), note="and on again, to the wrong one")
    hear("the wrong choice picked", q["choices"][other - 1], "selected")
    keys("alt+n", note="Next Question, wrong")


def answer(n, right):
    if QUESTIONS[n]["kind"] == "choice":
        choose(n, right)
    else:
        said_true = QUESTIONS[n]["answer"] == right
        keys("alt+t" if said_true else "alt+f", note=("True" if said_true else "False") +
             (", right" if right else ", wrong"))


def question_arrives(n, was):
    q = QUESTIONS[n]
    # The focus is on its quit button, "Quit" or "Exit".
    hear(f"question {n}", q["caption"], "push button")
    also_heard(f"question {n}'s own words as it comes up", q["caption"], q["prompt"], "push button")
    return window_on_view(q["caption"], other_than=was)


def dialog_arrives(caption, text, was):
    hear(f'"{caption}"', caption, "OK", "push button")
    also_heard(f'the words of "{caption}" as it comes up', caption, text, "OK")
    return window_on_view(caption, other_than=was)


def whole_test():
    keys("alt+t", note="Start Test")
    window = question_arrives(1, None)
    for n in range(1, 51):
        right = n not in WRONG
        if n == 1:
            choices_by_arrow(n)
        else:
            answer(n, right)
        for caption, text, _ in dialogs_after(QUESTIONS[n], right):
            window = dialog_arrives(caption, text, window)
            keys("Return", note=f'OK on "{caption}"')
        if n < 50:
            window = question_arrives(n + 1, window)


def score():
    hear("the end of the test", "End of the questions", "Score", "push button")
    also_heard("the end of the test's own words", "That is all of the questions", "How well did you do?")
    window_on_view("End of the questions")
    keys("alt+s", note="Score")
    hear("the main window with the results", MAIN, "push button")
    also_heard("the results as the main window becomes active", MAIN, "Good Job!!! You know you snelks well",
               "The percent of questions you got right: 84 %", "The number of questions you got right: 42",
               "The number of questions you got wrong: 8")
    window_on_view(MAIN)
    keys("alt+r", note="Reset Test")


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
    also_heard("the introduction again after the reset", MAIN, INTRODUCTION)
    not_heard("the main window after the reset", "Good Job")
    window_on_view(MAIN)


def stop_orca():
    """Orca is stopped before the program quits. While a screen reader still
    asks about the windows going away, Qt's D-Bus code now and then loses a
    message at the program's end, inside libdbus, which LeakSanitizer then
    reports as a leak; that is no fault of the program's."""
    check(orca_running(), "Orca ended during the run")
    step("Orca stops")
    os.kill(ORCA, signal.SIGTERM)
    wait_for("Orca to stop after being asked to", lambda: not orca_running(), seconds=20)


def transcript_is_orcas_record():
    """Orca writes each utterance to its debug file as it hands it to the
    speech server, as "SPEECH OUTPUT: '...'". Once Orca has ended and its
    file is complete, every utterance the transcript heard must be there, in
    the same order: what was checked is what Orca itself says it said."""
    with open(ORCAS_RECORD, encoding="utf-8", errors="replace") as f:
        record = " ".join(f.read().split())
    at = 0
    for line in speech():
        if line.startswith(("## ", "[key] ", "[char] ")):
            continue
        found = record.find(f"SPEECH OUTPUT: '{line}'", at)
        if found < 0:
            late_failures.append(f"Orca's debug file does not record {line!r} where the transcript heard it")
            return
        at = found


def quit_program(program):
    keys("alt+q", note="Quit")
    expect_exit(program, "Quit")


def main():
    def steps(program):
        welcome_and_main_window()
        difficulty()
        whole_test()
        score()
        about_screen()
        stop_orca()
        transcript_is_orcas_record()
        quit_program(program)

    return run(PROGRAM, steps, "Orca run: everything checked was spoken")


if __name__ == "__main__":
    sys.exit(main())
