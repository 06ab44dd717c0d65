#include "StandIns.h"
#include "support/CasesOf.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace tavorin;
using namespace tavorin::test;

namespace {

// The stand-in built for this machine (see tests/wine/standin.cpp) records how it was started in
// "<program>.record".
using LaunchPlatformTest = GameFolderTest;

struct ExitCase : test::Labelled
{
    const char* script; // the tool's body
    int code;
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
};

using LaunchExitCodeTest = CasesOf<LaunchPlatformTest, ExitCase>;

TEST_P(LaunchExitCodeTest, RunAndWaitGivesTheChildsExitCodeAndLeavesTheLine)
{
    QFile::setPermissions(writeScript(m_root, "game/tool", GetParam().script), GetParam().permissions);
    QString line = "tool /i dress0.big";
    EXPECT_EQ(platform()->RunAndWait(line), GetParam().code);
    EXPECT_EQ(line, "tool /i dress0.big");
}

INSTANTIATE_TEST_SUITE_P(Codes, LaunchExitCodeTest,
    testing::Values(ExitCase { "signalGivesOneHundredTwentyEightPlusIt", "kill -TERM $$\n", 128 + SIGTERM },
        ExitCase {
            "programWithoutItsRunBitGivesMinusOne", "exit 0\n", -1, QFile::ReadOwner | QFile::WriteOwner }),
    test::byLabel);

struct ProgramCase : test::Labelled
{
    const char* onDisk;
    const char* named; // as the line names it
};

using ProgramLookup = CasesOf<LaunchPlatformTest, ProgramCase>;

// The program is found as Windows finds it: ".exe" added to a bare name, capitals ignored.
TEST_P(ProgramLookup, FindsTheProgramAndSplitsArgumentsTheWindowsWay)
{
    const QString record = installStandIn(TAVORIN_STANDIN, GetParam().onDisk);
    QString line = GetParam().named + QString(R"( /i "two words" say\"hi\" C:\dir\file)");
    EXPECT_EQ(platform()->RunAndWait(line), 0);
    EXPECT_EQ(
        recorded(record, "arg").mid(1), (QStringList { "/i", "two words", "say\"hi\"", R"(C:\dir\file)" }));
}

INSTANTIATE_TEST_SUITE_P(Names, ProgramLookup,
    testing::Values(ProgramCase { "bare_name", "fifa2005.exe", "fifa2005" },
        ProgramCase { "bare_name_in_capitals", "FIFA2005.EXE", "fifa2005" },
        ProgramCase { "game_in_capitals", "FIFA2005.EXE", "fifa2005.exe" },
        ProgramCase { "scene_in_other_capitals", "tvr2005.EXE", "TVR2005.exe" }),
    test::byLabel);

TEST_F(LaunchPlatformTest, ProgramFolderComesBeforeCurrentFolder)
{
    writeScript(m_root, "elsewhere/tool", "exit 9\n");
    writeScript(m_root, "game/tool", "exit 0\n");
    const CurrentFolder current(m_root.file("elsewhere"));
    QString line = "tool x";
    EXPECT_EQ(platform()->RunAndWait(line), 0);
    QFile::remove(program("tool"));
    EXPECT_EQ(platform()->RunAndWait(line), 9);
}

TEST_F(LaunchPlatformTest, ShellLeavesNoChildBehind)
{
    const QString record = installStandIn(TAVORIN_STANDIN, "TVR2005.exe");
    platform()->Shell("TVR2005.exe -windowed=1  audio=0", MinimizedFocus);
    // Nothing of ours is left to reap, now or when the program ends.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    ASSERT_TRUE(appears(record));
    EXPECT_EQ(recorded(record, "arg").mid(1), (QStringList { "-windowed=1", "audio=0" }));
}

// Windows programs go through Wine; the fake one records its arguments and the prefix it got as
// the stand-in records its start. The game's file is in other capitals than the line that names
// it.
struct WineCase : test::Labelled
{
    bool wineFromVariable;
    const char* userPrefix; // WINEPREFIX as the user set it, or null
    bool insidePrefix;
};

class LaunchWineTest : public LaunchPlatformTest, public testing::WithParamInterface<WineCase>
{
protected:
    void SetUp() override
    {
        writeScript(m_root, GetParam().wineFromVariable ? "bin/mywine" : "bin/wine",
            "{ printf 'arg=%s\\n' \"$@\"; echo \"prefix=${WINEPREFIX-unset}\"; } > '"
                + QFile::encodeName(log()) + "'\n");
    }
    QString log() const { return m_root.file("wine.log"); }
    QString gameFolder() const { return GetParam().insidePrefix ? "prefix/drive_c/Games/F" : "plain"; }

    EnvironmentOverride m_path { "PATH", QFile::encodeName(m_root.file("bin")) + ":" + qgetenv("PATH") };
    EnvironmentOverride m_wine { "WINE",
        GetParam().wineFromVariable ? QFile::encodeName(m_root.file("bin/mywine")) : QByteArray() };
    EnvironmentOverride m_prefix { "WINEPREFIX", GetParam().userPrefix };
};

TEST_P(LaunchWineTest, WindowsProgramRunsThroughWine)
{
    m_root.write("prefix/system.reg", "WINE REGISTRY");
    const QString game = m_root.write(gameFolder() + "/Game.EXE", QByteArray("MZ\x90\0", 4));
    QString line = R"(game -skip_fe=1 "two words")";
    EXPECT_EQ(makeHostPlatform(m_root.file(gameFolder()))->RunAndWait(line), 0);

    const QString prefix = GetParam().userPrefix ? QString(GetParam().userPrefix)
        : GetParam().insidePrefix                ? m_root.file("prefix")
                                                 : QString("unset");
    EXPECT_EQ(recorded(log(), "arg"), (QStringList { game, "-skip_fe=1", "two words" }));
    EXPECT_EQ(recorded(log(), "prefix"), QStringList { prefix });
}

INSTANTIATE_TEST_SUITE_P(Prefixes, LaunchWineTest,
    testing::Values(WineCase { "userPrefixPassesThrough", true, "/custom/prefix", true },
        WineCase { "enclosingPrefixIsUsed", false, nullptr, true },
        WineCase { "noPrefixOutsideOne", false, nullptr, false },
        WineCase { "wineVariableNamesTheCommand", true, nullptr, false }),
    test::byLabel);

} // namespace
