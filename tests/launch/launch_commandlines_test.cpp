#include "launch/CameraScenes.h"
#include "launch/CommandLines.h"
#include "launch/WindowsCommandLine.h"

#include "support/CasesOf.h"

#include <gtest/gtest.h>

using namespace tavorin;

struct LineCase : test::Labelled
{
    QString composed;
    const char* expected;
};

using LaunchCommandLineTest = testing::TestWithParam<LineCase>;

TEST_P(LaunchCommandLineTest, JoinsThePiecesAsTheyStand)
{
    EXPECT_EQ(GetParam().composed, QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Lines, LaunchCommandLineTest,
    testing::Values(LineCase { "gameEmptyValuesLeaveBareKeys", GameCommandLine({}),
                        "fifa2005.exe -skip_fe=1  home_team= HOME_TEAM_KIT= AWAY_TEAM_KIT= away_team= "
                        "STADIUM_MODEL= resolution= audio=" },
        LineCase { "gameBlanksStayUnquoted",
            GameCommandLine({ "", "5", "1", "2", "", "3", "640 x 480", "1" }),
            "fifa2005.exe -skip_fe=1  home_team=5 HOME_TEAM_KIT=1 AWAY_TEAM_KIT=2 away_team= "
            "STADIUM_MODEL=3 resolution=640 x 480 audio=1" },
        LineCase { "sceneEmptyValues", SceneCommandLine({}, {}, {}, {}),
            "TVR2005.exe -windowed=1 skip_fe HOME_TEAM_KIT= AWAY_TEAM_KIT=1 home_team= "
            "away_team=47 STADIUM_MODEL=92  audio=0 resolution=" },
        LineCase { "sceneWindowedOffAndBlanksInTheResolution", SceneCommandLine("2", "21", "", "800 x 600"),
            "TVR2005.exe -windowed=1 skip_fe HOME_TEAM_KIT=2 AWAY_TEAM_KIT=1 home_team=21 "
            "away_team=47 STADIUM_MODEL=92  audio=0 resolution=800 x 600" }),
    test::byLabel);

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

// The first six rows are the examples Microsoft documents for its C runtime.
INSTANTIATE_TEST_SUITE_P(Rules, LaunchSplitWindowsCommandLineTest,
    testing::Values(SplitCase { "quotedGroup", R"("a b c" d e)", { "a b c", "d", "e" } },
        SplitCase { "escapedQuoteAndLoneBackslash", R"("ab\"c" "\\" d)", { "ab\"c", "\\", "d" } },
        SplitCase { "backslashesBeforeOtherText", R"(a\\\b d"e f"g h)", { R"(a\\\b)", "de fg", "h" } },
        SplitCase { "oddBackslashesBeforeQuote", R"(a\\\"b c d)", { R"(a\"b)", "c", "d" } },
        SplitCase { "evenBackslashesBeforeQuote", R"(a\\\\"b c" d e)", { R"(a\\b c)", "d", "e" } },
        SplitCase { "doubledQuoteInsideGroup", R"(a"b"" c d)", { R"(ab" c d)" } },
        SplitCase { "blanksAndTabsRun", "  a \t b\t", { "a", "b" } },
        SplitCase { "emptyQuotesAreAWord", R"(a "" b)", { "a", "", "b" } },
        SplitCase { "unclosedGroupRunsToTheEnd", R"(a "b c)", { "a", "b c" } },
        SplitCase { "emptyLine", "", {} },
        SplitCase { "importLine", "impbig /i dress0.big s.viv s.viv",
            { "impbig", "/i", "dress0.big", "s.viv", "s.viv" } }),
    test::byLabel);
