#include "launch/FileOperations.h"

#include "launch/RuntimeError.h"
#include "setup/CaseFold.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavorin {
namespace {

    // A missing file in an existing folder is 53; a missing folder on the way is 76.
    int missingNumber(const QString& file)
    {
        return QFileInfo(file).absoluteDir().exists() ? RuntimeError::FileNotFound
                                                      : RuntimeError::PathNotFound;
    }

#ifdef Q_OS_WIN

    // A folder where the file should go is 75, as on Linux (QSaveFile refuses it as an
    // unwritable file, which would read 70); a file or folder that cannot be written is 70.
    int unwritableNumber(const QString& destination)
    {
        const QFileInfo info(destination);
        if (info.isDir())
            return RuntimeError::PathFileAccessError;
        return info.absoluteDir().exists() ? RuntimeError::PermissionDenied : RuntimeError::PathNotFound;
    }

    void copyBytes(const QString& source, const QString& destination, const QString& step)
    {
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            throw RuntimeError(
                in.exists() ? RuntimeError::PermissionDenied : missingNumber(source), step, source);
        // QSaveFile refuses a folder as a write error; the copy names it as the POSIX branch does.
        if (QFileInfo(destination).isDir())
            throw RuntimeError(RuntimeError::PathFileAccessError, step, destination);
        QSaveFile out(destination);
        if (!out.open(QIODevice::WriteOnly))
            throw RuntimeError(unwritableNumber(destination), step, destination);
        constexpr qint64 chunkSize = 4 << 20;
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(chunkSize);
            if (chunk.isEmpty() || out.write(chunk) != chunk.size())
                throw RuntimeError(RuntimeError::PathFileAccessError, step, destination);
        }
        if (!out.commit())
            throw RuntimeError(unwritableNumber(destination), step, destination);
    }

#else

    int errorNumberFor(int error, const QString& file)
    {
        switch (error) {
        case ENOENT:
            return missingNumber(file);
        case ENOTDIR:
            return RuntimeError::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
        case EBUSY:
            return RuntimeError::PermissionDenied;
        default:
            return RuntimeError::PathFileAccessError;
        }
    }

    class FileDescriptor final
    {
    public:
        explicit FileDescriptor(int fd)
            : m_fd(fd)
        {
        }
        ~FileDescriptor()
        {
            if (m_fd >= 0)
                ::close(m_fd);
        }
        FileDescriptor(const FileDescriptor&) = delete;
        FileDescriptor& operator=(const FileDescriptor&) = delete;

        int get() const { return m_fd; }
        bool close()
        {
            const int fd = m_fd;
            m_fd = -1;
            return ::close(fd) == 0;
        }

    private:
        int m_fd;
    };

    // Removes a copy that failed; a copy that took the destination's name is left alone.
    class TemporaryFile final
    {
    public:
        explicit TemporaryFile(const QByteArray& destination)
            : m_path(destination + ".tavorin-XXXXXX")
            , m_fd(mkostemp(m_path.data(), O_CLOEXEC))
            , m_created(m_fd.get() >= 0)
        {
        }
        ~TemporaryFile()
        {
            if (m_created && !m_renamed)
                ::unlink(m_path.constData());
        }
        TemporaryFile(const TemporaryFile&) = delete;
        TemporaryFile& operator=(const TemporaryFile&) = delete;

        bool created() const { return m_created; }
        FileDescriptor& fd() { return m_fd; }

        // Puts the copy in place of destination in one step, for any reader of destination. The
        // copy is on the disk by now, so ext4's flush on a rename over a file has nothing left to
        // write and swapping the names instead would gain nothing (docs/design.md, Staging).
        bool replace(const QByteArray& destination)
        {
            m_renamed = ::rename(m_path.constData(), destination.constData()) == 0;
            return m_renamed;
        }

    private:
        QByteArray m_path;
        FileDescriptor m_fd;
        bool m_created;
        bool m_renamed = false;
    };

    // A rename is only as durable as the folder that holds the name. A file system that cannot
    // sync a folder (EINVAL) keeps its names by other means.
    bool syncFolderOf(const QByteArray& file)
    {
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(file)).path());
        const FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        return fd.get() >= 0 && (::fsync(fd.get()) == 0 || errno == EINVAL);
    }

    bool copyByReadAndWrite(int in, int out)
    {
        QByteArray buffer(4 << 20, Qt::Uninitialized);
        for (;;) {
            const ssize_t got = ::read(in, buffer.data(), buffer.size());
            if (got <= 0)
                return got == 0;
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(out, buffer.constData() + done, got - done);
                if (put < 0)
                    return false;
                done += put;
            }
        }
    }

    // The kernel copies between the two files without a round trip through this process, which is
    // what keeps staging the large archive as fast as cp. Each piece starts on its way to the disk
    // as soon as it is copied, so the write-out overlaps the copy and the sync that follows waits
    // only for the last pieces; sync_file_range only starts it and makes nothing durable.
    bool copyContents(int in, int out)
    {
#ifdef Q_OS_LINUX
        constexpr size_t pieceSize = 8 << 20;
        off_t copiedSoFar = 0;
        for (bool first = true;; first = false) {
            const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, pieceSize, 0);
            if (copied == 0)
                return true;
            if (copied < 0) {
                const bool unsupported
                    = errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP;
                return first && unsupported && copyByReadAndWrite(in, out);
            }
            ::sync_file_range(out, copiedSoFar, copied, SYNC_FILE_RANGE_WRITE);
            copiedSoFar += copied;
        }
#else
        return copyByReadAndWrite(in, out);
#endif
    }

    void copyBytes(const QString& source, const QString& destination, const QString& step)
    {
        FileDescriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
        if (in.get() < 0)
            throw RuntimeError(errorNumberFor(errno, source), step, source);
        struct stat sourceInfo
        {
        };
        if (::fstat(in.get(), &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode))
            throw RuntimeError(RuntimeError::PathFileAccessError, step, source);

        const QByteArray target = QFile::encodeName(destination);
        const auto fail
            = [&](int error) { return RuntimeError(errorNumberFor(error, destination), step, destination); };
        // Renaming over a file ignores its own write permission; a destination marked read-only
        // stays as it is, as a copy onto it fails on Windows. Both are refused before any byte
        // of a large archive is copied.
        struct stat targetInfo
        {
        };
        if (::stat(target.constData(), &targetInfo) == 0) {
            if (S_ISDIR(targetInfo.st_mode))
                throw RuntimeError(RuntimeError::PathFileAccessError, step, destination);
            if (::access(target.constData(), W_OK) != 0)
                throw fail(errno);
        }
        TemporaryFile temporary(target);
        if (!temporary.created())
            throw fail(errno);
        // The data reaches the disk before it takes the destination's name, and the name before
        // the copy counts as done: after a power cut the game finds the old file or the whole new
        // one, never a short one.
        if (!copyContents(in.get(), temporary.fd().get())
            || ::fchmod(temporary.fd().get(), sourceInfo.st_mode & 0777) != 0
            || ::fdatasync(temporary.fd().get()) != 0)
            throw fail(errno);
        if (!temporary.fd().close() || !temporary.replace(target) || !syncFolderOf(target))
            throw fail(errno);
    }

#endif

} // namespace

void CopyFileReplacing(const QString& source, const QString& destination, const QString& step)
{
    copyBytes(existingSpelling(source), spellingToWrite(destination), step);
}

void RemoveFile(const QString& file, const QString& step)
{
    const QString onDisk = existingSpelling(file);
    if (!QFileInfo(onDisk).isFile())
        throw RuntimeError(missingNumber(onDisk), step, onDisk);
    if (!QFile::remove(onDisk))
        throw RuntimeError(RuntimeError::PermissionDenied, step, onDisk);
}

void ChangeFolder(const QString& folder, const QString& step)
{
    if (!QDir::setCurrent(folder))
        throw RuntimeError(RuntimeError::PathNotFound, step, folder);
}

} // namespace tavorin
