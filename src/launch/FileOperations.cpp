#include "launch/FileOperations.h"

#include "launch/RuntimeError.h"

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

    // Removes whatever is left at the temporary name: a copy that failed, or the old destination after
    // an exchange.
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

        // Puts the copy in place of destination in one step. A rename over an existing file makes
        // ext4 (auto_da_alloc) allocate blocks for the whole new file and start writing it out
        // inside the rename, which made staging the archive take 1.3 to 1.8 times as long as cp.
        // Swapping the two names is just as atomic for a reader of destination and ext4 does not
        // apply that heuristic to it; the old data, now at the temporary name, goes with the
        // destructor's unlink. Where there is nothing to swap with yet, or the kernel or file
        // system cannot swap, a plain rename does the job.
        bool replace(const QByteArray& destination)
        {
#ifdef RENAME_EXCHANGE
            if (::renameat2(AT_FDCWD, m_path.constData(), AT_FDCWD, destination.constData(), RENAME_EXCHANGE)
                == 0)
                return true;
#endif
            m_renamed = ::rename(m_path.constData(), destination.constData()) == 0;
            return m_renamed;
        }

    private:
        QByteArray m_path;
        FileDescriptor m_fd;
        bool m_created;
        bool m_renamed = false;
    };

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
    // what keeps staging the large archive as fast as cp.
    bool copyContents(int in, int out)
    {
#ifdef Q_OS_LINUX
        for (bool first = true;; first = false) {
            const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
            if (copied == 0)
                return true;
            if (copied < 0) {
                const bool unsupported
                    = errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP;
                return first && unsupported && copyByReadAndWrite(in, out);
            }
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
        if (!copyContents(in.get(), temporary.fd().get())
            || ::fchmod(temporary.fd().get(), sourceInfo.st_mode & 0777) != 0)
            throw fail(errno);
        if (!temporary.fd().close() || !temporary.replace(target))
            throw fail(errno);
    }

#endif

} // namespace

void CopyFileReplacing(const QString& source, const QString& destination, const QString& step)
{
    copyBytes(source, destination, step);
}

void RemoveFile(const QString& file, const QString& step)
{
    if (!QFileInfo(file).isFile())
        throw RuntimeError(missingNumber(file), step, file);
    if (!QFile::remove(file))
        throw RuntimeError(RuntimeError::PermissionDenied, step, file);
}

void ChangeFolder(const QString& folder, const QString& step)
{
    if (!QDir::setCurrent(folder))
        throw RuntimeError(RuntimeError::PathNotFound, step, folder);
}

} // namespace tavorin
