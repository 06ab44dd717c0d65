#pragma once

#include "setup/WineCarryOver.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <set>

class QSettings;

namespace tavorin {

// The per-user settings store: text entries under (application, section, key).
// On Linux an INI file $XDG_CONFIG_HOME/<app>/<app>.ini (~/.config when unset); on
// Windows the registry below HKEY_CURRENT_USER\Software\VB and VBA Program Settings.
//
// On Linux, while an application has no settings file yet, the options that the Windows build
// of the same name left in the Wine prefix around the program folder (see
// findOptionsLeftUnderWine) are its stored "Options" entries; the first save writes them, with
// the rest, to the file.
class SettingsStore final
{
public:
    using NameProvider = std::function<QString()>;
    using ReportSink = std::function<void(const QString& message)>;

    // reportFailure hears, once per store, which file could not be written and why, and once per
    // file that a settings file could not be read and was set aside.
    // programFolder is where a Windows build would lie; empty for the running executable's folder.
    explicit SettingsStore(
        ReportSink reportFailure, NameProvider applicationName = {}, QString programFolder = {});
    ~SettingsStore();

    // The executable's name unless another provider was given; asked again on every call.
    QString applicationName() const;

    void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& text);
    // An entry stored empty is returned empty; only a missing entry gives the fallback.
    QString GetSetting(
        const QString& app, const QString& section, const QString& key, const QString& fallback);
    // Writes every pending entry to disk; false when a write failed (the old file stays).
    bool flush();

    static QString locationFor(const QString& app);

    // Where an entry is read from, as a message names it: the settings file, or the Wine
    // registry key that its value was carried over from.
    QString whereStored(const QString& app, const QString& section, const QString& key);

    // Beside an unreadable settings file: where it is kept once set aside.
    static QString setAsideLocationFor(const QString& app);

private:
    QSettings& settingsFor(const QString& app);
    void reportOnce(const QSettings& settings);
    // True when the file is fit to be read and written: missing, sound, or set aside just now.
    bool setAsideIfUnreadable(const QString& app);
    std::optional<QString> carriedOver(const QString& app, const QString& section, const QString& key) const;

    ReportSink m_reportFailure;
    NameProvider m_applicationName;
    QString m_programFolder;
    std::map<QString, CarriedOptions> m_carried; // by application, for those without a settings file
    std::map<QString, std::unique_ptr<QSettings>> m_open;
    std::set<QString> m_keptInMemory; // unreadable files that could not be set aside: never written
    bool m_reported = false;
};

}
