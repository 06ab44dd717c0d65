#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

namespace tavorin::art {

// Where the window puts its controls; the face draws around and under them.
namespace place {
    inline constexpr QRect kMinimise { 376, 0, 25, 29 };
    inline constexpr QRect kClose { 400, 0, 25, 29 };
    inline constexpr QRect kEye { 168, 32, 95, 85 };
    inline constexpr QRect kMaker { 264, 32, 158, 86 };
    inline constexpr QRect kTeamList { 48, 144, 153, 21 };
    inline constexpr QRect kKitList { 264, 144, 153, 21 };
    inline constexpr QRect kResolutionList { 264, 208, 153, 21 };
    inline constexpr QRect kLogoBox { 80, 192, 81, 73 };
    inline constexpr QRect kWebLink { 176, 240, 249, 57 };
    inline constexpr QSize kCameraSize { 60, 45 };
    // Camera n (1 to 12) belongs to PictureButton n + 2; the second row is not in button order.
    QPoint cameraPosition(int camera);
} // namespace place

struct ButtonPictures
{
    QImage idle;
    QImage hover;
    QImage down;
};

// The 430 x 449 face before the picture buttons that lie on it are drawn in.
QImage faceWithoutButtons();

// The buttons drawn over the face: each picture starts from the face under the button,
// so the idle picture and the face's drawn copy of it are the same pixels.
ButtonPictures minimiseTab(const QImage& face);
ButtonPictures closeTab(const QImage& face);
ButtonPictures eye(const QImage& face);
ButtonPictures makerLogo(const QImage& face);

// A 154 x 33 blue bar with the words and the football at its right end.
QImage commandBar(const QString& words);

} // namespace tavorin::art
