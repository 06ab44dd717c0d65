#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace tavorin {

// The game's files keep whatever capitals its installer wrote, and Windows and Wine find
// "FIFA2005.EXE" when asked for "fifa2005.exe". These find a game file the same way on a file
// system that tells the two apart.

// Whether two file names are one name to Wine: each character compared by its simple upper-case
// mapping, as Wine's own file lookup compares them ("Camera8.EFX" is "camera8.efx"; "ß" is not
// "SS").
bool sameNameIgnoringCase(QStringView a, QStringView b);

// The entry of a folder that name stands for: name itself when the folder holds it, else the
// first entry that is the same name ignoring case, in the byte order of the names on disk, so the
// choice among "Dress0.big" and "DRESS0.BIG" is the same on every run. Empty when there is none.
QString pickEntry(const QString& name, const QStringList& entries);

// path (relative to the current folder, or absolute; '/' between its parts) as the file system
// spells it, each part found with pickEntry; path itself, unchanged, when a part is missing in
// every spelling, so a missing file fails as it always did and is named as the launcher spells
// it. On Windows the file system finds the names itself: path comes back as it is.
QString existingSpelling(const QString& path);

// Where a file written to path goes: into its folder as existingSpelling finds it, over the file
// of that name in any capitals when there is one, so that Wine never sees two files of one name.
// A new file takes the name as given; a missing folder leaves path unchanged.
QString spellingToWrite(const QString& path);

}
