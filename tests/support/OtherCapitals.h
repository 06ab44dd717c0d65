#pragma once

#include <QDir>
#include <QDirIterator>
#include <QString>
#include <algorithm>

namespace tavorin::test {

// The name with every letter in the other case ("data/cmn/be/dress0.big" becomes
// "DATA/CMN/BE/DRESS0.BIG", "TVR2005.exe" becomes "tvr2005.EXE"): no part of it is spelled as
// the launcher spells it.
inline QString otherCapitals(QString name)
{
    for (QChar& c : name)
        c = c.isUpper() ? c.toLower() : c.toUpper();
    return name;
}

// Gives every file and folder below folder its name in other capitals, as an installer that
// wrote them that way would have left them. Longest path first, so a folder is renamed after everything in
// it.
inline bool respellBelow(const QString& folder)
{
    QStringList paths;
    for (QDirIterator it(
             folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        paths.append(it.next());
    std::sort(
        paths.begin(), paths.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!QDir(info.path()).rename(info.fileName(), otherCapitals(info.fileName())))
            return false;
    }
    return true;
}

} // namespace tavorin::test
