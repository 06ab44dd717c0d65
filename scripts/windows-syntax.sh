#!/usr/bin/env bash
# Compiles every source of the launcher, the moc output of a Linux build and the icon resource
# with the MinGW-w64 cross compiler against the installed Qt headers, so that the Windows branches (registry store,
# CreateProcessW, QSaveFile staging) are checked here although nothing can be linked for Windows.
# Fails on the first file with an error or a warning of ours; warnings inside Qt's headers are
# theirs (-isystem).
#   scripts/windows-syntax.sh [build folder with moc output, default build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
compiler=x86_64-w64-mingw32-g++-posix
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I "$root/src"
  -isystem "$qt" -isystem "$qt/QtCore" -isystem "$qt/QtGui" -isystem "$qt/QtWidgets")

command -v "$compiler" >/dev/null || { echo "windows-syntax: $compiler is missing (g++-mingw-w64-x86-64-posix)" >&2; exit 1; }

# Without Q_OS_WIN every Windows branch would vanish and the check would pass on nothing.
probe='#include <QtGlobal>\n#ifndef Q_OS_WIN\n#error not a Windows build\n#endif\n'
if ! printf "$probe" | "$compiler" "${flags[@]}" -x c++ - 2>/dev/null; then
  echo "windows-syntax: Qt's headers do not see a Windows target with these flags" >&2
  exit 1
fi

# Everything under src/ ships, so everything under src/ must compile for Windows.
mapfile -t sources < <(cd "$root" && git ls-files 'src/*.cpp' | sed "s|^|$root/|")
[ -d "$build" ] || { echo "windows-syntax: no build folder $build for the moc output" >&2; exit 1; }
mapfile -t mocs < <(find "$build/src" -path '*_autogen/*' -name 'moc_*.cpp' ! -path '*artgen*')
[ "${#mocs[@]}" -gt 0 ] || { echo "windows-syntax: no moc output under $build/src: build first" >&2; exit 1; }

printf '%s\0' "${sources[@]}" "${mocs[@]}" |
  xargs -0 -n 1 -P "$(nproc)" bash -c 'file=${*: -1}; "$0" "$@" || { echo "windows-syntax: $file fails for Windows" >&2; exit 255; }' \
    "$compiler" "${flags[@]}" 2>&1
# The resource script that gives Tavorin.exe its icon.
x86_64-w64-mingw32-windres "$root/src/ui/Tavorin.rc" -O coff -o /dev/null
echo "windows-syntax: ${#sources[@]} sources and ${#mocs[@]} moc files compile for Windows"
