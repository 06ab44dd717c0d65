#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace tavorin::art {

// Every writer throws std::runtime_error naming the file when it cannot write it.

// A GIF89a file of one frame with the picture's own palette (Format_Indexed8).
void writeGif(const QImage& indexed, const QString& path);

// A 24-bit Windows bitmap.
void writeBmp24(const QImage& picture, const QString& path);

// A JPEG of the given quality.
void writeJpeg(const QImage& picture, const QString& path, int quality = 90);

// One image of an icon or cursor file, stored as a DIB of 4, 8 or 32 bits per pixel.
// Pixels with alpha below 128 become transparent through the AND mask; 4- and 8-bit
// images must already use at most 16 or 256 colours.
struct IconImage
{
    QImage picture;
    int bitsPerPixel;
};

// An icon file (type 1) holding all the images in the given order.
void writeIco(const QList<IconImage>& images, const QString& path);

// A cursor file (type 2) of one image with its hot spot.
void writeCur(const IconImage& image, QPoint hotSpot, const QString& path);

// The 16 colours of the classic VGA palette, the palette of 16-colour icons.
QList<QRgb> vgaPalette();

} // namespace tavorin::art
