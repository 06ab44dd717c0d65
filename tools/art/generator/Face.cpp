#include "Face.h"

#include "Emblems.h"
#include "Text.h"
#include "ui/Branding.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace tavorin::art {

QPoint place::cameraPosition(int camera)
{
    static constexpr std::array<QPoint, 12> positions { QPoint(24, 312), QPoint(88, 312), QPoint(152, 312),
        QPoint(216, 312), QPoint(280, 312), QPoint(344, 312), QPoint(24, 360), QPoint(88, 360),
        QPoint(152, 360), QPoint(344, 360), QPoint(216, 360), QPoint(280, 360) };
    return positions.at(camera - 1);
}

namespace {

    const QColor kTopBlue(20, 62, 140);
    const QColor kMidBlue(10, 36, 92);
    const QColor kBottomBlue(5, 18, 52);
    const QColor kTitleStrip(6, 16, 44);
    const QColor kRule(86, 140, 230);
    const QColor kSilver(206, 214, 228);
    const QColor kCaption(255, 255, 255);
    const QColor kPanelFill(110, 150, 225, 46);
    const QColor kPanelEdge(150, 190, 255, 110);

    const QRect kTeamPanel(36, 122, 178, 158);
    const QRect kKitPanel(254, 122, 174, 116);
    const QRect kCameraPanel(16, 304, 397, 110);
    const QRect kWhiteSquare(74, 186, 93, 85);

    void fillFaceGradient(QPainter& painter, const QRect& area)
    {
        QLinearGradient depth(0, 0, 0, area.height());
        depth.setColorAt(0, kTopBlue);
        depth.setColorAt(0.45, kMidBlue);
        depth.setColorAt(1, kBottomBlue);
        painter.fillRect(area, depth);
        // A soft light behind the initials, so the face is not one flat slab.
        QRadialGradient glow(QPointF(86, 80), 150);
        glow.setColorAt(0, QColor(90, 150, 255, 70));
        glow.setColorAt(1, QColor(90, 150, 255, 0));
        painter.fillRect(area, glow);
    }

    void drawTitleStrip(QPainter& painter)
    {
        QLinearGradient strip(0, 0, 0, 29);
        strip.setColorAt(0, QColor(14, 34, 84));
        strip.setColorAt(1, kTitleStrip);
        painter.fillRect(QRect(0, 0, 430, 29), strip);
        painter.fillRect(QRect(0, 29, 430, 1), kRule);

        const QPainterPath name = textPath(branding::kProductName, dejaVu(16, true), QPointF(10, 21));
        painter.fillPath(name, Qt::white);
        const qreal versionLeft = name.boundingRect().right() + 8;
        painter.fillPath(textPath(QStringLiteral("version %1").arg(branding::kVersion), dejaVu(11, false),
                             QPointF(versionLeft, 20)),
            kSilver);
    }

    QLinearGradient metal(const QRectF& box, bool darker)
    {
        QLinearGradient gradient(box.topLeft(), box.bottomLeft());
        const int shade = darker ? 70 : 0;
        gradient.setColorAt(0, QColor(255 - shade, 255 - shade, 255 - shade));
        gradient.setColorAt(0.48, QColor(200 - shade, 208 - shade, 222 - shade));
        gradient.setColorAt(0.52, QColor(150 - shade, 160 - shade, 180 - shade));
        gradient.setColorAt(1, QColor(226 - shade, 232 - shade, 242 - shade));
        return gradient;
    }

    void drawMetalText(QPainter& painter, const QPainterPath& letters, bool darker, qreal outline)
    {
        painter.fillPath(letters.translated(2, 3), QColor(0, 0, 0, 110));
        painter.setPen(QPen(QColor(8, 20, 56), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(metal(letters.boundingRect(), darker));
        painter.drawPath(letters);
    }

    void drawInitialsLogo(QPainter& painter)
    {
        const QRectF box(14, 40, 140, 70);
        QPainterPath swoosh;
        swoosh.moveTo(10, 112);
        swoosh.cubicTo(60, 100, 120, 122, 160, 96);
        swoosh.cubicTo(124, 126, 58, 110, 10, 112);
        painter.fillPath(swoosh, QColor(200, 30, 40));
        QFont font = dejaVu(96, true);
        font.setItalic(true);
        drawMetalText(painter, fittedText(QStringLiteral("T5"), font, box), false, 2.5);
    }

    void drawPanel(QPainter& painter, const QRect& area)
    {
        painter.setPen(QPen(kPanelEdge, 1));
        painter.setBrush(kPanelFill);
        painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
    }

    // Captions sit on the line just above their list, never under it.
    void drawCaption(QPainter& painter, const QString& text, QPoint listTopLeft)
    {
        painter.fillPath(
            textPath(text, dejaVu(12, true), QPointF(listTopLeft.x() + 1, listTopLeft.y() - 5)), kCaption);
    }

    void drawWhiteSquare(QPainter& painter)
    {
        painter.setPen(QPen(QColor(150, 180, 230), 1));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(kWhiteSquare).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    }

    // The team panel reaches into the link's area, so the logo keeps to its right.
    void drawWebLogo(QPainter& painter)
    {
        const QRect area = place::kWebLink;
        const qreal left = kTeamPanel.right() + 10;
        QFont monogram = dejaVu(60, true);
        monogram.setItalic(true);
        drawMetalText(painter,
            fittedText(QStringLiteral("KL"), monogram, QRectF(left, area.top() + 4, 50, 32)), false, 1.5);
        // The maker's name on two lines: its leading words large, its last word spaced out beneath.
        const QString maker = QString::fromUtf8(branding::kMakerName);
        const qsizetype lastSpace = maker.lastIndexOf(' ');
        const qreal textLeft = left + 58;
        painter.fillPath(
            textPath(maker.left(lastSpace), dejaVu(18, true), QPointF(textLeft, area.top() + 22)), Qt::white);
        QFont spaced = dejaVu(9, true);
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
        painter.fillPath(
            textPath(maker.mid(lastSpace + 1), spaced, QPointF(textLeft + 1, area.top() + 35)), kSilver);
        painter.fillRect(
            QRectF(left, area.top() + 41, area.right() - left - 4, 1), QColor(150, 190, 255, 160));
        painter.fillPath(
            textPath(branding::kWebAddressShown, dejaVu(12, false), QPointF(left + 1, area.top() + 54)),
            QColor(170, 205, 255));
    }

    void drawCameraPanel(QPainter& painter)
    {
        drawCaption(
            painter, QStringLiteral("Select Camera"), QPoint(kCameraPanel.left() + 8, kCameraPanel.top()));
        drawPanel(painter, kCameraPanel);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 90));
        for (int camera = 1; camera <= 12; ++camera)
            painter.drawRect(QRect(place::cameraPosition(camera), place::kCameraSize).adjusted(-1, -1, 1, 1));
    }

    void drawCreditLine(QPainter& painter)
    {
        painter.fillRect(QRect(16, 421, 397, 1), QColor(86, 140, 230, 120));
        const QFont font = dejaVu(10, false);
        const QPainterPath credit = textPath(branding::kCreditsLine, font);
        const QRectF bounds = credit.boundingRect();
        painter.fillPath(credit.translated(215 - bounds.center().x(), 438), kSilver);
    }

    QImage faceUnder(const QImage& face, const QRect& area)
    {
        return face.copy(area);
    }

    // A tab of the title strip: flat pixel art, squared top, rounded lower corners.
    QImage tab(const QImage& face, const QRect& area, QColor fill, bool cross)
    {
        QImage picture = faceUnder(face, area);
        QPainter painter(&picture);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill.darker(170));
        painter.drawRect(1, 0, 23, 28);
        painter.drawRect(0, 0, 25, 26);
        painter.setBrush(fill);
        painter.drawRect(2, 0, 21, 27);
        painter.drawRect(1, 0, 23, 26);
        painter.fillRect(QRect(2, 1, 21, 1), fill.lighter(135));
        painter.setBrush(Qt::white);
        if (cross) {
            for (int i = 0; i < 9; ++i) {
                painter.drawRect(8 + i, 9 + i, 2, 2);
                painter.drawRect(16 - i, 9 + i, 2, 2);
            }
        } else {
            painter.drawRect(7, 16, 11, 3);
        }
        return picture;
    }

    ButtonPictures tabs(const QImage& face, const QRect& area, bool cross)
    {
        return { tab(face, area, QColor(44, 98, 204), cross), tab(face, area, QColor(96, 150, 240), cross),
            tab(face, area, QColor(22, 54, 132), cross) };
    }

    void drawTile(QPainter& painter, const QRectF& area)
    {
        QLinearGradient fill(area.topLeft(), area.bottomLeft());
        fill.setColorAt(0, QColor(70, 120, 215, 120));
        fill.setColorAt(1, QColor(30, 70, 160, 90));
        painter.setPen(QPen(kPanelEdge, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(area, 12, 12);
    }

    QImage eyePicture(const QImage& face, QColor light, QColor dark)
    {
        QImage picture = faceUnder(face, place::kEye);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        drawTile(painter, QRectF(4.5, 4.5, 86, 76));

        const QPointF centre(47.5, 43);
        QPainterPath almond;
        almond.moveTo(12, centre.y());
        almond.cubicTo(30, 12, 65, 12, 83, centre.y());
        almond.cubicTo(65, 74, 30, 74, 12, centre.y());
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(244, 248, 255));
        painter.drawPath(almond);

        painter.save();
        painter.setClipPath(almond);
        QRadialGradient iris(centre - QPointF(3, 4), 19);
        iris.setColorAt(0, light);
        iris.setColorAt(1, dark);
        painter.setBrush(iris);
        painter.setPen(QPen(dark.darker(160), 1.5));
        painter.drawEllipse(centre, 17, 17);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(6, 10, 20));
        painter.drawEllipse(centre, 7, 7);
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawEllipse(centre + QPointF(-6, -6), 3.5, 3.5);
        painter.restore();

        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(dark.darker(130), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(almond);
        for (int i = 0; i < 5; ++i) {
            const qreal x = 28 + i * 9.75;
            const qreal top = 21.5 + (i == 0 || i == 4 ? 4 : (i == 2 ? -1 : 1));
            painter.drawLine(QPointF(x, top + 2), QPointF(x + (i - 2) * 2.5, top - 6));
        }
        return picture;
    }

    QImage makerPicture(const QImage& face, bool darker, bool pressed)
    {
        QImage picture = faceUnder(face, place::kMaker);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF shift = pressed ? QPointF(2, 2) : QPointF();
        drawTile(painter, QRectF(3.5, 3.5, 150, 78).translated(shift));
        QFont monogram = dejaVu(80, true);
        monogram.setItalic(true);
        drawMetalText(painter,
            fittedText(QStringLiteral("KL"), monogram, QRectF(30, 9, 98, 48).translated(shift)), darker, 2);
        const QFont nameFont = dejaVu(11, true);
        const QPainterPath name = textPath(branding::kMakerName, nameFont);
        painter.fillPath(
            name.translated(79 - name.boundingRect().center().x(), 72).translated(shift), kSilver);
        if (pressed) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QColor(200, 215, 240));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(0, 0, picture.width() - 1, picture.height() - 1);
        }
        return picture;
    }

} // namespace

QImage faceWithoutButtons()
{
    QImage face(430, 449, QImage::Format_RGB32);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    fillFaceGradient(painter, face.rect());
    drawTitleStrip(painter);
    drawInitialsLogo(painter);
    drawPanel(painter, kTeamPanel);
    drawPanel(painter, kKitPanel);
    drawCaption(painter, QStringLiteral("Select Team"), place::kTeamList.topLeft());
    drawCaption(painter, QStringLiteral("Select Kit"), place::kKitList.topLeft());
    drawCaption(painter, QStringLiteral("Resolution"), place::kResolutionList.topLeft());
    drawWhiteSquare(painter);
    drawWebLogo(painter);
    drawCameraPanel(painter);
    drawCreditLine(painter);
    return face;
}

ButtonPictures minimiseTab(const QImage& face)
{
    return tabs(face, place::kMinimise, false);
}

ButtonPictures closeTab(const QImage& face)
{
    return tabs(face, place::kClose, true);
}

ButtonPictures eye(const QImage& face)
{
    return { eyePicture(face, QColor(120, 235, 110), QColor(20, 130, 40)),
        eyePicture(face, QColor(225, 245, 90), QColor(135, 160, 20)),
        eyePicture(face, QColor(255, 120, 100), QColor(170, 20, 20)) };
}

ButtonPictures makerLogo(const QImage& face)
{
    return { makerPicture(face, false, false), makerPicture(face, true, false),
        makerPicture(face, false, true) };
}

QImage commandBar(const QString& words)
{
    QImage bar(154, 33, QImage::Format_RGB32);
    QPainter painter(&bar);
    QLinearGradient fill(0, 0, 0, 33);
    fill.setColorAt(0, QColor(70, 130, 230));
    fill.setColorAt(0.5, QColor(36, 90, 196));
    fill.setColorAt(1, QColor(20, 56, 140));
    painter.fillRect(bar.rect(), fill);
    painter.setPen(QColor(10, 28, 80));
    painter.drawRect(0, 0, 153, 32);
    painter.fillRect(QRect(1, 1, 152, 1), QColor(140, 185, 255));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(textPath(words, dejaVu(13, true), QPointF(10, 21)), Qt::white);
    painter.drawImage(QPoint(123, 3), football(27, true));
    return bar;
}

} // namespace tavorin::art
