#pragma once

#include <Qt>

class QMouseEvent;

namespace tavorin {

// The four values a PictureButton hands its container with every press, move and release.
// Button: 1 left, 2 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt. X and Y in the control's pixels.
struct PointerReport
{
    short Button = 0;
    short Shift = 0;
    float X = 0;
    float Y = 0;
};

short buttonBits(Qt::MouseButtons buttons);
short shiftBits(Qt::KeyboardModifiers modifiers);

// A move reports the buttons held; a press or release reports the one button that changed.
PointerReport moveReport(const QMouseEvent& event);
PointerReport pressOrReleaseReport(const QMouseEvent& event);

} // namespace tavorin
