#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Chronofex needs.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build ccache pkg-config clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6
    qt6-tools-dev qt6-l10n-tools
    qt6-qpa-plugins libzip-dev libxcb1-dev libxcb-keysyms1-dev libxcb-xtest0-dev libx11-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # run
    qt6-image-formats-plugins xdg-utils qt6-translations-l10n
    # tests: X server, input, screenshots, tray host, documents, fuzzing, desktop files
    xvfb xauth x11-utils xdotool xclip imagemagick trayer dbus-x11
    # a private session bus and the stand-in global-shortcuts portal
    dbus-daemon dbus-bin python3-dbus python3-gi
    # the real global-shortcuts portal of a Plasma desktop, and its interface files
    xdg-desktop-portal xdg-desktop-portal-kde libkf5globalaccel-bin xdg-desktop-portal-dev
    libglib2.0-bin
    python3 python3-docx libreoffice-writer-nogui poppler-utils fonts-dejavu-core
    fonts-liberation2
    clang libclang-rt-14-dev desktop-file-utils appstream librsvg2-bin dpkg-dev libglib2.0-bin
    man-db groff-base lintian
    # tests: the accessibility bus and a screen reader's view of it
    dbus at-spi2-core python3-pyatspi python3-gi
    # tests: the real screen reader (speaking into a file; speech-dispatcher is its usual voice)
    orca speech-dispatcher
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages present"
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
