# A private desktop for one end-to-end run: its own X server on a free
# display with a window manager, or a headless Wayland compositor and no X
# server at all; a session bus and, when asked, the accessibility bus.
# Everything started here is stopped again however the run ends: by success,
# failure, Ctrl+C or the run's own time limit.
#
# Sourced by the run scripts, which call, in this order:
#   e2e_begin NAME ARTIFACT_DIR SECONDS   the run's name, where a screenshot of
#                                         a failure goes, and its time limit
#   e2e_need TOOL...                      fails unless every tool is installed
#   e2e_start_desktop [accessibility] [x11|wayland]
#   e2e_spawn VAR COMMAND...              starts a process we own, its pid in VAR
#   e2e_wait_until SECONDS WHAT CONDITION waits for a shell condition
#   e2e_fail MESSAGE                      screenshot, message, exit 1

E2E_PIDS=()
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_NAME=run
E2E_ARTIFACTS=
E2E_TMP=
E2E_WM_PID=  # the window manager on X, once started

e2e_note() { echo "-- $*"; }

e2e_fail()
{
    echo "FAIL: $*" >&2
    e2e_screenshot
    local log
    for log in "$E2E_TMP"/*.log; do
        [ -s "$log" ] || continue
        echo "--- the end of $(basename "$log"):" >&2
        tail -n 5 "$log" >&2
    done
    exit 1
}

e2e_need()
{
    local tool
    for tool; do
        command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] ||
            { echo "FAIL: $tool is missing; 'scripts/setup test' installs it" >&2; exit 1; }
    done
}

# What the screen showed when the run went wrong, for whoever reads the log.
e2e_screenshot()
{
    [ -n "$E2E_ARTIFACTS" ] || return 0
    local file="$E2E_ARTIFACTS/$E2E_NAME-failure.png"
    [ -e "$file" ] && return 0  # taken already, closer to the failure
    bash "$E2E_HERE/screenshot.sh" "$file" && echo "screenshot of the failure: $file" >&2 || true
}

# The pids of every process below this one, children before grandchildren.
e2e_descendants()
{
    # One look at every process, then the tree walked down from this one.
    ps -e -o pid=,ppid= | awk -v root="$1" '
        { kids[$2] = kids[$2] " " $1 }
        function walk(p,    n, i, list) {
            n = split(kids[p], list, " ")
            for (i = 1; i <= n; i++) { print list[i]; walk(list[i]) }
        }
        END { walk(root) }'
}

e2e_alive()
{
    local pid
    for pid; do kill -0 "$pid" 2>/dev/null && return 0; done
    return 1
}

e2e_cleanup()
{
    local status=$?
    trap - EXIT INT TERM
    # Whatever our processes started (the accessibility bus's own daemons,
    # say) goes with them: collect the whole trees before anything ends.
    local -a all=()
    local i pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        e2e_alive "$pid" || continue
        all+=("$pid" $(e2e_descendants "$pid"))
    done
    if [ ${#all[@]} -gt 0 ]; then
        kill -TERM "${all[@]}" 2>/dev/null || true
        for i in $(seq 50); do e2e_alive "${all[@]}" || break; sleep 0.1; done
        kill -KILL "${all[@]}" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
    [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
    exit "$status"
}

e2e_begin()
{
    E2E_NAME=$1
    E2E_ARTIFACTS=$2
    local limit=$3
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/snelk-$E2E_NAME.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'echo "FAIL: interrupted" >&2; exit 130' INT
    trap 'echo "FAIL: stopped after the time limit of '"$limit"' s" >&2; e2e_screenshot; exit 124' TERM
    # The run's own time limit, well inside CTest's, so that the clean-up
    # above always gets to run.
    local self=$$
    ( sleep "$limit"; kill -TERM "$self" 2>/dev/null ) >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    rm -f "$E2E_ARTIFACTS/$E2E_NAME-failure.png"
}

e2e_spawn()
{
    local var=$1
    shift
    "$@" &
    E2E_PIDS+=($!)
    printf -v "$var" '%s' "$!"
}

# Waits until the condition, shell code run in the caller's variables, holds;
# looks again every 0.1 s and fails after SECONDS, saying that WHAT.
e2e_wait_until()
{
    local seconds=$1 what=$2 condition=$3 i
    for ((i = 0; i < seconds * 10; i++)); do
        eval "$condition" && return 0
        sleep 0.1
    done
    e2e_fail "$what within $seconds s"
}

# Waits until the file holds a whole line; fails after SECONDS.
e2e_wait_for_line()
{
    local file=$1
    e2e_wait_until "$2" "$3 did not start" '[ -f "$file" ] && [ "$(wc -l <"$file")" -ge 1 ]'
}

e2e_start_desktop()
{
    local with_accessibility= wayland= word
    for word; do
        case $word in
            accessibility) with_accessibility=1 ;;
            wayland) wayland=1 ;;
            x11) ;;
            *) e2e_fail "e2e_start_desktop: unknown option $word" ;;
        esac
    done
    local run=$E2E_TMP/run
    mkdir -m 700 "$run"
    # Nothing of the user's own desktop leaks in, and nothing is left in it:
    # its startup notices neither. On X the toolkit rightly drops
    # DESKTOP_STARTUP_ID once read, so that it does not pass on to the
    # program's children, which would look like a change to what they get.
    unset DISPLAY WAYLAND_DISPLAY XAUTHORITY SESSION_MANAGER DESKTOP_SESSION XDG_CURRENT_DESKTOP \
        AT_SPI_BUS_ADDRESS DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN
    export XDG_RUNTIME_DIR=$run XDG_CONFIG_HOME=$run/config XDG_CACHE_HOME=$run/cache XDG_DATA_HOME=$run/data
    # The bell may look for a sound server; none is to be started for it.
    printf 'autospawn = no\n' >"$run/pulse-client.conf"
    export PULSE_CLIENTCONFIG=$run/pulse-client.conf
    unset QT_ACCESSIBILITY QT_LINUX_ACCESSIBILITY_ALWAYS_ON

    local pid
    if [ -n "$wayland" ]; then
        # Headless, drawing with the processor so that screenshots have
        # pixels; --debug lets weston-screenshooter take them. Never idle:
        # a locked screen would hide the windows.
        local socket=snelk-e2e
        e2e_spawn pid weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
            --no-config --idle-time=0 --debug --socket="$socket" --log="$E2E_TMP/weston.log" \
            >"$E2E_TMP/weston-out.log" 2>&1
        local shell_launched="launching '.*weston-desktop-shell'"
        e2e_wait_until 20 "weston did not start" '{ e2e_alive "$pid" || e2e_fail "weston ended at start"; } &&
            [ -S "$run/$socket" ] && grep -q "$shell_launched" "$E2E_TMP/weston.log"'
        export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
        # The headless compositor has no seat: no keyboard, so no window of
        # any program is ever active or holds the focus.
        export E2E_KEYBOARD=no
        e2e_note "Wayland compositor on $WAYLAND_DISPLAY, no X server"
    else
        export QT_QPA_PLATFORM=xcb E2E_KEYBOARD=yes
        e2e_spawn pid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_TMP/display" \
            2>"$E2E_TMP/xvfb.log"
        e2e_wait_for_line "$E2E_TMP/display" 20 "the X server"
        export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
        e2e_note "X server on $DISPLAY"
    fi

    e2e_spawn pid dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_TMP/bus" \
        2>"$E2E_TMP/dbus.log"
    e2e_wait_for_line "$E2E_TMP/bus" 20 "the session bus"
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$E2E_TMP/bus")

    if [ -n "$with_accessibility" ]; then
        e2e_spawn pid /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/atspi.log" 2>&1
        e2e_wait_until 20 "the accessibility bus did not start" 'timeout 5 dbus-send --session --print-reply \
            --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
            string:org.a11y.Bus 2>/dev/null | grep -q "boolean true"'
        # The program offers its widgets to screen readers on that bus.
        export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
    fi

    # Weston is its own window manager.
    [ -z "$wayland" ] || return 0
    e2e_spawn pid openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1
    E2E_WM_PID=$pid
    e2e_wait_until 20 "the window manager did not start" \
        'timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}
