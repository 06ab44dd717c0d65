#pragma once

#include <QPixmap>
#include <QString>
#include <memory>

namespace tavorin {

// A picture is shared, never copied: whoever sets one keeps the same object the control shows.
using Picture = std::shared_ptr<const QPixmap>;

// Reads a picture in the format its suffix names (the window's are GIF, BMP, ICO and CUR); a null
// pixmap when it cannot.
QPixmap readPicture(const QString& path);

// The same, shared; nullptr when it cannot.
Picture loadPicture(const QString& path);

} // namespace tavorin
