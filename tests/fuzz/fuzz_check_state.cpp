// Feeds arbitrary stored check box texts to the restore and compares plain decimal
// numbers with a slow reference: strtod, then rounding half to even by hand.
#include "setup/CheckStateText.h"

#include <QString>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tavorin;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Blanks, a sign, digits with at most one point (a digit on at least one side), an optional
// exponent with digits, blanks: within the blanks only those characters, all of which strtod takes.
bool isPlainDecimal(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const std::string core = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    char* end = nullptr;
    std::strtod(core.c_str(), &end);
    return core.find_first_not_of("0123456789+-.eE") == std::string::npos
        && end == core.c_str() + core.size();
}

std::optional<short> referenceState(const std::string& text)
{
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    const double below = std::floor(value);
    const double rest = value - below;
    double nearest = below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0.0))
        nearest = below + 1;
    if (nearest < 0 || nearest > 2)
        return std::nullopt;
    return static_cast<short>(nearest);
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::setlocale(LC_NUMERIC, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    const std::optional<short> state = checkStateFromText(text);
    require(!state || *state == 0 || *state == 1 || *state == 2);
    require(checkStateFromText(text) == state);

    // Only texts that survive the UTF-8 round trip unchanged are compared byte for byte.
    if (text.toUtf8().toStdString() != bytes || bytes.find('\0') != std::string::npos)
        return 0;
    if (isPlainDecimal(bytes))
        require(state == referenceState(bytes));
    else
        require(!state);
    return 0;
}
