#pragma once

#include <QString>

namespace tavorin {

// The game's files keep whatever capitals its installer wrote, and Windows and Wine find
// "FIFA2005.EXE" when asked for "fifa2005.exe". These find a game file the same way on a file
// system that tells the two apart. Each part of a path is found on its own: the exact name when
// the folder holds it, else the first name that differs from it only in case (compared as Wine
// compares names), in the byte order of the names on disk. On Windows the file system does all
// this, and the names come back as they are.

// path (relative to the current folder, or absolute; '/' between its parts) as the file system
// spells it; path itself, unchanged, when a part is missing in every spelling, so a missing file
// fails as it always did and is named as the launcher spells it.
QString existingSpelling(const QString& path);

// Where a file written to path goes: into its folder as existingSpelling finds it, over the file
// of that name in any capitals when there is one, so that Wine never sees two files of one name.
// A new file takes the name as given; a missing folder leaves path unchanged.
QString spellingToWrite(const QString& path);

}
