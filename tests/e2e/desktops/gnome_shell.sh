#!/usr/bin/env bash
# The program on GNOME Shell 43 on Wayland, headless: not part of CTest (it
# needs gnome-shell and mutter, which the test set-up does not install), run
# by hand when the frames, titles or keys on GNOME are in question.
#
# Usage: gnome_shell.sh PROGRAM ANSWER_KEY OUT_DIR [wayland]
# With "wayland" the program is kept native (QT_QPA_PLATFORM=wayland); else
# it makes its own choice, which on GNOME is XWayland. Runs gnome_shell_run.py:
# Enter on the welcome screen and again on the main window 0.3 s later, 20
# times; then a whole test by keys (whole_test.py), question 1 and statement
# 22 pictured in OUT_DIR.
set -euo pipefail
program=$1 answer_key=$2 out=$3 native=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
run=$(mktemp -d /tmp/snelk-gnome.XXXXXX)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; sleep 1; rm -rf "$run"' EXIT
export XDG_RUNTIME_DIR=$run XDG_CONFIG_HOME=$run/config XDG_DATA_HOME=$run/data XDG_CACHE_HOME=$run/cache
# Shell.Eval and Shell.Screenshot answer only in the shell's unsafe mode,
# which this one-line extension turns on.
extension=$XDG_DATA_HOME/gnome-shell/extensions/unsafe@snelk.test
mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings" "$extension" "$out"
echo '{"uuid": "unsafe@snelk.test", "name": "unsafe", "description": "tests", "shell-version": ["43"]}' \
    >"$extension/metadata.json"
echo 'function init() {} function enable() { global.context.unsafe_mode = true; } function disable() {}' \
    >"$extension/extension.js"
printf '%s\n' "[org/gnome/shell]" "enabled-extensions=['unsafe@snelk.test']" "disable-user-extensions=false" \
    "welcome-dialog-last-shown-version='999'" "[org/gnome/desktop/interface]" "enable-animations=false" \
    >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
export GSETTINGS_BACKEND=keyfile
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# Without a system bus of some kind the shell quits at start.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$run/system-bus" >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$run/system-bus")
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$run/session-bus" >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$run/session-bus")
gnome-shell --headless --wayland --virtual-monitor 1280x800 --wayland-display snelk-gnome >"$out/shell.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval \
        'global.context.unsafe_mode' 2>/dev/null | grep -q true && break
    sleep 0.2
done
# The shell's own XWayland, as its programs find it.
shell_env() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval \
        "GLib.getenv('$1')" | sed -n "s/^(true, '\"\(.*\)\"')$/\1/p"
}
export WAYLAND_DISPLAY=snelk-gnome DISPLAY=$(shell_env DISPLAY) XAUTHORITY=$(shell_env XAUTHORITY)
[ -z "$native" ] || export QT_QPA_PLATFORM=wayland
/usr/bin/python3 "$here/gnome_shell_run.py" "$program" "$out" "$answer_key"
