"""A whole test taken the way a screen reader takes it: through the
accessibility bus alone, with no keyboard and no mouse.

Every window is found by its caption among the program's windows; every
control must have the role a screen reader announces (push button, radio
button, label, link, menu item, image) and a name a listener can make sense
of. Choices are picked and buttons pressed through their accessible actions,
enabled and checked states must match what is on screen, and the score is
read back from the main window's labels and checked against the answers given.
The web browser that the about screen's link starts must get exactly the
environment the program itself was started with: nothing of the program's own
may reach it.

Usage: screen_reader_run.py PROGRAM ANSWER_KEY BROWSER_LOG BROWSER_ENVIRON
(run by screen_reader_run.sh, which sets up the desktop, the buses and the
stand-in browser; with E2E_PICTURES set, pictures of a question and of the
score are saved as E2E_PICTURES-question.png and E2E_PICTURES-score.png)
"""

import os
import re
import sys

import pyatspi
from gi.repository import Atspi

from e2e_run import (MAIN, Failure, check, dialogs_after, expect_exit, late_failures, questions, run,
                     step, take_screenshot, wait_for)

PROGRAM, ANSWER_KEY, BROWSER_LOG, BROWSER_ENVIRON = sys.argv[1:5]
QUESTIONS = questions(ANSWER_KEY)

# The questions answered wrong; every other one is answered right. On these
# the screen reader first picks one choice and then changes its mind.
WRONG = {1, 4, 11, 16, 19, 20, 26, 30, 37, 44, 49}
CHANGE_OF_MIND = {3, 11, 17}

# Controls a screen reader reads out or acts on, and what may hold them.
NAMED_ROLES = {"push button", "radio button", "label", "link", "menu item", "image"}
CONTAINER_ROLES = {"filler", "menu bar", "menu", "popup menu"}
# An object's own name from the window's design, where a caption belongs.
DESIGN_NAME = re.compile(r"^((Label|Option|Command|Image|Text)\d+|OKButton|CancelButton|cmd[A-Z]\w*)$")


# --- Reading the accessibility tree ---------------------------------------------

def role(acc):
    return acc.getRoleName()


def states(acc):
    return acc.getState()


def showing(acc):
    return states(acc).contains(pyatspi.STATE_SHOWING)


def enabled(acc):
    s = states(acc)
    return s.contains(pyatspi.STATE_ENABLED) and s.contains(pyatspi.STATE_SENSITIVE)


def checked(acc):
    return states(acc).contains(pyatspi.STATE_CHECKED)


def descendants(acc):
    for child in acc:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "snelk-test":
            # Every question is asked afresh: no stale names or states.
            app.set_cache_mask(Atspi.Cache.NONE)
            return app
    return None


def windows():
    app = application()
    check(app is not None, "the program is not on the accessibility bus")
    return [w for w in app if w is not None]


def windows_on_view():
    return sorted(w.name for w in windows() if showing(w))


def wait_on_screen(what, probe):
    """wait_for, saying what is on view if it fails."""
    try:
        return wait_for(what, probe)
    except Failure as e:
        raise Failure(f"{e}; on view: {windows_on_view()}") from None


def expect_on_view(*titles):
    want = sorted(titles)
    wait_on_screen(f"exactly these windows on view: {want}", lambda: windows_on_view() == want)


def window(title, prompt=None):
    """The window of that caption on view (with that question, if given)."""

    def probe():
        for w in windows():
            if w.name == title and showing(w):
                if prompt is None or prompt in [c.name for c in controls(w, "label")]:
                    return w
        return None

    return wait_on_screen(f'the window "{title}"' + (f' asking "{prompt}"' if prompt else ""), probe)


def arrives(title, prompt=None):
    """The window comes up in front of the main window alone, and reads out
    well: check_window."""
    win = window(title, prompt)
    expect_on_view(MAIN, title)
    check_window(win)
    return win


def expect_focus(win, wanted_role, name):
    """The control a screen reader announces first when the window opens."""
    if os.environ.get("E2E_KEYBOARD") == "no":
        return  # nothing holds the focus on a desktop without a keyboard

    def focused():
        return [f"{role(c)} {c.name}" for c in controls(win) if states(c).contains(pyatspi.STATE_FOCUSED)]

    try:
        wait_for(f'the focus on "{name}"', lambda: focused() == [f"{wanted_role} {name}"], seconds=5)
    except Failure:
        raise Failure(f'"{win.name}" opens with the focus on {focused()}, not on the {wanted_role} "{name}"') from None


def controls(win, wanted_role=None, only_showing=True):
    return [c for c in descendants(win)
            if (wanted_role is None or role(c) == wanted_role) and (not only_showing or showing(c))]


def control(win, wanted_role, name):
    found = [c for c in controls(win, wanted_role) if c.name == name]
    check(len(found) == 1, f'"{win.name}" shows {len(found)} {wanted_role}s named "{name}"; '
          f"its {wanted_role}s: {[c.name for c in controls(win, wanted_role)]}")
    return found[0]


def names(win, wanted_role):
    return sorted(c.name for c in controls(win, wanted_role))


def expect_names(win, wanted_role, want):
    """The window shows exactly these controls of the role, in any order."""
    got = names(win, wanted_role)
    check(got == sorted(want), f'"{win.name}" shows the {wanted_role}s {got}, not {sorted(want)}')


def check_window(win):
    """The window is a frame or a dialog named by its caption, and each of its controls
    has a role a screen reader knows and a name it can read out."""
    # The main window is a frame, every other window a dialog.
    check(role(win) in ("frame", "dialog"), f'the window "{win.name}" is a {role(win)}, not a frame or dialog')
    check(win.name.strip(), "a window has no name")
    for c in descendants(win):
        r = role(c)
        check(r in NAMED_ROLES or r in CONTAINER_ROLES, f'"{win.name}" holds a {r} named "{c.name}"')
        if r not in NAMED_ROLES:
            continue
        name = c.name
        check(name.strip() == name and name, f'a {r} in "{win.name}" has the name "{name}"')
        check("&" not in name, f'the {r} "{name}" in "{win.name}" reads out its access key marker')
        check(not DESIGN_NAME.match(name), f'the {r} "{name}" in "{win.name}" is named after its object')
        if r == "image":
            check(len(name.split()) >= 3, f'the picture in "{win.name}" is only called "{name}"')


def action(acc, expected):
    """The accessible's first action, which must be the one expected."""
    check(enabled(acc), f'"{acc.name}" is not enabled')
    act = acc.queryAction()
    check(act.nActions > 0, f'"{acc.name}" offers no action')
    check(act.getName(0).lower() == expected,
          f'the first action of "{acc.name}" is "{act.getName(0)}", not "{expected}"')
    return act


def press(win, wanted_role, name):
    act = action(control(win, wanted_role, name), "press")
    check(act.doAction(0), f'pressing "{name}" in "{win.name}" failed')


def pick(win, choice):
    radio = control(win, "radio button", choice)
    check(action(radio, "toggle").doAction(0), f'choosing "{choice}" in "{win.name}" failed')
    wait_for(f'"{choice}" checked', lambda: checked(radio))


def label_right_of(win, caption):
    """The label a sighted user reads after the caption on the same line."""
    cap = control(win, "label", caption).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    best = None
    for c in controls(win, "label"):
        e = c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        same_line = e.y < cap.y + cap.height and cap.y < e.y + e.height
        if same_line and e.x >= cap.x + cap.width - 2 and (best is None or e.x < best[0]):
            best = (e.x, c)
    check(best is not None, f'nothing follows "{caption}" in "{win.name}"')
    return best[1].name


def environment(path):
    """The variables in a file laid out as /proc/PID/environ is."""
    with open(path, "rb") as f:
        entries = [e.decode(errors="backslashreplace") for e in f.read().split(b"\0") if e]
    return dict(e.partition("=")[::2] for e in entries)


def environment_changes(before, after):
    changes = []
    for name in sorted(before.keys() | after.keys()):
        if name not in after:
            changes.append(f"  taken away: {name}={before[name]}")
        elif name not in before:
            changes.append(f"  added:      {name}={after[name]}")
        elif before[name] != after[name]:
            changes.append(f"  changed:    {name}={before[name]}  ->  {name}={after[name]}")
    return changes


def main_buttons_enabled(main):
    return {b.name: enabled(b) for b in controls(main, "push button")}


def expect_ready(main, when):
    """The main window as before a test: no result read out, and every
    button but Reset Test enabled."""
    labels = names(main, "label")
    for hidden in list(SCORE_CAPTIONS.values()) + list(GRADES.values()):
        check(hidden not in labels, f'"{hidden}" is read out {when}')
    check(main_buttons_enabled(main) == {"Reset Test": False, "Start Test": True,
                                         "Set Diffuculty of Test": True, "About": True, "Quit": True},
          f"buttons enabled {when}: {main_buttons_enabled(main)}")


# --- The run ----------------------------------------------------------------------

SCORE_CAPTIONS = {
    "right": "The number of questions you got right:",
    "wrong": "The number of questions you got wrong:",
    "percent": "The percent of questions you got right:",
}
GRADES = {
    "excellent": "Excellent!!!! 100% You are a snelk genious!!!",
    "good": "Good Job!!! You know you snelks well",
    "poor": "Not very good. You need to brush up on your snelk knowledge.",
}


def welcome_and_main_window():
    step("the welcome screen")
    welcome = window(MAIN)
    check_window(welcome)
    expect_names(welcome, "push button", ["OK"])
    check(len(controls(welcome, "image")) == 1, "the welcome screen's picture is not an image")
    expect_focus(welcome, "push button", "OK")
    press(welcome, "push button", "OK")

    step("the main window before the test")
    main = wait_for("the main window", lambda: next(
        (w for w in windows() if w.name == MAIN and showing(w) and
         "Start Test" in names(w, "push button")), None))
    expect_on_view(MAIN)
    check_window(main)
    expect_focus(main, "push button", "Quit")
    expect_names(main, "push button", ["Reset Test", "Start Test", "Set Diffuculty of Test", "About", "Quit"])
    menu_items = sorted(c.name for c in controls(main, "menu item", only_showing=False))
    check(menu_items == ["About", "Exit", "File", "Help"], f"menu items: {menu_items}")
    check(len(controls(main, "image")) == 1, "the main window's picture is not an image")
    expect_ready(main, "at start")
    return main


def about_screen(main, program):
    step("the about screen through the Help menu, and its link")
    help_about = [c for c in controls(main, "menu item", only_showing=False)
                  if c.name == "About" and role(c.parent) != "menu bar"]
    check(len(help_about) == 1, "no About item in the Help menu")
    check(action(help_about[0], "press").doAction(0), "the About menu item failed")
    about = arrives("About Snelk Test")
    expect_names(about, "push button", ["OK"])
    expect_focus(about, "push button", "OK")
    check(len(controls(about, "image")) == 1, "the about screen's picture is not an image")
    link = control(about, "link", "Tarnwick's Website")
    # What the program was started with, as the kernel keeps it: whatever the
    # program does to its own environment later does not show here.
    started_with = environment(f"/proc/{program.pid}/environ")
    check(action(link, "press").doAction(0), "pressing the link failed")
    wait_for("the browser to be asked for the maker's page",
             lambda: "https://www.tarnwick.example/" in open(BROWSER_LOG).read())
    changes = environment_changes(started_with, environment(BROWSER_ENVIRON))
    if changes:
        message = ("the browser was not started with the environment the program was started with "
                   "(the program's, then the browser's):\n" + "\n".join(changes))
        print(f"-- {message}", flush=True)
        late_failures.append(message)
    else:
        step("the browser got the program's environment unchanged")
    expect_on_view(MAIN, "About Snelk Test")
    press(about, "push button", "OK")
    expect_on_view(MAIN)


def difficulty(main):
    step("the difficulty dialog: Easy")
    press(main, "push button", "Set Diffuculty of Test")
    dialog = arrives("Test Diffuculty")
    expect_names(dialog, "radio button", ["Easy", "Normal", "Very Easy"])
    expect_names(dialog, "push button", ["Cancel", "OK"])
    expect_focus(dialog, "push button", "OK")
    check(not main_buttons_enabled(main)["Start Test"], "Start Test is enabled while the dialog is open")
    pick(dialog, "Easy")
    for level in ("Normal", "Very Easy"):
        check(not checked(control(dialog, "radio button", level)), f'"{level}" is checked too')
    press(dialog, "push button", "OK")
    expect_on_view(MAIN)
    wait_for("Start Test enabled again", lambda: main_buttons_enabled(main)["Start Test"])


def choice_question(n, right):
    q = QUESTIONS[n]
    win = arrives(q["caption"], q["prompt"])
    expect_names(win, "radio button", q["choices"])
    buttons = names(win, "push button")
    next_button = next((b for b in buttons if b.lower() == "next question"), None)
    quit_button = next((b for b in buttons if b in ("Exit", "Quit")), None)
    check(len(buttons) == 2 and next_button and quit_button, f"question {n} has the buttons {buttons}")
    expect_focus(win, "push button", quit_button)
    # At Easy the first choice of the question's mask is taken away.
    masked = q["mask"][0]
    for slot, choice in enumerate(q["choices"], start=1):
        radio = control(win, "radio button", choice)
        check(enabled(radio) == (slot != masked),
              f'question {n}: "{choice}" is {"enabled" if enabled(radio) else "disabled"} at Easy')
        check(not checked(radio), f'question {n}: "{choice}" is checked before any choice')
    open_slots = [s for s in range(1, 5) if s != masked]
    wrong_slots = [s for s in open_slots if s != q["answer"]]
    target = q["answer"] if right else wrong_slots[0]
    if n in CHANGE_OF_MIND:
        first = next(s for s in open_slots if s != target)
        pick(win, q["choices"][first - 1])
    pick(win, q["choices"][target - 1])
    picked = [c.name for c in controls(win, "radio button") if checked(c)]
    check(picked == [q["choices"][target - 1]], f"question {n}: checked are {picked}")
    if n == 1:
        picture("question")
    press(win, "push button", next_button)


def statement(n, right):
    q = QUESTIONS[n]
    win = arrives("True or False", q["prompt"])
    expect_names(win, "push button", ["False", "Quit", "True"])
    # The first statement offers "False" first.
    expect_focus(win, "push button", "False" if n == 21 else "True")
    say_true = q["answer"] if right else not q["answer"]
    press(win, "push button", "True" if say_true else "False")


def confirm(title, explanation=None, picture=None):
    dialog = arrives(title, explanation)
    expect_names(dialog, "push button", ["OK"])
    expect_focus(dialog, "push button", "OK")
    if picture is not None:
        images = [c.name for c in controls(dialog, "image")]
        check(images == [picture], f'"{title}" shows the pictures {images}')
    press(dialog, "push button", "OK")


def take_test(main):
    step(f"fifty questions; wrong on purpose: {sorted(WRONG)}")
    press(main, "push button", "Start Test")
    wait_for("Start Test disabled, Reset Test enabled", lambda: main_buttons_enabled(main) == {
        "Reset Test": True, "Start Test": False, "Set Diffuculty of Test": False, "About": True, "Quit": True})
    right_count = 0
    for n in range(1, 51):
        right = n not in WRONG
        right_count += right
        if n <= 20:
            choice_question(n, right)
        else:
            statement(n, right)
        for caption, text, picture_shown in dialogs_after(QUESTIONS[n], right):
            confirm(caption, text, picture_shown)
    return right_count


def score(main, right_count):
    step("the score")
    done = arrives("End of the questions")
    expect_focus(done, "push button", "Score")
    press(done, "push button", "Score")
    expect_on_view(MAIN)
    wait_for("the score on view", lambda: SCORE_CAPTIONS["right"] in names(main, "label"))
    got = {key: label_right_of(main, caption) for key, caption in SCORE_CAPTIONS.items()}
    want = {"right": str(right_count), "wrong": str(50 - right_count), "percent": str(2 * right_count)}
    check(got == want, f"the main window reads {got}, after answers that make {want}")
    grade = "excellent" if right_count == 50 else "good" if right_count >= 35 else "poor"
    shown = [g for g, text in GRADES.items() if text in names(main, "label")]
    check(shown == [grade], f"the grades read out: {shown}, expected {grade}")
    print(f"score read from the main window: {got['right']} right, {got['wrong']} wrong, {got['percent']}%")
    picture("score")


def reset(main):
    step("Reset Test")
    press(main, "push button", "Reset Test")
    wait_for("the score hidden again", lambda: SCORE_CAPTIONS["right"] not in names(main, "label"))
    expect_ready(main, "after the reset")


def exit_through_menu(main, program):
    step("File > Exit")
    # The item is there to be pressed even while its menu is closed.
    exit_item = next(c for c in controls(main, "menu item", only_showing=False) if c.name == "Exit")
    check(action(exit_item, "press").doAction(0), "the Exit menu item failed")
    expect_exit(program, "File > Exit")


def picture(what):
    """What the screen shows now, for a person to look at after the run."""
    prefix = os.environ.get("E2E_PICTURES")
    if prefix:
        path = f"{prefix}-{what}.png"
        if take_screenshot(path):
            step(f"a picture of the {what}: {path}")


def main():
    def steps(program):
        wait_for("the program on the accessibility bus", application, seconds=30)
        main_window = welcome_and_main_window()
        about_screen(main_window, program)
        difficulty(main_window)
        right_count = take_test(main_window)
        score(main_window, right_count)
        reset(main_window)
        exit_through_menu(main_window, program)

    return run(PROGRAM, steps, "screen-reader run: every window and control named and reachable, the whole "
                               "test taken through accessible actions, the score read back")


if __name__ == "__main__":
    sys.exit(main())
