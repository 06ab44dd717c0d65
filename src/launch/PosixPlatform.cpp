#include "launch/PosixPlatform.h"

#ifndef Q_OS_WIN

#include "launch/RuntimeError.h"
#include "launch/WindowsCommandLine.h"
#include "launch/WineLocale.h"
#include "setup/CaseFold.h"
#include "setup/WinePrefix.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tavorin {
namespace {

    const QString StartingStep = QStringLiteral("starting a program");

    bool isWindowsProgram(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
    }

    QString findWine()
    {
        const QString wine = qEnvironmentVariable("WINE", QStringLiteral("wine"));
        if (wine.contains(QLatin1Char('/')))
            return QFileInfo(wine).isFile() ? wine : QString();
        return QStandardPaths::findExecutable(wine);
    }

    QStringList namesToTry(const QString& name)
    {
        if (QFileInfo(name).suffix().isEmpty())
            return { name, name + QStringLiteral(".exe") };
        return { name };
    }

    QStringList searchFolders(const QString& programFolder)
    {
        QStringList folders { programFolder, QDir::currentPath() };
        for (const QString& folder : qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
            folders.append(folder);
        return folders;
    }

    bool isChanged(const QByteArray& entry, const PosixPlatform::EnvironmentChanges& changes)
    {
        const QByteArray name = entry.left(entry.indexOf('='));
        return std::any_of(
            changes.begin(), changes.end(), [&](const auto& change) { return change.first == name; });
    }

    // The byte arrays behind argv and envp, alive as long as the object.
    class NativeCommand final
    {
    public:
        NativeCommand(const QString& program, const QStringList& arguments,
            const PosixPlatform::EnvironmentChanges& environment)
            : m_program(QFile::encodeName(program))
        {
            for (const QString& argument : arguments)
                m_arguments.append(QFile::encodeName(argument));
            m_argv = pointersTo(m_arguments);
            if (environment.isEmpty())
                return;
            for (char** entry = environ; *entry; ++entry) {
                if (!isChanged(*entry, environment))
                    m_environment.append(QByteArray(*entry));
            }
            for (const auto& [name, value] : environment) {
                if (!value.isNull())
                    m_environment.append(name + '=' + value);
            }
            m_envp = pointersTo(m_environment);
        }

        const char* program() const { return m_program.constData(); }
        char* const* argv() const { return m_argv.data(); }
        char* const* envp() const { return m_envp.empty() ? environ : m_envp.data(); }

    private:
        static std::vector<char*> pointersTo(QByteArrayList& strings)
        {
            std::vector<char*> pointers;
            for (QByteArray& string : strings)
                pointers.push_back(string.data());
            pointers.push_back(nullptr);
            return pointers;
        }

        QByteArray m_program;
        QByteArrayList m_arguments;
        QByteArrayList m_environment;
        std::vector<char*> m_argv;
        std::vector<char*> m_envp;
    };

    int waitForExit(pid_t pid)
    {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR)
                return -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    int errorNumberFor(int error)
    {
        switch (error) {
        case ENOENT:
            return RuntimeError::FileNotFound;
        case ENOTDIR:
            return RuntimeError::PathNotFound;
        case EACCES:
        case EPERM:
            return RuntimeError::PermissionDenied;
        default:
            return RuntimeError::PathFileAccessError;
        }
    }

    // Double fork: the middle process ends at once and is reaped here, so the program itself
    // belongs to init and never lingers as a zombie. Gives the errno of a failed exec, or 0.
    int startDetached(const NativeCommand& command)
    {
        int errorPipe[2];
        if (pipe2(errorPipe, O_CLOEXEC) != 0)
            return errno;
        const pid_t middle = fork();
        if (middle == 0) {
            close(errorPipe[0]);
            setsid();
            if (fork() == 0) {
                execve(command.program(), command.argv(), command.envp());
                const int error = errno;
                [[maybe_unused]] const auto written = write(errorPipe[1], &error, sizeof error);
                _exit(127);
            }
            _exit(0);
        }
        const int forkError = middle < 0 ? errno : 0;
        close(errorPipe[1]);
        if (middle > 0)
            waitForExit(middle);
        int execError = 0;
        const bool reported = read(errorPipe[0], &execError, sizeof execError) == sizeof execError;
        close(errorPipe[0]);
        return forkError ? forkError : (reported ? execError : 0);
    }

} // namespace

PosixPlatform::PosixPlatform(const QString& programFolder)
    : m_programFolder(programFolder)
    , m_enclosingWinePrefix(findEnclosingWinePrefix(programFolder))
{
}

QString PosixPlatform::findProgram(const QString& name) const
{
    const QStringList folders = name.contains(QLatin1Char('/')) ? QStringList { QDir::currentPath() }
                                                                : searchFolders(m_programFolder);
    for (const QString& folder : folders) {
        for (const QString& candidate : namesToTry(name)) {
            const QFileInfo file(existingSpelling(QDir(folder).filePath(candidate)));
            if (file.isFile())
                return file.absoluteFilePath();
        }
    }
    return {};
}

std::optional<PosixPlatform::Command> PosixPlatform::resolve(
    const QString& commandLine, QString& missing) const
{
    QStringList words = splitWindowsCommandLine(commandLine);
    missing = words.value(0);
    const QString program = missing.isEmpty() ? QString() : findProgram(missing);
    if (program.isEmpty())
        return std::nullopt;
    if (!isWindowsProgram(program))
        return Command { program, words, {} };

    const QString wine = findWine();
    if (wine.isEmpty()) {
        missing = qEnvironmentVariable("WINE", QStringLiteral("wine"));
        return std::nullopt;
    }
    words[0] = program;
    words.prepend(wine);
    return Command { wine, words, wineEnvironment() };
}

PosixPlatform::EnvironmentChanges PosixPlatform::wineEnvironment() const
{
    EnvironmentChanges changes;
    if (!qEnvironmentVariableIsSet("WINEPREFIX") && !m_enclosingWinePrefix.isEmpty())
        changes.append({ "WINEPREFIX", QFile::encodeName(m_enclosingWinePrefix) });
    // In the POSIX locale Wine reads the words as ASCII and drops the top bit of every byte ("ü"
    // arrives as "C<").
    changes.append(utf8LocaleForWine(sessionLocaleVariables(), isInstalledUtf8Locale));
    return changes;
}

int PosixPlatform::RunAndWait(QString& commandLine)
{
    QString missing;
    const auto command = resolve(commandLine, missing);
    if (!command)
        return -1;
    const NativeCommand native(command->program, command->arguments, command->environment);
    pid_t pid = 0;
    if (posix_spawn(&pid, native.program(), nullptr, nullptr, native.argv(), native.envp()) != 0)
        return -1;
    QCoreApplication::processEvents();
    return waitForExit(pid);
}

void PosixPlatform::Shell(const QString& commandLine, int windowStyle)
{
    Q_UNUSED(windowStyle)
    QString missing;
    const auto command = resolve(commandLine, missing);
    if (!command)
        throw RuntimeError(RuntimeError::FileNotFound, StartingStep, missing);
    const NativeCommand native(command->program, command->arguments, command->environment);
    if (const int error = startDetached(native))
        throw RuntimeError(errorNumberFor(error), StartingStep, command->program);
}

} // namespace tavorin

#endif
