#include "setup/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tavorin {
namespace {

    // Qt caches the executable's path; the settings follow a rename of the running file.
    QString executablePath()
    {
#ifdef Q_OS_LINUX
        const QString target = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
        if (!target.isEmpty())
            return target;
#endif
        return QCoreApplication::applicationFilePath();
    }

}

QString appPath()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString resolved = QFileInfo(folder).canonicalFilePath();
    return resolved.isEmpty() ? folder : resolved;
}

QString exeName()
{
    return QFileInfo(executablePath()).completeBaseName();
}

}
