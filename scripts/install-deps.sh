#!/usr/bin/env bash
# Installs the Debian 12 packages of the lists named, or of every list when none is:
#   build     building the launcher and its icons (Release, with Debian's hardening flags)
#   run       running it on a desktop
#   demo      what scripts/demo.sh adds: xmessage for its stand-in programs, and Xvfb
#             for a screenshot where there is no display
#   test      the tests, the benchmarks, the fuzzing and the Windows build
# Says what it installs before asking for sudo. The README's dependency table gives each reason.
# Usage: install-deps.sh [build] [run] [demo] [test]
set -euo pipefail
declare -A lists=(
  [build]="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools imagemagick dpkg-dev"
  [run]="qt6-qpa-plugins qt6-wayland xdg-utils"
  [demo]="x11-utils xvfb xauth xdotool"
  [test]="g++-mingw-w64-x86-64-posix wine wine64
    libgtest-dev libgmock-dev googletest libbenchmark-dev libgif-dev fonts-dejavu-core clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils openbox wmctrl e2fsprogs util-linux
    at-spi2-core python3-pyatspi dbus-daemon
    file lintian desktop-file-utils libglib2.0-bin zip unzip xz-utils python3 strace locales qt6-image-formats-plugins qt6-svg-dev
    sway grim jq qt6-wayland"
)
[ $# -gt 0 ] || set -- build run demo test
packages=()
for list in "$@"; do
  [ -n "${lists[$list]-}" ] || { echo "${0##*/}: no list named $list (build, run, demo, test)" >&2; exit 1; }
  read -ra named -d '' <<<"${lists[$list]}" || true # the lists span lines
  packages+=("${named[@]}")
done
missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ "${#missing[@]}" -gt 0 ] || exit 0
echo "Installing the Debian packages that $* need: ${missing[*]}"
SUDO=""
if [ "$(id -u)" != 0 ]; then
  SUDO=sudo
  echo "(through sudo, which may ask for your password)"
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
