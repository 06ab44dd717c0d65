#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "launch/Platform.h"

namespace tavorin {

// Hands the composed line to CreateProcess untouched, so the started program parses it itself.
class WindowsPlatform final : public Platform
{
public:
    int RunAndWait(QString& commandLine) override;
    void Shell(const QString& commandLine, int windowStyle) override;
};

} // namespace tavorin

#endif
