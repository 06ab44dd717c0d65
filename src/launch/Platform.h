#pragma once

#include <QString>
#include <memory>

namespace tavorin {

// The Shell window style the launcher asks for: the started program opens minimised, with focus.
inline constexpr int MinimizedFocus = 2;

// Starting other programs from a composed command line. The host implementation is chosen by
// makeHostPlatform; tests and the window use nothing else.
class Platform
{
public:
    virtual ~Platform() = default;

    // Starts the line, handles the window events pending at that moment once, then waits with no
    // time limit and gives the exit code. A program that cannot be started gives -1 at once and
    // raises nothing. The caller's text is left as it was.
    virtual int RunAndWait(QString& commandLine) = 0;

    // Starts the line without waiting and without leaving anything to reap. Throws RuntimeError
    // 53 when the program is not found and 70 when it is found but cannot be started.
    virtual void Shell(const QString& commandLine, int windowStyle) = 0;
};

// programFolder is the launcher's own folder, searched first for a program.
std::unique_ptr<Platform> makeHostPlatform(const QString& programFolder);

} // namespace tavorin
