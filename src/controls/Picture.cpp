#include "controls/Picture.h"

#include <QFileInfo>

namespace tavorin {

Picture loadPicture(const QString& path)
{
    // Naming the format spares Qt from asking every image plug-in whether it can read the file.
    QPixmap pixmap(path, QFileInfo(path).suffix().toLatin1().constData());
    if (pixmap.isNull())
        return nullptr;
    return std::make_shared<const QPixmap>(std::move(pixmap));
}

} // namespace tavorin
