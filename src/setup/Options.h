#pragma once

#include "setup/OptionsStore.h"
#include "setup/SetupControls.h"

#include <QStringView>
#include <optional>

namespace tavorin {

// A stored check box text as a state: rounded half to even into 16 bits; nothing
// when it is not a number or does not come to 0, 1 or 2.
std::optional<short> checkStateFromText(QStringView text);

// Writes all fifteen entries, changed or not, and puts them on disk before returning.
void SaveOptions(const SetupControls& controls, SettingsStore& store);

// Reads the fifteen entries back, check boxes first, then list texts, then the value
// labels, so that the stored labels overrule what the check boxes' handlers write.
void LoadOptions(const SetupControls& controls, SettingsStore& store);

}
