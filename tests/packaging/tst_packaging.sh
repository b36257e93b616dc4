#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a packager
# rely on, then unpacks the Debian package. Usage: tst_packaging.sh <cmake> <build dir>;
# the layout comes from the environment (BINDIR, DATAROOTDIR, MANDIR, DOCDIR, as
# GNUInstallDirs set them), and VERSION. The package is $WARELOOM_DEB when set
# (scripts/package's), else one made here with CPack from the build.
set -euo pipefail

cmake=$1
build=$2
app_id=io.github.wareloom.Wareloom
bus_name=Wareloom.Application
: "${BINDIR:?}" "${DATAROOTDIR:?}" "${MANDIR:?}" "${DOCDIR:?}" "${VERSION:?}"

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

# A script's run does not load the window libraries; the program hands
# what needs them to the program of the windows it finds beside it.
check "$binary loads no window library" \
    test -z "$(readelf -d "$binary" | grep -E 'libQt6(Gui|Widgets|DBus)')"
check "$binary finds its program of the windows when installed" \
    env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME="$work/registered" "$binary" -Register
check "which registers the program users start" \
    grep -qx "Exec=$binary -Automation" "$work/registered/dbus-1/services/$bus_name.service"

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

deb=${WARELOOM_DEB:-}
if [ -z "$deb" ]; then
    "${cmake%/*}/cpack" --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
    deb=$(echo "$work"/deb/wareloom_*.deb)
fi
check "the package is named for its version" test "${deb##*/}" = "wareloom_${VERSION}_amd64.deb"
root=$work/root
dpkg -x "$deb" "$root"
check "the package holds exactly the program and its files" diff - \
    <(cd "$root" && find . ! -type d | sort) <<EOF
./usr/bin/wareloom
./usr/libexec/wareloom/wareloom-desktop
./usr/share/applications/$app_id.desktop
./usr/share/dbus-1/services/$bus_name.service
./usr/share/doc/wareloom/changelog.gz
./usr/share/doc/wareloom/copyright
./usr/share/icons/hicolor/48x48/apps/$app_id.png
./usr/share/icons/hicolor/scalable/apps/$app_id.svg
./usr/share/man/man1/wareloom.1.gz
./usr/share/metainfo/$app_id.metainfo.xml
EOF
check "the unpacked program runs and tells its version" \
    test "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/wareloom" --version)" = "Wareloom $VERSION"
check "the libraries it needs are found by dpkg-shlibdeps" \
    grep -q 'libqt6widgets6 (>=' <<<"$(dpkg-deb -f "$deb" Depends)"
check "the activation file names /usr/bin/wareloom" grep -qx 'Exec=/usr/bin/wareloom -Automation' \
    "$root/usr/share/dbus-1/services/$bus_name.service"
check "AppStream names this release" \
    grep -q "<release version=\"$VERSION\"" "$root/usr/share/metainfo/$app_id.metainfo.xml"
check "the changelog is of this version" \
    test "$(zcat "$root/usr/share/doc/wareloom/changelog.gz" | head -n1)" = \
    "wareloom ($VERSION) unstable; urgency=medium"
if command -v lintian >/dev/null; then
    check "lintian finds no error in the package" lintian --fail-on error "$deb"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
