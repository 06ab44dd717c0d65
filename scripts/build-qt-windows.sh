#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's own qt6-base source package, the same
# version as the host Qt whose tools the cross build uses, and prints the folder it is in.
# The folder lives in a cache outside the checkout and is named by a key over everything that
# shapes it (source version, our patches, the configuration, the compiler), so it is reused
# while the key matches and built anew when not. A build that fails or is interrupted never
# leaves a folder that looks complete: it is installed elsewhere and renamed into place last.
#   scripts/build-qt-windows.sh        (prints the Qt folder, and only that, on its output)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$root/cmake/mingw-w64.cmake
patches=("$root"/packaging/windows/qt-patches/*.patch)
[ -e "${patches[0]}" ] || patches=()

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
compiler_version=$(x86_64-w64-mingw32-g++-posix --version | head -n 1)
config=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF
  # Debian's source leaves out the Wintab header (its licence), which tablet events need.
  -DFEATURE_tabletevent=OFF
  # The Windows platform plug-in of 6.4 does not compile without OpenGL; dynamic OpenGL
  # loads nothing until a window asks for it.
  -DINPUT_opengl=desktop
)
key=$( { printf '%s\n' "$version" "$compiler_version" "${config[@]}"; cat "$toolchain" "${patches[@]}"; } |
       sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tavorin
qt=$cache/qt-$upstream-mingw-w64-$key
if [ -f "$qt/.complete" ]; then
  echo "$qt"
  exit 0
fi

mkdir -p "$cache"
work=$(mktemp -d "$cache/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "build-qt-windows: building Qt $version for Windows into $qt (about half an hour on two cores)" >&2

# apt is told about Debian's source packages through files of our own: the system's lists of
# binary packages, turned into the matching source entries, in a private sources and lists folder.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
shopt -s nullglob
for file in /etc/apt/sources.list.d/*.sources; do
  sed -E 's/^Types:.*/Types: deb-src/' "$file" >"$apt_dir/sources.list.d/$(basename "$file")"
done
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$file" ] || continue
  sed -nE 's/^deb[[:space:]]/deb-src /p' "$file" >>"$apt_dir/sources.list"
done
shopt -u nullglob
touch "$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
             -o "Dir::State::Lists=$apt_dir/lists" -o Debug::NoLocking=1
             # root downloads into a private folder the _apt user cannot enter; say so once, not per file
             -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" -qq update
(cd "$work" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$version")
dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/src" >/dev/null
for patch in "${patches[@]}"; do
  patch -d "$work/src" -p1 --forward --quiet <"$patch"
done

cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$work/install" "${config[@]}" >"$work/configure.log" ||
  { cat "$work/configure.log" >&2; exit 1; }
# Its progress goes to the error stream: the output is the folder alone.
nice cmake --build "$work/build" -j "$(nproc)" >&2
cmake --install "$work/build" >/dev/null
# The licence texts and notices of what was built, for the licences folder of the zip: the
# source and build folders are gone once this script ends.
"$root/scripts/qt-windows-notices.sh" "$work/src" "$work/build" "$work/install/licences"
# Where the exact source came from, for the same folder.
{
  echo "Qt $upstream for Windows, as shipped with Tavorin, was built from Debian's source package"
  echo "qt6-base version $version (qt6-base_${version#*:}.dsc and the files it lists), unpacked"
  echo "with dpkg-source -x, which applies Debian's patches. On Debian 12 with a deb-src entry:"
  echo "  apt-get source qt6-base=$version"
  echo "Debian's snapshot archive keeps every version of the package it ever published."
  for patch in "${patches[@]}"; do echo "Then Tavorin's patch $(basename "$patch"), in Tavorin's source under packaging/windows/qt-patches."; done
  echo "Configured with CMake for x86_64-w64-mingw32 (GCC $(x86_64-w64-mingw32-g++-posix -dumpversion), posix threads):"
  printf '  %s\n' "${config[@]}"
} >"$work/install/SOURCE"
touch "$work/install/.complete"
rm -rf "$qt"
mv -T "$work/install" "$qt"
echo "$qt"
