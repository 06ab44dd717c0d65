#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tavorin {

// One key of a registry file that Wine keeps in a prefix (user.reg, system.reg).
struct RegistryKey
{
    QString path; // below the file's root, parts separated by single backslashes
    std::vector<std::pair<QString, QString>> strings; // name and text, in file order; "" names the default

    // Value names compare without regard to case, as Windows compares them.
    std::optional<QString> string(QStringView name) const;
};

using RegistryKeyFilter = std::function<bool(QStringView path)>;

// The keys of a registry file in Wine's text format whose path the filter accepts, each with
// its plain string values; other kinds of value (dword, hex, expandable and multiple strings)
// are passed over. Keys named twice, in any case, are one key, and a value named again
// replaces the earlier one, as when Wine loads the file.
//
// Nothing when the bytes are not a registry file as Wine writes it: another first line, a NUL
// byte or a byte beyond ASCII (Wine writes every other character as an escape), or a line that
// is neither a [key], a value of a key, a comment nor blank. A damaged file gives nothing rather
// than the part of it that could be read.
std::optional<std::vector<RegistryKey>> readWineRegistry(
    QByteArrayView bytes, const RegistryKeyFilter& wanted);

// The same for a file: nothing when it is missing, cannot be read or is larger than
// kLargestWineRegistryFile. The file is only ever opened for reading.
std::optional<std::vector<RegistryKey>> readWineRegistryFile(
    const QString& path, const RegistryKeyFilter& wanted);

// A new prefix's user.reg takes about 30 KB and one well used for years a few MB; a file this
// size would be far beyond any of them, and reading it still takes well under a second.
inline constexpr qint64 kLargestWineRegistryFile = qint64(32) << 20;

}
