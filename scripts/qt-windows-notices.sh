#!/usr/bin/env bash
# Gathers the licence texts a Windows build of Qt must travel with, from its source and build
# folders, into OUT: Qt's own LGPL-3 and the GPL-3 it refers to, Debian's copyright file of the
# source package, and one notice per piece of bundled third-party code (a qt_attribution.json
# beside it) that went into a library or plug-in the launcher ships. What went in is read from
# the compiler's own record of every file each object was built from (ninja -t deps), so a
# notice is there exactly when its code is.
#   scripts/qt-windows-notices.sh QT_SOURCE QT_BUILD OUT
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 QT_SOURCE QT_BUILD OUT" >&2; exit 2; }
source=$(cd "$1" && pwd)
build=$2
out=$3
# The CMake targets whose objects end up in the zip: Qt's three libraries, the entry point
# linked into Tavorin.exe, the plug-ins beside it, and the bundled libraries linked into those.
shipped='^(Core|Gui|Widgets|EntryPointImplementation|QWindowsIntegrationPlugin|QGifPlugin|QICOPlugin|QJpegPlugin|QWindowsVistaStylePlugin|Bundled[A-Za-z0-9_]*)$'

mkdir -p "$out/qt-bundled"
cp "$source/LICENSES/LGPL-3.0-only.txt" "$source/LICENSES/GPL-3.0-only.txt" "$out/"
cp "$source/debian/copyright" "$out/qt6-base-debian-copyright.txt"
ninja -C "$build" -t deps >"$out/.deps"
# The record names files where the source was when it was built, which may since have moved.
built_from=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
python3 - "$source" "$built_from" "$out/.deps" "$out/qt-bundled" "$shipped" <<'PY'
import json, os, re, sys

source, built_from, deps_file, out, shipped = sys.argv[1:]
used = set()
target = None
for line in open(deps_file, encoding="utf-8", errors="replace"):
    if not line.startswith(" "):
        match = re.search(r"CMakeFiles/([^/]+)\.dir/", line)
        target = match.group(1) if match else None
    elif target and re.match(shipped, target):
        used.add(os.path.join(source, os.path.relpath(os.path.normpath(line.strip()), built_from)))

def in_use(folder, entry):
    # "Files" and "Path" narrow an entry to some files or folders; without them it is the folder.
    parts = entry.get("Files", "").split() + ([entry["Path"]] if entry.get("Path") else [])
    places = [os.path.normpath(os.path.join(folder, part)) for part in parts] or [folder]
    return any(path == place or path.startswith(place + os.sep) for path in used for place in places)

written = 0
for folder, _, names in sorted(os.walk(os.path.join(source, "src"))):
    if "qt_attribution.json" not in names:
        continue
    # Some of Qt's attribution files hold raw tabs inside strings.
    entries = json.loads(open(os.path.join(folder, "qt_attribution.json"), encoding="utf-8").read(), strict=False)
    for entry in entries if isinstance(entries, list) else [entries]:
        if not in_use(folder, entry):
            continue
        # Code in the public domain comes without a licence file.
        licences = entry.get("LicenseFiles") or ([entry["LicenseFile"]] if entry.get("LicenseFile") else [])
        with open(os.path.join(out, entry["Id"] + ".txt"), "w", encoding="utf-8") as notice:
            notice.write(f"{entry['Name']}" + (f", version {entry['Version']}" if entry.get("Version") else "") + "\n")
            notice.write(f"Used in Qt: {entry.get('QtUsage', '')}\n")
            notice.write(f"Source folder in qt6-base: {os.path.relpath(folder, source)}\n")
            notice.write(f"Copyright: {entry.get('Copyright', '')}\nLicence: {entry['License']}\n")
            for licence in licences:
                notice.write("\n" + open(os.path.join(folder, licence), encoding="utf-8", errors="replace").read())
        written += 1
if written == 0:
    sys.exit("qt-windows-notices: no bundled code found in the build record: is this the right build folder?")
print(f"qt-windows-notices: {written} notices of bundled code", file=sys.stderr)
PY
rm "$out/.deps"
