#pragma once

#include "setup/OptionsStore.h"
#include "support/TempFolder.h"

#include <QSettings>
#include <QStringList>
#include <memory>

// A test's own settings store. On Linux a private XDG_CONFIG_HOME; on Windows, where the store is
// the registry, the keys of the given names, emptied when the test starts and when it ends.
class ScratchSettings final
{
public:
    explicit ScratchSettings(QStringList applications = { QStringLiteral("Tavorin") })
        : m_applications(std::move(applications))
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        clear();
    }
    ~ScratchSettings()
    {
        clear();
        qunsetenv("XDG_CONFIG_HOME");
    }
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

    // The store of app as the platform's own reader sees it, at the settings' top level: the
    // registry on Windows, an INI file elsewhere.
    std::unique_ptr<QSettings> open(const QString& app) const
    {
        return std::make_unique<QSettings>(tavorin::SettingsStore::locationFor(app), QSettings::NativeFormat);
    }
    // The entries of app's "Options" section.
    QMap<QString, QString> options(const QString& app) const
    {
        const auto settings = open(app);
        settings->beginGroup(QStringLiteral("Options"));
        QMap<QString, QString> entries;
        for (const QString& key : settings->childKeys())
            entries.insert(key, settings->value(key).toString());
        return entries;
    }
    // The settings folder of Linux (XDG_CONFIG_HOME).
    const TempFolder& config() const { return m_config; }

private:
    // The registry outlives a test; a settings folder of Linux goes with it.
    void clear() const
    {
#ifdef Q_OS_WIN
        for (const QString& app : m_applications)
            open(app)->remove(QString());
#endif
    }

    TempFolder m_config;
    QStringList m_applications;
};
