#!/bin/sh
# Installs the Debian packages the build, the program and the tests need,
# and only those that are missing. Run as root or with sudo available.
# xvfb, dbus and at-spi2-core give My Cards' tests a virtual desktop with
# the accessibility bus a screen reader listens on.
# lintian, desktop-file-utils, appstream and man-db check the package: its
# files, the desktop entry, the metainfo and the manual pages.
set -eu

PACKAGES="g++ cmake make pkg-config qt6-base-dev libjpeg62-turbo-dev fonts-liberation2 \
libbenchmark-dev xvfb xauth locales dbus at-spi2-core \
lintian desktop-file-utils appstream man-db"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

# A package manager left half-way by an earlier, interrupted install refuses
# every further install until its packages are configured.
if [ -n "$($SUDO dpkg --audit 2>/dev/null)" ] || [ -n "$(ls -A /var/lib/dpkg/updates 2>/dev/null)" ]; then
    echo "setup: finishing an interrupted package install"
    DEBIAN_FRONTEND=noninteractive $SUDO dpkg --configure -a
fi

if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    # The manual-page index is rebuilt by hand when needed; rebuilding it on
    # every install is slow and is not what the checks use.
    if command -v debconf-set-selections >/dev/null 2>&1; then
        echo "man-db man-db/auto-update boolean false" | $SUDO debconf-set-selections || true
    fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# A locale with "," as the decimal point, for the money-text tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    if [ -f /etc/locale.gen ]; then
        $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
        $SUDO locale-gen >/dev/null 2>&1 || echo "setup: could not generate de_DE.UTF-8 (the locale tests will skip)"
    fi
fi
exit 0
