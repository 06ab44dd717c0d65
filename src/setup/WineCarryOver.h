#pragma once

#include "setup/WineRegistry.h"

#include <QString>
#include <optional>

namespace tavorin {

// Options that a Windows build of the launcher, run under Wine, left in the prefix's registry.
struct CarriedOptions
{
    QString source; // the registry file and key they come from, as a message names them
    RegistryKey key; // HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<name>\Options
};

// The Options key of the Windows build whose <name>.exe lies in gameFolder, read from the
// user.reg of the Wine prefix that holds gameFolder. File names compare without regard to case,
// as on Windows. Nothing when gameFolder lies in no prefix, when user.reg cannot be read, and
// when no build or more than one left options there: which of two builds was the player's is
// not ours to guess.
std::optional<CarriedOptions> findOptionsLeftUnderWine(const QString& gameFolder);

}
