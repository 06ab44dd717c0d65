#!/usr/bin/env bash
# Installs the Debian 12 packages the launcher, its tests and its benchmarks need.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config g++-mingw-w64-x86-64-posix
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev libgif-dev clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-apps openbox wmctrl imagemagick
  fonts-dejavu-core e2fsprogs util-linux
  at-spi2-core python3-pyatspi dbus-daemon
  dpkg-dev file lintian desktop-file-utils libglib2.0-bin
  # the tests run real Windows programs (MinGW-w64 above builds them) and read files real Wine writes;
  # wine64 alone has no wine command
  wine wine64
  # the Windows build: Qt's source comes as a Debian source package (dpkg-dev above unpacks it,
  # python3 reads its licence records), and the zip is checked unpacked
  python3 xz-utils unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
