#pragma once

#include <QRect>
#include <QString>
#include <array>

namespace tavorin {

// Where every control of the window sits, in tab order (the image boxes last,
// they take no focus). Controls at x >= 430 or y >= 449 lie outside the face:
// they work and take keyboard focus, but are never drawn.
struct ControlPlace
{
    const char* name;
    QRect rect;
};

inline constexpr QSize kFormSize { 430, 449 };

inline const std::array<ControlPlace, 39>& formLayout()
{
    static const std::array<ControlPlace, 39> places { {
        { "Combo1", { 456, 16, 265, 21 } },
        { "Label2", { 648, 32, 33, 17 } },
        { "Label3", { 600, 40, 73, 17 } },
        { "Combo2", { 440, 248, 153, 21 } },
        { "Combo3", { 48, 144, 153, 21 } },
        { "Combo4", { 440, 56, 153, 21 } },
        { "Combo5", { 264, 208, 153, 21 } },
        { "Label7", { 600, 160, 65, 17 } },
        { "Label8", { 616, 200, 65, 17 } },
        { "Label9", { 504, 128, 41, 17 } },
        { "Label10", { 320, 504, 57, 17 } },
        { "Check1", { 696, 216, 17, 17 } },
        { "Command1", { 432, 96, 153, 33 } },
        { "Command2", { 432, 128, 153, 33 } },
        { "Combo6", { 264, 144, 153, 21 } },
        { "Label11", { 504, 288, 73, 17 } },
        { "Combo7", { 440, 216, 153, 21 } },
        { "Label14", { 504, 328, 73, 25 } },
        { "Check2", { 696, 240, 17, 17 } },
        { "Label15", { 224, 504, 73, 17 } },
        { "PictureButton1", { 376, 0, 25, 29 } },
        { "PictureButton2", { 400, 0, 25, 29 } },
        { "PictureButton3", { 24, 312, 60, 45 } },
        { "PictureButton4", { 88, 312, 60, 45 } },
        { "PictureButton5", { 152, 312, 60, 45 } },
        { "PictureButton6", { 216, 312, 60, 45 } },
        { "PictureButton7", { 280, 312, 60, 45 } },
        { "PictureButton8", { 344, 312, 60, 45 } },
        { "PictureButton9", { 24, 360, 60, 45 } },
        { "PictureButton10", { 88, 360, 60, 45 } },
        { "PictureButton11", { 152, 360, 60, 45 } },
        { "PictureButton12", { 344, 360, 60, 45 } },
        { "PictureButton13", { 216, 360, 60, 45 } },
        { "PictureButton14", { 280, 360, 60, 45 } },
        { "PictureButton15", { 168, 32, 95, 85 } },
        { "PictureButton16", { 264, 32, 158, 86 } },
        { "Image1", { 80, 192, 81, 73 } },
        { "Image2", { 480, 88, 81, 73 } },
        { "Image3", { 176, 240, 249, 57 } },
    } };
    return places;
}

} // namespace tavorin
