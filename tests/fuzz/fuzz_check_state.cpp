// Feeds arbitrary stored check box texts to the restore and compares plain decimal
// numbers with a slow reference: strtod, then nearbyint, which rounds half to even.
#include "setup/CheckStateText.h"

#include <QString>
#include <cassert>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tavorin;

namespace {

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
    const double nearest = std::nearbyint(std::strtod(text.c_str(), nullptr));
    if (!(nearest >= 0 && nearest <= 2))
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
    assert(!state || *state == 0 || *state == 1 || *state == 2);
    assert(checkStateFromText(text) == state);

    // Only texts that survive the UTF-8 round trip unchanged are compared byte for byte.
    if (text.toUtf8().toStdString() != bytes || bytes.find('\0') != std::string::npos)
        return 0;
    if (isPlainDecimal(bytes))
        assert(state == referenceState(bytes));
    else
        assert(!state);
    return 0;
}
