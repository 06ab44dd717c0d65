#pragma once

#include <QColor>
#include <QImage>

namespace tavorin::art {

// The 60 x 45 view of camera n (1 to 12) without its frame, a player in the
// black-and-white striped kit seen from that camera's angle.
QImage cameraView(int camera);

// The view inside a 2-pixel frame: black when idle, white under the pointer, green when pressed.
QImage framedCameraView(const QImage& view, QColor frame);

} // namespace tavorin::art
