#!/usr/bin/env bash
# Sets up a private desktop with the accessibility bus and a stand-in web
# browser that only notes what it was asked to open, then runs
# screen_reader_run.py against the program.
#
# Usage: screen_reader_run.sh PROGRAM ANSWER_KEY ARTIFACT_DIR
set -euo pipefail
program=$1
answer_key=$2
artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$here/desktop.sh"
e2e_begin screen-reader "$artifacts" 300
# Debian's own Python, where python3-pyatspi is installed, whatever else is
# first on the PATH.
python=/usr/bin/python3
e2e_need Xvfb openbox xprop dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher "$python" \
    "$program" "$answer_key"
"$python" -c 'import pyatspi' 2>/dev/null || e2e_fail "python3-pyatspi is missing; 'scripts/setup test' installs it"
e2e_start_desktop accessibility

# The desktop opens web pages with xdg-open; this one writes the address down.
browser=$E2E_TMP/browser
mkdir "$browser"
: >"$browser/opened"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$browser/opened" >"$browser/xdg-open"
chmod +x "$browser/xdg-open"

export E2E_SCREENSHOT=$artifacts/screen-reader-failure.png
PATH="$browser:$PATH" e2e_spawn run "$python" "$here/screen_reader_run.py" "$program" "$answer_key" "$browser/opened"
status=0
wait "$run" || status=$?
[ "$status" -eq 0 ] || e2e_fail "the screen-reader run failed (status $status)"
