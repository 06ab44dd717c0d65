#include "StandIns.h"
#include "launch/Platform.h"
#include "launch/RuntimeError.h"
#include "support/CasesOf.h"

#include <QElapsedTimer>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace tavorin;
using namespace tavorin::test;

namespace {

class LaunchPlatformTest : public testing::Test
{
protected:
    QString program(const QString& name) const { return m_root.file("game/" + name); }
    QString log(const QString& name) const { return m_root.file("logs/" + name); }
    QString writeRecorderProgram(const QString& name, const QByteArray& more = {})
    {
        return writeRecorder(m_root, "game/" + name, log(name + ".log"), more);
    }
    std::unique_ptr<Platform> platform() const { return makeHostPlatform(m_root.file("game")); }

    TempFolder m_root;
    const bool m_foldersMade = QDir().mkpath(m_root.file("logs")) && QDir().mkpath(m_root.file("elsewhere"));
};

struct ExitCase : test::Labelled
{
    const char* script; // the tool's body; null: there is no tool
    int code;
};

using LaunchExitCodeTest = CasesOf<LaunchPlatformTest, ExitCase>;

TEST_P(LaunchExitCodeTest, RunAndWaitGivesTheChildsExitCodeAndLeavesTheLine)
{
    if (GetParam().script)
        writeScript(m_root, "game/tool", GetParam().script);
    QString line = "tool /i dress0.big";
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(platform()->RunAndWait(line), GetParam().code);
    EXPECT_TRUE(GetParam().script || timer.elapsed() < 1000) << "a missing program fails at once";
    EXPECT_EQ(line, "tool /i dress0.big");
}

INSTANTIATE_TEST_SUITE_P(Codes, LaunchExitCodeTest,
    testing::Values(ExitCase { "zero", "exit 0\n", 0 }, ExitCase { "three", "exit 3\n", 3 },
        ExitCase { "signalGivesOneHundredTwentyEightPlusIt", "kill -TERM $$\n", 128 + SIGTERM },
        ExitCase { "missingProgramGivesMinusOneAtOnce", nullptr, -1 }),
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
    writeRecorderProgram(GetParam().onDisk);
    QString line = GetParam().named + QString(R"( /i "two words" say\"hi\" C:\dir\file)");
    EXPECT_EQ(platform()->RunAndWait(line), 0);
    EXPECT_EQ(readLines(log(GetParam().onDisk + QString(".log"))),
        (QStringList { QDir::currentPath(), "/i", "two words", "say\"hi\"", R"(C:\dir\file)" }));
}

INSTANTIATE_TEST_SUITE_P(Names, ProgramLookup,
    testing::Values(ProgramCase { "bare_name", "impbig.exe", "impbig" },
        ProgramCase { "bare_name_in_capitals", "IMPBIG.EXE", "impbig" },
        ProgramCase { "game_in_capitals", "FIFA2005.EXE", "fifa2005.exe" },
        ProgramCase { "scene_in_other_capitals", "tvr2005.EXE", "TVR2005.exe" }),
    test::byLabel);

TEST_F(LaunchPlatformTest, ProgramFolderComesBeforeCurrentFolderWhichTheChildInherits)
{
    writeScript(m_root, "elsewhere/tool", "exit 9\n");
    writeRecorderProgram("tool");
    const CurrentFolder current(m_root.file("elsewhere"));
    QString line = "tool x";
    EXPECT_EQ(platform()->RunAndWait(line), 0);
    EXPECT_EQ(readLines(log("tool.log")), (QStringList { m_root.file("elsewhere"), "x" }));
    QFile::remove(program("tool"));
    EXPECT_EQ(platform()->RunAndWait(line), 9);
}

TEST_F(LaunchPlatformTest, ShellStartsWithoutWaitingAndLeavesNoChildBehind)
{
    writeRecorderProgram("TVR2005.exe", "sleep 1\n");
    const CurrentFolder current(m_root.file("game"));
    QElapsedTimer timer;
    timer.start();
    platform()->Shell("TVR2005.exe -windowed=1  audio=0", MinimizedFocus);
    EXPECT_LT(timer.elapsed(), 900);
    // Nothing of ours is left to reap, now or when the program ends.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(
        waitForLog(log("TVR2005.exe.log")), (QStringList { m_root.file("game"), "-windowed=1", "audio=0" }));
}

// A program that is not there is named as the line names it, one that cannot be run by its path.
TEST_F(LaunchPlatformTest, ShellThrowsFileNotFoundOrPermissionDenied)
{
    for (const int number : { RuntimeError::FileNotFound, RuntimeError::PermissionDenied }) {
        if (number == RuntimeError::PermissionDenied)
            m_root.write("game/TVR2005.exe", "#!/bin/sh\nexit 0\n"); // without the run bit
        try {
            platform()->Shell("TVR2005.exe skip_fe", MinimizedFocus);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number, number);
            EXPECT_EQ(
                error.file, number == RuntimeError::FileNotFound ? "TVR2005.exe" : program("TVR2005.exe"));
        }
    }
}

// Windows programs go through Wine; the fake one records its arguments and the prefix it got. The
// game's file is in other capitals than the line that names it.
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
        writeRecorder(m_root, GetParam().wineFromVariable ? "bin/mywine" : "bin/wine", log("wine.log"),
            "printf 'prefix=%s\\n' \"${WINEPREFIX-unset}\" >> '" + QFile::encodeName(log("wine.log"))
                + "'\n");
    }
    QString gameFolder() const
    {
        return m_root.file(GetParam().insidePrefix ? "prefix/drive_c/Games/F" : "plain");
    }

    EnvironmentOverride m_path { "PATH", QFile::encodeName(m_root.file("bin")) + ":" + qgetenv("PATH") };
    EnvironmentOverride m_wine { "WINE",
        GetParam().wineFromVariable ? std::optional(QFile::encodeName(m_root.file("bin/mywine")))
                                    : std::nullopt };
    EnvironmentOverride m_prefix { "WINEPREFIX",
        GetParam().userPrefix ? std::optional<QByteArray>(GetParam().userPrefix) : std::nullopt };
};

TEST_P(LaunchWineTest, WindowsProgramRunsThroughWine)
{
    m_root.write("prefix/system.reg", "WINE REGISTRY");
    const QString game = QDir(gameFolder()).filePath("Game.EXE");
    m_root.write(QDir(m_root.path()).relativeFilePath(game), QByteArray("MZ\x90\0", 4));
    QString line = R"(game -skip_fe=1 "two words")";
    EXPECT_EQ(makeHostPlatform(gameFolder())->RunAndWait(line), 0);

    const QString prefix = GetParam().userPrefix ? QString(GetParam().userPrefix)
        : GetParam().insidePrefix                ? m_root.file("prefix")
                                                 : QString("unset");
    EXPECT_EQ(readLines(log("wine.log")),
        (QStringList { QDir::currentPath(), game, "-skip_fe=1", "two words", "prefix=" + prefix }));
}

INSTANTIATE_TEST_SUITE_P(Prefixes, LaunchWineTest,
    testing::Values(WineCase { "userPrefixPassesThrough", true, "/custom/prefix", true },
        WineCase { "enclosingPrefixIsUsed", false, nullptr, true },
        WineCase { "noPrefixOutsideOne", false, nullptr, false },
        WineCase { "wineVariableNamesTheCommand", true, nullptr, false }),
    test::byLabel);

} // namespace
