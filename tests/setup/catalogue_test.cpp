#include "setup/Catalogue.h"
#include "setup/ListCombo.h"

#include "support/CasesOf.h"
#include "support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

using namespace tavorin;

namespace {

struct FieldCase : test::Labelled
{
    QByteArray bytes;
    std::vector<CatalogueEntry> entries;
    int problemLine = 0; // 0: read without a problem
};

const std::vector<CatalogueEntry> kThreeTeams = { { "Arsenal", 1 }, { "Aston Villa", 2 }, { "Chelsea", 5 } };

using FieldRules = testing::TestWithParam<FieldCase>;

TEST_P(FieldRules, ReadsRecordsAndFirstProblem)
{
    const FieldCase& c = GetParam();
    const CatalogueRead read = readCatalogue(c.bytes);
    EXPECT_EQ(read.entries, c.entries);
    if (c.problemLine == 0) {
        EXPECT_FALSE(read.problem.has_value()) << read.problem->message.toStdString();
    } else {
        ASSERT_TRUE(read.problem.has_value());
        EXPECT_EQ(read.problem->line, c.problemLine);
        EXPECT_FALSE(read.problem->message.isEmpty());
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Catalogue, FieldRules,
    testing::ValuesIn(std::vector<FieldCase> {
        { "records_on_one_line", "\"Arsenal\",1,\"Aston Villa\",2,\"Chelsea\",5", kThreeTeams },
        { "mixed_line_ends", "\"Arsenal\",1\n\"Aston Villa\",2\r\"Chelsea\",5\r\n", kThreeTeams },
        { "name_and_number_on_separate_lines", "\"Arsenal\"\n1\n\"Aston Villa\"\n2\n\"Chelsea\"\n5", kThreeTeams },
        { "blanks_before_fields_and_after_plain_ones", " \t\"Arsenal\" ,\t 1 \nAston Villa  , 2\nChelsea,5", kThreeTeams },
        { "comma_inside_quotes", "\"Inter, Milan\",7\n", { { "Inter, Milan", 7 } } },
        { "text_after_closing_quote_skipped", "\"Ajax\" junk,3\n", { { "Ajax", 3 } } },
        { "halves_round_to_even", "a,2.5\nb,3.5\nc,0.5\nd,-2.5\ne,2.4999\n",
            { { "a", 2 }, { "b", 4 }, { "c", 0 }, { "d", -2 }, { "e", 2 } } },
        { "quoted_number_is_read", "a,\"12\"\n", { { "a", 12 } } },
        { "empty_number_is_zero", "\"Lazio\",\n\"Roma\",4\n", { { "Lazio", 0 }, { "Roma", 4 } } },
        { "empty_number_at_end_of_file", "\"Lazio\",", { { "Lazio", 0 } } },
        { "plain_numeric_name_normalised", "007,1\n\"007\",2\n-0.50,3\n+12e1,4\n",
            { { "7", 1 }, { "007", 2 }, { "-0.5", 3 }, { "120", 4 } } },
        { "empty_name", ",9\n", { { "", 9 } } },
        { "int32_limits", "lo,-2147483648\nhi,2147483647\n", { { "lo", INT32_MIN }, { "hi", INT32_MAX } } },
        { "empty_file", "", {} },
        { "trailing_blank_lines_end_cleanly", "a,1\r\n\r\n  \r\n", { { "a", 1 } } },
        { "blank_line_inside_reads_as_empty_field", "a,1\n\n5\nb,2\n", { { "a", 1 }, { "", 5 }, { "b", 2 } } },
        { "quoted_name_spanning_lines_counts_lines", "\"a\nb\",1\nc,x\n", { { "a\nb", 1 } }, 3 },
        { "number_beyond_32_bits", "a,1\nb,2147483648\nc,3\n", { { "a", 1 } }, 2 },
        { "number_not_numeric", "a,1\r\nb,12abc\r\n", { { "a", 1 } }, 2 },
        { "lone_cr_ends_a_line", "a,1\rb,2\rc,x\r", { { "a", 1 }, { "b", 2 } }, 3 },
        { "hexadecimal_is_not_a_number", "a,0x10\n", {}, 1 },
        { "ends_inside_a_record", "a,1\n\"b\"\n", { { "a", 1 } }, 2 },
        { "ends_inside_a_record_unquoted", "a,1\nb", { { "a", 1 } }, 2 },
        { "cut_inside_a_quoted_name", "\"Arsenal\",1\r\n\"Aston\r\nVi", { { "Arsenal", 1 } }, 2 },
        // 0x80 and 0x9F are letters in Windows-1252 but control codes in Latin-1; bytes Windows-1252
        // leaves undefined come through as the control codes of the same value.
        { "windows_1252_letters", "\"M\xfcnchen\",1\n\"\x80uro \x9f\x8a\",2\n", { { "München", 1 }, { "€uro ŸŠ", 2 } } },
        { "utf8_without_a_byte_order_mark", "\"M\xc3\xbcnchen\",1\n", { { "München", 1 } } },
        { "invalid_utf8_read_as_windows_1252", "\"K\xf6ln \x81\",1\n\"\xc3\x28\",2\n",
            { { QString::fromUtf8("K\u00f6ln \u0081"), 1 }, { QString::fromUtf8("\u00c3("), 2 } } },
        // A UTF-8 character cut between two names once moved into the second name.
        { "utf8_character_cut_between_names", "\xEF\xBB\xBF\"a\xC3\",1\r\n\"\xBC" "b\",2\r\n",
            { { QString::fromUtf8("a\xC3"), 1 }, { QString::fromUtf8("\xBC" "b"), 2 } } },
        // Numbers too small for a double once counted as not a number.
        { "too_small_for_a_double_is_zero", "a,2e-324\nb, -1e-400 \nc,666666661e-66666666666666666666666666\nd,0."
            + QByteArray(400, '0') + "1\ne,1" + QByteArray(20, '0') + "e-400\n", { { "a", 0 }, { "b", 0 }, { "c", 0 }, { "d", 0 }, { "e", 0 } } },
        { "too_large_for_a_double", "a,1\nb,1e400\n", { { "a", 1 } }, 2 },
        { "many_digits_too_large", "a,1" + QByteArray(400, '0') + "e-50\n", {}, 1 },
        { "huge_exponent", "a,0.0001e99999999999999999999\n", {}, 1 } }),
    test::byLabel);
// clang-format on

class LoadCatalogueTest : public testing::Test
{
protected:
    void load(const QString& fileName)
    {
        LoadCatalogue(
            &list, fileName, [this](const QString& m) { messages << m; }, folder.path());
    }

    TempFolder folder;
    ListCombo list;
    QStringList messages;
};

struct FileCase : test::Labelled
{
    QByteArray (*bytes)(); // made when the case runs: listing the tests stays quick
    int listed;
    QStringList reported; // one message per entry, holding each of these texts
};

using LoadCatalogueFaults = CasesOf<LoadCatalogueTest, FileCase>;

TEST_P(LoadCatalogueFaults, ListsWhatPrecedesTheFaultAndNamesIt)
{
    const FileCase& c = GetParam();
    folder.write("teams.ini", c.bytes());
    load("\\teams.ini");
    EXPECT_EQ(list.count(), c.listed);
    ASSERT_EQ(messages.size(), c.reported.size()) << messages.join('\n').toStdString();
    for (qsizetype i = 0; i < messages.size(); ++i) {
        EXPECT_TRUE(messages[i].contains(QDir::toNativeSeparators(folder.file("teams.ini"))));
        for (const QString& part : c.reported[i].split('|'))
            EXPECT_TRUE(messages[i].contains(part)) << messages[i].toStdString();
    }
}

// Records of 16 bytes each, so that 1048576 of them fill the read limit of 16 MiB exactly.
QByteArray recordsOf16Bytes(int count)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 16 + 32);
    for (int i = 0; i < count; ++i)
        bytes += "Team," + QByteArray::number(100000000 + i) + "\r\n";
    return bytes;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Catalogue, LoadCatalogueFaults, testing::ValuesIn(std::vector<FileCase> {
    { "number_not_numeric", [] { return QByteArray("home,1\naway,2\nthird,lots\nfourth,4\n"); }, 2, { "Line 3|lots" } },
    { "nul_byte", [] { return QByteArrayLiteral("a,1\nb,2\r\nc\0,3\nd,4\n"); }, 2, { "Line 3|NUL" } },
    { "binary_from_the_start", [] { return QByteArrayLiteral("\0\x01\x02\xff,\0"); }, 0, { "Line 1|NUL" } },
    { "exactly_the_limit", [] { return recordsOf16Bytes(1048576); }, 1048576, {} },
    { "one_byte_over_the_limit", [] { return recordsOf16Bytes(1048576) + "x"; }, 1048576, { "16 MiB|1048576 entries" } },
    { "limit_cuts_a_record", [] { return recordsOf16Bytes(1048575) + "Teams and more,12\r\n"; }, 1048575, { "16 MiB|1048575 entries" } },
    { "limit_splits_cr_lf", [] { return recordsOf16Bytes(1048575) + "Team,1234567890\r\n"; }, 1048576, { "16 MiB|1048576 entries" } } }),
    test::byLabel);
// clang-format on

// Reading the file whole instead of its first 16 MiB shows in the process's peak alone; the reader
// is the same on every system, so the peak is taken where getrusage gives it.
#ifndef Q_OS_WIN
TEST_F(LoadCatalogueTest, HugeFileKeepsStartUpSmall)
{
    folder.write("teams.ini", recordsOf16Bytes(70000));
    ASSERT_TRUE(QFile::resize(folder.file("teams.ini"), qint64(1) << 30)); // sparse: it costs no disk
    rusage before {}, after {};
    getrusage(RUSAGE_SELF, &before);

    load("\\teams.ini");
    load("\\teams.ini");

    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "kilobytes";
    EXPECT_EQ(list.count(), 70000); // the records before the sparse file's zero bytes
    EXPECT_EQ(messages.size(), 2); // once per read; start-up shows the same text once
}
#endif

}
