#pragma once

#include <QProcess>
#include <QStringList>

// Root writes through permission bits; an immutable file or folder stops even root.
// Whatever was made immutable is made mutable again when this goes, failed test or not.
class ImmutablePaths final
{
public:
    ImmutablePaths() = default;
    ImmutablePaths(const ImmutablePaths&) = delete;
    ImmutablePaths& operator=(const ImmutablePaths&) = delete;
    ~ImmutablePaths()
    {
        for (const QString& path : m_paths)
            QProcess::execute("chattr", { "-i", path });
    }

    // False where the file system has no immutable flag (tmpfs, for one).
    bool add(const QString& path)
    {
        if (QProcess::execute("chattr", { "+i", path }) != 0)
            return false;
        m_paths << path;
        return true;
    }

private:
    QStringList m_paths;
};
