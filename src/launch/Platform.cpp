#include "launch/Platform.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "launch/WindowsPlatform.h"
#else
#include "launch/PosixPlatform.h"
#endif

namespace tavorin {

std::unique_ptr<Platform> makeHostPlatform(const QString& programFolder)
{
#ifdef Q_OS_WIN
    // Windows itself searches the launcher's folder first, so the folder needs no handing on.
    Q_UNUSED(programFolder)
    return std::make_unique<WindowsPlatform>();
#else
    return std::make_unique<PosixPlatform>(programFolder);
#endif
}

} // namespace tavorin
