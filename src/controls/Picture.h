#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <memory>

namespace tavorin {

// One image as the controls hold it. It is either decoded already or keeps its encoded bytes and
// decodes them the first time it is drawn or measured: a button's hover and pressed pictures are
// often never shown, and decoding them all before the window's first frame was a twelfth of the
// work done until then. The bytes are taken when the picture is made, so what it shows never
// depends on when it is first asked.
class PictureData final
{
public:
    explicit PictureData(QPixmap pixmap);
    // Bytes in the named format ("gif", "bmp"); a null pixmap once decoded when they are not one.
    PictureData(QByteArray encoded, QByteArray format);

    const QPixmap& pixmap() const;
    bool isNull() const { return pixmap().isNull(); }
    QSize size() const { return pixmap().size(); }

private:
    mutable QPixmap m_pixmap;
    mutable QByteArray m_encoded;
    QByteArray m_format;
};

// A picture is shared, never copied: whoever sets one keeps the same object the control shows.
using Picture = std::shared_ptr<const PictureData>;

// Reads a picture in the format its suffix names (the window's are GIF, BMP, ICO and CUR); a null
// pixmap when it cannot.
QPixmap readPicture(const QString& path);

// The same, shared; nullptr when it cannot.
Picture loadPicture(const QString& path);

// The picture a compiled-in resource holds, decoded the first time it is shown; nullptr when there is
// no such resource.
Picture loadPictureOnFirstUse(const QString& resourcePath);

} // namespace tavorin
