#pragma once

#include <QtGlobal>

#ifndef Q_OS_WIN

#include "launch/Platform.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>
#include <utility>

namespace tavorin {

// Runs the Windows command lines of the launcher on a POSIX host: the line is split as a Windows
// program would split it, the program is looked up as Windows would look it up (with ".exe" added
// to a bare name, its capitals ignored), and a Windows program is handed to Wine. Never through a shell.
//
// Wine rebuilds a command line from the words it is given, quoting each so that the program's C
// runtime splits it back into the same words; handing it the words, not the line, is what keeps
// them intact. It reads them in the character set of the locale it inherits, so a Windows program
// is started with the UTF-8 form of the session's locale, the encoding the words go out in (see
// utf8LocaleForWine).
//
// A child killed by a signal gives 128 plus the signal number, as a POSIX shell reports it.
//
// Shell's window style is not passed on: an X11 program chooses its own first window state and
// there is no way to ask it from outside to open minimised, so the program opens as it always
// does and the window manager gives its new window the focus.
class PosixPlatform final : public Platform
{
public:
    // Variables set in a child's environment over the inherited ones; a null value removes one.
    using EnvironmentChanges = QList<std::pair<QByteArray, QByteArray>>;

    explicit PosixPlatform(const QString& programFolder);

    int RunAndWait(QString& commandLine) override;
    void Shell(const QString& commandLine, int windowStyle) override;

private:
    struct Command
    {
        QString program;
        QStringList arguments; // argv, the program's own name first
        EnvironmentChanges environment;
    };

    // Empty when the program (or Wine for a Windows program) is not found; missing names the file.
    std::optional<Command> resolve(const QString& commandLine, QString& missing) const;
    QString findProgram(const QString& name) const;
    EnvironmentChanges wineEnvironment() const;

    QString m_programFolder;
    QString m_enclosingWinePrefix;
};

} // namespace tavorin

#endif
