#pragma once

#include <QDir>
#include <QString>

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
// wrote them that way would have left them. What a folder holds is renamed before the folder.
inline bool respellBelow(const QString& folder)
{
    QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const bool heldRespelled = !entry.isDir() || entry.isSymLink() || respellBelow(entry.filePath());
        if (!heldRespelled || !dir.rename(entry.fileName(), otherCapitals(entry.fileName())))
            return false;
    }
    return true;
}

} // namespace tavorin::test
