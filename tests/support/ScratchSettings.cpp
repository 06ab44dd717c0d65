#include "ScratchSettings.h"

#include "setup/OptionsStore.h"

#include <QtGlobal>

ScratchSettings::ScratchSettings(QStringList applications)
    : m_applications(std::move(applications))
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    clear();
}

ScratchSettings::~ScratchSettings()
{
    clear();
    qunsetenv("XDG_CONFIG_HOME");
}

std::unique_ptr<QSettings> ScratchSettings::open(const QString& app) const
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(tavorin::SettingsStore::locationFor(app), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(tavorin::SettingsStore::locationFor(app), QSettings::IniFormat);
#endif
}

QMap<QString, QString> ScratchSettings::options(const QString& app) const
{
    const auto settings = open(app);
    settings->beginGroup(QStringLiteral("Options"));
    QMap<QString, QString> entries;
    for (const QString& key : settings->childKeys())
        entries.insert(key, settings->value(key).toString());
    return entries;
}

// The registry outlives a test; a settings folder of Linux goes with it.
void ScratchSettings::clear() const
{
#ifdef Q_OS_WIN
    for (const QString& app : m_applications)
        open(app)->remove(QString());
#endif
}
