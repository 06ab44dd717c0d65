#pragma once

#include <QString>

namespace tavorin {

// The folder of the running executable with links resolved, wherever it was started from.
QString appPath();

// The running executable's file name without folder and extension; it names the settings.
QString exeName();

}
