#!/bin/sh
# Installs every Debian package that building and testing Romwise needs.
# Safe to run again: packages already present are left as they are.
set -eu

PACKAGES="
  build-essential g++ clang libclang-rt-14-dev cmake ninja-build pkg-config clang-format
  qt6-base-dev
  nlohmann-json3-dev
  libicu-dev libphonenumber-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  fonts-arphic-uming
  xdg-utils
  dmidecode
  poppler-utils
  hyperfine
  xvfb imagemagick
  mingw-w64 wine64 fonts-wine x11-utils file
  nsis zip unzip
  help2man lintian pkexec libxml2-utils dbus-daemon man-db
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    echo "bootstrap: every package is installed"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "bootstrap: these packages are missing:$missing" >&2
    echo "bootstrap: run as root, or install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y$missing" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
