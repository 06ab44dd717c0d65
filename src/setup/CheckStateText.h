#pragma once

#include <QStringView>
#include <optional>

namespace tavorin {

// A stored check box text as a state: rounded half to even into 16 bits; nothing
// when it is not a number or does not come to 0, 1 or 2.
std::optional<short> checkStateFromText(QStringView text);

}
