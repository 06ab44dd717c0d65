#include "setup/WinePrefix.h"

#include <QDir>
#include <QFileInfo>

namespace tavorin {

QString findEnclosingWinePrefix(const QString& folder)
{
    for (QDir dir(QFileInfo(folder).absoluteFilePath());;) {
        if (QFileInfo(dir.filePath(QStringLiteral("drive_c"))).isDir()
            && QFileInfo(dir.filePath(QStringLiteral("system.reg"))).isFile())
            return dir.absolutePath();
        if (!dir.cdUp())
            return {};
    }
}

}
