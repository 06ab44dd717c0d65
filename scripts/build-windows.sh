#!/usr/bin/env bash
# Builds Tavorin.exe for 64-bit Windows with MinGW-w64 against Qt built for Windows from Debian's
# source (scripts/build-qt-windows.sh, which builds it first when its cache lacks it, about half
# an hour), and packs build-windows/Tavorin-<version>-win64.zip. Then checks that every DLL a
# file of the zip imports is either in the zip or one that Windows itself provides.
# Usage: scripts/build-windows.sh [folder below the checkout, default build-windows] [cmake options...]
#   e.g. scripts/build-windows.sh -DTAVORIN_TESTS=ON   (the tests, run under Wine by ctest)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=build-windows
if [ $# -gt 0 ] && [[ $1 != -* ]]; then folder=$1; shift; fi
build=$root/$folder

qt=$("$root/scripts/build-qt-windows.sh")
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DTAVORIN_TESTS=OFF "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G ZIP >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/Tavorin-$version-win64.zip

# What Windows provides is what Wine provides in its place: its built-in DLLs, and the API sets
# (api-ms-win-*, ext-ms-*) that the loader of Windows 10 and of Wine resolves without a file.
unpacked=$(mktemp -d); trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
missing=$(find "$unpacked" -iname '*.dll' -o -iname '*.exe' | while read -r file; do
    x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\tDLL Name: //p'
  done | sort -fu | grep -viE '^(api|ext)-ms-' | while read -r dll; do
    [ -n "$(find "$unpacked/Tavorin" /usr/lib/x86_64-linux-gnu/wine/x86_64-windows -maxdepth 1 -iname "$dll")" ] || echo "$dll"
  done)
[ -z "$missing" ] || { echo "build-windows: $zip lacks DLLs its files import: $missing" >&2; exit 1; }
echo "$zip"
