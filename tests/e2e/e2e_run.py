"""What the Python end-to-end runs share: the answer key, the course of a
test as a user meets it, and how a run starts the program, stops on a
failure with a picture of the screen, and always ends the program.
"""

import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
MAIN = "The Snelk Test"


class Failure(Exception):
    """A fault that stops the run."""


# Faults found on the way that need not stop the run: reported at its end, so
# that the rest of it is still taken.
late_failures = []


def step(message):
    print("--", message, flush=True)


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, seconds=15):
    """Polls until probe() gives a true value, and returns it. An object that
    goes away while it is looked at just means: not yet."""
    deadline = time.monotonic() + seconds
    last_error = None
    while time.monotonic() < deadline:
        try:
            value = probe()
            if value:
                return value
        except Exception as e:  # a window closing under our feet
            last_error = e
        time.sleep(0.1)
    raise Failure(f"waited {seconds} s for {what}" + (f" ({last_error})" if last_error else ""))


def expect_exit(program, after):
    """The program ends by itself within 20 s of the last step, with status 0."""
    try:
        status = program.wait(timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure(f"the program was still running 20 s after {after}") from None
    check(status == 0, f"the program exited with status {status}")


def questions(answer_key):
    """The fifty questions from "answer-key json", by number."""
    return {q["number"]: q for q in json.loads(subprocess.check_output([answer_key, "json"]))}


def dialogs_after(q, right):
    """The dialogs that come up after answering the question right or wrong,
    in order: (caption, text, picture), picture None where there is none."""
    shown = []
    if not right:
        shown.append(("Dialog Caption" if q["number"] == 16 else "Wrong", q["explanation"], q.get("picture")))
    elif q["number"] == 22:
        shown.append(("Correct", q["explanation"], None))
    if q["number"] == 20:
        shown.append(("Part Two", "The next part of the test is True or False.", None))
    return shown


def take_screenshot(path):
    return subprocess.run(["bash", os.path.join(HERE, "screenshot.sh"), path], timeout=30).returncode == 0


def screenshot():
    """What the screen shows at a failure, while the program is still up."""
    path = os.environ.get("E2E_SCREENSHOT")
    if path and take_screenshot(path):
        print(f"screenshot of the failure: {path}", file=sys.stderr)


def run(program, steps, done):
    """Starts the program and takes the steps with it. A failure stops them
    with a picture of the screen; the program is ended whatever happens; the
    faults noted on the way fail the run at its end. Returns the exit
    status for the run."""
    started = time.monotonic()
    process = subprocess.Popen([program])
    try:
        steps(process)
    except Failure as e:
        print(f"FAIL: {e}", file=sys.stderr, flush=True)
        screenshot()
        return 1
    except Exception:
        screenshot()
        raise
    finally:
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
    for message in late_failures:
        print(f"FAIL: {message}", file=sys.stderr, flush=True)
    if late_failures:
        return 1
    print(f"{done}, in {time.monotonic() - started:.0f} s; the program exited with 0")
    return 0
