#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace tavorin::art {

// The product's football: white, with blue patches round the rim and a red star in the middle.
void paintFootball(QPainter& painter, const QRectF& box);

// A football alone on a transparent square. Without smoothing every edge is a whole
// pixel, as the 16- and 256-colour icon images need.
QImage football(int size, bool smooth);

// The football in the 16 colours of the VGA palette.
QImage footballInVgaColours(int size);

// The 32 x 32 pointing hand of the web link, drawn pixel by pixel; its fingertip is kHandHotSpot.
QImage pointingHand();
inline constexpr QPoint kHandHotSpot { 12, 1 };

// A team's crest on white for the demo folder: a shield in colours of its own and the initials.
QImage teamCrest(const QString& teamName);

} // namespace tavorin::art
