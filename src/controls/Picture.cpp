#include "controls/Picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>

namespace tavorin {

namespace {
    QPixmap decode(QImageReader& reader)
    {
        // Left to detect the format, Qt loads every image plug-in installed (ten, bringing libtiff,
        // libwebp and QtSvg with them) to ask each about a BMP before it tries its own reader: a sixth
        // of the instructions before the first frame. Named, only the plug-in that claims it is asked,
        // or Qt's own reader for BMP.
        reader.setAutoDetectImageFormat(false);
        return QPixmap::fromImageReader(&reader);
    }
} // namespace

PictureData::PictureData(QPixmap pixmap)
    : m_pixmap(std::move(pixmap))
{
}

PictureData::PictureData(QByteArray encoded, QByteArray format)
    : m_encoded(std::move(encoded))
    , m_format(std::move(format))
{
}

const QPixmap& PictureData::pixmap() const
{
    if (!m_encoded.isNull()) {
        QBuffer bytes(&m_encoded);
        QImageReader reader(&bytes, m_format);
        m_pixmap = decode(reader);
        m_encoded = QByteArray();
    }
    return m_pixmap;
}

QPixmap readPicture(const QString& path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    return decode(reader);
}

Picture loadPicture(const QString& path)
{
    QPixmap pixmap = readPicture(path);
    if (pixmap.isNull())
        return nullptr;
    return std::make_shared<const PictureData>(std::move(pixmap));
}

Picture loadPictureOnFirstUse(const QString& resourcePath)
{
    const QResource resource(resourcePath);
    if (!resource.isValid())
        return nullptr;
    // Stored uncompressed, the bytes are the program's own, not a copy.
    return std::make_shared<const PictureData>(
        resource.uncompressedData(), QFileInfo(resourcePath).suffix().toLatin1());
}

} // namespace tavorin
