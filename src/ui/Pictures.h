#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace tavorin {
class PropertyBag;
}

// The window's pictures, compiled into the program.
namespace tavorin::pictures {

QPixmap background();
QIcon icon();
QPixmap saveSettingsBar();
QPixmap playBar();
// The pointing hand over the web-link hot spot, with the hot spot its file names.
QCursor handCursor();
// The stored "picture", "picturehover" and "picturedown" of PictureButton1 to 16.
PropertyBag pictureButtonProperties(int buttonNumber);
// Hot spot of the first image of a .cur file; Qt does not expose it.
QPoint cursorHotSpot(const QByteArray& curFile);

} // namespace tavorin::pictures
