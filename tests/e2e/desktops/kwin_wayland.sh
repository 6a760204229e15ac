#!/usr/bin/env bash
# The program on KDE Plasma's KWin 5.27 on Wayland, headless: not part of
# CTest (it needs kwin-wayland, which the test set-up does not install), run
# by hand when the frames, titles or keys on KWin are in question. Also
# needs plasma-wayland-protocols and libwayland-bin, for the key sender.
#
# Usage: kwin_wayland.sh PROGRAM ANSWER_KEY OUT_DIR [SCALE]
# Runs kwin_wayland_run.py: Enter on the welcome screen and again on the main
# window 0.3 s later, 20 times; then a whole test by keys (whole_test.py),
# question 1 and statement 22 pictured in OUT_DIR.
set -euo pipefail
program=$1 answer_key=$2 out=$3 scale=${4:-1}
here=$(cd "$(dirname "$0")" && pwd)
run=$(mktemp -d /tmp/snelk-kwin.XXXXXX)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; sleep 1; rm -rf "$run"' EXIT
mkdir -p "$out"
export XDG_RUNTIME_DIR=$run XDG_CONFIG_HOME=$run/config XDG_DATA_HOME=$run/data XDG_CACHE_HOME=$run/cache
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

protocol=/usr/share/plasma-wayland-protocols/fake-input.xml
wayland-scanner client-header "$protocol" "$run/fake-input-client-protocol.h"
wayland-scanner private-code "$protocol" "$run/fake-input-protocol.c"
cc -o "$run/fake_keys" -I"$run" "$here/kwin_fake_keys.c" "$run/fake-input-protocol.c" \
    $(pkg-config --cflags --libs wayland-client)
# The installed binary carries a file capability that a container refuses;
# a copy has none.
cp /usr/bin/kwin_wayland "$run/kwin_wayland"

dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$run/session-bus" >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$run/session-bus")
# Fake input and pictures for any client of this private KWin; its scripts'
# print() into its log.
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES=kwin_scripting=true \
    "$run/kwin_wayland" --virtual --socket snelk-kwin --width 1280 --height 800 --scale "$scale" \
    >"$out/kwin.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$run/snelk-kwin" ] && gdbus introspect --session --dest org.kde.KWin \
    --object-path /Scripting >/dev/null 2>&1 && break; sleep 0.2; done
export WAYLAND_DISPLAY=snelk-kwin
/usr/bin/python3 "$here/kwin_wayland_run.py" "$program" "$out" "$answer_key" "$run/fake_keys" "$out/kwin.log" \
    "$here/kwin_watch.js"
