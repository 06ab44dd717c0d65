#include "launch/WindowsCommandLine.h"
#include "launch/WineLocale.h"

#include "support/CasesOf.h"

#include <gtest/gtest.h>
#include <map>

using namespace tavorin;

struct SplitCase : test::Labelled
{
    const char* line;
    QStringList words;
};

using LaunchSplitWindowsCommandLineTest = testing::TestWithParam<SplitCase>;

TEST_P(LaunchSplitWindowsCommandLineTest, SplitsAsTheCRuntimeDoes)
{
    EXPECT_EQ(splitWindowsCommandLine(QString::fromLatin1(GetParam().line)), GetParam().words);
}

// The first six rows are the examples Microsoft documents for its C runtime. Lines without a quote
// are tests/fuzz/fuzz_windows_command_line.cpp's: they split at their blanks and tabs alone.
INSTANTIATE_TEST_SUITE_P(Rules, LaunchSplitWindowsCommandLineTest,
    testing::Values(SplitCase { "quotedGroup", R"("a b c" d e)", { "a b c", "d", "e" } },
        SplitCase { "escapedQuoteAndLoneBackslash", R"("ab\"c" "\\" d)", { "ab\"c", "\\", "d" } },
        SplitCase { "backslashesBeforeOtherText", R"(a\\\b d"e f"g h)", { R"(a\\\b)", "de fg", "h" } },
        SplitCase { "oddBackslashesBeforeQuote", R"(a\\\"b c d)", { R"(a\"b)", "c", "d" } },
        SplitCase { "evenBackslashesBeforeQuote", R"(a\\\\"b c" d e)", { R"(a\\b c)", "d", "e" } },
        SplitCase { "doubledQuoteInsideGroup", R"(a"b"" c d)", { R"(ab" c d)" } },
        SplitCase { "emptyQuotesAreAWord", R"(a "" b)", { "a", "", "b" } },
        SplitCase { "unclosedGroupRunsToTheEnd", R"(a "b c)", { "a", "b c" } }),
    test::byLabel);

// Wine's locale is a matter of the launcher on Linux only.
#ifndef Q_OS_WIN
// A session's locale variables, LC_TIME set in every one, and the LC_CTYPE Wine then gets (null:
// the session's own). Installed here: the UTF-8 forms below and whatever is not UTF-8.
struct WineLocaleCase : test::Labelled
{
    const char* lcAll;
    const char* lcCtype;
    const char* lang;
    const char* ctypeForWine;
};

using LaunchLocaleForWineTest = testing::TestWithParam<WineLocaleCase>;

using Environment = std::map<QByteArray, QByteArray>;

// The locale a category resolves to, as the C library resolves it from the variables.
QByteArray localeOf(const Environment& environment, const QByteArray& category)
{
    for (const QByteArray& name : { QByteArray("LC_ALL"), category, QByteArray("LANG") }) {
        if (const auto found = environment.find(name); found != environment.end() && !found->second.isEmpty())
            return found->second;
    }
    return "C";
}

TEST_P(LaunchLocaleForWineTest, OnlyTheCharacterSetChanges)
{
    const WineLocaleCase& c = GetParam();
    Environment session { { "LC_TIME", "en_GB.UTF-8" } };
    for (const auto& [name, value] :
        { std::pair { "LC_ALL", c.lcAll }, { "LC_CTYPE", c.lcCtype }, { "LANG", c.lang } })
        if (value)
            session[name] = value;
    const QByteArrayList installed { "C.UTF-8", "ru_RU.UTF-8", "en_US.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8",
        "sr_RS.UTF-8@latin" };
    const EnvironmentChanges changes = utf8LocaleForWine(
        { c.lcAll, c.lcCtype, c.lang }, [&](const QByteArray& name) { return installed.contains(name); });

    Environment child = session;
    for (const auto& [name, value] : changes) {
        if (value.isNull())
            child.erase(name);
        else
            child[name] = value;
    }
    EXPECT_EQ(localeOf(child, "LC_CTYPE"),
        c.ctypeForWine ? QByteArray(c.ctypeForWine) : localeOf(session, "LC_CTYPE"));
    EXPECT_EQ(changes.isEmpty(), !c.ctypeForWine);
    for (const char* category : { "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES",
             "LC_PAPER", "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION" })
        EXPECT_EQ(localeOf(child, category), localeOf(session, category)) << category;
}

INSTANTIATE_TEST_SUITE_P(Sessions, LaunchLocaleForWineTest,
    testing::Values(WineLocaleCase { "koi8Lang", nullptr, nullptr, "ru_RU.KOI8-R", "ru_RU.UTF-8" },
        WineLocaleCase { "koi8CtypeOverUtf8Lang", nullptr, "ru_RU.KOI8-R", "en_US.UTF-8", "ru_RU.UTF-8" },
        WineLocaleCase { "koi8LcAllOverUtf8Lang", "ru_RU.KOI8-R", nullptr, "en_US.UTF-8", "ru_RU.UTF-8" },
        WineLocaleCase { "emptyLcAllCountsAsUnset", "", nullptr, "ru_RU.KOI8-R", "ru_RU.UTF-8" },
        WineLocaleCase { "lcAllOverAUtf8Ctype", "C", "C.UTF-8", "C.UTF-8", "C.UTF-8" },
        WineLocaleCase { "utf8Session", nullptr, nullptr, "ru_RU.UTF-8", nullptr },
        WineLocaleCase { "posixSession", nullptr, nullptr, nullptr, "C.UTF-8" },
        WineLocaleCase { "noUtf8FormInstalled", nullptr, nullptr, "pt_BR.ISO-8859-1", "C.UTF-8" },
        WineLocaleCase { "utf8NotInstalled", nullptr, nullptr, "xx_XX.UTF-8", "C.UTF-8" },
        WineLocaleCase { "modifierKept", nullptr, nullptr, "sr_RS@latin", "sr_RS.UTF-8@latin" },
        WineLocaleCase { "modifierWithoutUtf8Form", nullptr, nullptr, "de_DE@euro", "de_DE.UTF-8" }),
    test::byLabel);
#endif
