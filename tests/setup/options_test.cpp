#include "setup/Options.h"
#include "setup/SetupModel.h"

#include "support/CasesOf.h"
#include "support/ImmutablePaths.h"
#include "support/OtherCapitals.h"
#include "support/ScratchSettings.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QImage>
#include <QSettings>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <vector>

using namespace tavorin;

namespace {

// The game folder as the store sees it: inside a Wine prefix below the program folder, once a
// carry-over test has made one there.
const QString kGameFolder = QStringLiteral("prefix/drive_c/Games/FIFA 2005/");

struct StateCase
{
    const char* text;
    std::optional<short> state;
};

using CheckStateText = testing::TestWithParam<StateCase>;

TEST_P(CheckStateText, RoundsHalfToEvenAndRefusesOthers)
{
    EXPECT_EQ(checkStateFromText(QString::fromLatin1(GetParam().text)), GetParam().state) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Options, CheckStateText,
    testing::Values(StateCase { "0", 0 }, StateCase { "1", 1 }, StateCase { "2", 2 }, StateCase { "2.5", 2 },
        StateCase { "0.5", 0 }, StateCase { "1.5", 2 }, StateCase { " 1 ", 1 }, StateCase { "-0.4", 0 },
        StateCase { "1e0", 1 }, StateCase { "2.51", std::nullopt }, StateCase { "3", std::nullopt },
        StateCase { "-1", std::nullopt }, StateCase { "", std::nullopt }, StateCase { "on", std::nullopt },
        StateCase { "inf", std::nullopt }, StateCase { "65537", std::nullopt }, StateCase { " -1e-400 ", 0 },
        StateCase { "1e400", std::nullopt }));

// The fifteen values in save order, read from the controls or written to them.
QStringList valuesOf(const SetupControls& c)
{
    return { QString::number(c.Check1->Value()), QString::number(c.Check2->Value()), c.Combo2->Text(),
        c.Combo3->Text(), c.Combo4->Text(), c.Combo5->Text(), c.Combo6->Text(), c.Combo7->Text(),
        c.Label7->text(), c.Label8->text(), c.Label9->text(), c.Label10->text(), c.Label11->text(),
        c.Label14->text(), c.Label15->text() };
}

void setValues(const SetupControls& c, const QStringList& values)
{
    c.Check1->setValue(values[0].toShort());
    c.Check2->setValue(values[1].toShort());
    auto value = values.begin() + 2;
    for (ListCombo* list : { c.Combo2, c.Combo3, c.Combo4, c.Combo5, c.Combo6, c.Combo7 })
        list->setText(*value++);
    for (QLabel* label : { c.Label7, c.Label8, c.Label9, c.Label10, c.Label11, c.Label14, c.Label15 })
        label->setText(*value++);
}

class OptionsTest : public testing::Test
{
protected:
    void SetUp() override { QDir::setCurrent(program.path()); }

    QString iniFile() const { return config.file(appName + "/" + appName + ".ini"); }
    // As a message names the store: the settings file, or the registry key on Windows.
    QString location() const { return QDir::toNativeSeparators(SettingsStore::locationFor(appName)); }
    SettingsStore makeStore()
    {
        return SettingsStore([this](const QString& m) { reports << m; }, [this] { return appName; },
            program.file(kGameFolder));
    }
    // The settings file's text; on Windows its Options section, as Qt reads such a file, in the registry.
    void storeFile(const QByteArray& text)
    {
#ifdef Q_OS_WIN
        program.write("typed.ini", text);
        QSettings typed(program.file("typed.ini"), QSettings::IniFormat);
        typed.beginGroup("Options");
        for (const QString& key : typed.childKeys())
            store(key, typed.value(key).toString());
#else
        config.write("Tavorin/Tavorin.ini", text);
#endif
    }
    void store(const QString& key, const QString& value)
    {
        scratch.open(appName)->setValue("Options/" + key, value);
    }

    ScratchSettings scratch { { "Tavorin", "Copy" } };
    const TempFolder& config = scratch.config();
    TempFolder program;
    QString appName = "Tavorin";
    QStringList reports;
    SettingsStore settings = makeStore();
    QWidget window;
    SetupControls controls = createSetupControls(&window);
    const QStringList designValues = valuesOf(controls);
    ImmutablePaths immutable; // declared last: made mutable before the folders go
};

class SetupModelTest : public OptionsTest
{
protected:
    void writeLogo(const QString& number, QSize size)
    {
        QImage logo(size, QImage::Format_RGB32);
        logo.fill(Qt::red);
        const QString path = program.file(logoPath(number));
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(logo.save(path, "JPG"));
    }

    QStringList messages;
    SetupModel model { controls, settings, [this](const QString& m) { messages << m; }, program.path() };
};

// A program started under another name has a store of its own, whatever the launcher's holds.
TEST_F(OptionsTest, SaveThenLoadGivesEveryValueBackAndARenamedProgramItsOwnStore)
{
    const QStringList variants[] = {
        { "2", "1", "", "a=b; c", "\"quoted\"", " outer blanks ", "x,y", "M\u00fcnchen", "-3", "", "0",
            "windowed=1", "7", "", "0" },
        { "0", "2", "Anfield", "", "", "640x480x16", "", "", "5", "6", "0", "", "", "12", "1" },
    };
    for (const QStringList& values : variants) {
        setValues(controls, values);
        SaveOptions(controls, settings);
        QWidget otherWindow;
        const SetupControls restored = createSetupControls(&otherWindow);
        SettingsStore loader = makeStore();
        LoadOptions(restored, loader);
        EXPECT_EQ(valuesOf(restored), values);
    }
    const QStringList expectedKeys = { "check1.value", "check2.value", "combo2.text", "combo3.text",
        "combo4.text", "combo5.text", "combo6.text", "combo7.text", "label10.caption", "label11.caption",
        "label14.caption", "label15.caption", "label7.caption", "label8.caption", "label9.caption" };
    const QMap<QString, QString> saved = scratch.options(appName);
    EXPECT_EQ(saved.keys(), expectedKeys);

    appName = "Copy";
    QWidget otherWindow;
    const SetupControls fresh = createSetupControls(&otherWindow);
    LoadOptions(fresh, settings);
    EXPECT_EQ(valuesOf(fresh), designValues);
    SaveOptions(fresh, settings);
    EXPECT_EQ(scratch.options("Tavorin"), saved);
    EXPECT_EQ(scratch.options("Copy").size(), 15);
    EXPECT_TRUE(reports.isEmpty());
}

struct RestoreCase : test::Labelled
{
    QByteArray stored; // the settings file
    short check1, check2;
    QString label10, label15;
    int handlerRuns;
    QStringList reported = {}; // stored texts the one message about unusable values must name
};

using RestoreOrder = CasesOf<SetupModelTest, RestoreCase>;

TEST_P(RestoreOrder, LabelsHaveTheLastWord)
{
    const RestoreCase& c = GetParam();
    storeFile(c.stored);
    QSignalSpy check1Clicks(controls.Check1, &CheckBox::Click);
    QSignalSpy check2Clicks(controls.Check2, &CheckBox::Click);

    model.LoadOptions();

    EXPECT_EQ(controls.Check1->Value(), c.check1);
    EXPECT_EQ(controls.Check2->Value(), c.check2);
    EXPECT_EQ(controls.Label10->text(), c.label10);
    EXPECT_EQ(controls.Label15->text(), c.label15);
    EXPECT_EQ(check1Clicks.count() + check2Clicks.count(), c.handlerRuns);
    ASSERT_EQ(messages.size(), c.reported.isEmpty() ? 0 : 1) << messages.join('\n').toStdString();
    for (const QString& value : c.reported)
        EXPECT_TRUE(messages[0].contains('"' + value + '"') && messages[0].contains(location()))
            << messages[0].toStdString();
    EXPECT_TRUE(reports.isEmpty());
}

const std::vector<RestoreCase> kRestores = {
    RestoreCase { "empty_store_keeps_design_values", "", 0, 0, "", "", 0 },
    RestoreCase { "stored_label_wins", "[Options]\ncheck1.value=1\nlabel10.caption=\n", 1, 0, "", "", 1 },
    RestoreCase { "missing_label_keeps_handler_text", "[Options]\ncheck1.value=1\ncheck2.value=1\n", 1, 1,
        "windowed=1", "1", 2 },
    RestoreCase { "grayed_without_label_writes_nothing", "[Options]\ncheck2.value=2\n", 0, 2, "", "", 1 },
    RestoreCase { "unusable_state_keeps_box", "[Options]\ncheck1.value=yes\ncheck2.value=3\n", 0, 0, "", "",
        0, { "yes", "3" } },
    RestoreCase { "beyond_16_bits_keeps_box", "[Options]\ncheck1.value=1\ncheck2.value=70000\n", 1, 0,
        "windowed=1", "", 1, { "70000" } },
    RestoreCase { "same_state_runs_no_handler", "[Options]\ncheck1.value=0.5\n", 0, 0, "", "", 0 },
// A settings file typed by hand on Windows and brought along: a comment, CRLF line ends, and a
// comma that is no list. The registry has no such file.
#ifndef Q_OS_WIN
    RestoreCase { "hand_edited_windows_line_ends",
        "; typed by hand\r\n[Options]\r\ncheck1.value=1\r\nlabel15.caption=Inter, Milan\r\n\r\n", 1, 0,
        "windowed=1", "Inter, Milan", 1 },
#endif
};

INSTANTIATE_TEST_SUITE_P(Options, RestoreOrder, testing::ValuesIn(kRestores), test::byLabel);

// The faults of a settings file; the registry has no file to spoil.
#ifndef Q_OS_WIN
struct FileFaultCase : test::Labelled
{
    QByteArray found; // the file found at start; without it, one the launcher saved
    const char* locked; // what chattr +i makes unwritable, if anything
    const char* told; // what the one message says besides the file's name
};

using SettingsFileFault = CasesOf<OptionsTest, FileFaultCase>;

// An unreadable file is set aside until the first save writes a new one; a file that cannot be
// written keeps the last one. Every way out (Save button, exit button, close, camera run) saves
// through the same store, and it tells once per run.
TEST_P(SettingsFileFault, KeepsTheLastFileAndTellsOncePerRun)
{
    const FileFaultCase& c = GetParam();
    if (c.found.isEmpty()) {
        controls.Label7->setText("1");
        SaveOptions(controls, settings);
    } else {
        config.write("Tavorin/Tavorin.ini", c.found);
    }
    const QByteArray last = config.read("Tavorin/Tavorin.ini");
    const QStringList shown = valuesOf(controls);
    if (c.locked && !immutable.add(config.file(c.locked)))
        GTEST_SKIP() << "chattr +i is not available on this file system";

    LoadOptions(controls, settings);
    EXPECT_EQ(valuesOf(controls), shown);
    for (const char* team : { "2", "3", "4", "5" }) {
        controls.Label7->setText(team);
        SaveOptions(controls, settings);
    }

    QStringList named = { QDir::toNativeSeparators(iniFile()), QString::fromLatin1(c.told) };
    QStringList files = { "Tavorin.ini" };
    if (c.locked) {
        EXPECT_EQ(config.read("Tavorin/Tavorin.ini"), last);
    } else {
        named << QDir::toNativeSeparators(iniFile() + ".bad");
        files << "Tavorin.ini.bad";
        EXPECT_EQ(config.read("Tavorin/Tavorin.ini.bad"), c.found);
        const QMap<QString, QString> saved = scratch.options(appName);
        EXPECT_EQ(saved.size(), 15);
        EXPECT_EQ(saved["label7.caption"], "5");
    }
    EXPECT_EQ(QDir(config.file("Tavorin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        files);
    ASSERT_EQ(reports.size(), 1);
    for (const QString& part : named)
        EXPECT_TRUE(reports[0].contains(part)) << reports[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Options, SettingsFileFault,
    testing::Values(FileFaultCase { "nul_after_sound_lines",
                        QByteArrayLiteral("[Options]\ncheck1.value=1\n\0\0\n"), nullptr, "NUL" },
        FileFaultCase { "not_utf8", "[Options]\ncombo3.text=M\xfcnchen\n", nullptr, "UTF-8" },
        // "52" cut to "5" would read back as another team.
        FileFaultCase { "cut_short", "[Options]\ncheck1.value=1\nlabel7.caption=5", nullptr, "cut short" },
        FileFaultCase { "unclosed_section", "[Options\ncheck1.value=1\n", nullptr, "line 1" },
        FileFaultCase {
            "line_without_value", "[Options]\ncheck1.value=1\nlabel7.caption\n", nullptr, "line 3" },
        FileFaultCase { "larger_than_1_mib", "[Options]\nlabel9.caption=" + QByteArray(1 << 20, '9') + "\n",
            nullptr, "1 MiB" },
        FileFaultCase { "read_only_file", {}, "Tavorin/Tavorin.ini", "saved before are kept" },
        FileFaultCase { "read_only_folder", {}, "Tavorin", "saved before are kept" },
        // Neither set aside nor replaced: the unreadable file stays as it is.
        FileFaultCase { "unreadable_and_read_only", QByteArrayLiteral("\0\x01\x02garbage"),
            "Tavorin/Tavorin.ini", "not saved" }),
    test::byLabel);

// The first run takes the options a Windows build left in the Wine prefix around the game folder.
const QByteArray kUserReg
    = "WINE REGISTRY Version 2\n"
      ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n"
      "[Software\\\\VB and VBA Program Settings\\\\TavorinCopy\\\\Options] 1796586031\n"
      "#time=1d9b2c3d4e5f607\n\"label8.caption\"=\"9\"\n\n"
      "[Software\\\\VB and VBA Program Settings\\\\tavorin\\\\options] 1796586031\n"
      "#time=1d9b2c3d4e5f607\n\"Check1.Value\"=\"1\"\n\"combo2.text\"=\"\"\n"
      "\"combo3.text\"=\"Arsenal\"\n\"form.left\"=\"1200\"\n\"label7.caption\"=\"52\"\n";

class CarryOver : public SetupModelTest
{
protected:
    void SetUp() override
    {
        SetupModelTest::SetUp();
        program.write("prefix/system.reg", "WINE REGISTRY Version 2\n");
        program.write("prefix/user.reg", kUserReg);
        QDir().mkpath(program.file(kGameFolder));
    }

    // Check1, Label10, Combo2, Combo3, Label7, Label8 after the restore: what the options touch.
    QStringList restored()
    {
        model.LoadOptions();
        return { QString::number(controls.Check1->Value()), controls.Label10->text(), controls.Combo2->Text(),
            controls.Combo3->Text(), controls.Label7->text(), controls.Label8->text() };
    }
    // The prefix's names and its user.reg, which carrying the options over reads and never writes.
    QStringList prefix() const
    {
        QFile userReg(program.file("prefix/user.reg"));
        const QString text = userReg.open(QIODevice::ReadOnly) ? QString::fromLatin1(userReg.readAll()) : "";
        return QDir(program.file("prefix")).entryList(QDir::AllEntries | QDir::Hidden) << text;
    }
};

struct FirstRunCase : test::Labelled
{
    void (*arrange)(const TempFolder& program);
    QStringList restored;
    const char* applicationName = "Tavorin";
    QStringList reported = {}; // what the one message about an unusable value must name
};

using FirstRun = CasesOf<CarryOver, FirstRunCase>;

// The first save writes the fifteen values of ours and leaves the prefix as it was.
TEST_P(FirstRun, TakesTheOneBuildsOptionsOrNothing)
{
    GetParam().arrange(program);
    appName = GetParam().applicationName;
    const QStringList prefixBefore = prefix();
    EXPECT_EQ(restored(), GetParam().restored);
    model.SaveOptions();
    EXPECT_EQ(scratch.options(appName).size(), 15) << "form.left is none of ours";
    EXPECT_EQ(prefix(), prefixBefore);
    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
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
            [](const TempFolder& program) { program.write(kGameFolder + "Tavorin.exe", "MZ"); }, kDesign,
            "Spare" },
        FirstRunCase { "settings_file_exists",
            [](const TempFolder&) {
                QSettings(SettingsStore::locationFor("Tavorin"), QSettings::IniFormat)
                    .setValue("Options/label8.caption", "3");
            },
            { "0", "", "Combo2", "Combo3", "", "3" } },
        FirstRunCase { "unusable_check_box_text_named_with_the_registry_key",
            [](const TempFolder& program) {
                program.write("prefix/user.reg",
                    QByteArray(kUserReg).replace("\"Check1.Value\"=\"1\"", "\"check1.value\"=\"yes\""));
            },
            { "0", "", "", "Arsenal", "52", "" }, "Tavorin",
            { "/prefix/user.reg",
                "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\tavorin\\options", "\"yes\"" } },
        FirstRunCase { "in_no_prefix",
            [](const TempFolder& program) { QFile::remove(program.file("prefix/system.reg")); }, kDesign },
        FirstRunCase { "user_reg_missing",
            [](const TempFolder& program) { QFile::remove(program.file("prefix/user.reg")); }, kDesign },
        FirstRunCase { "user_reg_too_large",
            [](const TempFolder& program) {
                program.write(
                    "prefix/user.reg", kUserReg + '#' + QByteArray(kLargestWineRegistryFile, ' ') + '\n');
            },
            kDesign }),
    test::byLabel);
#endif

// In a game folder whose names are all in other capitals: TEAMS.INI, DATA/easo/.../LOGO5.JPG. The
// window's Play and camera tests check what every pick writes into its label; here the logo is
// found by that label's text, so a wrong one (-3 here) shows no logo.
TEST_F(SetupModelTest, FormLoadFromAnotherFolderFillsTheListsAndTeamPicksShowTheirLogos)
{
    program.write("teams.ini", "\"Minus\",-3\r\n\"Aston Villa\",2\r\n\"Chelsea\",5\r\n");
    program.write("kits.ini", "");
    writeLogo("5", { 20, 10 });
    writeLogo("-3", { 40, 30 });
    ASSERT_TRUE(test::respellBelow(program.path()));
    store("label7.caption", "5");
    store("combo3.text", "Aston Villa");
    TempFolder elsewhere;
    QDir::setCurrent(elsewhere.path());

    model.Form_Load();

    EXPECT_EQ(QDir::current().canonicalPath(), QDir(program.path()).canonicalPath());
    for (ListCombo* teams : { controls.Combo3, controls.Combo4 }) {
        EXPECT_EQ(teams->count(), 3);
        EXPECT_EQ(teams->NewIndex(), 2);
    }
    EXPECT_EQ(controls.Combo3->Text(), "Aston Villa");
    EXPECT_EQ(controls.Image1->pixmap().size(), QSize(20, 10));
    EXPECT_TRUE(controls.Image2->pixmap().isNull());

    controls.Combo3->setCurrentIndex(0);
    emit controls.Combo3->Click();
    EXPECT_EQ(controls.Image1->pixmap().size(), QSize(40, 30));
    EXPECT_EQ(controls.Image1->size(), QSize(40, 30));
    controls.Combo3->setCurrentIndex(1);
    emit controls.Combo3->Click();
    EXPECT_TRUE(controls.Image1->pixmap().isNull()) << "logo2.jpg does not exist";
    controls.Combo4->setCurrentIndex(0);
    emit controls.Combo4->Click();
    EXPECT_EQ(controls.Image2->pixmap().size(), QSize(40, 30));
    EXPECT_TRUE(controls.Image1->pixmap().isNull());
    EXPECT_TRUE(messages.isEmpty());
}

// A missing catalogue empties its lists of their design items; each faulty one is told once.
TEST_F(SetupModelTest, FormLoadReportsEachFaultyCatalogueOnce)
{
    program.write("kits.ini", "\"Home\",1\n\"Away\"");
    ASSERT_GT(controls.Combo4->count(), 0);
    model.Form_Load();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(program.file("teams.ini"))));
    EXPECT_TRUE(messages[1].contains("kits.ini"));
    EXPECT_EQ(controls.Combo4->count(), 0);
    EXPECT_EQ(controls.Combo7->count(), 1);
}

}
