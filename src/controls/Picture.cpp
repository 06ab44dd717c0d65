#include "controls/Picture.h"

#include <QFileInfo>
#include <QImageReader>

namespace tavorin {

QPixmap readPicture(const QString& path)
{
    // The name's suffix gives the format, and the reader asks only the plug-in that claims it,
    // or Qt's own reader for BMP. Left to detect the format, Qt loads every image plug-in
    // installed (ten, bringing libtiff, libwebp and QtSvg with them) to ask each about a BMP
    // before it tries its own reader: a sixth of the instructions before the first frame.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

Picture loadPicture(const QString& path)
{
    QPixmap pixmap = readPicture(path);
    if (pixmap.isNull())
        return nullptr;
    return std::make_shared<const QPixmap>(std::move(pixmap));
}

} // namespace tavorin
