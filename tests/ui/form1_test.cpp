#include "support/TempFolder.h"

#include "controls/PictureButton.h"
#include "launch/Platform.h"
#include "setup/ListCombo.h"
#include "setup/OptionsStore.h"
#include "ui/Branding.h"
#include "ui/Dialogs.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

struct Shown
{
    QString kind;
    QString text;
    bool operator==(const Shown&) const = default;
};

class RecordingDialogs final : public Dialogs
{
public:
    void information(QWidget*, const QString& text) override { shown.push_back({ "information", text }); }
    void warning(QWidget*, const QString& text) override { shown.push_back({ "warning", text }); }
    void critical(QWidget*, const QString& text) override { shown.push_back({ "critical", text }); }
    std::vector<Shown> shown;
};

class Form1Test : public ::testing::Test
{
protected:
    Form1Test()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        m_game.write("teams.ini", "\"Arsenal\",1\r\n\"Aston Villa\",2\r\n\"Chelsea\",5\r\n");
        m_game.write("kits.ini", "\"Home\",0\r\n\"Away\",1\r\n");
        m_store = std::make_unique<SettingsStore>(
            [this](const QString& message) { m_dialogs.warning(nullptr, message); },
            [this] {
                ++m_nameReads;
                return QStringLiteral("Tavorin");
            });
        FormServices services;
        services.store = m_store.get();
        services.dialogs = &m_dialogs;
        services.programFolder = m_game.path();
        services.platform = makeHostPlatform(m_game.path());
        services.end = [this](int exitCode) { m_endedWith.push_back(exitCode); };
        services.openUrl = [this](const QUrl& url) { m_opened.push_back(url); };
        m_form = std::make_unique<Form1>(std::move(services));
        m_form->Form_Load();
        m_nameReads = 0;
    }

    template <typename T = QWidget> T* control(const char* name) const
    {
        auto* widget = m_form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Every save reads the application name afresh for each of its fifteen entries.
    int saves() const { return m_nameReads / 15; }

    void click(const char* pictureButton) { QTest::mouseClick(control(pictureButton), Qt::LeftButton); }

    void showActive()
    {
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    }

    // The control that has the keyboard focus, by name (an editable list's field counts as the list).
    QString focusedControl() const
    {
        QWidget* focused = QApplication::focusWidget();
        if (qobject_cast<QLineEdit*>(focused) && qobject_cast<QComboBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        return focused ? focused->objectName() : QString();
    }

    TempFolder m_config;
    TempFolder m_game;
    RecordingDialogs m_dialogs;
    std::unique_ptr<SettingsStore> m_store;
    int m_nameReads = 0;
    std::vector<int> m_endedWith;
    std::vector<QUrl> m_opened;
    std::unique_ptr<Form1> m_form;
};

TEST_F(Form1Test, IsABorderlessFixedWindowWithItsCaption)
{
    EXPECT_EQ(m_form->windowTitle(), "Tavorin 2005");
    EXPECT_TRUE(m_form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(m_form->minimumSize(), QSize(430, 449));
    EXPECT_EQ(m_form->maximumSize(), QSize(430, 449));
    EXPECT_FALSE(m_form->windowIcon().isNull());
}

TEST_F(Form1Test, TabWalksTheFocusableControlsInLayoutOrderFromCombo1)
{
    showActive();
    const QStringList expected { "Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Check1", "Command1",
        "Command2", "Combo6", "Combo7", "Check2", "Combo1" };
    QStringList visited { focusedControl() };
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusedControl();
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(Form1Test, OutsideControlsKeepTheirDesignTimeLook)
{
    EXPECT_EQ(control<QLabel>("Label3")->text(), "Stadium ID:");
    EXPECT_EQ(control<QComboBox>("Combo1")->count(), 27);
    EXPECT_FALSE(control<QComboBox>("Combo1")->isEditable());
    EXPECT_EQ(control<QPushButton>("Command2")->size(), QSize(153, 33));
    EXPECT_EQ(control<QPushButton>("Command2")->iconSize(), QSize(154, 33));
}

class SaveButtonKeys : public Form1Test, public ::testing::WithParamInterface<Qt::Key>
{
};

TEST_P(SaveButtonKeys, SaveThenSaySo)
{
    showActive();
    control("Command1")->setFocus();
    QTest::keyClick(control("Command1"), GetParam());
    EXPECT_EQ(saves(), 1);
    EXPECT_TRUE(QFile::exists(SettingsStore::locationFor("Tavorin")));
    EXPECT_EQ(m_dialogs.shown, (std::vector<Shown> { { "information", "Settings Saved!" } }));
}

INSTANTIATE_TEST_SUITE_P(Keys, SaveButtonKeys, ::testing::Values(Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter));

TEST_F(Form1Test, ExitSavesOnceAndEndsWithoutTheCloseHandlers)
{
    click("PictureButton2");
    EXPECT_EQ(m_endedWith, std::vector<int> { 0 });
    m_form.reset();
    EXPECT_EQ(saves(), 1);
}

TEST_F(Form1Test, EveryOtherCloseSavesThreeTimesAndIsNeverRefused)
{
    showActive();
    control<QLabel>("Label7")->setText("5");
    EXPECT_TRUE(m_form->close());
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(saves(), 2);
    m_form.reset();
    EXPECT_EQ(saves(), 3);
    EXPECT_TRUE(m_endedWith.empty());
    EXPECT_EQ(SettingsStore([](const QString&) {}, [] { return QStringLiteral("Tavorin"); })
                  .GetSetting("Tavorin", "Options", "label7.caption", "missing"),
        "5");
}

TEST_F(Form1Test, CreditsShowOneInformationLine)
{
    click("PictureButton15");
    EXPECT_EQ(m_dialogs.shown, (std::vector<Shown> { { "information", branding::kCreditsLine } }));
    EXPECT_FALSE(QString(branding::kCreditsLine).contains('\n'));
}

TEST_F(Form1Test, MakersLogoAndHotSpotOpenTheSameAddress)
{
    click("PictureButton16");
    click("Image3");
    EXPECT_EQ(m_opened, (std::vector<QUrl> { QUrl(branding::kWebAddress), QUrl(branding::kWebAddress) }));
    EXPECT_EQ(saves(), 0);
}

TEST_F(Form1Test, MinimisingTouchesNothingElse)
{
    showActive();
    control<ListCombo>("Combo5")->setText("800x600x32");
    control<QLabel>("Label11")->setText("2");
    click("PictureButton1");
    EXPECT_TRUE(m_form->windowState() & Qt::WindowMinimized);
    m_form->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(control<ListCombo>("Combo5")->Text(), "800x600x32");
    EXPECT_EQ(control<QLabel>("Label11")->text(), "2");
    EXPECT_EQ(saves(), 0);
}

TEST_F(Form1Test, AFailedCameraRunSavesFirstThenReportsAndEnds)
{
    click("PictureButton3"); // the game folder holds no camera.efx
    EXPECT_EQ(saves(), 1);
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].kind, "critical");
    EXPECT_TRUE(m_dialogs.shown[0].text.contains("53")) << m_dialogs.shown[0].text.toStdString();
    EXPECT_TRUE(m_dialogs.shown[0].text.contains("camera.efx"));
    EXPECT_EQ(m_endedWith, std::vector<int> { 1 });
    EXPECT_FALSE(m_game.exists("script_single_front.viv"));
}

TEST_F(Form1Test, AMissingGameIsReportedByPlay)
{
    QTest::keyClick(control("Command2"), Qt::Key_Space);
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.contains("fifa2005.exe")) << m_dialogs.shown[0].text.toStdString();
    EXPECT_EQ(saves(), 0);
}

struct PressCase
{
    const char* name;
    Qt::MouseButton button;
    QPoint at;
    bool drags;
};

class SurfacePress : public Form1Test, public ::testing::WithParamInterface<PressCase>
{
};

// Offscreen there is no window manager to move the window, so the manual drag runs.
TEST_P(SurfacePress, OnlyALeftPressOnTheFaceDragsTheWindow)
{
    const PressCase& press = GetParam();
    showActive();
    const QPoint start = m_form->pos();
    QWidget* target = m_form->childAt(press.at) ? m_form->childAt(press.at) : m_form.get();
    const QPoint local = target->mapFrom(m_form.get(), press.at);
    QTest::mousePress(target, press.button, {}, local);
    QMouseEvent move(QEvent::MouseMove, QPointF(local + QPoint(30, 20)),
        QPointF(target->mapToGlobal(local + QPoint(30, 20))), Qt::NoButton, press.button, {});
    QApplication::sendEvent(target, &move);
    QTest::mouseRelease(target, press.button, {}, local + QPoint(30, 20));
    EXPECT_EQ(m_form->pos(), press.drags ? start + QPoint(30, 20) : start);
}

INSTANTIATE_TEST_SUITE_P(Presses, SurfacePress,
    ::testing::Values(PressCase { "LeftOnFace", Qt::LeftButton, { 10, 230 }, true },
        PressCase { "RightOnFace", Qt::RightButton, { 10, 230 }, false },
        PressCase { "MiddleOnFace", Qt::MiddleButton, { 10, 230 }, false },
        PressCase { "LeftOnLogoBox", Qt::LeftButton, { 100, 200 }, false },
        PressCase { "LeftOnCamera", Qt::LeftButton, { 30, 320 }, false }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
