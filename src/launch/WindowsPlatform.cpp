#include "launch/WindowsPlatform.h"

#ifdef Q_OS_WIN

#include "launch/RuntimeError.h"
#include "launch/WindowsCommandLine.h"

#include <QCoreApplication>
#include <string>
#include <windows.h>

namespace tavorin {
namespace {

    struct ProcessHandles final
    {
        PROCESS_INFORMATION info {};

        ~ProcessHandles()
        {
            if (info.hThread)
                CloseHandle(info.hThread);
            if (info.hProcess)
                CloseHandle(info.hProcess);
        }
    };

    // Handles are inherited and the child gets the launcher's folder and environment.
    bool startProcess(const QString& commandLine, STARTUPINFOW& startup, ProcessHandles& process)
    {
        std::wstring line = commandLine.toStdWString();
        return CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                   nullptr, &startup, &process.info)
            != 0;
    }

    // The Shell styles 0 to 4 are the show commands of the same number; 6 is minimised without focus.
    WORD showCommandFor(int windowStyle)
    {
        return static_cast<WORD>(windowStyle == 6 ? SW_SHOWMINNOACTIVE : windowStyle);
    }

    int errorNumberFor(DWORD error)
    {
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return RuntimeError::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
            return RuntimeError::PathNotFound;
        case ERROR_ACCESS_DENIED:
            return RuntimeError::PermissionDenied;
        default:
            return RuntimeError::PathFileAccessError;
        }
    }

} // namespace

int WindowsPlatform::RunAndWait(QString& commandLine)
{
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    ProcessHandles process;
    if (!startProcess(commandLine, startup, process))
        return -1;
    QCoreApplication::processEvents();
    WaitForSingleObject(process.info.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.info.hProcess, &exitCode);
    return static_cast<int>(exitCode);
}

void WindowsPlatform::Shell(const QString& commandLine, int windowStyle)
{
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommandFor(windowStyle);
    ProcessHandles process;
    if (!startProcess(commandLine, startup, process)) {
        const QStringList words = splitWindowsCommandLine(commandLine);
        throw RuntimeError(
            errorNumberFor(GetLastError()), QStringLiteral("starting a program"), words.value(0));
    }
}

} // namespace tavorin

#endif
