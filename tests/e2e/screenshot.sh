#!/usr/bin/env bash
# Saves what the private desktop of an end-to-end run shows to FILE, a PNG:
# the X server's root window, or on Wayland the compositor's whole output
# (weston lets its screenshot tool in only when started with --debug).
# Exits non-zero, quietly, where no picture could be had.
#
# Usage: screenshot.sh FILE
set -u
file=$1
mkdir -p "$(dirname "$file")" || exit 1
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    command -v weston-screenshooter >/dev/null 2>&1 || exit 1
    # It names the picture after the time and writes it into the current folder.
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/snelk-screenshot.XXXXXX") || exit 1
    trap 'rm -rf "$scratch"' EXIT
    (cd "$scratch" && timeout 10 weston-screenshooter) >/dev/null 2>&1
    shots=("$scratch"/*.png)
    [ -f "${shots[0]}" ] && mv "${shots[0]}" "$file"
elif [ -n "${DISPLAY:-}" ]; then
    command -v import >/dev/null 2>&1 || exit 1
    timeout 10 import -display "$DISPLAY" -window root "$file" 2>/dev/null
else
    exit 1
fi
