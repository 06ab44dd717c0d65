// Decimals too small for a double once counted as "not a number": a stored check box text
// of 1e-400 was refused and a catalogue with such a number stopped at it.
#include "setup/Catalogue.h"
#include "setup/CheckStateText.h"
#include "setup/NumberText.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

struct OutOfRangeCase
{
    const char* label;
    std::string text;
    bool tiny; // rounds to zero; otherwise too large for a double
};

void PrintTo(const OutOfRangeCase& c, std::ostream* os)
{
    *os << c.label;
}

class NumberUnderflow : public testing::TestWithParam<OutOfRangeCase>
{
};

TEST_P(NumberUnderflow, TinyNumbersAreZeroAndHugeOnesAreRefused)
{
    const OutOfRangeCase& c = GetParam();
    const QString text = QString::fromStdString(c.text);
    const CatalogueRead read = readCatalogue(QByteArray("a,") + c.text.c_str() + "\n");
    if (c.tiny) {
        EXPECT_EQ(parseDecimal(c.text), 0.0);
        EXPECT_EQ(checkStateFromText(text), 0);
        EXPECT_EQ(read.entries, (std::vector<CatalogueEntry> { { "a", 0 } }));
        EXPECT_FALSE(read.problem.has_value());
    } else {
        EXPECT_EQ(parseDecimal(c.text), std::nullopt);
        EXPECT_EQ(checkStateFromText(text), std::nullopt);
        EXPECT_TRUE(read.entries.empty());
        ASSERT_TRUE(read.problem.has_value());
        EXPECT_EQ(read.problem->line, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Setup, NumberUnderflow,
    testing::Values(OutOfRangeCase { "below_smallest_subnormal", "2e-324", true },
        OutOfRangeCase { "negative_tiny", " -1e-400 ", true },
        OutOfRangeCase { "exponent_beyond_int", "666666661e-66666666666666666666666666", true },
        OutOfRangeCase { "long_fraction_without_exponent", "0." + std::string(400, '0') + "1", true },
        OutOfRangeCase { "many_digits_scaled_down", "1" + std::string(20, '0') + "e-400", true },
        OutOfRangeCase { "huge", "1e400", false },
        OutOfRangeCase { "many_digits_with_negative_exponent", "1" + std::string(400, '0') + "e-50", false },
        OutOfRangeCase { "small_mantissa_huge_exponent", "0.0001e99999999999999999999", false }),
    [](const testing::TestParamInfo<OutOfRangeCase>& info) { return std::string(info.param.label); });

}
