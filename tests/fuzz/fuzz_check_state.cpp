// Feeds arbitrary stored check box texts to the restore and compares each with a slow reference.
#include "setup/CheckStateText.h"

#include <QString>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tavorin;

namespace {

// strtod, then nearbyint, which rounds half to even. Only plain decimals count: blanks around a
// sign, digits with at most one point and an optional exponent, text that strtod reads whole.
std::optional<short> referenceState(const std::string& text)
{
    char* end = nullptr;
    const double nearest = std::nearbyint(std::strtod(text.c_str(), &end));
    const std::size_t read = std::size_t(end - text.c_str());
    if (read == 0 || text.find_first_not_of("0123456789+-.eE \t") != std::string::npos
        || text.find_first_not_of(" \t", read) != std::string::npos || !(nearest >= 0 && nearest <= 2))
        return std::nullopt;
    return static_cast<short>(nearest);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    // The restore reads the text as UTF-8, where bytes that were not become U+FFFD.
    assert(checkStateFromText(text) == referenceState(text.toUtf8().toStdString()));
    return 0;
}
