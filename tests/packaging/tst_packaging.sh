#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a packager
# rely on. Usage: tst_packaging.sh <cmake> <build dir>; the layout comes from the
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
check() # <description> <command...>
{
    if "${@:2}"; then passed=$((passed + 1)); else echo "FAIL: $1" >&2; failed=$((failed + 1)); fi
}
install_into() # <prefix> [destdir]
{
    DESTDIR=${2:-} "$cmake" --install "$build" --prefix "$1" >"$work/install.log" 2>&1 ||
        { cat "$work/install.log" >&2; echo "FAIL: cmake --install --prefix $1" >&2; exit 1; }
}
under() { case $2 in /*) echo "$2" ;; *) echo "$1/$2" ;; esac; } # <prefix> <dir> as installed

prefix=$work/prefix
install_into "$prefix"
binary=$(under "$prefix" "$BINDIR")/wareloom
share=$(under "$prefix" "$DATAROOTDIR")
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
svg=$share/icons/hicolor/scalable/apps/$app_id.svg
png=$share/icons/hicolor/48x48/apps/$app_id.png
service=$share/dbus-1/services/$bus_name.service
manpage=$(under "$prefix" "$MANDIR")/man1/wareloom.1

check "$binary is installed and executable" test -x "$binary"
for f in "$desktop" "$metainfo" "$svg" "$png" "$service" "$manpage" \
    "$(under "$prefix" "$DOCDIR")/LICENSE"; do
    check "$f is installed and not empty" test -s "$f"
done

desktop_file_valid() # exits 0 and has neither an error nor a warning (hints are fine)
{
    local out
    out=$(desktop-file-validate "$desktop" 2>&1) || { echo "$out" >&2; return 1; }
    ! grep -E '(error|warning):' <<<"$out" >&2
}
check "desktop-file-validate accepts $desktop" desktop_file_valid
desktop_key() { sed -n '/^\[Desktop Entry\]$/,/^\[/{s/^'"$1"'=//p}' "$desktop"; }
check "the desktop entry runs the installed program" \
    test "$(desktop_key Exec | cut -d' ' -f1)" = wareloom

# validate-tree also reports a launchable without its desktop file.
check "appstreamcli validate-tree accepts the installed tree" \
    appstreamcli validate-tree --no-net --explain "$share/.."

check "the activation file names the installed binary" test "$(cat "$service")" = \
    "$(printf '[D-BUS Service]\nName=%s\nExec=%s -Automation' "$bus_name" "$binary")"

# A packager stages with DESTDIR: the files land under it, Exec names the final place.
staged=/wareloom-staged-$$
install_into "$staged" "$work/stage"
check "DESTDIR stays out of Exec" grep -qx "Exec=$(under "$staged" "$BINDIR")/wareloom -Automation" \
    "$work/stage$(under "$staged" "$DATAROOTDIR")/dbus-1/services/$bus_name.service"
check "DESTDIR install writes nothing under the real prefix" test ! -e "$staged"

check "groff renders $manpage without warnings" \
    test -z "$(groff -man -Tutf8 -ww "$manpage" 2>&1 >"$work/man.txt" | tee /dev/stderr)"
check "the manual page is WARELOOM(1)" grep -q 'WARELOOM(1)' "$work/man.txt"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
