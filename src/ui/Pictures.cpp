#include "ui/Pictures.h"

#include "controls/Picture.h"
#include "controls/PropertyBag.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace tavorin::pictures {

namespace {
    QString resource(const QString& name) { return ":/pictures/" + name; }

    // Which picture set each PictureButton shows, by button number.
    QString pictureSetName(int buttonNumber)
    {
        if (buttonNumber == 1)
            return "minimise";
        if (buttonNumber == 2)
            return "close";
        if (buttonNumber == 15)
            return "eye";
        if (buttonNumber == 16)
            return "maker";
        return QStringLiteral("camera%1").arg(buttonNumber - 2, 2, 10, QLatin1Char('0'));
    }

    QString pictureSetExtension(int buttonNumber)
    {
        return buttonNumber >= 3 && buttonNumber <= 14 ? ".bmp" : ".gif";
    }
}

QPixmap background()
{
    return readPicture(resource("background.gif"));
}

QIcon icon()
{
    // QIcon would decode all eight images to keep the true-colour one of each size; reading only
    // those skips decoding the five palette images before the window's first frame.
    QImageReader reader(resource("tavorin.ico"), "ico");
    reader.setAutoDetectImageFormat(false); // else every installed image plug-in is loaded
    QIcon icon;
    for (int image = 0; reader.jumpToImage(image); ++image) {
        if (reader.imageFormat() == QImage::Format_ARGB32)
            icon.addPixmap(QPixmap::fromImageReader(&reader));
    }
    return icon;
}

QPixmap saveSettingsBar()
{
    return readPicture(resource("save_settings.bmp"));
}

QPixmap playBar()
{
    return readPicture(resource("play.bmp"));
}

QPoint cursorHotSpot(const QByteArray& curFile)
{
    if (curFile.size() < 14)
        return {};
    const auto* bytes = reinterpret_cast<const uchar*>(curFile.constData());
    return { qFromLittleEndian<quint16>(bytes + 10), qFromLittleEndian<quint16>(bytes + 12) };
}

QCursor handCursor()
{
    QFile file(resource("hand.cur"));
    if (!file.open(QIODevice::ReadOnly))
        return QCursor(Qt::PointingHandCursor);
    const QPixmap hand = readPicture(file.fileName());
    if (hand.isNull())
        return QCursor(Qt::PointingHandCursor);
    const QPoint hotSpot = cursorHotSpot(file.readAll());
    return QCursor(hand, hotSpot.x(), hotSpot.y());
}

PropertyBag pictureButtonProperties(int buttonNumber)
{
    const QString base = pictureSetName(buttonNumber);
    const QString extension = pictureSetExtension(buttonNumber);
    PropertyBag bag;
    // The idle picture is in the first frame; the other two wait for the pointer.
    bag.WriteProperty("picture", loadPicture(resource(base + "_idle" + extension)), nullptr);
    bag.WriteProperty("picturehover", loadPictureOnFirstUse(resource(base + "_hover" + extension)), nullptr);
    bag.WriteProperty("picturedown", loadPictureOnFirstUse(resource(base + "_down" + extension)), nullptr);
    return bag;
}

} // namespace tavorin::pictures
