#pragma once

#include <QPixmap>
#include <QString>
#include <memory>

namespace tavorin {

// A picture is shared, never copied: whoever sets one keeps the same object the control shows.
using Picture = std::shared_ptr<const QPixmap>;

// Reads any format the toolkit knows (the window's pictures are GIF and BMP); nullptr when it cannot.
Picture loadPicture(const QString& path);

} // namespace tavorin
