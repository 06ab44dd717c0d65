// The first run takes the options a Windows build left in the Wine prefix around the game folder.
#include "setup/SetupModel.h"
#include "setup/WineRegistry.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

const QByteArray kUserReg
    = "WINE REGISTRY Version 2\n"
      ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n"
      "[Software\\\\VB and VBA Program Settings\\\\new\\\\Options] 1796586031\n"
      "#time=1d9b2c3d4e5f607\n\"label8.caption\"=\"9\"\n\n"
      "[Software\\\\VB and VBA Program Settings\\\\old\\\\options] 1796586031\n"
      "#time=1d9b2c3d4e5f607\n\"Check1.Value\"=\"1\"\n\"combo2.text\"=\"\"\n"
      "\"combo3.text\"=\"Arsenal\"\n\"form.left\"=\"1200\"\n\"label7.caption\"=\"52\"\n";

const QString kGameFolder = QStringLiteral("prefix/drive_c/Games/FIFA 2005/");

void addProgram(const TempFolder& root, const QString& name)
{
    root.write(kGameFolder + name, "MZ");
}

// Check1, Label10, Combo2, Combo3, Label7, Label8: what the carried options touch.
QStringList shown(const SetupControls& c)
{
    return { QString::number(c.Check1->Value()), c.Label10->text(), c.Combo2->Text(), c.Combo3->Text(),
        c.Label7->text(), c.Label8->text() };
}

const QStringList kDesignValues = { "0", "", "Combo2", "Combo3", "", "" };
const QStringList kCarriedValues = { "1", "windowed=1", "", "Arsenal", "52", "" };

class CarryOver : public testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        root.write("prefix/system.reg", "WINE REGISTRY Version 2\n");
        addProgram(root, "OLD.EXE");
        addProgram(root, "fifa2005.exe");
        root.write("prefix/user.reg", kUserReg);
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    QString gameFolder() const { return root.file(kGameFolder); }
    QString iniFile() const { return config.file("Tavorin/Tavorin.ini"); }

    TempFolder root;
    TempFolder config;
    QStringList messages;
    SettingsStore store { [this](const QString& m) { messages << m; },
        [] { return QStringLiteral("Tavorin"); }, gameFolder() };
    QWidget window;
    SetupControls controls = createSetupControls(&window);
    SetupModel model { controls, store, [this](const QString& m) { messages << m; }, gameFolder() };
};

TEST_F(CarryOver, FirstRunTakesTheOptionsAndTheFirstSaveKeepsThem)
{
    const QStringList prefixBefore = QDir(root.file("prefix")).entryList(QDir::AllEntries | QDir::Hidden);

    model.LoadOptions();
    EXPECT_EQ(shown(controls), kCarriedValues);
    controls.Label8->setText("7");
    model.SaveOptions();

    QSettings ini(iniFile(), QSettings::IniFormat);
    ini.beginGroup("Options");
    EXPECT_EQ(ini.childKeys().size(), 15) << "form.left is none of ours";
    EXPECT_EQ(ini.value("combo3.text").toString(), "Arsenal");
    EXPECT_EQ(ini.value("combo2.text").toString(), "");
    EXPECT_EQ(ini.value("label8.caption").toString(), "7");
    EXPECT_EQ(root.read("prefix/user.reg"), kUserReg);
    EXPECT_EQ(QDir(root.file("prefix")).entryList(QDir::AllEntries | QDir::Hidden), prefixBefore);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(CarryOver, AnExistingSettingsFileWins)
{
    config.write("Tavorin/Tavorin.ini", "[Options]\nlabel8.caption=3\n");
    model.LoadOptions();
    EXPECT_EQ(shown(controls), QStringList({ "0", "", "Combo2", "Combo3", "", "3" }));
}

TEST_F(CarryOver, AnUnusableCheckBoxTextNamesTheRegistryKey)
{
    QByteArray userReg = kUserReg;
    root.write("prefix/user.reg", userReg.replace("\"Check1.Value\"=\"1\"", "\"Check1.Value\"=\"yes\""));
    model.LoadOptions();
    ASSERT_EQ(messages.size(), 1);
    for (const QString& named : { QDir::toNativeSeparators(root.file("prefix/user.reg")),
             QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\old\\options"),
             QStringLiteral("\"yes\"") })
        EXPECT_TRUE(messages[0].contains(named)) << messages[0].toStdString();
}

struct NothingCase
{
    const char* label;
    void (*arrange)(const TempFolder& root);
};

void PrintTo(const NothingCase& c, std::ostream* os)
{
    *os << c.label;
}

class NothingCarried : public CarryOver, public testing::WithParamInterface<NothingCase>
{
};

TEST_P(NothingCarried, StartsAsWithoutWineAndTellsNothing)
{
    GetParam().arrange(root);
    model.LoadOptions();
    EXPECT_EQ(shown(controls), kDesignValues);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(CarryOver, NothingCarried,
    testing::Values(NothingCase { "two_builds_left_options",
                        [](const TempFolder& root) { addProgram(root, "New.exe"); } },
        NothingCase { "no_build_in_the_game_folder",
            [](const TempFolder& root) { QFile::remove(root.file(kGameFolder + "OLD.EXE")); } },
        NothingCase { "game_folder_in_no_prefix",
            [](const TempFolder& root) { QFile::remove(root.file("prefix/system.reg")); } },
        NothingCase {
            "user_reg_missing", [](const TempFolder& root) { QFile::remove(root.file("prefix/user.reg")); } },
        NothingCase { "user_reg_is_a_folder",
            [](const TempFolder& root) {
                QFile::remove(root.file("prefix/user.reg"));
                QDir().mkpath(root.file("prefix/user.reg"));
            } },
        NothingCase { "user_reg_cut_short",
            [](const TempFolder& root) { root.write("prefix/user.reg", kUserReg.chopped(3)); } },
        NothingCase { "user_reg_of_another_kind",
            [](const TempFolder& root) { root.write("prefix/user.reg", "\x89PNG\r\n\x1a\n" + kUserReg); } },
        NothingCase { "user_reg_too_large",
            [](const TempFolder& root) {
                QFile file(root.file("prefix/user.reg"));
                file.open(QIODevice::Append);
                const QByteArray comment = '#' + QByteArray(1 << 20, ' ') + '\n';
                while (file.size() <= kLargestWineRegistryFile)
                    file.write(comment);
            } }),
    [](const testing::TestParamInfo<NothingCase>& info) { return std::string(info.param.label); });

}
