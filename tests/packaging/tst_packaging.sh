#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a
# packager rely on: every file in place, the validators' verdicts, the names
# that tie the files together, the D-Bus activation file naming the installed
# binary, and the manual page free of groff warnings.
# Usage: tst_packaging.sh <cmake> <build dir>; the install layout comes from the
# environment (BINDIR, DATAROOTDIR, MANDIR, DOCDIR, as GNUInstallDirs set them).
set -euo pipefail

cmake=$1
build=$2
app_id=io.github.wareloom.Wareloom
bus_name=Wareloom.Application
: "${BINDIR:?}" "${DATAROOTDIR:?}" "${MANDIR:?}" "${DOCDIR:?}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
passed=0
check() # <description> <command...>: runs the command, counts the verdict
{
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $what" >&2
        failed=$((failed + 1))
    fi
}

# Installs into <prefix>, with DESTDIR=<destdir> when one is given.
install_into() # <prefix> [destdir]
{
    if ! DESTDIR=${2:-} "$cmake" --install "$build" --prefix "$1" >"$work/install.log" 2>&1; then
        cat "$work/install.log" >&2
        echo "FAIL: cmake --install --prefix $1 failed" >&2
        exit 1
    fi
}

under() # <prefix> <dir>: the directory as installed under the prefix
{
    case $2 in
    /*) echo "$2" ;;
    *) echo "$1/$2" ;;
    esac
}

prefix=$work/prefix
install_into "$prefix"
bindir=$(under "$prefix" "$BINDIR")
share=$(under "$prefix" "$DATAROOTDIR")
binary=$bindir/wareloom
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
svg=$share/icons/hicolor/scalable/apps/$app_id.svg
png=$share/icons/hicolor/48x48/apps/$app_id.png
service=$share/dbus-1/services/$bus_name.service
manpage=$(under "$prefix" "$MANDIR")/man1/wareloom.1
license=$(under "$prefix" "$DOCDIR")/LICENSE

# --- every file in place
check "binary $binary is installed and executable" test -x "$binary"
for f in "$desktop" "$metainfo" "$svg" "$png" "$service" "$manpage" "$license"; do
    check "$f is installed and not empty" test -s "$f"
done

# --- icons: a 48x48 PNG and an SVG that parses
png_is_48x48()
{
    # Signature (8 bytes), then the IHDR chunk: length, type, width, height (big-endian).
    local bytes
    bytes=$(od -An -tu1 -N24 "$png" | tr -s ' \n' ' ')
    [ "$bytes" = " 137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 0 48 0 0 0 48 " ]
}
check "$png is a 48x48 PNG" png_is_48x48
svg_parses()
{
    /usr/bin/python3 - "$svg" <<'EOF'
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
sys.exit(0 if root.tag == "{http://www.w3.org/2000/svg}svg" else 1)
EOF
}
check "$svg is an SVG document" svg_parses

# --- desktop entry: valid, and its names lead to the installed binary and icons
desktop_file_valid()
{
    local out
    out=$(desktop-file-validate "$desktop" 2>&1) || { echo "$out" >&2; return 1; }
    if [ -n "$out" ]; then echo "$out"; fi
    ! grep -qE '(error|warning):' <<<"$out"
}
check "desktop-file-validate accepts $desktop" desktop_file_valid
desktop_key() # <key>: its value in the [Desktop Entry] group
{
    sed -n '/^\[Desktop Entry\]$/,/^\[/{s/^'"$1"'=//p}' "$desktop"
}
check "the desktop entry runs the installed program" \
    test "$(desktop_key Exec | cut -d' ' -f1)" = "$(basename "$binary")"
check "the desktop entry's icon is the installed one" test "$(desktop_key Icon)" = "$app_id"

# --- AppStream metadata: valid, and its launchable is the installed desktop entry
# (validate-tree reports a launchable without its desktop file).
check "appstreamcli validate-tree accepts the installed tree" \
    appstreamcli validate-tree --no-net --explain "$share/.."
check "the metainfo launches $app_id.desktop" \
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"

# --- D-Bus activation file: exact content, Exec is the installed binary
expected_service="[D-BUS Service]
Name=$bus_name
Exec=$binary -Automation"
check "the activation file names the installed binary" \
    test "$(cat "$service")" = "$expected_service"
bus_lists_service()
{
    cat >"$work/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$work</listen>
  <servicedir>$(dirname "$service")</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    local names
    names=$(dbus-run-session --config-file="$work/bus.conf" -- dbus-send --session \
        --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.ListActivatableNames) || return 1
    grep -qF "\"$bus_name\"" <<<"$names"
}
check "a bus reading the installed services can activate $bus_name" bus_lists_service

# A packager stages with DESTDIR: the files land under it, Exec names the final place.
staged_prefix=/wareloom-staged-$$
install_into "$staged_prefix" "$work/stage"
staged_service=$work/stage$(under "$staged_prefix" "$DATAROOTDIR")/dbus-1/services/$bus_name.service
check "DESTDIR stays out of Exec" \
    grep -qx "Exec=$(under "$staged_prefix" "$BINDIR")/wareloom -Automation" "$staged_service"
check "DESTDIR install writes nothing under the real prefix" test ! -e "$staged_prefix"

# --- manual page renders without warnings
man_renders_cleanly()
{
    local out
    out=$(groff -man -Tutf8 -ww "$manpage" 2>&1 >"$work/man.txt")
    [ -z "$out" ] || { echo "$out" >&2; return 1; }
    grep -q 'WARELOOM(1)' "$work/man.txt"
}
check "groff renders $manpage without warnings" man_renders_cleanly

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
