#!/usr/bin/env bash
# A whole test taken at the keyboard alone, with real keystrokes typed into
# whichever window has the focus, on a private X server with a window manager:
# the welcome screen (Enter held down on it), the difficulty dialog (Very Easy,
# chosen with Tab, the arrows and Space), fifty questions answered with a mix
# of right and wrong answers (one with its access key held down; the
# statements and the dialogs after question 20 with short taps while the
# window manager is busy), the score, a reset, the about screen and Quit. The program is started with the toolkit's
# own options, which it must ignore: it looks exactly as when started without
# them. At every step the window that should have come up must be on view and
# hold the focus, by its title, and at the end the program must exit with
# status 0.
#
# Usage: keyboard_run.sh PROGRAM ANSWER_KEY ARTIFACT_DIR
set -euo pipefail
program=$1
answer_key=$2
artifacts=$3

source "$(dirname "$0")/desktop.sh"
e2e_begin keyboard "$artifacts" 300
e2e_need Xvfb openbox xdotool xprop dbus-daemon import compare "$program" "$answer_key"
e2e_start_desktop

main_title="The Snelk Test"

# --- What the user sees ----------------------------------------------------

focused_window() { xdotool getwindowfocus 2>/dev/null || true; }
title_of() { xdotool getwindowname "$1" 2>/dev/null || true; }

# The titles of the windows on view, sorted, joined by " | ".
titles_on_view()
{
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do title_of "$id"; done |
        sort | paste -sd '|' | sed 's/|/ | /g'
}

# Waits until a window of exactly that title holds the keyboard focus, other
# than the window given second (the one the last keys went to), and makes it
# the `window` that the next keys go to.
window=
expect_focus()
{
    local title=$1 was=${2:-} id i
    for ((i = 0; i < 150; i++)); do
        id=$(focused_window)
        if [ -n "$id" ] && [ "$id" != "$was" ] && [ "$(title_of "$id")" = "$title" ]; then
            window=$id
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "\"$title\" should have come up with the keyboard focus; the focus is on" \
        "\"$(title_of "$(focused_window)")\", on view: $(titles_on_view)"
}

# The windows on view are exactly these, in any order.
expect_on_view()
{
    local want got i
    want=$(printf '%s\n' "$@" | sort | paste -sd '|' | sed 's/|/ | /g')
    for ((i = 0; i < 50; i++)); do
        got=$(titles_on_view)
        [ "$got" = "$want" ] && return 0
        sleep 0.1
    done
    e2e_fail "on view: $got; expected: $want"
}

# Keys typed into the focused window, as the keyboard sends them.
type_keys() { xdotool key --delay 60 "$@"; }

# Keys held down for a while, long enough for the keyboard to repeat them.
hold_keys()
{
    local seconds=$1
    shift
    xdotool keydown "$@"
    sleep "$seconds"
    xdotool keyup "$@"
}

# A tap while the window manager is busy for 150 ms from the press: the
# window the key closes is gone before the key comes up, the release goes to
# none of the program's windows (the pointer is away from them all), and the
# next window takes the keyboard only once the window manager is back. The
# key is held for the seconds given, or, as input tools and remote-desktop
# links send it, let go a few milliseconds after the press. The next press,
# of the same key or another, must act all the same.
tap_while_busy()
{
    local key=$1 held=${2:-}
    xdotool mousemove 1023 767
    xdotool keydown "$key"
    kill -STOP "$E2E_WM_PID"
    # Woken on a clock of its own: stopped while it held the X server grabbed,
    # the window manager would keep the key's release from going out at all.
    (sleep 0.15; kill -CONT "$E2E_WM_PID") &
    [ -z "$held" ] || sleep "$held"
    xdotool keyup "$key"
    wait $!
}

# A picture of the window's content, once it has settled.
picture_of()
{
    sleep 1
    import -display "$DISPLAY" -window "$1" "$2"
}

# Once a dialog's OK is pressed, the window it leads to comes up instead;
# from question 20 on, with a short tap while the window manager is busy.
# The dialog is then the window the next one follows.
confirm()
{
    expect_focus "$1"
    if [ "$n" -ge 20 ]; then tap_while_busy Return 0.08; else type_keys Return; fi
    previous=$window
}

# The user carries on in the main window, clicking into it if the desktop did
# not hand it the focus.
back_to_main()
{
    sleep 0.5
    [ "$(focused_window)" = "$main" ] || xdotool windowactivate --sync "$main"
}

# --- The answers -------------------------------------------------------------

declare -A kind answer mask1 mask2 taborder centre
while read -r k n a rest; do
    kind[$n]=$k
    answer[$n]=$a
    if [ "$k" = choice ]; then
        read -r m1 m2 t1 t2 t3 t4 x1 y1 x2 y2 x3 y3 x4 y4 <<<"$rest"
        mask1[$n]=$m1 mask2[$n]=$m2 taborder[$n]="$t1 $t2 $t3 $t4"
        centre[$n,1]="$x1 $y1" centre[$n,2]="$x2 $y2" centre[$n,3]="$x3 $y3" centre[$n,4]="$x4 $y4"
    fi
done < <("$answer_key" lines)
[ "${#kind[@]}" -eq 50 ] || e2e_fail "the answer key has ${#kind[@]} questions, not 50"

# The questions answered wrong; every other one is answered right.
wrong_ones=" 2 9 16 20 23 33 47 50 "
is_wrong() { [[ $wrong_ones == *" $1 "* ]]; }

caption()
{
    if [ "$1" -le 20 ]; then echo "Question $1"; else echo "True or False"; fi
}

# Picks the right choice (yes) or the wrong one (no) at Very Easy, where only
# those two are left: Tab from "Quit" past the next button into the choices,
# which puts the focus on the first one left in tab order; Space picks it, and
# an arrow towards the other one moves the pick there.
pick_choice()
{
    local n=$1 right=$2 slot first="" other="" want
    for slot in ${taborder[$n]}; do
        [ "$slot" = "${mask1[$n]}" ] || [ "$slot" = "${mask2[$n]}" ] && continue
        if [ -z "$first" ]; then first=$slot; else other=$slot; fi
    done
    if [ "$right" = yes ]; then want=${answer[$n]}
    elif [ "$first" = "${answer[$n]}" ]; then want=$other
    else want=$first
    fi
    type_keys Tab Tab space
    [ "$want" = "$first" ] && return 0
    [ "$want" = "$other" ] || e2e_fail "question $n: choice $want is not one of those left at Very Easy"
    local fx fy wx wy
    read -r fx fy <<<"${centre[$n,$first]}"
    read -r wx wy <<<"${centre[$n,$want]}"
    if ((wy > fy)); then type_keys Down
    elif ((wy < fy)); then type_keys Up
    elif ((wx > fx)); then type_keys Right
    else type_keys Left
    fi
}

# --- The run -------------------------------------------------------------------

e2e_note "the welcome screen as it looks when started plainly"
e2e_spawn plain_pid "$program"
expect_focus "$main_title"
picture_of "$window" "$E2E_TMP/plain.png"
kill "$plain_pid"
wait "$plain_pid" 2>/dev/null || true
expect_on_view

e2e_note "started with the toolkit's options, which change nothing"
e2e_spawn program_pid "$program" -reverse -style windows -qwindowtitle Mirrored -platform offscreen
expect_focus "$main_title"
welcome=$window
expect_on_view "$main_title"
picture_of "$welcome" "$E2E_TMP/options.png"
differing=$(compare -metric AE "$E2E_TMP/plain.png" "$E2E_TMP/options.png" null: 2>&1) || true
[ "$differing" = 0 ] || e2e_fail "with the toolkit's options the welcome screen differs in $differing pixels"

e2e_note "the windows name their desktop entry, as desktops on X11 read it"
for property in _KDE_NET_WM_DESKTOP_FILE _GTK_APPLICATION_ID; do
    named=$(xprop -id "$welcome" "$property")
    [ "$named" = "$property(UTF8_STRING) = \"org.example.SnelkTest\"" ] || e2e_fail "the welcome screen's $named"
done

e2e_note "welcome screen: Enter held down for two seconds presses its OK once"
hold_keys 2 Return
expect_focus "$main_title" "$welcome"
main=$window
sleep 0.5
e2e_alive "$program_pid" || e2e_fail "the held Enter went on to end the program"
expect_on_view "$main_title"

e2e_note "difficulty: Very Easy with Tab, arrows and Space, then OK"
type_keys alt+d
expect_focus "Test Diffuculty"
expect_on_view "$main_title" "Test Diffuculty"
# OK has the focus; Tab, Tab reaches "Normal", Down twice "Very Easy", Space
# picks it, and Tab leaves the choices for OK.
type_keys Tab Tab Down Down space Tab Return
expect_focus "$main_title"
expect_on_view "$main_title"

e2e_note "fifty questions; wrong on purpose:$wrong_ones"
type_keys alt+t
previous=$main
right_count=0
for n in $(seq 1 50); do
    expect_focus "$(caption "$n")" "$previous"
    expect_on_view "$main_title" "$(caption "$n")"
    question=$window
    if is_wrong "$n"; then right=no; else right=yes; right_count=$((right_count + 1)); fi
    if [ "${kind[$n]}" = choice ]; then
        pick_choice "$n" $right
        type_keys alt+n
    else
        say_true=${answer[$n]}
        [ $right = yes ] || { [ "$say_true" = true ] && say_true=false || say_true=true; }
        if [ "$n" -eq 21 ] && [ "$say_true" = false ]; then
            tap_while_busy Return  # the first statement offers "False" with the focus
        elif [ "$say_true" = true ] && [ "$n" -eq 25 ]; then
            # Held down, the access key answers this question only: the
            # next one comes up under it and waits for its own answer.
            hold_keys 1.5 alt+t
        elif [ "$say_true" = true ]; then
            tap_while_busy alt+t
        else
            tap_while_busy alt+f
        fi
    fi
    previous=$question
    if [ $right = no ]; then
        if [ "$n" -eq 16 ]; then confirm "Dialog Caption"; else confirm "Wrong"; fi
    elif [ "$n" -eq 22 ]; then
        confirm "Correct"
    fi
    if [ "$n" -eq 20 ]; then confirm "Part Two"; fi
done
e2e_note "$right_count answered right"

e2e_note "the score: Alt+S on the last screen"
expect_focus "End of the questions" "$previous"
expect_on_view "$main_title" "End of the questions"
type_keys alt+s
expect_on_view "$main_title"
back_to_main
expect_focus "$main_title"
[ "$window" = "$main" ] || e2e_fail "the main window should have been the one left after the score"

e2e_note "Reset Test, then Start Test opens question 1 again, and its Quit closes it"
type_keys alt+r alt+t
expect_focus "Question 1" "$main"
expect_on_view "$main_title" "Question 1"
type_keys alt+q
expect_on_view "$main_title"
back_to_main

e2e_note "About opened with Alt+A and closed with Escape"
type_keys alt+a
expect_focus "About Snelk Test"
expect_on_view "$main_title" "About Snelk Test"
type_keys Escape
expect_on_view "$main_title"
back_to_main
expect_focus "$main_title"

e2e_note "Quit with Alt+Q"
type_keys alt+q
for ((i = 0; i < 200; i++)); do e2e_alive "$program_pid" || break; sleep 0.1; done
e2e_alive "$program_pid" && e2e_fail "the program was still running 20 s after Quit"
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || e2e_fail "the program exited with status $status"
expect_on_view
echo "keyboard run: the whole test by keyboard, 50 questions, $right_count right; the program exited with 0"
