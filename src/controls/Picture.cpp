#include "controls/Picture.h"

namespace tavorin {

Picture loadPicture(const QString& path)
{
    QPixmap pixmap(path);
    if (pixmap.isNull())
        return nullptr;
    return std::make_shared<const QPixmap>(std::move(pixmap));
}

} // namespace tavorin
