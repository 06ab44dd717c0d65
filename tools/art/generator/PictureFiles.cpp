#include "PictureFiles.h"

#include "Quantise.h"

#include <QFile>
#include <QtEndian>
#include <gif_lib.h>
#include <stdexcept>

namespace tavorin::art {

namespace {

    [[noreturn]] void cannotWrite(const QString& path, const QString& why)
    {
        throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, why).toStdString());
    }

    void writeFile(const QByteArray& bytes, const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            cannotWrite(path, file.errorString());
    }

    void putLE16(QByteArray& out, int value)
    {
        char bytes[2];
        qToLittleEndian<quint16>(quint16(value), bytes);
        out.append(bytes, 2);
    }

    void putLE32(QByteArray& out, quint32 value)
    {
        char bytes[4];
        qToLittleEndian<quint32>(value, bytes);
        out.append(bytes, 4);
    }

    int rowBytes(int width, int bitsPerPixel)
    {
        return ((width * bitsPerPixel + 31) / 32) * 4;
    }

    bool transparent(QRgb pixel)
    {
        return qAlpha(pixel) < 128;
    }

    // The colour pixels of a 4- or 8-bit DIB, bottom row first.
    QByteArray palettedPixels(const QImage& argb, const QList<QRgb>& palette, int bitsPerPixel)
    {
        QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
        const QImage indexed = mapToPalette(opaque, palette);
        QByteArray pixels;
        for (int y = argb.height() - 1; y >= 0; --y) {
            QByteArray row(rowBytes(argb.width(), bitsPerPixel), '\0');
            for (int x = 0; x < argb.width(); ++x) {
                const int index = transparent(argb.pixel(x, y)) ? 0 : indexed.pixelIndex(x, y);
                if (bitsPerPixel == 8)
                    row[x] = char(index);
                else
                    row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
            }
            pixels += row;
        }
        return pixels;
    }

    QByteArray truecolourPixels(const QImage& argb)
    {
        QByteArray pixels;
        for (int y = argb.height() - 1; y >= 0; --y) {
            for (int x = 0; x < argb.width(); ++x) {
                const QRgb pixel = argb.pixel(x, y);
                pixels.append(char(qBlue(pixel)));
                pixels.append(char(qGreen(pixel)));
                pixels.append(char(qRed(pixel)));
                pixels.append(char(qAlpha(pixel)));
            }
        }
        return pixels;
    }

    QByteArray andMask(const QImage& argb)
    {
        QByteArray mask;
        for (int y = argb.height() - 1; y >= 0; --y) {
            QByteArray row(rowBytes(argb.width(), 1), '\0');
            for (int x = 0; x < argb.width(); ++x) {
                if (transparent(argb.pixel(x, y)))
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            mask += row;
        }
        return mask;
    }

    QList<QRgb> paletteFor(const QImage& argb, int bitsPerPixel)
    {
        if (bitsPerPixel == 4)
            return vgaPalette();
        QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
        QList<QRgb> palette = medianCutPalette(opaque, 256);
        while (palette.size() < 256)
            palette.append(qRgb(0, 0, 0));
        return palette;
    }

    // BITMAPINFOHEADER, palette, colour pixels and AND mask: the image data of one entry.
    QByteArray dib(const IconImage& image)
    {
        const QImage argb = image.picture.convertToFormat(QImage::Format_ARGB32);
        const int bits = image.bitsPerPixel;
        if (bits != 4 && bits != 8 && bits != 32)
            throw std::runtime_error("icons hold 4-, 8- or 32-bit images only");
        const QByteArray mask = andMask(argb);
        QByteArray pixels;
        QList<QRgb> palette;
        if (bits == 32) {
            pixels = truecolourPixels(argb);
        } else {
            palette = paletteFor(argb, bits);
            pixels = palettedPixels(argb, palette, bits);
        }
        QByteArray out;
        putLE32(out, 40);
        putLE32(out, quint32(argb.width()));
        putLE32(out, quint32(argb.height() * 2)); // colour rows and mask rows together
        putLE16(out, 1);
        putLE16(out, bits);
        putLE32(out, 0); // no compression
        putLE32(out, quint32(pixels.size() + mask.size()));
        putLE32(out, 0);
        putLE32(out, 0);
        putLE32(out, quint32(palette.size()));
        putLE32(out, 0);
        for (QRgb colour : palette) {
            out.append(char(qBlue(colour)));
            out.append(char(qGreen(colour)));
            out.append(char(qRed(colour)));
            out.append('\0');
        }
        return out + pixels + mask;
    }

    // The directory entry's two 16-bit fields are planes and bit count in an icon,
    // and the hot spot in a cursor.
    QByteArray iconFile(const QList<IconImage>& images, int type, QPoint hotSpot)
    {
        QByteArray header;
        putLE16(header, 0);
        putLE16(header, type);
        putLE16(header, int(images.size()));
        QByteArray data;
        const int directorySize = 6 + 16 * int(images.size());
        for (const IconImage& image : images) {
            const QByteArray bytes = dib(image);
            const QSize size = image.picture.size();
            header.append(char(size.width() >= 256 ? 0 : size.width()));
            header.append(char(size.height() >= 256 ? 0 : size.height()));
            header.append(char(image.bitsPerPixel == 4 ? 16 : 0));
            header.append('\0');
            putLE16(header, type == 1 ? 1 : hotSpot.x());
            putLE16(header, type == 1 ? image.bitsPerPixel : hotSpot.y());
            putLE32(header, quint32(bytes.size()));
            putLE32(header, quint32(directorySize + data.size()));
            data += bytes;
        }
        return header + data;
    }

} // namespace

void writeGif(const QImage& indexed, const QString& path)
{
    if (indexed.format() != QImage::Format_Indexed8)
        cannotWrite(path, QStringLiteral("a GIF needs a paletted picture"));
    const QList<QRgb> table = indexed.colorTable();
    int bits = 1;
    while ((1 << bits) < table.size())
        ++bits;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    for (int i = 0; i < map->ColorCount; ++i) {
        const QRgb colour = i < table.size() ? table[i] : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType { GifByteType(qRed(colour)), GifByteType(qGreen(colour)),
            GifByteType(qBlue(colour)) };
    }
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif) {
        GifFreeMapObject(map);
        cannotWrite(path, QString::fromLatin1(GifErrorString(error)));
    }
    EGifSetGifVersion(gif, true);
    bool written = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; written && y < indexed.height(); ++y) {
        QByteArray line(reinterpret_cast<const char*>(indexed.constScanLine(y)), indexed.width());
        written = EGifPutLine(gif, reinterpret_cast<GifPixelType*>(line.data()), indexed.width()) == GIF_OK;
    }
    error = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !written)
        cannotWrite(path, QString::fromLatin1(GifErrorString(error)));
}

void writeBmp24(const QImage& picture, const QString& path)
{
    // Qt stores a 32-bit picture without alpha as a 24-bit bitmap.
    if (!picture.convertToFormat(QImage::Format_RGB32).save(path, "BMP"))
        cannotWrite(path, QStringLiteral("the BMP writer failed"));
}

void writeJpeg(const QImage& picture, const QString& path, int quality)
{
    if (!picture.convertToFormat(QImage::Format_RGB32).save(path, "JPEG", quality))
        cannotWrite(path, QStringLiteral("the JPEG writer failed"));
}

void writeIco(const QList<IconImage>& images, const QString& path)
{
    writeFile(iconFile(images, 1, {}), path);
}

void writeCur(const IconImage& image, QPoint hotSpot, const QString& path)
{
    writeFile(iconFile({ image }, 2, hotSpot), path);
}

QList<QRgb> vgaPalette()
{
    return { qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(0, 0, 128),
        qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),
        qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(0, 255, 255),
        qRgb(255, 255, 255) };
}

} // namespace tavorin::art
