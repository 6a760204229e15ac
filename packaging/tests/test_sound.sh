#!/usr/bin/env bash
# The bell after a right answer, as a sound service hears it: one request for
# the desktop's "bell" sound per right answer, two one after the other for
# question 18, none for a wrong one, which loads no sound library at all; and
# where no sound service runs, the program carries on without a word.
# Usage: test_sound.sh SOUND_CHECK
set -uo pipefail
check=$1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
for tool in pulseaudio pactl; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
started=()
cleanup() {
    { exec 3>&-; } 2>/dev/null
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# A home and runtime folder of the test's own, so that no sound server or
# setting of the person running the tests is used or touched.
export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run XDG_CONFIG_HOME=$scratch/home/.config
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY

sound_complaints() { grep -Ei 'alsa|pulse|canberra|pa_context|sound|audio' "$1"; }

# run_unheard NAME: answers rightly where nothing can hear the bell; the
# program must go on as usual and say nothing about it.
run_unheard() {
    local score status
    score=$(timeout 60 "$check" right 1 2>"$scratch/$1.err")
    status=$?
    [ "$status" -eq 0 ] || fail "$1: the program ended with status $status"
    [ "$score" = "right 1 wrong 0" ] || fail "$1: the score reads '$score'"
    if sound_complaints "$scratch/$1.err"; then fail "$1: a bell nobody could hear was complained about"; fi
}

echo "== No sound service"
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/nobody-listens-here
run_unheard no-server

echo "== No sound service and no sound card, through ALSA alone"
# ALSA's own settings without the local ones that route it to a sound server:
# its default device is then the first sound card, and on a machine without
# one nothing at all can play the bell.
sed '/^@hooks \[/,/^\]/d' /usr/share/alsa/alsa.conf >"$scratch/alsa.conf"
ALSA_CONFIG_PATH=$scratch/alsa.conf CANBERRA_DRIVER=alsa run_unheard no-card

echo "== A private sound server"
# The server writes down every stream it is asked for, with its properties.
socket=$XDG_RUNTIME_DIR/pulse-native
log=$scratch/pulse.log
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=false --disable-shm=yes \
    --log-target=stderr --log-level=info --log-time=yes \
    --load="module-null-sink sink_name=snelk_test_sink" \
    --load="module-native-protocol-unix socket=$socket auth-anonymous=1" \
    >"$log" 2>&1 &
started+=($!)
export PULSE_SERVER=unix:$socket
for _ in $(seq 100); do grep -q 'Daemon startup complete' "$log" && break; sleep 0.1; done
if ! timeout 10 pactl info >/dev/null 2>&1; then
    cat "$log"
    echo "FAIL: the private sound server did not start"
    exit 1
fi
streams() { grep -c 'sink-input.c: Created input' "$log"; }

echo "-- A right answer"
# The program is kept running until the server has the bell (or 20 s have
# passed), and a little longer in case a second request follows.
mkfifo "$scratch/hold"
timeout 60 "$check" right stdin <"$scratch/hold" >"$scratch/right.out" 2>"$scratch/right.err" &
program=$!
exec 3>"$scratch/hold"
for _ in $(seq 200); do [ "$(streams)" -gt 0 ] && break; sleep 0.1; done
sleep 0.5
# The program itself played it.
player=$(sed -n 's/.*application\.process\.id = "\([0-9]*\)".*/\1/p' "$log" | head -n 1)
[ "$(readlink "/proc/${player:-none}/exe")" = "$(readlink -f "$check")" ] ||
    fail "the bell was played by process ${player:-none}, not by the program"
exec 3>&-
wait "$program"
status=$?
grep 'sink-input.c:' "$log"
[ "$status" -eq 0 ] || fail "with a sound server the program ended with status $status"
[ "$(cat "$scratch/right.out")" = "right 1 wrong 0" ] || fail "the score reads '$(cat "$scratch/right.out")'"
[ "$(streams)" -eq 1 ] || fail "expected one sound for one right answer, the server had $(streams)"
grep -q 'event.id = "bell"' "$log" || fail "the sound asked for is not the bell"
grep -q 'application.name = "The Snelk Test"' "$log" || fail "the sound is not marked as the program's"
grep -q 'media.filename = ".*/sounds/freedesktop/stereo/bell.oga"' "$log" ||
    fail "the bell does not come from the freedesktop sound theme"
if sound_complaints "$scratch/right.err"; then fail "the program complained about the sound"; fi

echo "-- Question 18 answered right: two bells, one after the other"
before=$(streams)
mkfifo "$scratch/hold18"
timeout 60 "$check" right stdin 18 <"$scratch/hold18" >"$scratch/right18.out" 2>"$scratch/right18.err" &
program=$!
exec 3>"$scratch/hold18"
for _ in $(seq 200); do [ "$(streams)" -ge $((before + 2)) ] && break; sleep 0.1; done
sleep 1
exec 3>&-
wait "$program"
[ "$(cat "$scratch/right18.out")" = "right 1 wrong 0" ] || fail "question 18: the score reads '$(cat "$scratch/right18.out")'"
[ "$(streams)" -eq $((before + 2)) ] || fail "question 18: expected two sounds, the server had $(($(streams) - before))"
# Each line of the server's log starts with its time: "(  12.345|   0.001)".
at() { sed -n "s/^( *\([0-9.]*\)|.*sink-input.c: $1 input \([0-9]*\) .*/\2 \1/p" "$log"; }
second=$(at Created | tail -n 1)
first=$(at Created | tail -n 2 | head -n 1)
first_ended=$(at Freeing | awk -v id="${first%% *}" '$1 == id {print $2}')
echo "question 18: the first bell played from ${first#* } s to ${first_ended:-never} s, the second started at ${second#* } s"
awk -v start="${second#* }" -v end="$first_ended" 'BEGIN {exit !(end != "" && start >= end)}' ||
    fail "question 18: the second bell started at ${second#* } s, before the first ended (${first_ended:-never})"

echo "-- A wrong answer"
before=$(streams)
mkfifo "$scratch/hold-wrong"
timeout 60 "$check" wrong stdin <"$scratch/hold-wrong" >"$scratch/wrong.out" 2>"$scratch/wrong.err" &
program=$!
exec 3>"$scratch/hold-wrong"
for _ in $(seq 100); do [ -s "$scratch/wrong.out" ] && break; sleep 0.1; done
# Nothing rang, so nothing of the sound service was loaded.
if grep -E 'lib(canberra|pulse|asound)' "/proc/$(pgrep -P "$program")/maps"; then
    fail "a wrong answer loaded sound libraries"
fi
exec 3>&-
wait "$program"
status=$?
[ "$status" -eq 0 ] || fail "after a wrong answer the program ended with status $status"
[ "$(cat "$scratch/wrong.out")" = "right 0 wrong 1" ] || fail "after a wrong answer the score reads '$(cat "$scratch/wrong.out")'"
[ "$(streams)" -eq "$before" ] || fail "a wrong answer made a sound"

[ "$failures" -eq 0 ] || exit 1
echo "A right answer rang the bell once, question 18 twice in turn; a wrong answer, and a bell with no one to hear it, made no noise."
