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

// The Options key of the Windows build named applicationName, read from the user.reg of the Wine
// prefix that holds gameFolder; names compare without regard to case, as on Windows. Whether a
// <name>.exe still lies in gameFolder does not count: a program started under another name
// begins with the values of an empty store, as the options store has it, and a copy of the
// launcher never takes the options of the build it was copied beside. Nothing when gameFolder
// lies in no prefix, when user.reg cannot be read, and when it holds no such key or, written by
// hand, two spellings of it.
std::optional<CarriedOptions> findOptionsLeftUnderWine(
    const QString& gameFolder, const QString& applicationName);

}
