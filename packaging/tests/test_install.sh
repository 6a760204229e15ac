#!/usr/bin/env bash
# Installs the built program from source, as "cmake --install" does for a
# user, into a scratch root and checks what landed there.
# Usage: test_install.sh CMAKE BUILD_DIR VERSION
set -uo pipefail
here=$(dirname "$0")
. "$here/installed_files.sh"
cmake=$1 build=$2 version=$3

need desktop-file-validate appstreamcli file

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root

if ! DESTDIR=$root "$cmake" --install "$build" --prefix /usr/local >"$scratch/log" 2>&1; then
    cat "$scratch/log"
    echo "FAIL: cmake --install failed"
    exit 1
fi

check_installed "$root/usr/local" "$version"

stray=$(cd "$root" && find . -mindepth 1 -not -path ./usr -not -path ./usr/local -not -path './usr/local/*')
[ -z "$stray" ] || fail "installed outside the prefix: $stray"

[ "$failures" -eq 0 ] || exit 1
echo "The installation from source is complete and valid."
