#include "Cameras.h"

#include "Text.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <array>
#include <stdexcept>

namespace tavorin::art {

namespace {

    // The player is drawn in body units: 0 at the top of the head, 98 at the soles,
    // x = 0 down the middle. A camera is a window onto that body.
    enum class Side { Front, Back };

    const QColor kSkin(222, 170, 128);
    const QColor kSkinShade(180, 126, 90);
    const QColor kHair(58, 36, 22);
    const QColor kBlack(18, 18, 20);
    const QColor kWhite(246, 246, 242);
    const QColor kGrass(46, 138, 58);
    const QColor kGrassLight(62, 160, 72);
    const QColor kStands(34, 40, 64);
    const QColor kSky(120, 160, 220);

    constexpr char kShirtName[] = "HALDEN";
    constexpr char kShirtNumber[] = "9";

    struct Camera
    {
        Side side;
        QPointF centre; // body point at the middle of the view
        qreal scale; // pixels per body unit
        int horizon; // view row where the stands meet the grass
        bool lowAngle;
    };

    // In button order: cameras 1 to 8 look at the front, 9 to 12 at the back.
    constexpr std::array<Camera, 12> kCameras { {
        { Side::Front, { 0, 14 }, 1.55, 60, false }, // head and shoulders
        { Side::Front, { 0, 31 }, 2.2, 60, false }, // chest close-up
        { Side::Front, { 0, 62 }, 0.28, 20, false }, // whole player from afar
        { Side::Front, { 0, 49 }, 0.0, 36, true }, // whole player, nearer and from low
        { Side::Front, { 0, 36 }, 0.6, 60, false }, // from the knees up
        { Side::Front, { 0, 7.5 }, 3.0, 60, false }, // face close-up
        { Side::Front, { 0, 55 }, 1.6, 60, false }, // waist and shorts
        { Side::Front, { 0, 80 }, 1.05, 24, false }, // legs and boots
        { Side::Back, { 0, 62 }, 0.28, 20, false }, // whole player from afar
        { Side::Back, { 0, 72 }, 0.78, 26, false }, // shorts and legs
        { Side::Back, { 0, 33 }, 1.25, 60, false }, // shirt with name and number
        { Side::Back, { 0, 31 }, 2.4, 60, false }, // upper back with the number, close
    } };

    QPainterPath shirtOutline()
    {
        QPainterPath shirt;
        shirt.moveTo(-4, 16);
        shirt.lineTo(-13, 18.5);
        shirt.lineTo(-18, 30); // sleeve
        shirt.lineTo(-13.5, 32);
        shirt.lineTo(-11, 50);
        shirt.lineTo(11, 50);
        shirt.lineTo(13.5, 32);
        shirt.lineTo(18, 30);
        shirt.lineTo(13, 18.5);
        shirt.lineTo(4, 16);
        shirt.closeSubpath();
        return shirt;
    }

    void drawBackdrop(QPainter& painter, int horizon)
    {
        painter.fillRect(QRect(0, 0, 60, 45), kStands);
        // Spectators: a fixed scatter of light dots, the same on every run.
        QRandomGenerator crowd(2005);
        for (int i = 0; i < 45; ++i) {
            const int x = crowd.bounded(60), y = crowd.bounded(std::max(1, std::min(horizon, 45)));
            static const std::array<QColor, 4> shirts { QColor(80, 90, 124), QColor(150, 152, 166),
                QColor(124, 62, 66), QColor(62, 72, 100) };
            painter.fillRect(QRect(x, y, 1, 1), shirts[i % shirts.size()]);
        }
        if (horizon < 45) {
            painter.fillRect(QRect(0, horizon - 2, 60, 2), QColor(200, 40, 40)); // advertising boards
            for (int y = horizon; y < 45; y += 4)
                painter.fillRect(QRect(0, y, 60, 4), (y / 4) % 2 ? kGrass : kGrassLight);
        }
    }

    void drawStripes(QPainter& painter, const QPainterPath& area)
    {
        painter.save();
        painter.setClipPath(area, Qt::IntersectClip);
        painter.fillPath(area, kWhite);
        for (qreal x = -19; x < 19; x += 6)
            painter.fillRect(QRectF(x, 10, 3, 45), kBlack);
        painter.restore();
    }

    void drawHead(QPainter& painter, Side side)
    {
        painter.fillRect(QRectF(-2.5, 11, 5, 6), kSkinShade); // neck
        painter.setBrush(kSkin);
        painter.drawEllipse(QRectF(-6, 0, 12, 14));
        painter.setBrush(kHair);
        if (side == Side::Back) {
            painter.drawChord(QRectF(-6.2, -0.3, 12.4, 15), 0, 180 * 16);
            painter.drawRect(QRectF(-6.1, 6.8, 12.2, 3.5));
            return;
        }
        painter.drawChord(QRectF(-6.2, -0.4, 12.4, 8), 0, 180 * 16);
        painter.drawRect(QRectF(-6.2, 3.4, 1.4, 3)); // sideburns
        painter.drawRect(QRectF(4.8, 3.4, 1.4, 3));
        painter.setBrush(kBlack);
        painter.drawEllipse(QRectF(-3.6, 5.6, 1.8, 1.4)); // eyes
        painter.drawEllipse(QRectF(1.8, 5.6, 1.8, 1.4));
        painter.fillRect(QRectF(-3.9, 4.5, 2.4, 0.6), kHair); // brows
        painter.fillRect(QRectF(1.5, 4.5, 2.4, 0.6), kHair);
        painter.fillRect(QRectF(-0.5, 7, 1, 2.6), kSkinShade); // nose
        painter.fillRect(QRectF(-2, 10.6, 4, 0.8), QColor(150, 60, 60)); // mouth
    }

    void drawShirt(QPainter& painter, Side side)
    {
        drawStripes(painter, shirtOutline());
        painter.fillRect(QRectF(-18, 28.6, 4.6, 1.6), kBlack); // sleeve cuffs
        painter.fillRect(QRectF(13.4, 28.6, 4.6, 1.6), kBlack);
        if (side == Side::Front) {
            QPainterPath collar;
            collar.moveTo(-4, 16);
            collar.lineTo(0, 21);
            collar.lineTo(4, 16);
            collar.closeSubpath();
            painter.fillPath(collar, kBlack);
            painter.fillRect(QRectF(-8.5, 22, 3.2, 3.8), QColor(220, 180, 40)); // crest
            painter.fillRect(QRectF(-7.7, 22.8, 1.6, 2.2), QColor(30, 60, 160));
            return;
        }
        painter.fillRect(QRectF(-4, 16, 8, 1.6), kBlack); // collar
        // The name on a white strip and the number on a white patch, as striped kits carry them.
        painter.fillRect(QRectF(-8, 19.4, 16, 4.4), kWhite);
        painter.fillPath(
            fittedText(kShirtName, dejaVu(40, true, false), QRectF(-7.2, 20, 14.4, 3.2)), kBlack);
        painter.setBrush(kWhite);
        painter.drawRoundedRect(QRectF(-7, 25, 14, 16), 1.5, 1.5);
        painter.fillPath(
            fittedText(kShirtNumber, dejaVu(80, true, false), QRectF(-5.5, 26.5, 11, 13)), kBlack);
    }

    void drawArms(QPainter& painter)
    {
        painter.setBrush(kSkin);
        painter.drawRect(QRectF(-17.6, 30.2, 4, 17));
        painter.drawRect(QRectF(13.6, 30.2, 4, 17));
        painter.drawEllipse(QRectF(-18, 46, 4.6, 5));
        painter.drawEllipse(QRectF(13.4, 46, 4.6, 5));
    }

    void drawLegs(QPainter& painter)
    {
        painter.setBrush(kSkin);
        painter.drawRect(QRectF(-8.5, 60, 6.5, 16));
        painter.drawRect(QRectF(2, 60, 6.5, 16));
        for (qreal x : { -8.5, 2.0 }) {
            painter.fillRect(QRectF(x, 76, 6.5, 16), kBlack); // socks with white hoops
            painter.fillRect(QRectF(x, 78, 6.5, 2), kWhite);
            painter.fillRect(QRectF(x, 83, 6.5, 2), kWhite);
        }
        painter.setBrush(kBlack);
        painter.drawRoundedRect(QRectF(-10, 92, 8.5, 6), 2, 2); // boots
        painter.drawRoundedRect(QRectF(1.5, 92, 8.5, 6), 2, 2);
        painter.fillRect(QRectF(-10, 96.8, 8.5, 1.2), kWhite); // soles and studs
        painter.fillRect(QRectF(1.5, 96.8, 8.5, 1.2), kWhite);
    }

    void drawShorts(QPainter& painter, Side side)
    {
        QPainterPath shorts;
        shorts.moveTo(-11, 49);
        shorts.lineTo(11, 49);
        shorts.lineTo(10, 63);
        shorts.lineTo(1.2, 63);
        shorts.lineTo(0, 57);
        shorts.lineTo(-1.2, 63);
        shorts.lineTo(-10, 63);
        shorts.closeSubpath();
        painter.fillPath(shorts, kBlack);
        painter.fillRect(QRectF(-11, 49, 22, 1.4), kWhite); // waistband
        if (side == Side::Front)
            painter.fillPath(
                fittedText(kShirtNumber, dejaVu(40, true, false), QRectF(4.5, 53, 3.6, 5)), kWhite);
    }

    void drawPlayer(QPainter& painter, Side side)
    {
        painter.setPen(Qt::NoPen);
        drawLegs(painter);
        drawShorts(painter, side);
        drawArms(painter);
        drawShirt(painter, side);
        drawHead(painter, side);
    }

    QTransform cameraTransform(const Camera& camera)
    {
        if (camera.lowAngle) {
            // From low down the feet come near and the head falls away: a keystone.
            const QPolygonF body({ QPointF(-20, -4), QPointF(20, -4), QPointF(20, 100), QPointF(-20, 100) });
            const QPolygonF view({ QPointF(20, 3), QPointF(40, 3), QPointF(50, 44), QPointF(10, 44) });
            QTransform transform;
            if (!QTransform::quadToQuad(body, view, transform))
                throw std::runtime_error("the low camera has no transform");
            return transform;
        }
        QTransform transform;
        transform.translate(30, 22.5);
        transform.scale(camera.scale, camera.scale);
        transform.translate(-camera.centre.x(), -camera.centre.y());
        return transform;
    }

} // namespace

QImage cameraView(int camera)
{
    const Camera& setting = kCameras.at(camera - 1);
    QImage view(60, 45, QImage::Format_RGB32);
    QPainter painter(&view);
    drawBackdrop(painter, setting.horizon);
    if (setting.lowAngle)
        painter.fillRect(QRect(0, 0, 60, 12), kSky);
    painter.setTransform(cameraTransform(setting));
    drawPlayer(painter, setting.side);
    return view;
}

QImage framedCameraView(const QImage& view, QColor frame)
{
    QImage picture = view.copy();
    QPainter painter(&picture);
    painter.setPen(QPen(frame, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, 58, 43));
    return picture;
}

} // namespace tavorin::art
