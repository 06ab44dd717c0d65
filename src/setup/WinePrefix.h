#pragma once

#include <QString>

namespace tavorin {

// The Wine prefix that holds folder: the nearest folder at or above it with a drive_c folder
// and a system.reg file. Empty when folder lies in no prefix.
QString findEnclosingWinePrefix(const QString& folder);

}
