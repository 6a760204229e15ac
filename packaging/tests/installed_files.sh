# Checks shared by the installation and package tests; sourced, not run.
# Each check prints what it found wrong and counts it in $failures.

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Skips the whole test (CTest SKIP_RETURN_CODE) when a tool it needs is missing.
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

app_id=org.example.SnelkTest

# check_installed PREFIX VERSION: the program, its menu
# entry, its AppStream data and its icons, where desktops look for them under
# PREFIX.
# VERSION is the project's (1.2.0); releases drop a ".0" patch level (1.2).
check_installed() {
    local prefix=$1 version=$2
    local desktop=$prefix/share/applications/$app_id.desktop
    local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml

    [ -x "$prefix/bin/snelk-test" ] || fail "bin/snelk-test is missing or not executable"

    if [ -f "$desktop" ]; then
        local report
        report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejected the menu entry"
        [ -z "$report" ] || fail "desktop-file-validate has remarks: $report"
        grep -qx 'Exec=snelk-test' "$desktop" || fail "the menu entry does not start snelk-test"
        grep -qx "Icon=$app_id" "$desktop" || fail "the menu entry does not name the program's icon"
        grep -q '^Categories=.*Education;' "$desktop" || fail "the menu entry is not under Education"
    else
        fail "share/applications/$app_id.desktop is missing"
    fi

    if [ -f "$metainfo" ]; then
        local report
        report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli rejected the metainfo"
        echo "$report"
        if grep -q '^[EWI]:' <<<"$report"; then fail "appstreamcli has remarks on the metainfo"; fi
        grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
            fail "the metainfo does not launch the installed menu entry"
        # The newest release listed must be the version being installed.
        local newest
        newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
        [ "$newest" = "${version%.0}" ] || fail "the newest release in the metainfo is '$newest', not ${version%.0}"
    else
        fail "share/metainfo/$app_id.metainfo.xml is missing"
    fi

    # The manual page, and the changelog, whose newest entry is this version.
    [ -f "$prefix/share/man/man1/snelk-test.1.gz" ] || fail "the manual page share/man/man1/snelk-test.1.gz is missing"
    local changelog=$prefix/share/doc/snelk-test/changelog.gz
    if [ -f "$changelog" ]; then
        local top
        top=$(gzip -dc "$changelog" | head -n 1)
        [[ $top == "snelk-test ($version) "* ]] || fail "the changelog's newest entry is '$top', not $version"
    else
        fail "share/doc/snelk-test/changelog.gz is missing"
    fi

    local size png
    for size in 16 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
        if [ -f "$png" ]; then
            grep -q "^PNG image data, $size x $size," <<<"$(file -b "$png")" ||
                fail "the ${size}x$size icon is $(file -b "$png")"
        else
            fail "the ${size}x$size icon is missing"
        fi
    done
    grep -q SVG <<<"$(file -b "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" 2>/dev/null)" ||
        fail "the scalable icon is missing"
}
