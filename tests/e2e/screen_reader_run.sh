#!/usr/bin/env bash
# Sets up a private desktop with the accessibility bus and a stand-in web
# browser that only notes what it was asked to open and the environment it
# was started with, then runs screen_reader_run.py against the program.
#
# Usage: screen_reader_run.sh PROGRAM ANSWER_KEY ARTIFACT_DIR [x11|wayland]
# On wayland the desktop is a headless weston with no X server at all.
set -euo pipefail
program=$1
answer_key=$2
artifacts=$3
desktop=${4:-x11}
here=$(cd "$(dirname "$0")" && pwd)

source "$here/desktop.sh"
case $desktop in
    x11) name=screen-reader; tools=(Xvfb openbox xprop) ;;
    wayland) name=screen-reader-wayland; tools=(weston) ;;
    *) echo "FAIL: unknown desktop $desktop" >&2; exit 2 ;;
esac
e2e_begin "$name" "$artifacts" 300
# Debian's own Python, where python3-pyatspi is installed, whatever else is
# first on the PATH.
python=/usr/bin/python3
e2e_need "${tools[@]}" dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher "$python" \
    "$program" "$answer_key"
"$python" -c 'import pyatspi' 2>/dev/null || e2e_fail "python3-pyatspi is missing; 'scripts/setup test' installs it"
e2e_start_desktop accessibility "$desktop"

# The desktop opens web pages with xdg-open; this one keeps the environment
# it was started with (its own, as the kernel has it, whatever the shell does
# with it) and then writes the address down.
browser=$E2E_TMP/browser
mkdir "$browser"
: >"$browser/opened"
cat >"$browser/xdg-open" <<STANDIN
#!/bin/sh
cat /proc/\$\$/environ >"$browser/environ.part" && mv "$browser/environ.part" "$browser/environ"
echo "\$@" >>"$browser/opened"
STANDIN
chmod +x "$browser/xdg-open"

export E2E_SCREENSHOT=$artifacts/$name-failure.png
# Pictures of a question and of the score, to look at after the run.
export E2E_PICTURES=$artifacts/$name
PATH="$browser:$PATH" e2e_spawn run "$python" "$here/screen_reader_run.py" "$program" "$answer_key" \
    "$browser/opened" "$browser/environ"
status=0
wait "$run" || status=$?
[ "$status" -eq 0 ] || e2e_fail "the screen-reader run failed (status $status)"
