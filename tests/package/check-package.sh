#!/bin/bash
# The Debian package `make deb` made: exactly one file in dist/, the files a desktop needs,
# dependencies computed from the binaries, and what desktop-file-validate, appstreamcli and
# lintian say of it. Exits 77 (skipped) when no package was made.
# Usage: check-package.sh SOURCE_DIR
set -u
shopt -s nullglob
debs=("$1"/dist/zorv_*.deb)
[ ${#debs[@]} -gt 0 ] || { echo "no package in dist/: run make deb"; exit 77; }
deb=${debs[0]}
FAILED=0
check() { # check "name" command...
    if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; FAILED=$((FAILED + 1)); fi
}
field() { dpkg-deb -f "$deb" "$1"; }

check "dist/ holds exactly one package" test ${#debs[@]} -eq 1
check "it is named zorv_<version>_<arch>.deb" \
    test "$(basename "$deb")" = "zorv_$(field Version)_$(dpkg --print-architecture).deb"
files=$(dpkg-deb -c "$deb" | awk '{print substr($6, 2)}')
for path in /usr/bin/zorv /usr/libexec/zorv/zorv-app \
    /usr/share/applications/org.zorv.Zorv.desktop /usr/share/metainfo/org.zorv.Zorv.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/org.zorv.Zorv.png \
    /usr/share/icons/hicolor/scalable/apps/org.zorv.Zorv.svg \
    /usr/share/man/man1/zorv.1.gz /usr/share/doc/zorv/copyright; do
    check "installs $path" grep -qx "$path" <<<"$files"
done
check "depends on the libraries the binaries link" grep -q "libqt6widgets6" <<<"$(field Depends)"
check "and on the X11 plugin Qt loads at run time" grep -q "qt6-qpa-plugins" <<<"$(field Depends)"
check "recommends the CJK and emoji fonts" \
    grep -q "fonts-noto-cjk.*fonts-noto-color-emoji" <<<"$(field Recommends)"
check "suggests the KDE portal" grep -q "xdg-desktop-portal-kde" <<<"$(field Suggests)"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
check "desktop-file-validate accepts the desktop entry" \
    desktop-file-validate "$root/usr/share/applications/org.zorv.Zorv.desktop"
check "appstreamcli accepts the metainfo" \
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.zorv.Zorv.metainfo.xml"
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges"
check "lintian reports no errors" test "${PIPESTATUS[0]}" -eq 0

echo "package: $FAILED failed"
[ "$FAILED" -eq 0 ]
