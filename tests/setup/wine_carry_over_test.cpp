// The first run takes the options a Windows build left in the Wine prefix around the game folder.
#include "setup/SetupModel.h"

#include "support/CasesOf.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

const QByteArray kUserReg
    = "WINE REGISTRY Version 2\n"
      ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n"
      "[Software\\\\VB and VBA Program Settings\\\\TavorinCopy\\\\Options] 1796586031\n"
      "#time=1d9b2c3d4e5f607\n\"label8.caption\"=\"9\"\n\n"
      "[Software\\\\VB and VBA Program Settings\\\\tavorin\\\\options] 1796586031\n"
      "#time=1d9b2c3d4e5f607\n\"Check1.Value\"=\"1\"\n\"combo2.text\"=\"\"\n"
      "\"combo3.text\"=\"Arsenal\"\n\"form.left\"=\"1200\"\n\"label7.caption\"=\"52\"\n";
const QString kGameFolder = QStringLiteral("prefix/drive_c/Games/FIFA 2005/");

class CarryOver : public testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", root.file("config").toUtf8());
        root.write("prefix/system.reg", "WINE REGISTRY Version 2\n");
        root.write("prefix/user.reg", kUserReg);
        QDir().mkpath(root.file(kGameFolder));
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    // Check1, Label10, Combo2, Combo3, Label7, Label8 after the restore: what the options touch.
    QStringList restored()
    {
        model.LoadOptions();
        return { QString::number(controls.Check1->Value()), controls.Label10->text(), controls.Combo2->Text(),
            controls.Combo3->Text(), controls.Label7->text(), controls.Label8->text() };
    }

    TempFolder root;
    QStringList messages;
    QString applicationName = QStringLiteral("Tavorin"); // the running launcher's file name
    SettingsStore store { [this](const QString& m) { messages << m; }, [this] { return applicationName; },
        root.file(kGameFolder) };
    QWidget window;
    SetupControls controls = createSetupControls(&window);
    SetupModel model { controls, store, [this](const QString& m) { messages << m; }, root.file(kGameFolder) };
};

TEST_F(CarryOver, FirstSaveWritesThemAndThePrefixStaysAsItWas)
{
    const QStringList prefixBefore = QDir(root.file("prefix")).entryList(QDir::AllEntries | QDir::Hidden);
    restored();
    controls.Label8->setText("7");
    model.SaveOptions();

    QSettings ini(root.file("config/Tavorin/Tavorin.ini"), QSettings::IniFormat);
    ini.beginGroup("Options");
    EXPECT_EQ(ini.childKeys().size(), 15) << "form.left is none of ours";
    EXPECT_EQ(ini.value("combo3.text").toString(), "Arsenal");
    EXPECT_EQ(ini.value("label8.caption").toString(), "7");
    EXPECT_EQ(root.read("prefix/user.reg"), kUserReg);
    EXPECT_EQ(QDir(root.file("prefix")).entryList(QDir::AllEntries | QDir::Hidden), prefixBefore);
}

struct FirstRunCase : test::Labelled
{
    void (*arrange)(const TempFolder& root);
    QStringList restored;
    const char* applicationName = "Tavorin";
    QStringList reported = {}; // what the one message about an unusable value must name
};

using FirstRun = CasesOf<CarryOver, FirstRunCase>;

TEST_P(FirstRun, TakesTheOneBuildsOptionsOrNothing)
{
    GetParam().arrange(root);
    applicationName = GetParam().applicationName;
    EXPECT_EQ(restored(), GetParam().restored);
    ASSERT_EQ(messages.size(), GetParam().reported.isEmpty() ? 0 : 1) << messages.join('\n').toStdString();
    for (const QString& named : GetParam().reported)
        EXPECT_TRUE(messages[0].contains(named)) << messages[0].toStdString();
}

const QStringList kCarried = { "1", "windowed=1", "", "Arsenal", "52", "" };
const QStringList kDesign = { "0", "", "Combo2", "Combo3", "", "" };

INSTANTIATE_TEST_SUITE_P(CarryOver, FirstRun,
    testing::Values(FirstRunCase { "own_key_with_no_exe_beside", [](const TempFolder&) {}, kCarried },
        FirstRunCase { "another_name_takes_its_own_key", [](const TempFolder&) {},
            { "0", "", "Combo2", "Combo3", "", "9" }, "TAVORINCOPY" },
        FirstRunCase { "a_name_without_a_key_takes_nothing_from_the_exe_beside",
            [](const TempFolder& root) { root.write(kGameFolder + "Tavorin.exe", "MZ"); }, kDesign, "Spare" },
        FirstRunCase { "settings_file_exists",
            [](const TempFolder& root) {
                root.write("config/Tavorin/Tavorin.ini", "[Options]\nlabel8.caption=3\n");
            },
            { "0", "", "Combo2", "Combo3", "", "3" } },
        FirstRunCase { "unusable_check_box_text_named_with_the_registry_key",
            [](const TempFolder& root) {
                root.write("prefix/user.reg",
                    QByteArray(kUserReg).replace("\"Check1.Value\"=\"1\"", "\"check1.value\"=\"yes\""));
            },
            { "0", "", "", "Arsenal", "52", "" }, "Tavorin",
            { QDir::toNativeSeparators("/prefix/user.reg"),
                "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\tavorin\\options", "\"yes\"" } },
        FirstRunCase { "in_no_prefix",
            [](const TempFolder& root) { QFile::remove(root.file("prefix/system.reg")); }, kDesign },
        FirstRunCase { "user_reg_missing",
            [](const TempFolder& root) { QFile::remove(root.file("prefix/user.reg")); }, kDesign },
        FirstRunCase { "user_reg_is_a_folder",
            [](const TempFolder& root) {
                QFile::remove(root.file("prefix/user.reg"));
                QDir().mkpath(root.file("prefix/user.reg"));
            },
            kDesign },
        FirstRunCase { "user_reg_cut_short",
            [](const TempFolder& root) { root.write("prefix/user.reg", kUserReg.chopped(3)); }, kDesign },
        FirstRunCase { "user_reg_too_large",
            [](const TempFolder& root) {
                root.write(
                    "prefix/user.reg", kUserReg + '#' + QByteArray(kLargestWineRegistryFile, ' ') + '\n');
            },
            kDesign }),
    test::byLabel);

}
