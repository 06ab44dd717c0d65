#include "support/CasesOf.h"
#include "support/ScratchSettings.h"
#include "support/TempFolder.h"

#include "controls/PictureButton.h"
#include "launch/CameraScenes.h"
#include "launch/Platform.h"
#include "setup/ListCombo.h"
#include "setup/OptionsStore.h"
#include "ui/Branding.h"
#include "ui/Dialogs.h"
#include "ui/Form1.h"
#include "ui/FormLayout.h"
#include "ui/Pictures.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gmock/gmock.h>

using namespace tavorin;
using namespace testing;

namespace {

// What the window shows, opens and ends with, in order: "information: <text>", "open <address>",
// "end <exit code>".
class EventLog final : public Dialogs
{
public:
    void information(QWidget*, const QString& text) override { add("information: ", text); }
    void warning(QWidget*, const QString& text) override { add("warning: ", text); }
    void critical(QWidget*, const QString& text) override { add("critical: ", text); }
    void add(const char* what, const QString& text) { events.push_back(what + text.toStdString()); }

    std::vector<std::string> events;
};

// Records the lines the window starts instead of starting them, and what the import was given.
class RecordingPlatform final : public Platform
{
public:
    int RunAndWait(QString& commandLine) override
    {
        QFile script(commandLine.section(' ', -1));
        lastScript = script.open(QIODevice::ReadOnly) ? script.readAll() : QByteArray();
        return 0;
    }
    void Shell(const QString& commandLine, int windowStyle) override
    {
        EXPECT_EQ(windowStyle, MinimizedFocus) << commandLine.toStdString();
        started << commandLine;
    }

    QByteArray lastScript;
    QStringList started;
};

class Form1Test : public ::testing::Test
{
protected:
    // Without a platform of its own the window starts programs for real.
    explicit Form1Test(std::unique_ptr<Platform> platform = nullptr)
    {
        // Every team and kit has a number no other value of the match shares.
        m_game.write("teams.ini", "\"Arsenal\",11\r\n\"Aston Villa\",22\r\n");
        m_game.write("kits.ini", "\"Home\",33\r\n\"Away\",44\r\n");
        m_store = std::make_unique<SettingsStore>(
            [this](const QString& message) { m_log.warning(nullptr, message); },
            [this] {
                ++m_nameReads;
                return QStringLiteral("Tavorin");
            });
        FormServices services;
        services.store = m_store.get();
        services.dialogs = &m_log;
        services.programFolder = m_game.path();
        services.platform = platform ? std::move(platform) : makeHostPlatform(m_game.path());
        m_platform = services.platform.get();
        services.end = [this](int exitCode) {
            m_log.add("end ", QString::number(exitCode));
            m_ended = true;
        };
        services.openUrl = [this](const QUrl& url) { m_log.add("open ", url.toString()); };
        m_form = std::make_unique<Form1>(std::move(services));
        m_form->Form_Load();
        m_nameReads = 0;
    }

    template <typename T = QWidget> T* control(const QString& name) const
    {
        auto* widget = m_form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Every save reads the application name afresh for each of its fifteen entries.
    int saves() const { return m_nameReads / 15; }

    void showActive()
    {
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    }

    ScratchSettings m_settings;
    TempFolder m_game;
    EventLog m_log;
    std::unique_ptr<SettingsStore> m_store;
    int m_nameReads = 0;
    Platform* m_platform = nullptr;
    bool m_ended = false;
    std::unique_ptr<Form1> m_form;
};

// Its caption and Label3's text are read by every end-to-end test and by the screen reader's.
TEST_F(Form1Test, IsABorderlessFixedWindowWithItsDesignTimeControls)
{
    EXPECT_TRUE(m_form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(m_form->minimumSize(), QSize(430, 449));
    EXPECT_EQ(m_form->maximumSize(), QSize(430, 449));
    EXPECT_FALSE(m_form->windowIcon().isNull());
    EXPECT_EQ(control<QComboBox>("Combo1")->count(), 27);
    EXPECT_FALSE(control<QComboBox>("Combo1")->isEditable());
    EXPECT_EQ(control<QPushButton>("Command2")->size(), QSize(153, 33));
    EXPECT_EQ(control<QPushButton>("Command2")->iconSize(), QSize(154, 33));
}

// Tab goes round the chain from Combo1 and back to it (Shift+Tab follows the same links backwards).
// The image buttons come after Label15 by number, so PictureButton12 comes before 13 and 14; Image3
// takes no focus.
TEST_F(Form1Test, TabWalksTheFocusableControlsInLayoutOrderFromCombo1)
{
    showActive();
    QStringList chain { "Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Check1", "Command1", "Command2",
        "Combo6", "Combo7", "Check2" };
    for (int number = 1; number <= 16; ++number)
        chain << QStringLiteral("PictureButton%1").arg(number);
    chain << "Combo1";
    QStringList visited { QApplication::focusWidget()->objectName() };
    for (int i = 1; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, chain);
}

// The smallest rectangle holding every pixel of the area whose colour passes the test.
template <typename Test> QRect extentOf(const QImage& image, const QRect& area, Test passes)
{
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (passes(image.pixelColor(x, y)))
                found |= QRect(x, y, 1, 1);
    return found;
}

// The captions are measured in the artwork's font, Debian's DejaVu Sans, which Windows lacks.
#ifndef Q_OS_WIN
// A caption is as wide as its words in the face's DejaVu Sans Bold of 12 pixels; the three
// captions' widths lie six pixels or more apart. Its white letters are found by their cores,
// which stay white through the face's palette whatever lies behind them.
TEST_F(Form1Test, VisibleListsLieJustUnderTheirDrawnCaptions)
{
    const QImage face = pictures::background().toImage();
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    font.setBold(true);
    for (const auto& [list, words] : { std::pair { "Combo3", "Select Team" },
             std::pair { "Combo6", "Select Kit" }, std::pair { "Combo5", "Resolution" } }) {
        SCOPED_TRACE(list);
        const QRect at = control(list)->geometry();
        const QRect caption = extentOf(
            face, QRect(at.left() - 8, at.top() - 20, at.width() + 16, 20) & face.rect(), [](QColor c) {
                return std::min({ c.red(), c.green(), c.blue() }) >= 200;
            });
        EXPECT_NEAR(caption.width(), QFontMetrics(font).tightBoundingRect(words).width(), 3) << words;
        EXPECT_THAT(caption.left() - at.left(), AllOf(Ge(0), Le(3)));
        EXPECT_THAT(at.top() - caption.bottom(), AllOf(Ge(2), Le(8)));
    }
}
#endif

// The maker's logo and its address are the light pixels around the hot spot: all of them lie
// under it, and they fill most of it. Image1's frame is the drawn white square.
TEST_F(Form1Test, Image3CoversTheDrawnMakersLogoAndImage1LiesOnTheDrawnWhiteSquare)
{
    const QImage face = pictures::background().toImage();
    const QRect hotSpot = control("Image3")->geometry();
    const QRect logo = extentOf(
        face, hotSpot.adjusted(-8, -8, 8, 8) & face.rect(), [](QColor c) { return c.lightness() >= 150; });
    EXPECT_TRUE(hotSpot.contains(logo));
    EXPECT_GT(logo.width(), hotSpot.width() * 6 / 10);
    EXPECT_GT(logo.height(), hotSpot.height() * 6 / 10);
    const QRect box = control("Image1")->geometry().adjusted(-1, -1, 1, 1);
    for (const QPoint corner : { box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight() })
        EXPECT_EQ(face.pixelColor(corner), QColor(Qt::white)) << corner.x() << "," << corner.y();
}

TEST_F(Form1Test, OnlyTheFaceControlsLieOnTheFace)
{
    const QRegularExpression onTheFace("^(Combo[356]|Image[13]|PictureButton\\d+)$");
    const QRect face({ 0, 0 }, kFormSize);
    for (const ControlPlace& place : formLayout()) {
        const QRect at = control(place.name)->geometry();
        EXPECT_TRUE(onTheFace.match(place.name).hasMatch() ? face.contains(at) : !face.intersects(at))
            << place.name;
    }
}

TEST_F(Form1Test, EveryOtherCloseSavesThreeTimesAndIsNeverRefused)
{
    showActive();
    EXPECT_TRUE(m_form->close());
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(saves(), 2);
    m_form.reset();
    EXPECT_EQ(saves(), 3);
    EXPECT_FALSE(m_ended);
}

constexpr Qt::Key byClick = Qt::Key(0);

// A click on a control, or a key on it with the focus, and all that follows. A key on an image
// button is its click (PictureButton's own tests); on a push button Enter needs the auto-default.
struct Activation : test::Labelled
{
    const char* control;
    Qt::Key key;
    bool minimised;
    Matcher<std::vector<std::string>> events;
    int saves;
};

using Activating = CasesOf<Form1Test, Activation>;

// An action that ends the window ends it after its message and its one save, without the close
// handlers' saves; no action touches the choices.
TEST_P(Activating, DoesItsOwnWorkAndNothingElse)
{
    const Activation& c = GetParam();
    showActive();
    control<ListCombo>("Combo5")->setText("800x600x32");
    control<QLabel>("Label11")->setText("2");
    if (c.key == byClick) {
        QTest::mouseClick(control(c.control), Qt::LeftButton);
    } else {
        control(c.control)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), c.key);
    }
    EXPECT_EQ(bool(m_form->windowState() & Qt::WindowMinimized), c.minimised);
    EXPECT_THAT(m_log.events, c.events);
    EXPECT_EQ(m_settings.options("Tavorin").size(), c.saves > 0 ? 15 : 0);
    EXPECT_EQ(control<ListCombo>("Combo5")->Text(), "800x600x32");
    EXPECT_EQ(control<QLabel>("Label11")->text(), "2");
    if (m_ended)
        m_form.reset();
    EXPECT_EQ(saves(), c.saves);
}

const std::string kWebPage = std::string("open ") + branding::kWebAddress;
const std::string kCredits = std::string("information: ") + branding::kCreditsLine;

// An error its handler does not trap: one message with the error's number and these texts, then the end.
Matcher<std::vector<std::string>> untrapped(const Matcher<const std::string&>& texts)
{
    return ElementsAre(AllOf(StartsWith("critical: "), HasSubstr("53"), texts), "end 1");
}

// clang-format off
// name, control, key | minimised, what is shown, opened and ended, saves
INSTANTIATE_TEST_SUITE_P(Controls, Activating, ::testing::Values(
    Activation { "MinimiseByClick",    "PictureButton1",  byClick,       true,  IsEmpty(), 0 },
    Activation { "ExitByClick",        "PictureButton2",  byClick,       false, ElementsAre("end 0"), 1 },
    Activation { "CreditsByClick",     "PictureButton15", byClick,       false, ElementsAre(kCredits), 0 },
    Activation { "MakersLogoByClick",  "PictureButton16", byClick,       false, ElementsAre(kWebPage), 0 },
    Activation { "HotSpotByClick",     "Image3",          byClick,       false, ElementsAre(kWebPage), 0 },
    Activation { "SaveByEnter",        "Command1",        Qt::Key_Enter, false, ElementsAre("information: Settings Saved!"), 1 },
    // The game folder holds no camera.efx: the run saves first, then reports and ends.
    Activation { "FailedCameraRun",    "PictureButton3",  byClick,       false, untrapped(HasSubstr("camera.efx")), 1 },
    Activation { "PlayWithoutTheGame", "Command2",        Qt::Key_Space, false, untrapped(AllOf(HasSubstr("starting the game"), HasSubstr("fifa2005.exe"))), 0 }),
    test::byLabel);
// clang-format on

// Offscreen there is no window manager to move the window, so the manual drag runs. A press on a
// control is left to it, even on the logo box, which passes its presses on to the window.
TEST_F(Form1Test, OnlyALeftPressOnTheFaceDragsTheWindow)
{
    showActive();
    for (const auto& [at, button, drags] : { std::tuple { QPoint(10, 230), Qt::LeftButton, true },
             std::tuple { QPoint(10, 230), Qt::RightButton, false },
             std::tuple { QPoint(100, 200), Qt::LeftButton, false } }) {
        const QPoint start = m_form->pos();
        QWidget* target = m_form->childAt(at) ? m_form->childAt(at) : m_form.get();
        const QPoint local = target->mapFrom(m_form.get(), at);
        QTest::mousePress(target, button, {}, local);
        QTest::mouseMove(target, local + QPoint(30, 20));
        QTest::mouseRelease(target, button, {}, local + QPoint(30, 20));
        EXPECT_EQ(m_form->pos(), drags ? start + QPoint(30, 20) : start)
            << target->objectName().toStdString();
    }
}

// The window driven as a user drives it: picks from the lists by keyboard, check boxes ticked
// with Space. Each value of the match differs from every other, so two crossed wires change the
// line; each camera row has files of its own bytes.
class WiredForm : public Form1Test
{
protected:
    WiredForm()
        : Form1Test(std::make_unique<RecordingPlatform>())
    {
        for (const CameraScene& scene : cameraScenes())
            for (const QString& name : { scene.cameraFile, scene.sideFile })
                m_game.write(name, name.toLatin1());
        m_game.write("dress0.big", "archive");
        m_game.write("data/cmn/be/fifa00.bin", "the game's own");
        showActive();
    }

    RecordingPlatform& platform() const { return static_cast<RecordingPlatform&>(*m_platform); }

    void press(const char* name, Qt::Key key, int times = 1)
    {
        control(name)->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), key);
    }
};

// Arsenal (11) at home in the Home kit (33) against Aston Villa (22) in the Away kit (44), in the
// first stadium (every stadium is 0), at 800x600x32; Play once windowed without audio, once the
// other way round, then a camera. A box is off after a tick and an untick, so its handler has
// written its label either way.
TEST_F(WiredForm, EveryPickReachesItsOwnKeyOfTheGamesAndTheScenesLines)
{
    press("Combo3", Qt::Key_Down);
    press("Combo4", Qt::Key_Down, 2);
    press("Combo6", Qt::Key_Down);
    press("Combo7", Qt::Key_Down, 2);
    press("Combo2", Qt::Key_Down);
    press("Combo5", Qt::Key_Down, 4);
    press("Check1", Qt::Key_Space);
    press("Check2", Qt::Key_Space, 2);
    press("Command2", Qt::Key_Space);
    press("Check1", Qt::Key_Space);
    press("Check2", Qt::Key_Space);
    press("Command2", Qt::Key_Space);
    press("PictureButton3", Qt::Key_Space);
    EXPECT_EQ(platform().started,
        (QStringList { "fifa2005.exe -skip_fe=1 windowed=1 home_team=11 HOME_TEAM_KIT=33 AWAY_TEAM_KIT=44 "
                       "away_team=22 STADIUM_MODEL=0 resolution=800x600x32 audio=0",
            "fifa2005.exe -skip_fe=1  home_team=11 HOME_TEAM_KIT=33 AWAY_TEAM_KIT=44 away_team=22 "
            "STADIUM_MODEL=0 resolution=800x600x32 audio=1",
            "TVR2005.exe -windowed=1 skip_fe HOME_TEAM_KIT=33 AWAY_TEAM_KIT=1 home_team=11 away_team=47 "
            "STADIUM_MODEL=92  audio=0 resolution=800x600x32" }));
}

// A row is told by its camera file, which the import is given, and its side file, which is staged.
TEST_F(WiredForm, EveryCameraButtonRunsItsOwnRow)
{
    for (int row = 0; row < 12; ++row) {
        const QString button = QStringLiteral("PictureButton%1").arg(row + 3);
        SCOPED_TRACE(button.toStdString());
        QTest::mouseClick(control(button), Qt::LeftButton);
        EXPECT_EQ(platform().lastScript, cameraScenes()[row].cameraFile.toLatin1());
        EXPECT_EQ(m_game.read("data/cmn/be/fifa00.bin"), cameraScenes()[row].sideFile.toLatin1());
    }
    EXPECT_THAT(m_log.events, IsEmpty());
}

} // namespace
