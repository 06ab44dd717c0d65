#include "setup/WineRegistry.h"

#include "support/CasesOf.h"

#include <gtest/gtest.h>

using namespace tavorin;

namespace {

// The keys as text, one "[path]" line then one "name=text" line per value, for readable failures.
std::string describe(const std::optional<std::vector<RegistryKey>>& keys)
{
    if (!keys)
        return "refused";
    QString text;
    for (const RegistryKey& key : *keys) {
        text += '[' + key.path + "]\n";
        for (const auto& [name, value] : key.strings)
            text += name + '=' + value + '\n';
    }
    return text.toStdString();
}

struct ReaderCase : test::Labelled
{
    QByteArray lines; // what follows the first line
    QString read; // as described above
    QByteArray firstLine = "WINE REGISTRY Version 2\n";
};

using WineRegistryReader = testing::TestWithParam<ReaderCase>;

TEST_P(WineRegistryReader, ReadsWhatWineWouldLoad)
{
    const QByteArray file = GetParam().firstLine + GetParam().lines;
    const auto wanted = [](QStringView path) { return path.startsWith(u"Wanted", Qt::CaseInsensitive); };
    EXPECT_EQ(describe(readWineRegistry(file, wanted)), GetParam().read.toStdString());
}

const QString refused = QStringLiteral("refused");

INSTANTIATE_TEST_SUITE_P(WineRegistry, WineRegistryReader,
    testing::Values(ReaderCase { "hex_escapes_of_four_digits_or_none", "[Wanted]\n\"u\"=\"\\x00e9f \\xz\"\n",
                        QString::fromUtf8("[Wanted]\nu=éf xz\n") },
        ReaderCase { "control_character_escapes",
            "[Wanted]\n\"c\"=\"\\a\\b\\e\\f\\n\\r\\t\\v|\\1\\0027\\101\\q\\0\"\n",
            QStringLiteral("[Wanted]\nc=\a\b\x1b\f\n\r\t\v|\x01\x02") + "7Aq" + QChar(0) + "\n" },
        ReaderCase { "names_compare_without_case",
            "[Wanted\\\\Options]\n\"Name\"=\"1\"\n[wanted\\\\OPTIONS]\n\"NAME\"=\"2\"\n\"x\"=\"3\"\n",
            "[Wanted\\Options]\nName=2\nx=3\n" },
        ReaderCase { "other_kinds_passed_over",
            "[Wanted]\n\"dw\"=dword:00000005\n\"bin\"=hex:00,01,02,\\\n  03,04,\\\n  05\n"
            "\"m\"=hex(7):61,00,00,00\n\"exp\"=str(2):\"%PATH%\"\n\"multi\"=str(7):\"a\\0b\\0\"\n"
            "\"s\"=str:\"plain\"\n\"last\"=\"x\"\n",
            "[Wanted]\ns=plain\nlast=x\n" },
        ReaderCase { "blanks_crlf_and_no_last_line_end",
            "[Wanted \\[1\\]] 5\r\n  \"a\"  =  \"b\"  \r\n\"c\"=\"d\"", "[Wanted [1]]\na=b\nc=d\n" },
        ReaderCase { "string_cut_short", "[Wanted]\n\"a\"=\"52\n", refused },
        ReaderCase { "escape_cut_short", "[Wanted]\n\"a\"=\"5\\\n", refused },
        ReaderCase { "key_cut_short", "[Wanted\n", refused },
        ReaderCase { "value_before_any_key", "\"a\"=\"1\"\n[Wanted]\n", refused },
        ReaderCase { "value_without_equals", "[Wanted]\n\"a\" \"1\"\n", refused },
        ReaderCase { "unknown_kind", "[Wanted]\n\"a\"=text\n", refused },
        ReaderCase { "plain_text_line_in_another_key", "[Other]\nhello\n[Wanted]\n\"a\"=\"1\"\n", refused },
        ReaderCase { "hex_value_cut_short", "[Wanted]\n\"a\"=\"1\"\n\"b\"=hex:00,01,\\\n", refused },
        ReaderCase { "hex_line_with_text", "[Wanted]\n\"b\"=hex:00,zz\n", refused },
        ReaderCase { "raw_utf8", "[Wanted]\n\"a\"=\"M\xc3\xbcnchen\"\n", refused },
        ReaderCase { "nul_byte", QByteArrayLiteral("[Wanted]\n\"a\"=\"1\0\"\n"), refused },
        ReaderCase { "empty_file", "", refused, "" },
        ReaderCase { "regedit_file", "[Wanted]\n\"a\"=\"1\"\n", refused, "REGEDIT4\n" },
        ReaderCase { "older_wine_file", "[Wanted]\n", refused, "WINE REGISTRY Version 1\n" }),
    test::byLabel);

}
