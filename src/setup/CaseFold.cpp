#include "setup/CaseFold.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace tavorin {

#ifdef Q_OS_WIN

QString existingSpelling(const QString& path)
{
    return path;
}

QString spellingToWrite(const QString& path)
{
    return path;
}

#else

namespace {

    // Compared as Wine compares names: each character by its simple upper-case mapping, so
    // "münchen.jpg" is "MÜNCHEN.JPG" and "ß" is never "SS".
    bool sameNameIgnoringCase(QStringView a, QStringView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i].toUpper() != b[i].toUpper())
                return false;
        }
        return true;
    }

    // The first entry that is name ignoring case, in the byte order of the names on disk, so the
    // choice among "Dress0.big" and "DRESS0.BIG" is the same on every run.
    QString firstMatch(const QString& name, const QStringList& entries)
    {
        QString picked;
        QByteArray pickedOnDisk;
        for (const QString& entry : entries) {
            if (!sameNameIgnoringCase(entry, name))
                continue;
            const QByteArray onDisk = QFile::encodeName(entry);
            if (picked.isEmpty() || onDisk < pickedOnDisk) {
                picked = entry;
                pickedOnDisk = onDisk;
            }
        }
        return picked;
    }

    QString joined(const QString& folder, const QString& name)
    {
        if (folder.isEmpty())
            return name;
        return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
    }

    // The spelling of part in folder (the current folder when empty), or empty when it has none.
    // The exact name costs one look; only a name missing as spelled makes the folder be read.
    QString partOnDisk(const QString& folder, const QString& part)
    {
        if (part == QLatin1String(".") || part == QLatin1String("..")
            || QFileInfo::exists(joined(folder, part)))
            return part;
        const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
        return firstMatch(part,
            dir.entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted));
    }

}

QString existingSpelling(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    QString found = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString onDisk = partOnDisk(found, part);
        if (onDisk.isEmpty())
            return path;
        found = joined(found, onDisk);
    }
    return found;
}

QString spellingToWrite(const QString& path)
{
    if (QFileInfo::exists(path))
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = existingSpelling(slash < 0 ? QString()
            : slash == 0                              ? QStringLiteral("/")
                                                      : path.left(slash));
    if (!folder.isEmpty() && !QFileInfo::exists(folder))
        return path;
    const QString name = path.mid(slash + 1);
    const QString nameOnDisk = partOnDisk(folder, name);
    return joined(folder, nameOnDisk.isEmpty() ? name : nameOnDisk);
}

#endif

}
