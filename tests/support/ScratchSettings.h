#pragma once

#include "support/TempFolder.h"

#include <QSettings>
#include <QStringList>
#include <memory>

// A test's own settings store. On Linux a private XDG_CONFIG_HOME; on Windows, where the store is
// the registry, the keys of the given names, emptied when the test starts and when it ends.
class ScratchSettings final
{
public:
    explicit ScratchSettings(QStringList applications = { QStringLiteral("Tavorin") });
    ~ScratchSettings();
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

    // The store of app as the platform's own reader sees it, at the settings' top level.
    std::unique_ptr<QSettings> open(const QString& app) const;
    // The entries of app's "Options" section.
    QMap<QString, QString> options(const QString& app) const;
    // The settings folder of Linux (XDG_CONFIG_HOME).
    const TempFolder& config() const { return m_config; }

private:
    void clear() const;

    TempFolder m_config;
    QStringList m_applications;
};
