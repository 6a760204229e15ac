#!/usr/bin/env bash
# Builds the Debian package, checks its control fields, unpacks it into a
# scratch root, checks what landed there and starts the unpacked program on
# a virtual X display until its welcome window is on the screen.
# Usage: test_package.sh CPACK BUILD_DIR VERSION
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/installed_files.sh"

# Run by xvfb-run: starts the program and waits for its window.
if [ "${1:-}" = --on-display ]; then
    program=$2
    QT_QPA_PLATFORM=xcb "$program" >"$3" 2>&1 &
    pid=$!
    for _ in $(seq 200); do  # 20 s
        if xdotool search --onlyvisible --name '^The Snelk Test$' >/dev/null 2>&1; then
            kill "$pid"; wait "$pid" 2>/dev/null
            exit 0
        fi
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; echo "the program ended with status $?"; exit 1; }
        sleep 0.1
    done
    kill "$pid"; wait "$pid" 2>/dev/null
    echo "no window titled 'The Snelk Test' appeared within 20 s"
    exit 1
fi

cpack=$1 build=$2 version=$3
need dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli file xvfb-run xauth xdotool lintian

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The package, built as a release would be.
if ! (cd "$build" && "$cpack" -G DEB -B "$scratch/out" --config CPackConfig.cmake) >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "Package: $(basename "$deb")"
dpkg-deb -f "$deb"

# Debian's own checker: not one error or warning.
checked=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian found faults in the package: $checked"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = snelk-test ] || fail "the package is called '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "the package version is '$(field Version)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "the architecture is '$(field Architecture)'"
[ "$(field Homepage)" = https://www.tarnwick.example/ ] || fail "the homepage is '$(field Homepage)'"
grep -q 'tk@tarnwick.example' <<<"$(field Maintainer)" || fail "the maintainer is '$(field Maintainer)'"
[ -n "$(field Section)" ] || fail "the package has no section"
grep -qi snelk <<<"$(field Description)" || fail "the description does not say what the package is"
# The fonts the windows are laid out with, the sound theme the bell comes
# from, and the libraries the program was linked with (found by dpkg-shlibdeps).
depends=$(field Depends | tr ',' '\n' | awk '{print $1}')
for p in fonts-liberation fonts-comic-neue sound-theme-freedesktop libcanberra0 libqt6widgets6 libstdc++6; do
    grep -qxF "$p" <<<"$depends" || fail "the package does not depend on $p"
done
# Native Wayland, and the bell straight to the sound server.
recommends=$(field Recommends | tr ',' '\n' | awk '{print $1}')
for p in qt6-wayland libcanberra-pulse; do
    grep -qxF "$p" <<<"$recommends" || fail "the package does not recommend $p"
done

# Unpacked as dpkg would install it.
root=$scratch/root
dpkg -x "$deb" "$root" || { echo "FAIL: dpkg -x failed"; exit 1; }
stray=$(cd "$root" && find . -mindepth 1 -not -path ./usr -not -path './usr/*')
[ -z "$stray" ] || fail "the package installs outside /usr: $stray"
check_installed "$root/usr" "$version"
# The AppStream data as a software centre reads it: together with the menu
# entry it launches.
tree=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli rejected the installed tree"
echo "$tree"
if grep -q '^ *[EWI]:' <<<"$tree"; then fail "appstreamcli has remarks on the installed tree"; fi
[ -f "$root/usr/share/doc/snelk-test/copyright" ] || fail "the package has no copyright file"
missing=$(ldd "$root/usr/bin/snelk-test" 2>&1 | grep 'not found')
[ -z "$missing" ] || fail "libraries of the program not found: $missing"
# The sound libraries are loaded with the first ring, not at start-up.
if ldd "$root/usr/bin/snelk-test" | grep -E 'lib(canberra|asound|pulse)'; then
    fail "the program links sound libraries, which would load them at start-up"
fi

# The unpacked program starts and shows its window.
if [ -x "$root/usr/bin/snelk-test" ]; then
    if ! timeout 60 xvfb-run -a bash "$here/test_package.sh" --on-display "$root/usr/bin/snelk-test" "$scratch/run.log"; then
        cat "$scratch/run.log"
        fail "the installed program did not show its window"
    else
        echo "The unpacked program showed its window 'The Snelk Test'."
    fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "The package installs a complete, valid program that starts."
