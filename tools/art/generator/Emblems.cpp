#include "Emblems.h"

#include "PictureFiles.h"
#include "Text.h"

#include <QCryptographicHash>
#include <QPainterPath>
#include <QtMath>
#include <cstring>
#include <stdexcept>

namespace tavorin::art {

namespace {

    struct BallColours
    {
        QColor blue;
        QColor red;
        QColor outline;
    };
    const BallColours kTrueColours { QColor(28, 78, 200), QColor(224, 32, 40), QColor(10, 22, 60) };
    // Pure VGA entries, so the 16-colour images keep the ball blue rather than teal.
    const BallColours kVgaColours { QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 0, 0) };

    QPointF polar(QPointF centre, qreal radius, qreal degrees)
    {
        const qreal radians = qDegreesToRadians(degrees);
        return centre + QPointF(radius * qCos(radians), radius * qSin(radians));
    }

    QPolygonF star(QPointF centre, qreal outer, qreal inner)
    {
        QPolygonF points;
        for (int i = 0; i < 10; ++i)
            points << polar(centre, i % 2 ? inner : outer, -90 + 36 * i);
        return points;
    }

    QPolygonF pentagon(QPointF centre, qreal radius, qreal turn)
    {
        QPolygonF points;
        for (int i = 0; i < 5; ++i)
            points << polar(centre, radius, turn + 72 * i);
        return points;
    }

    // The hand, one character a pixel: K outline, W skin of the glove, S its shade,
    // B the cuff, N the cuff's shade, '.' transparent.
    constexpr const char* kHandRows[32] = {
        "................................",
        "...........KKKK.................",
        "..........KWWWWK................",
        "..........KWWWSK................",
        "..........KWWWSK................",
        "..........KWWWSK................",
        "..........KWWWSK................",
        "..........KWWWSKKKK.............",
        "..........KWWWSKWWSKKKK.........",
        "..........KWWWSKWWSKWWSKKK......",
        "..........KWWWSKWWSKWWSKWSK.....",
        "..........KWWWSKWWSKWWSKWWSK....",
        ".....KKK..KWWWSKWWSKWWSKWWSK....",
        ".....KWWK.KWWWWWWWWWWWWWWWSK....",
        ".....KWWSKKWWWWWWWWWWWWWWWSK....",
        "......KWWSKWWWWWWWWWWWWWWWSK....",
        "......KWWWWWWWWWWWWWWWWWWWSK....",
        ".......KWWWWWWWWWWWWWWWWWWSK....",
        ".......KWWWWWWWWWWWWWWWWWWSK....",
        "........KWWWWWWWWWWWWWWWWSK.....",
        "........KWWWWWWWWWWWWWWWWSK.....",
        ".........KWWWWWWWWWWWWWWSK......",
        ".........KWWWWWWWWWWWWWWSK......",
        "..........KWWWWWWWWWWWWSK.......",
        "..........KKKKKKKKKKKKKKK.......",
        "..........KBBBBBBBBBBBBNK.......",
        "..........KBBBBBBBBBBBBNK.......",
        "..........KBBBBBBBBBBBBNK.......",
        "..........KNNNNNNNNNNNNNK.......",
        "..........KKKKKKKKKKKKKKK.......",
        "................................",
        "................................",
    };

    QRgb handColour(char code)
    {
        switch (code) {
        case 'K':
            return qRgb(0, 0, 0);
        case 'W':
            return qRgb(255, 255, 255);
        case 'S':
            return qRgb(192, 192, 192);
        case 'B':
            return qRgb(0, 0, 255);
        case 'N':
            return qRgb(0, 0, 128);
        case '.':
            return qRgba(0, 0, 0, 0);
        default:
            throw std::runtime_error(std::string("unknown colour code in the hand: ") + code);
        }
    }

    // Two colours per team that stay the same for a name from run to run.
    std::pair<QColor, QColor> teamColours(const QString& teamName)
    {
        const QByteArray digest = QCryptographicHash::hash(teamName.toUtf8(), QCryptographicHash::Md5);
        const int hue = (uchar(digest[0]) * 360) / 256;
        const QColor main = QColor::fromHsv(hue, 170 + uchar(digest[1]) % 60, 150 + uchar(digest[2]) % 70);
        const QColor second
            = uchar(digest[3]) % 2 ? QColor(245, 245, 240) : QColor::fromHsv((hue + 180) % 360, 200, 230);
        return { main, second };
    }

    QString initials(const QString& teamName)
    {
        QString letters;
        for (const QString& word : teamName.split(' ', Qt::SkipEmptyParts)) {
            if (letters.size() < 3 && word.front().isLetter())
                letters += word.front().toUpper();
        }
        return letters;
    }

    void paintBall(QPainter& painter, const QRectF& box, const BallColours& colours)
    {
        const QPointF centre = box.center();
        const qreal radius = box.width() / 2;
        const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
        QPainterPath ball;
        ball.addEllipse(centre, radius - 0.5, radius - 0.5);

        painter.save();
        painter.setPen(Qt::NoPen);
        if (smooth) {
            QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.5);
            shade.setColorAt(0, Qt::white);
            shade.setColorAt(0.6, QColor(236, 240, 248));
            shade.setColorAt(1, QColor(160, 172, 196));
            painter.setBrush(shade);
        } else {
            painter.setBrush(Qt::white);
        }
        painter.drawPath(ball);

        painter.setClipPath(ball);
        painter.setBrush(colours.blue);
        for (int i = 0; i < 5; ++i)
            painter.drawPolygon(
                pentagon(polar(centre, radius * 0.95, -54 + 72 * i), radius * 0.31, 126 + 72 * i));
        if (smooth && radius >= 12) {
            painter.setPen(QPen(QColor(120, 134, 160), radius / 16));
            for (int i = 0; i < 5; ++i)
                painter.drawLine(
                    polar(centre, radius * 0.4, -90 + 72 * i), polar(centre, radius * 0.9, -90 + 72 * i));
            painter.setPen(Qt::NoPen);
        }
        painter.setBrush(colours.red);
        painter.drawPolygon(star(centre, radius * 0.5, radius * 0.22));
        painter.setClipping(false);

        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.outline, std::max(1.0, radius / 12)));
        painter.drawPath(ball);
        painter.restore();
    }

    QImage ballImage(int size, bool smooth, const BallColours& colours)
    {
        QImage picture(size, size, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, smooth);
        const qreal inset = smooth ? 0.5 : 0;
        paintBall(painter, QRectF(inset, inset, size - 2 * inset, size - 2 * inset), colours);
        return picture;
    }

} // namespace

void paintFootball(QPainter& painter, const QRectF& box)
{
    paintBall(painter, box, kTrueColours);
}

QImage football(int size, bool smooth)
{
    return ballImage(size, smooth, kTrueColours);
}

QImage footballInVgaColours(int size)
{
    return ballImage(size, false, kVgaColours);
}

QImage pointingHand()
{
    QImage picture(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        if (std::strlen(kHandRows[y]) != 32)
            throw std::runtime_error("every row of the hand must be 32 pixels wide");
        for (int x = 0; x < 32; ++x)
            picture.setPixel(x, y, handColour(kHandRows[y][x]));
    }
    return picture;
}

QImage teamCrest(const QString& teamName)
{
    QImage picture(72, 72, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto [main, second] = teamColours(teamName);

    QPainterPath shield;
    shield.moveTo(8, 6);
    shield.lineTo(64, 6);
    shield.lineTo(64, 34);
    shield.cubicTo(64, 52, 50, 62, 36, 68);
    shield.cubicTo(22, 62, 8, 52, 8, 34);
    shield.closeSubpath();
    painter.setPen(QPen(QColor(30, 30, 40), 2.5));
    painter.setBrush(main);
    painter.drawPath(shield);

    painter.save();
    painter.setClipPath(shield);
    painter.setPen(Qt::NoPen);
    painter.setBrush(second);
    painter.drawRect(QRectF(8, 6, 56, 11));
    painter.restore();

    painter.setPen(QPen(QColor(20, 20, 30, 160), 2));
    painter.setBrush(Qt::white);
    painter.drawPath(fittedText(initials(teamName), dejaVu(40, true), QRectF(16, 22, 40, 26)));
    return picture;
}

} // namespace tavorin::art
