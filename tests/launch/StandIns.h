#pragma once

// Helpers for the launch tests: stand-in programs and what they record of how they were started.

#include "launch/Platform.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStringList>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tavorin::test {

// Writes an executable shell script; body runs after the shebang line.
inline QString writeScript(const TempFolder& folder, const QString& relative, const QByteArray& body)
{
    const QString path = folder.write(relative, "#!/bin/sh\n" + body);
    QFile::setPermissions(
        path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return path;
}

// The values of a stand-in's record lines that start with key and "=", in order (see
// tests/wine/standin.cpp). Records are UTF-8, whatever the host's code page.
inline QStringList recorded(const QString& record, const QString& key)
{
    QFile file(record);
    QStringList values;
    if (file.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
            if (line.startsWith(key + '='))
                values.append(line.mid(key.size() + 1));
    return values;
}

// For programs started without waiting: whether the file appears within a few seconds.
inline bool appears(const QString& path, int milliseconds = 5000)
{
    return QTest::qWaitFor([&] { return QFile::exists(path); }, milliseconds);
}

// A game folder below a temporary folder, and the host platform that starts its programs.
class GameFolderTest : public testing::Test
{
protected:
    QString program(const QString& name) const { return m_root.file("game/" + name); }
    // Puts a copy of the stand-in program standIn into the game folder as name; gives the record
    // its starts leave.
    QString installStandIn(const char* standIn, const QString& name) const
    {
        EXPECT_TRUE(QFile::copy(standIn, program(name))) << name.toStdString();
        return program(name) + ".record";
    }
    std::unique_ptr<Platform> platform() const { return tavorin::makeHostPlatform(m_root.file("game")); }

    TempFolder m_root;
    const bool m_gameMade = QDir().mkpath(m_root.file("game"));
};

// Sets an environment variable for one test, or clears it where value is null, and puts the old
// value back.
class EnvironmentOverride final : QScopeGuard<std::function<void()>>
{
public:
    EnvironmentOverride(const char* name, const QByteArray& value)
        : QScopeGuard(
            [name, old = qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()] { set(name, old); })
    {
        set(name, value);
    }

private:
    static void set(const char* name, const QByteArray& value)
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
};

// Makes a folder current for one test and goes back afterwards.
class CurrentFolder final : QScopeGuard<std::function<void()>>
{
public:
    explicit CurrentFolder(const QString& folder)
        : QScopeGuard([old = QDir::currentPath()] { QDir::setCurrent(old); })
    {
        QDir::setCurrent(folder);
    }
};

} // namespace tavorin::test
