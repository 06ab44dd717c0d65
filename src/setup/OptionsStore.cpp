#include "setup/OptionsStore.h"

#include "setup/AppInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

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

    // The fifteen entries take well under a kilobyte; a file this large was not written by us,
    // and reading it whole would stall the start.
    constexpr qint64 kLargestSettingsFile = 1 << 20;

    bool isEntryLine(QByteArrayView line)
    {
        line = line.trimmed();
        return line.isEmpty() || line.startsWith(';') || line.startsWith('#')
            || (line.startsWith('[') && line.endsWith(']')) || line.contains('=');
    }

    // Why these bytes cannot be what our INI writer left, or nothing when they can be. A file
    // that is only partly sound is refused whole: a value cut short ("label7.caption=5" of a
    // "52") would put the wrong team on the next command line without anybody noticing.
    std::optional<QString> unreadableBecause(const QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return std::nullopt;
        if (bytes.contains('\0'))
            return QStringLiteral("it holds NUL bytes, so it is not a text file");
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)QString(utf8.decode(bytes));
        if (utf8.hasError())
            return QStringLiteral("it is not UTF-8 text");
        // Every line we write ends in a line break: a last line without one was cut short.
        if (!bytes.endsWith('\n'))
            return QStringLiteral("it ends in the middle of a line, so it was cut short");
        int lineNumber = 0;
        for (const QByteArray& line : bytes.split('\n')) {
            ++lineNumber;
            if (!isEntryLine(line))
                return QStringLiteral("line %1 is neither a [section] nor a key=value entry").arg(lineNumber);
        }
        return std::nullopt;
    }

    std::optional<QString> unreadableFile(QFile& file)
    {
        if (file.size() > kLargestSettingsFile)
            return QStringLiteral("it is larger than 1 MiB, far more than settings take");
        return unreadableBecause(file.readAll());
    }

    // The store of an unreadable file that could not be set aside: starts empty and refuses
    // every write, so the file stays exactly as it is.
    bool readNothing(QIODevice&, QSettings::SettingsMap&)
    {
        return true;
    }
    bool writeNothing(QIODevice&, const QSettings::SettingsMap&)
    {
        return false;
    }
#endif

}

SettingsStore::SettingsStore(ReportSink reportFailure, NameProvider applicationName, QString programFolder)
    : m_reportFailure(std::move(reportFailure))
    , m_applicationName(applicationName ? std::move(applicationName) : NameProvider(&exeName))
    , m_programFolder(std::move(programFolder))
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

QString SettingsStore::setAsideLocationFor(const QString& app)
{
    return locationFor(app) + QStringLiteral(".bad");
}

QSettings& SettingsStore::settingsFor(const QString& app)
{
    auto& settings = m_open[app];
    if (!settings) {
#ifdef Q_OS_WIN
        settings = std::make_unique<QSettings>(locationFor(app), QSettings::NativeFormat);
#else
        // A file set aside below still counts: it shows this is not the first run.
        const bool firstRun = !QFileInfo::exists(locationFor(app));
        if (setAsideIfUnreadable(app)) {
            settings = std::make_unique<QSettings>(locationFor(app), QSettings::IniFormat);
            const QString programFolder = m_programFolder.isEmpty() ? appPath() : m_programFolder;
            if (auto carried = firstRun ? findOptionsLeftUnderWine(programFolder, app) : std::nullopt)
                m_carried.emplace(app, std::move(*carried));
        } else {
            static const QSettings::Format inMemory
                = QSettings::registerFormat(QStringLiteral("unwritten"), readNothing, writeNothing);
            settings = std::make_unique<QSettings>(locationFor(app), inMemory);
            m_keptInMemory.insert(app);
        }
#endif
    }
    return *settings;
}

#ifndef Q_OS_WIN
// An unreadable file is renamed, not copied, out of the way: the rename cannot leave half a copy,
// and it replaces an older set-aside file because the newest loss is the one worth keeping.
// The run then starts from the values the window is designed with, as a first run does.
bool SettingsStore::setAsideIfUnreadable(const QString& app)
{
    const QString file = locationFor(app);
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return true;
    const std::optional<QString> reason = unreadableFile(in);
    in.close();
    if (!reason)
        return true;
    const QString aside = setAsideLocationFor(app);
    const bool setAside
        = std::rename(QFile::encodeName(file).constData(), QFile::encodeName(aside).constData()) == 0;
    const QString renameError = QString::fromLocal8Bit(std::strerror(errno));
    if (!m_reportFailure)
        return setAside;
    const QString shownFile = QDir::toNativeSeparators(file);
    if (setAside)
        m_reportFailure(QStringLiteral("The settings file %1 could not be read: %2. The launcher starts with "
                                       "its default settings; the unreadable file is kept as %3.")
                            .arg(shownFile, *reason, QDir::toNativeSeparators(aside)));
    else
        m_reportFailure(
            QStringLiteral("The settings file %1 could not be read: %2. It could not be set aside "
                           "either (%3), so the launcher starts with its default settings and "
                           "leaves the file as it is: the settings of this run are not saved.")
                .arg(shownFile, *reason, renameError));
    return setAside;
}
#endif

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
    if (!settings.contains(path))
        return carriedOver(app, section, key).value_or(fallback);
    // A hand-typed value with an unquoted comma ("Inter, Milan") reads back as a list.
    const QVariant value = settings.value(path);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString SettingsStore::whereStored(const QString& app, const QString& section, const QString& key)
{
    if (!settingsFor(app).contains(section + QLatin1Char('/') + key) && carriedOver(app, section, key))
        return m_carried.at(app).source;
    return QDir::toNativeSeparators(locationFor(app));
}

// The Windows build's Options key holds the "Options" section, under any spelling of the names.
std::optional<QString> SettingsStore::carriedOver(
    const QString& app, const QString& section, const QString& key) const
{
    const auto carried = m_carried.find(app);
    if (carried == m_carried.end() || section.compare(QLatin1String("Options"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return carried->second.key.string(key);
}

bool SettingsStore::flush()
{
    bool written = true;
    for (auto& [app, settings] : m_open) {
        if (m_keptInMemory.contains(app))
            continue;
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
