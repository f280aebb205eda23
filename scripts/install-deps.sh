#!/bin/sh
# Installs the Debian 12 packages Zorv needs, only those missing.
# Usage: scripts/install-deps.sh build|test|deb|fuzz
set -e

build_packages="cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools \
qt6-qpa-plugins libgl-dev libicu-dev libxcb1-dev libxcb-keysyms1-dev libxkbcommon-dev \
libbenchmark-dev fonts-noto-cjk fonts-dejavu-core fonts-noto-color-emoji qt6-translations-l10n"
test_packages="xvfb openbox xdotool xclip x11-utils xterm imagemagick python3 \
dbus-daemon gnome-settings-daemon-common libglib2.0-bin \
weston xwayland clang-format-14 desktop-file-utils appstream lintian"
# CPack finds the binaries with file(1) and their dependencies with dpkg-shlibdeps.
deb_packages="dpkg-dev file"
fuzz_packages="clang-14 libclang-rt-14-dev"

packages="$build_packages"
case "$1" in
test) packages="$packages $test_packages $deb_packages" ;;
deb) packages="$packages $deb_packages" ;;
fuzz) packages="$packages $fuzz_packages" ;;
esac

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
