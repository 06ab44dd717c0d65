// Options written by real Wine, as a Windows build of the launcher would have left them.
#include "setup/SetupModel.h"
#include "setup/WineRegistry.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

// A private prefix, made by the first Wine program run in it; its server is stopped at the end.
class PrivatePrefix final
{
public:
    PrivatePrefix()
    {
        m_environment.insert(QStringLiteral("WINEPREFIX"), path());
        m_environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // Making the prefix would otherwise look for the Mono and Gecko installers.
        m_environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    }
    ~PrivatePrefix() { run(QStringLiteral("wineserver"), { QStringLiteral("-k") }); }

    QString path() const { return m_folder.file(QStringLiteral("prefix")); }

    // The program's output when it fails, empty when it succeeds.
    QString run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        // The first run makes the prefix, which takes half a minute on a busy machine.
        if (!process.waitForFinished(300'000))
            return program + QStringLiteral(" did not finish: ") + process.errorString();
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return program + ' ' + arguments.join(' ') + QStringLiteral(" failed: ")
                + QString::fromLocal8Bit(process.readAll());
        return {};
    }

private:
    TempFolder m_folder;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

const QString kOldOptions = QStringLiteral("Software\\VB and VBA Program Settings\\Old\\Options");
const QString kNewOptions = QStringLiteral("Software\\VB and VBA Program Settings\\New\\Options");

// Texts that need every kind of escape Wine writes: quotes, backslashes, letters beyond ASCII,
// a character beyond 16 bits next to a digit, control characters, nothing at all.
const std::vector<std::pair<QString, QString>> kOldStrings = {
    { "check1.value", "1" },
    { "combo2.text", "" },
    { "combo3.text", QString::fromUtf8("Bayern München \"x\" 1860") },
    { "combo4.text", "back\\slash\\\\" },
    { "combo6.text", QString::fromUtf8("é€\U0001F6007") },
    { "label7.caption", "52" },
    { "Label9.Caption", "tab\there\nline\x1b" },
};

TEST(RealWine, OptionsItWroteReachTheFirstRun)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("wine").isEmpty())
        << "the command wine is missing: scripts/install-deps.sh installs the packages wine and wine64";
    PrivatePrefix prefix;
    const auto regAdd = [&](const QString& key, const QStringList& value) {
        return prefix.run(
            "wine", QStringList { "reg", "add", "HKCU\\" + key } + value + QStringList { "/f" });
    };
    for (const auto& [name, text] : kOldStrings)
        ASSERT_EQ(regAdd(kOldOptions, { "/v", name, "/d", text }), "");
    ASSERT_EQ(regAdd(kOldOptions, { "/ve", "/d", "default" }), "");
    ASSERT_EQ(regAdd(kOldOptions, { "/v", "dw", "/t", "REG_DWORD", "/d", "5" }), "");
    ASSERT_EQ(regAdd(kOldOptions, { "/v", "bin", "/t", "REG_BINARY", "/d", QString(96, 'a') }), "");
    ASSERT_EQ(regAdd(kNewOptions, { "/v", "combo3.text", "/d", "Other" }), "");
    ASSERT_EQ(prefix.run("wineserver", { "-w" }), "");

    const QString userReg = prefix.path() + "/user.reg";
    const auto keys = readWineRegistryFile(userReg, [](QStringView path) {
        return path.startsWith(u"Software\\VB and VBA Program Settings\\", Qt::CaseInsensitive);
    });
    ASSERT_TRUE(keys) << "user.reg was refused";
    ASSERT_EQ(keys->size(), 2u);
    const RegistryKey& old = keys->at(0).path == kOldOptions ? keys->at(0) : keys->at(1);
    ASSERT_EQ(old.path, kOldOptions);
    for (const auto& [name, text] : kOldStrings)
        EXPECT_EQ(old.string(name), text) << name.toStdString();
    EXPECT_EQ(old.string(u""), "default");
    EXPECT_EQ(old.strings.size(), kOldStrings.size() + 1) << "dword and hex values are not strings";

    // The Windows build Old.exe lay in the game folder; New.exe did not.
    TempFolder config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString gameFolder = prefix.path() + "/drive_c/Games/FIFA 2005";
    QDir().mkpath(gameFolder);
    for (const char* program : { "/Old.exe", "/fifa2005.exe" })
        QFile(gameFolder + program).open(QIODevice::WriteOnly);
    const QByteArray registryBefore = bytesOf(userReg);

    QStringList messages;
    SettingsStore store(
        [&](const QString& m) { messages << m; }, [] { return QStringLiteral("Tavorin"); }, gameFolder);
    QWidget window;
    const SetupControls controls = createSetupControls(&window);
    SetupModel model(
        controls, store, [&](const QString& m) { messages << m; }, gameFolder);
    model.LoadOptions();
    EXPECT_EQ(controls.Check1->Value(), 1);
    EXPECT_EQ(controls.Label10->text(), "windowed=1") << "Check1_Click ran";
    EXPECT_EQ(controls.Combo2->Text(), "");
    EXPECT_EQ(controls.Combo3->Text(), kOldStrings[2].second);
    EXPECT_EQ(controls.Label9->text(), kOldStrings[6].second);
    model.SaveOptions();

    QSettings ini(config.file("Tavorin/Tavorin.ini"), QSettings::IniFormat);
    ini.beginGroup("Options");
    EXPECT_EQ(ini.childKeys().size(), 15);
    EXPECT_EQ(ini.value("combo3.text").toString(), kOldStrings[2].second);
    EXPECT_EQ(ini.value("combo6.text").toString(), kOldStrings[4].second);
    EXPECT_EQ(ini.value("label9.caption").toString(), kOldStrings[6].second);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_EQ(bytesOf(userReg), registryBefore);
    qunsetenv("XDG_CONFIG_HOME");
}

}
