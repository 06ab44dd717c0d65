#pragma once

#include <QString>

namespace tavorin::art {

// Writes the demo game folder: catalogues, logos, camera scripts, archive, side
// files, the empty data folder and the stand-in programs.
void writeDemoFolder(const QString& folder);

} // namespace tavorin::art
