#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

// chattr needs a real file system and /tmp may be a tmpfs: a test program that makes paths
// immutable keeps its scratch folders below the build folder.
inline const bool scratchOnBuildDisk = [] {
    const QString scratch = QStringLiteral(TAVORIN_BINARY_DIR "/scratch");
    QDir().mkpath(scratch);
    return qputenv("TMPDIR", QFile::encodeName(scratch));
}();

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
