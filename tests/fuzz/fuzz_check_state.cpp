// Feeds arbitrary stored check box texts to the restore and compares plain decimal
// numbers with a slow reference: strtod, then rounding half to even by hand.
#include "setup/CheckStateText.h"

#include <QString>
#include <cerrno>
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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blanks, a sign, digits with at most one point (a digit on at least one side), an
// optional exponent with digits, blanks.
bool isPlainDecimal(const std::string& text)
{
    std::size_t i = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (i == std::string::npos)
        return false;
    const std::string core = text.substr(i, last - i + 1);
    i = 0;
    if (i < core.size() && (core[i] == '+' || core[i] == '-'))
        ++i;
    std::size_t digits = 0;
    for (; i < core.size() && isDigit(core[i]); ++i)
        ++digits;
    if (i < core.size() && core[i] == '.')
        for (++i; i < core.size() && isDigit(core[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < core.size() && (core[i] == 'e' || core[i] == 'E')) {
        ++i;
        if (i < core.size() && (core[i] == '+' || core[i] == '-'))
            ++i;
        const std::size_t exponentStart = i;
        while (i < core.size() && isDigit(core[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == core.size();
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
