// Options that real Wine wrote into the shared test prefix, as a Windows build of the launcher
// would have left them, read back from Wine's own user.reg.
#include "setup/WineCarryOver.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

const QString kPrefix = QStringLiteral(TAVORIN_WINE_PREFIX);
const QString kSettings = QStringLiteral("Software\\VB and VBA Program Settings\\");

// Texts that need every kind of escape Wine writes: quotes, backslashes, letters beyond ASCII,
// a character beyond 16 bits before a digit, control characters, nothing at all.
const std::vector<std::pair<QString, QString>> kStrings = {
    { "check1.value", "1" },
    { "combo2.text", "" },
    { "combo3.text", QString::fromUtf8("Bayern München \"x\" 1860") },
    { "combo4.text", "back\\slash\\\\" },
    { "combo6.text", QString::fromUtf8("é€\U0001F6007") },
    { "Label9.Caption", "tab\there\nline\x1b" },
};

// Runs "wine reg add" on a program's Options key; gives what went wrong, empty when nothing did.
QString regAdd(const QString& program, const QStringList& value)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WINEPREFIX", kPrefix);
    environment.insert("WINEDEBUG", "-all");
    QProcess wine;
    wine.setProcessEnvironment(environment);
    wine.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList arguments = QStringList { "reg", "add", "HKCU\\" + kSettings + program + "\\Options" }
        << value << "/f";
    wine.start("wine", arguments);
    if (wine.waitForFinished(60'000) && wine.exitStatus() == QProcess::NormalExit && wine.exitCode() == 0)
        return {};
    return arguments.join(' ') + ": " + wine.errorString() + ' ' + wine.readAll();
}

// One program's Options key as user.reg holds it now.
std::optional<RegistryKey> optionsOf(const QString& program)
{
    const auto keys = readWineRegistryFile(
        kPrefix + "/user.reg", [&](QStringView path) { return path == kSettings + program + "\\Options"; });
    return keys && keys->size() == 1 ? std::optional(keys->front()) : std::nullopt;
}

TEST(RealWine, OptionsItWroteAreReadAndCarriedOver)
{
    ASSERT_TRUE(QFile::exists(kPrefix + "/system.reg"))
        << "no Wine prefix in " TAVORIN_WINE_PREFIX ": run the test through ctest, whose fixture makes it";
    for (const auto& [name, text] : kStrings)
        ASSERT_EQ(regAdd("Old", { "/v", name, "/d", text }), "");
    ASSERT_EQ(regAdd("Old", { "/ve", "/d", "default" }), "");
    ASSERT_EQ(regAdd("Old", { "/v", "dw", "/t", "REG_DWORD", "/d", "5" }), "");
    ASSERT_EQ(regAdd("Old", { "/v", "bin", "/t", "REG_BINARY", "/d", QString(96, 'a') }), "");
    // Written last and new to every run, so its arrival in user.reg shows that all the rest is there.
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    ASSERT_EQ(regAdd("New", { "/v", "combo3.text", "/d", stamp }), "");

    // The fixture's server outlives the programs and writes changed keys out every 30 seconds.
    for (const QDeadlineTimer deadline(120'000); !deadline.hasExpired(); QThread::msleep(250))
        if (optionsOf("New").value_or(RegistryKey {}).string(u"combo3.text") == stamp)
            break;
    const std::optional<RegistryKey> old = optionsOf("Old");
    ASSERT_TRUE(old && optionsOf("New")) << "user.reg was refused or lost a key";
    for (const auto& [name, text] : kStrings)
        EXPECT_EQ(old->string(name), text) << name.toStdString();
    EXPECT_EQ(old->string(u""), "default");
    EXPECT_EQ(old->strings.size(), kStrings.size() + 1) << "dword and hex values are not strings";

    // Old.exe lies in the game folder, New.exe does not.
    QTemporaryDir game(kPrefix + "/drive_c/Games-XXXXXX");
    QFile(game.filePath("Old.exe")).open(QIODevice::WriteOnly);
    const auto carried = findOptionsLeftUnderWine(game.path());
    ASSERT_TRUE(carried);
    EXPECT_EQ(carried->key.strings, old->strings);
    EXPECT_TRUE(carried->source.contains(QDir::toNativeSeparators(kPrefix + "/user.reg")));
}

}
