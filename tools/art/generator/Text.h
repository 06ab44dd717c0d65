#pragma once

#include <QFont>
#include <QPainterPath>
#include <QString>

namespace tavorin::art {

// Loads the DejaVu faces from their files, so every machine draws the same letters.
void registerFonts();

QFont dejaVu(int pixelSize, bool bold, bool smooth = true);

// The outline of a text with its left end of the base line at origin.
QPainterPath textPath(const QString& text, const QFont& font, QPointF origin = {});

// The outline of a text scaled to fill a box (keeping its proportions) and centred in it.
QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box);

} // namespace tavorin::art
