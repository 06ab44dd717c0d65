// A UTF-8 character cut between two names of a file with a byte order mark once moved into
// the second name: the first name lost its bytes and the second showed the whole character.
#include "setup/Catalogue.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

struct SplitCharacter
{
    const char* label;
    QByteArray head; // ends the first name
    QByteArray tail; // starts the second
};

void PrintTo(const SplitCharacter& c, std::ostream* os)
{
    *os << c.label;
}

class CatalogueSplitUtf8 : public testing::TestWithParam<SplitCharacter>
{
};

TEST_P(CatalogueSplitUtf8, EachNameDecodesOnItsOwn)
{
    const SplitCharacter& c = GetParam();
    const CatalogueRead read
        = readCatalogue("\xEF\xBB\xBF\"a" + c.head + "\",1\r\n\"" + c.tail + "b\",2\r\n\"c\",3\r\n");
    ASSERT_FALSE(read.problem.has_value());
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_EQ(read.entries[0].name, QString::fromUtf8("a" + c.head));
    EXPECT_EQ(read.entries[1].name, QString::fromUtf8(c.tail + "b"));
    EXPECT_EQ(read.entries[2].name, "c");
    EXPECT_FALSE(read.entries[1].name.contains(QString::fromUtf8(c.head + c.tail)));
}

INSTANTIATE_TEST_SUITE_P(Setup, CatalogueSplitUtf8,
    testing::Values(SplitCharacter { "two_bytes", "\xC3", "\xBC" },
        SplitCharacter { "three_bytes_after_two", "\xE2\x82", "\xAC" },
        SplitCharacter { "three_bytes_after_one", "\xE2", "\x82\xAC" },
        SplitCharacter { "four_bytes", "\xF0\x9F", "\x98\x80" }),
    [](const testing::TestParamInfo<SplitCharacter>& info) { return std::string(info.param.label); });

}
