#pragma once

#include <QImage>
#include <QList>

namespace tavorin::art {

// A palette of at most maxColours entries that keeps every colour when the picture
// has few enough, and otherwise cuts the colour cube at the pixel median of its
// widest box, so that rare but distinct colours (a red star, a caption) survive.
QList<QRgb> medianCutPalette(const QImage& picture, int maxColours = 256);

// The picture as Format_Indexed8 with each pixel set to its nearest palette entry.
// No dithering: flat pixel art must stay flat.
QImage mapToPalette(const QImage& picture, const QList<QRgb>& palette);

inline QImage toIndexed(const QImage& picture, int maxColours = 256)
{
    return mapToPalette(picture, medianCutPalette(picture, maxColours));
}

} // namespace tavorin::art
