#include "setup/WineCarryOver.h"

#include "setup/WinePrefix.h"

#include <QDir>
#include <QSet>

namespace tavorin {
namespace {

    const QString kSettingsRoot = QStringLiteral("Software\\VB and VBA Program Settings\\");
    const QString kOptionsSection = QStringLiteral("\\Options");
    const QString kProgramSuffix = QStringLiteral(".exe");

    // The names of the Windows programs in a folder, without ".exe" and case folded.
    QSet<QString> programsIn(const QString& folder)
    {
        QSet<QString> names;
        const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& file : files) {
            if (file.endsWith(kProgramSuffix, Qt::CaseInsensitive) && file.size() > kProgramSuffix.size())
                names.insert(file.chopped(kProgramSuffix.size()).toCaseFolded());
        }
        return names;
    }

    // Software\VB and VBA Program Settings\<name>\Options, for a <name> among the programs.
    bool isOptionsKeyOf(QStringView path, const QSet<QString>& programs)
    {
        const qsizetype nameLength = path.size() - kSettingsRoot.size() - kOptionsSection.size();
        if (nameLength <= 0 || !path.startsWith(kSettingsRoot, Qt::CaseInsensitive)
            || !path.endsWith(kOptionsSection, Qt::CaseInsensitive))
            return false;
        const QStringView name = path.sliced(kSettingsRoot.size(), nameLength);
        return !name.contains(QLatin1Char('\\')) && programs.contains(name.toString().toCaseFolded());
    }

}

std::optional<CarriedOptions> findOptionsLeftUnderWine(const QString& gameFolder)
{
    const QString prefix = findEnclosingWinePrefix(gameFolder);
    if (prefix.isEmpty())
        return std::nullopt;
    const QSet<QString> programs = programsIn(gameFolder);
    if (programs.isEmpty())
        return std::nullopt;
    const QString file = QDir(prefix).filePath(QStringLiteral("user.reg"));
    auto keys = readWineRegistryFile(file, [&](QStringView path) { return isOptionsKeyOf(path, programs); });
    if (!keys || keys->size() != 1)
        return std::nullopt;
    RegistryKey& key = keys->front();
    QString source
        = QStringLiteral("%1 (HKEY_CURRENT_USER\\%2)").arg(QDir::toNativeSeparators(file), key.path);
    return CarriedOptions { std::move(source), std::move(key) };
}

}
