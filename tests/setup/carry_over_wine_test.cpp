// Options that real Wine wrote, as a Windows build of the launcher would have left them, read back
// from Wine's own user.reg. Which key a launcher takes, and what it makes of it, is the options test's.
#include "setup/WineRegistry.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

const QString kSharedPrefix = QStringLiteral(TAVORIN_WINE_PREFIX);
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

// A prefix of the test's own made from the suite's shared one in no time: its registry files, and
// its drive C through a link. Under another name it gets a Wine server of its own, which writes
// user.reg as it ends; the shared prefix's server stays up between the tests.
QString ownPrefix(const TempFolder& folder)
{
    const QString prefix = folder.file("prefix");
    QDir().mkpath(prefix + "/dosdevices");
    for (const char* file : { "system.reg", "user.reg", "userdef.reg", ".update-timestamp" })
        QFile::copy(kSharedPrefix + '/' + file, prefix + '/' + file);
    QFile::link(kSharedPrefix + "/drive_c", prefix + "/drive_c");
    QFile::link("../drive_c", prefix + "/dosdevices/c:");
    QFile::link("/", prefix + "/dosdevices/z:");
    return prefix;
}

// The output of a Wine program that failed, empty when it succeeded.
QString runInPrefix(const QString& prefix, const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WINEPREFIX", prefix);
    environment.insert("WINEDEBUG", "-all");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode())
        return program + ' ' + arguments.join(' ') + ": " + process.errorString() + ' ' + process.readAll();
    return {};
}

TEST(RealWine, OptionsItWroteAreReadBack)
{
    ASSERT_TRUE(QFile::exists(kSharedPrefix + "/system.reg"))
        << "no Wine prefix in " TAVORIN_WINE_PREFIX ": run the test through ctest, whose fixture makes it";
    TempFolder folder;
    const QString prefix = ownPrefix(folder);
    // Wine names in the prefix the folder of its server's socket, and never removes it.
    const auto removeServerFolder = qScopeGuard([&] {
        QFile name(prefix + "/wineserver");
        if (const QString server = name.open(QIODevice::ReadOnly) ? name.readAll().trimmed() : QString();
            server.startsWith("wine-"))
            QDir(QDir::temp().filePath(server)).removeRecursively();
    });
    const auto regAdd = [&](const QString& name, const QStringList& value) {
        return runInPrefix(prefix, "wine",
            QStringList { "reg", "add", "HKCU\\" + kSettings + name + "\\Options" } << value << "/f");
    };
    for (const auto& [name, text] : kStrings)
        ASSERT_EQ(regAdd("Old", { "/v", name, "/d", text }), "");
    ASSERT_EQ(regAdd("Old", { "/ve", "/d", "default" }), "");
    ASSERT_EQ(regAdd("Old", { "/v", "dw", "/t", "REG_DWORD", "/d", "5" }), "");
    ASSERT_EQ(regAdd("Old", { "/v", "bin", "/t", "REG_BINARY", "/d", QString(96, 'a') }), "");
    ASSERT_EQ(runInPrefix(prefix, "wineserver", { "-w" }), "");

    const auto keys = readWineRegistryFile(prefix + "/user.reg",
        [](QStringView path) { return path.startsWith(kSettings, Qt::CaseInsensitive); });
    ASSERT_TRUE(keys && keys->size() == 1) << "user.reg was refused or lost the key";
    const RegistryKey& old = keys->front();
    EXPECT_EQ(old.path, kSettings + "Old\\Options");
    for (const auto& [name, text] : kStrings)
        EXPECT_EQ(old.string(name), text) << name.toStdString();
    EXPECT_EQ(old.string(u""), "default");
    EXPECT_EQ(old.strings.size(), kStrings.size() + 1) << "dword and hex values are not strings";
}

}
