#include "setup/WineCarryOver.h"

#include "setup/WinePrefix.h"

#include <QDir>

namespace tavorin {
namespace {

    const QString kSettingsRoot = QStringLiteral("Software\\VB and VBA Program Settings\\");
    const QString kOptionsSection = QStringLiteral("\\Options");

    // Software\VB and VBA Program Settings\<name>\Options, names compared as Windows compares them.
    bool isOptionsKeyOf(QStringView path, const QString& applicationName)
    {
        const qsizetype nameLength = path.size() - kSettingsRoot.size() - kOptionsSection.size();
        return nameLength == applicationName.size() && path.startsWith(kSettingsRoot, Qt::CaseInsensitive)
            && path.endsWith(kOptionsSection, Qt::CaseInsensitive)
            && path.sliced(kSettingsRoot.size(), nameLength).compare(applicationName, Qt::CaseInsensitive)
            == 0;
    }

}

std::optional<CarriedOptions> findOptionsLeftUnderWine(
    const QString& gameFolder, const QString& applicationName)
{
    const QString prefix = findEnclosingWinePrefix(gameFolder);
    if (prefix.isEmpty() || applicationName.isEmpty())
        return std::nullopt;
    const QString file = QDir(prefix).filePath(QStringLiteral("user.reg"));
    auto keys
        = readWineRegistryFile(file, [&](QStringView path) { return isOptionsKeyOf(path, applicationName); });
    if (!keys || keys->size() != 1)
        return std::nullopt;
    RegistryKey& key = keys->front();
    QString source
        = QStringLiteral("%1 (HKEY_CURRENT_USER\\%2)").arg(QDir::toNativeSeparators(file), key.path);
    return CarriedOptions { std::move(source), std::move(key) };
}

}
