#!/usr/bin/env bash
# The program as a blind user meets it: Orca, the screen reader, running on a
# private X server with the accessibility bus, and the program driven with
# real keystrokes through a whole test. What Orca says is written down by a
# speech server of our own (speech_transcript.py) instead of being voiced, so
# no sound card or synthesiser is needed; orca_speech_run.py checks it as the
# run goes, and at the end against Orca's own record, its debug file.
#
# Usage: orca_speech_run.sh PROGRAM ANSWER_KEY ARTIFACT_DIR
# Leaves what Orca said, with the keys that made it speak, in
# ARTIFACT_DIR/orca-speech.txt, and Orca's debug file in
# ARTIFACT_DIR/orca-debug.txt.
set -euo pipefail
program=$1
answer_key=$2
artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$here/desktop.sh"
e2e_begin orca-speech "$artifacts" 240
python=/usr/bin/python3
e2e_need Xvfb openbox xdotool xprop dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher orca "$python" \
    "$program" "$answer_key"
e2e_start_desktop accessibility

# Orca's own private settings, as a user's would be after setting it up:
# speech through the transcript server, no braille display to look for.
orca_dir=$XDG_DATA_HOME/orca
mkdir -p "$orca_dir"
cp "$here/speech_transcript.py" "$orca_dir/"
cat >"$orca_dir/user-settings.conf" <<'SETTINGS'
{
    "general": {"speechServerFactory": "speech_transcript", "enableBraille": false},
    "profiles": {"default": {"profile": ["Default", "default"],
                             "speechServerFactory": "speech_transcript", "enableBraille": false}},
    "pronunciations": {},
    "keybindings": {}
}
SETTINGS
mkdir -p "$artifacts"
export SNELK_SPEECH_TRANSCRIPT=$artifacts/orca-speech.txt
: >"$SNELK_SPEECH_TRANSCRIPT"

# Orca turns the desktop's accessibility setting on; it stays in memory.
# Orca also refuses to start while "another screen reader process is already
# running for this session", which it asks pgrep: any Orca of the same user
# anywhere on the machine, a blind developer's own or another run's. This
# run's desktop is a session of its own, so Orca's pgrep here answers for it
# alone: only processes started inside it, known by its private runtime
# folder. Nothing outside is looked at further, stopped or replaced.
scoped=$E2E_TMP/scoped-tools
mkdir "$scoped"
cat >"$scoped/pgrep" <<SCOPED
#!/bin/sh
$(command -v pgrep) "\$@" | while read -r pid; do
    tr '\\0' '\\n' </proc/"\$pid"/environ 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && echo "\$pid"
done
SCOPED
chmod +x "$scoped/pgrep"
export E2E_ORCA_DEBUG_FILE=$artifacts/orca-debug.txt
e2e_spawn orca_pid env PATH="$scoped:$PATH" GSETTINGS_BACKEND=memory \
    orca --debug-file "$E2E_ORCA_DEBUG_FILE" >"$E2E_TMP/orca.log" 2>&1
e2e_wait_until 30 "Orca did not speak" '{ e2e_alive "$orca_pid" ||
    e2e_fail "Orca ended at start: $(tail -n 3 "$E2E_TMP/orca.log")"; } && [ -s "$SNELK_SPEECH_TRANSCRIPT" ]'
e2e_note "Orca is up: $(head -n1 "$SNELK_SPEECH_TRANSCRIPT")"
# The run stops Orca before the program quits.
export E2E_ORCA_PID=$orca_pid

# In the sanitizer build this run checks memory errors and undefined
# behaviour, but not leaks. While a screen reader listens to the keyboard,
# Qt's accessibility bridge keeps a copy of each key event until the screen
# reader answers; when the answer comes too late (a busy machine, 100 ms) and
# the window the key went to has closed meanwhile, the copy is dropped
# without being freed. Its stack ends inside Qt, where no name narrower than
# the whole of QtGui could match it, and that would hide leaks of ours. The
# program's own code is leak-checked by every other run, by keys and by the
# accessibility bus.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0

export E2E_SCREENSHOT=$artifacts/orca-speech-failure.png
e2e_spawn run "$python" "$here/orca_speech_run.py" "$program" "$answer_key" "$SNELK_SPEECH_TRANSCRIPT"
status=0
wait "$run" || status=$?
[ "$status" -eq 0 ] || e2e_fail "the Orca run failed (status $status); what Orca said: $SNELK_SPEECH_TRANSCRIPT"
