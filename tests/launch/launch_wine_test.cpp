// The host platform with a real Windows program: through real Wine on Linux, and on Windows (here
// also under Wine) through the Windows platform itself. The cross-compiled stand-in records in
// "<program>.record" what Windows handed it (see tests/wine/standin.cpp).
#include "StandIns.h"
#include "support/CasesOf.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace tavorin;
using namespace tavorin::test;

namespace {

class LaunchWineTest : public GameFolderTest
{
protected:
#ifndef Q_OS_WIN
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(TAVORIN_WINE_PREFIX "/system.reg"))
            << "no Wine prefix in " TAVORIN_WINE_PREFIX
               ": run the test through ctest, whose fixture makes it";
    }
#endif

    // The launcher runs with its own folder, the game folder, current: Windows searches it for a program.
    const CurrentFolder m_current { m_root.file("game") };
#ifndef Q_OS_WIN
    EnvironmentOverride m_prefix { "WINEPREFIX", TAVORIN_WINE_PREFIX };
    EnvironmentOverride m_quiet { "WINEDEBUG", "-all" };
#endif
};

TEST_F(LaunchWineTest, RunAndWaitWaitsForTheImportToolAndGivesItsExitCode)
{
    installStandIn(TAVORIN_WINE_STANDIN, "impbig.exe");
    m_root.write("game/dress0.big", "TVRBIG");
    m_root.write("game/script.viv", "view 8");
    // The tool appends only after a second: a wait that ended early would find the archive as it was.
    const EnvironmentOverride sleep("TAVORIN_IMPBIG_SLEEP_MS", "1000");
    const EnvironmentOverride exitCode("TAVORIN_IMPBIG_EXIT", "7");
    QString line = "impbig /i dress0.big script.viv script.viv";
    EXPECT_EQ(platform()->RunAndWait(line), 7);
    EXPECT_EQ(m_root.read("game/dress0.big"), "TVRBIGENTRscript.viv\n6\nview 8");
    EXPECT_EQ(line, "impbig /i dress0.big script.viv script.viv");
    QFile::remove(m_root.file("game/impbig.exe"));
    EXPECT_EQ(platform()->RunAndWait(line), -1);
}

TEST_F(LaunchWineTest, ShellStartsWithoutWaitingWithEveryWord)
{
    const QString record = installStandIn(TAVORIN_WINE_STANDIN, "impbig.exe");
    m_root.write("game/dress0.big", "TVRBIG");
    m_root.write("game/script.viv", "view 8");
    // The tool writes the archive only after three seconds, long after Shell has returned.
    const EnvironmentOverride sleep("TAVORIN_IMPBIG_SLEEP_MS", "3000");
    platform()->Shell(R"(impbig /i dress0.big script.viv "script.viv")", MinimizedFocus);
    EXPECT_EQ(m_root.read("game/dress0.big"), "TVRBIG");
    ASSERT_TRUE(appears(record, 20000));
    EXPECT_EQ(
        recorded(record, "arg").mid(1), (QStringList { "/i", "dress0.big", "script.viv", "script.viv" }));
    // The started program runs to its end on its own.
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_root.read("game/dress0.big") != "TVRBIG"; }, 20000));
    EXPECT_EQ(m_root.read("game/dress0.big"), "TVRBIGENTRscript.viv\n6\nview 8");
}

// The locale variables as the user's session sets them; null leaves one unset. A UTF-8 language
// and the POSIX locale are the sessions wine_e2e runs the whole launcher in.
struct LocaleCase : test::Labelled
{
    const char* lcAll;
    const char* lcCtype;
    const char* lang;
    bool privateLocales; // LOCPATH holds ru_RU in UTF-8 and in KOI8-R, and nothing else
    bool cyrillicCodePage; // the program's ANSI code page holds "Ж"
};

// Russian built into a folder of its own, as a player's machine has it installed.
QString privateLocales()
{
    static const QTemporaryDir folder;
    static const bool built = [] {
        for (const char* charset : { "UTF-8", "KOI8-R" }) {
            const QString name = QStringLiteral("ru_RU.") + charset;
            if (QProcess::execute("localedef", { "-i", "ru_RU", "-f", charset, folder.filePath(name) }) != 0)
                return false;
        }
        return true;
    }();
    return built ? folder.path() : QString();
}

class LaunchWineLocaleTest : public LaunchWineTest, public testing::WithParamInterface<LocaleCase>
{
protected:
    EnvironmentOverride m_lcAll { "LC_ALL", GetParam().lcAll };
    EnvironmentOverride m_lcCtype { "LC_CTYPE", GetParam().lcCtype };
    EnvironmentOverride m_lang { "LANG", GetParam().lang };
    EnvironmentOverride m_locPath { "LOCPATH",
        GetParam().privateLocales ? QFile::encodeName(privateLocales()) : QByteArray() };
};

// The words reach the program whole; its ANSI code page follows the session's language.
TEST_P(LaunchWineLocaleTest, LettersBeyondAsciiReachTheProgramWhole)
{
    ASSERT_FALSE(GetParam().privateLocales && privateLocales().isEmpty()) << "localedef failed";
    const QString record = installStandIn(TAVORIN_WINE_STANDIN, "rec.exe");
    QString line = QString::fromUtf8("rec Grüße \"é x\" Ж😀");
    EXPECT_EQ(platform()->RunAndWait(line), 0);
    EXPECT_EQ(recorded(record, "arg").mid(1), QString::fromUtf8("Grüße|é x|Ж😀").split('|'));
    const QString ansi = recorded(record, "ansi").value(0);
    EXPECT_EQ(ansi.contains(QString::fromUtf8("Ж")), GetParam().cyrillicCodePage) << ansi.toStdString();
}

const std::vector<LocaleCase> kSessions = {
    LocaleCase { "lcAllOverridesAUtf8Ctype", "C", "C.UTF-8", "C.UTF-8", false, false },
    LocaleCase { "localeNotInstalled", nullptr, nullptr, "xx_XX.UTF-8", false, false },
// Windows has no locales to build; its code page is the system's, whatever the variables say.
#ifndef Q_OS_WIN
    LocaleCase { "russianNotInUtf8", nullptr, nullptr, "ru_RU.KOI8-R", true, true },
#endif
};

INSTANTIATE_TEST_SUITE_P(Sessions, LaunchWineLocaleTest, testing::ValuesIn(kSessions), test::byLabel);

} // namespace
