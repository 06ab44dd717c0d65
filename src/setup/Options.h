#pragma once

#include "setup/CheckStateText.h"
#include "setup/OptionsStore.h"
#include "setup/SetupControls.h"

namespace tavorin {

// Writes all fifteen entries, changed or not, and puts them on disk before returning.
void SaveOptions(const SetupControls& controls, SettingsStore& store);

// Reads the fifteen entries back, check boxes first, then list texts, then the value
// labels, so that the stored labels overrule what the check boxes' handlers write.
// reportUnusable hears once which stored check box texts could not be used, if any.
void LoadOptions(const SetupControls& controls, SettingsStore& store,
    const SettingsStore::ReportSink& reportUnusable = {});

}
