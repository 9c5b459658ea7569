#!/usr/bin/env bash
# Installs the built program into a scratch prefix and builds its Debian package, then checks
# that both hold the program, its command line and its manual page, its menu entry, icon and
# description, that the freedesktop and AppStream validators accept them, and that the package
# depends on the Qt 6 libraries.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

id=org.kelvaron.Kelvaron
files=(
    bin/kelvaron
    bin/kelvaron-check
    share/man/man1/kelvaron-check.1.gz
    share/applications/$id.desktop
    share/icons/hicolor/scalable/apps/$id.svg
    share/metainfo/$id.metainfo.xml
)

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for f in "${files[@]}"; do
    [[ -s "$scratch/prefix/$f" ]] || fail "installed tree lacks $f"
done
[[ -x "$scratch/prefix/bin/kelvaron" ]] || fail "bin/kelvaron is not executable"
[[ -x "$scratch/prefix/bin/kelvaron-check" ]] || fail "bin/kelvaron-check is not executable"
# The installed command runs with no display and says which it is; its manual page is whole.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$scratch/prefix/bin/kelvaron-check" --version) || fail "bin/kelvaron-check --version failed"
[[ $version == "kelvaron-check "[0-9]* ]] || fail "bin/kelvaron-check --version says: $version"
manual=$(gzip -dc "$scratch/prefix/share/man/man1/kelvaron-check.1.gz") ||
    fail "the manual page of kelvaron-check is not gzip data"
grep -q '^\.TH KELVARON-CHECK 1 ' <<<"$manual" || fail "the manual page is not kelvaron-check(1)"
desktop-file-validate "$scratch/prefix/share/applications/$id.desktop" ||
    fail "desktop entry rejected"
appstreamcli validate --no-net "$scratch/prefix/share/metainfo/$id.metainfo.xml" ||
    fail "AppStream metadata rejected"
grep -q '^Icon=org.kelvaron.Kelvaron$' "$scratch/prefix/share/applications/$id.desktop" ||
    fail "desktop entry does not name the installed icon"
grep -q '^Categories=.*Education;.*Science;' "$scratch/prefix/share/applications/$id.desktop" ||
    fail "desktop entry lacks the Education and Science categories"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/*.deb)
contents=$(dpkg-deb -c "$deb")
for f in "${files[@]}"; do
    grep -q "\./usr/$f\$" <<<"$contents" || fail "package lacks /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation xdg-utils; do
    grep -q "$lib" <<<"$depends" || fail "package does not depend on $lib: $depends"
done
echo "installed tree and package hold ${#files[@]} files each; Depends: $depends"
