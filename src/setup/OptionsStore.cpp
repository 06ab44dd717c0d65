#include "setup/OptionsStore.h"

#include "setup/AppInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace tavorin {
namespace {

#ifdef Q_OS_WIN
    const QString kRegistryRoot
        = QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\");
#else
    QString configHome()
    {
        const QString fromEnvironment = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment))
            return fromEnvironment;
        return QDir::homePath() + QStringLiteral("/.config");
    }

    // QSettings only says "access error"; a trial write in the same folder tells why.
    QString whyNotWritable(const QString& file)
    {
        const QFileInfo info(file);
        const QString folder = info.absolutePath();
        if (!QDir().mkpath(folder))
            return QStringLiteral("its folder %1 cannot be created").arg(QDir::toNativeSeparators(folder));
        QTemporaryFile trial(folder + QStringLiteral("/.write-test-XXXXXX"));
        if (!trial.open())
            return QStringLiteral("its folder cannot be written to (%1)").arg(trial.errorString());
        if (trial.write(QByteArray(4096, ' ')) != 4096 || !trial.flush())
            return QStringLiteral("the disk is full or failing (%1)").arg(trial.errorString());
        if (info.exists() && !info.isWritable())
            return QStringLiteral("the file is read-only");
        return QStringLiteral("the file is read-only or locked by the system");
    }
#endif

}

SettingsStore::SettingsStore(ReportSink reportFailure, NameProvider applicationName)
    : m_reportFailure(std::move(reportFailure))
    , m_applicationName(applicationName ? std::move(applicationName) : NameProvider(&exeName))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::applicationName() const
{
    return m_applicationName();
}

QString SettingsStore::locationFor(const QString& app)
{
#ifdef Q_OS_WIN
    return kRegistryRoot + app;
#else
    return configHome() + QLatin1Char('/') + app + QLatin1Char('/') + app + QStringLiteral(".ini");
#endif
}

QSettings& SettingsStore::settingsFor(const QString& app)
{
    auto& settings = m_open[app];
    if (!settings) {
#ifdef Q_OS_WIN
        settings = std::make_unique<QSettings>(locationFor(app), QSettings::NativeFormat);
#else
        settings = std::make_unique<QSettings>(locationFor(app), QSettings::IniFormat);
#endif
    }
    return *settings;
}

void SettingsStore::SaveSetting(
    const QString& app, const QString& section, const QString& key, const QString& text)
{
    settingsFor(app).setValue(section + QLatin1Char('/') + key, text);
}

QString SettingsStore::GetSetting(
    const QString& app, const QString& section, const QString& key, const QString& fallback)
{
    const QString path = section + QLatin1Char('/') + key;
    QSettings& settings = settingsFor(app);
    return settings.contains(path) ? settings.value(path).toString() : fallback;
}

bool SettingsStore::flush()
{
    bool written = true;
    for (auto& [app, settings] : m_open) {
        settings->sync();
        if (settings->status() != QSettings::NoError) {
            written = false;
            reportOnce(*settings);
        }
    }
    return written;
}

void SettingsStore::reportOnce(const QSettings& settings)
{
    if (m_reported || !m_reportFailure)
        return;
    m_reported = true;
#ifdef Q_OS_WIN
    m_reportFailure(
        QStringLiteral("The settings could not be saved to the registry key %1.").arg(settings.fileName()));
#else
    const QString file = settings.fileName();
    m_reportFailure(QStringLiteral("The settings could not be saved to %1: %2. The settings saved before "
                                   "are kept; later changes are lost when the program ends.")
                        .arg(QDir::toNativeSeparators(file), whyNotWritable(file)));
#endif
}

}
