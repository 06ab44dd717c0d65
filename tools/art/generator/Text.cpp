#include "Text.h"

#include <QFontDatabase>
#include <stdexcept>

namespace tavorin::art {

void registerFonts()
{
    for (const char* file : { "DejaVuSans.ttf", "DejaVuSans-Bold.ttf" }) {
        const QString path = QStringLiteral(TAVORIN_FONT_DIR "/") + file;
        if (QFontDatabase::addApplicationFont(path) < 0)
            throw std::runtime_error("cannot load the font " + path.toStdString());
    }
}

QFont dejaVu(int pixelSize, bool bold, bool smooth)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

QPainterPath textPath(const QString& text, const QFont& font, QPointF origin)
{
    QPainterPath path;
    path.addText(origin, font, text);
    return path;
}

QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box)
{
    const QPainterPath path = textPath(text, font);
    const QRectF bounds = path.boundingRect();
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

} // namespace tavorin::art
