#include "controls/PictureButton.h"
#include "controls/PointerReport.h"
#include "controls/PropertyBag.h"

#include "support/CasesOf.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

Picture solid(QSize size, QColor colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return std::make_shared<const PictureData>(std::move(pixmap));
}

class PaintCounter final : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// NoHover, UndecodableHover: idle, with no hover picture or with bytes that are no picture. The phases
// from Hovering on begin with a plain move onto the button. Dragged: hovering, then moved over with the
// left button held. DoubleClicked: hovering, then the toolkit's press, release and double click.
enum class Phase { Idle, NoHover, UndecodableHover, Hovering, Down, RightDown, Dragged, DoubleClicked };
// SetIdle, SetHover, SetDown: setPicture, setPictureHover, setPictureDown with a new picture.
enum class Input { Move, Press, Release, DoubleClick, Tick, Resize, SetIdle, SetHover, SetDown };

class PictureButtonTest : public ::testing::Test
{
protected:
    // Each state's picture has its own size and colour, so the size and the surface tell which one shows;
    // a setter's case puts the replacement in the place of one.
    Picture m_idle = solid({ 20, 10 }, Qt::red);
    Picture m_hover = solid({ 30, 16 }, Qt::green);
    Picture m_down = solid({ 24, 24 }, Qt::blue);
    const Picture m_replacement = solid({ 40, 8 }, Qt::yellow);
    // Every event the button raised since the set-up, in order; PropertyChanged with the property's name.
    QStringList m_events;
    QWidget m_window;
    PictureButton* m_button = new PictureButton(&m_window);
    PaintCounter m_paintCounter;
    bool m_pointerOver = true;

    void SetUp() override
    {
        m_button->setPointerProbe([this] { return m_pointerOver; });
        m_button->setPicture(m_idle);
        m_button->setPictureHover(m_hover);
        m_button->setPictureDown(m_down);
        // A background of the button's own, so that a surface left uncleared shows the window's through.
        m_button->setPalette(QPalette(Qt::magenta, Qt::magenta));
        m_window.resize(200, 200);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_button->installEventFilter(&m_paintCounter);
        settle();
        const auto record = [this](auto signal, const char* name) {
            QObject::connect(m_button, signal, [this, name] { m_events << name; });
        };
        record(&PictureButton::Click, "Click");
        record(&PictureButton::DblClick, "DblClick");
        record(&PictureButton::MouseMove, "MouseMove");
        record(&PictureButton::MouseUp, "MouseUp");
        record(&PictureButton::MouseDown, "MouseDown");
        record(&PictureButton::MouseEnter, "MouseEnter");
        record(&PictureButton::MouseLeave, "MouseLeave");
        QObject::connect(m_button, &PictureButton::PropertyChanged,
            [this](const QString& name) { m_events << "PropertyChanged " + name; });
    }

    // Delivers pending repaints without letting Timer1 tick.
    static void settle() { QCoreApplication::sendPostedEvents(); }

    QPointF where() const { return m_pointerOver ? QPointF(5, 5) : QPointF(150, 150); }

    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, where(), m_button->mapToGlobal(where()), button, held, Qt::NoModifier);
        QApplication::sendEvent(m_button, &event);
    }
    void move(Qt::MouseButtons held) { send(QEvent::MouseMove, Qt::NoButton, held); }
    void press(Qt::MouseButton button) { send(QEvent::MouseButtonPress, button, button); }
    void release(Qt::MouseButton button) { send(QEvent::MouseButtonRelease, button, Qt::NoButton); }

    QTimer* timer1() const { return m_button->findChild<QTimer*>("Timer1"); }
    void tick() const { QMetaObject::invokeMethod(timer1(), "timeout"); }
};

struct Transition : test::Labelled
{
    Phase start;
    Input input;
    Qt::MouseButtons buttons;
    bool over;
    short state;
    bool redraw, timer, hovering;
    QStringList events;
};

class StateTable : public CasesOf<PictureButtonTest, Transition>
{
protected:
    void arrange(Phase phase)
    {
        // The rows tick Timer1 themselves: at its own 1 ms, anything that pumps Windows messages
        // under Wine (a paint, a grab) would let it tick between a row's input and its checks.
        timer1()->setInterval(std::chrono::hours(1));
        if (phase == Phase::NoHover)
            m_button->setPictureHover(m_hover = nullptr);
        if (phase == Phase::UndecodableHover)
            m_button->setPictureHover(m_hover = std::make_shared<const PictureData>("no picture", "bmp"));
        if (phase >= Phase::Hovering)
            move(Qt::NoButton);
        if (phase == Phase::Down || phase == Phase::DoubleClicked)
            press(Qt::LeftButton);
        if (phase == Phase::DoubleClicked) {
            release(Qt::LeftButton);
            send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
        }
        if (phase == Phase::RightDown)
            press(Qt::RightButton);
        if (phase == Phase::Dragged)
            move(Qt::LeftButton);
        settle();
        m_events.clear();
    }

    void apply(const Transition& row)
    {
        const auto button = Qt::MouseButton(row.buttons.toInt());
        switch (row.input) {
        case Input::Move:
            return move(row.buttons);
        case Input::Press:
            return press(button);
        case Input::Release:
            return release(button);
        case Input::DoubleClick:
            return send(QEvent::MouseButtonDblClick, button, button);
        case Input::Tick:
            return tick();
        case Input::Resize:
            return m_button->resize(100, 100);
        case Input::SetIdle:
            return m_button->setPicture(m_idle = m_replacement);
        case Input::SetHover:
            return m_button->setPictureHover(m_hover = m_replacement);
        case Input::SetDown:
            return m_button->setPictureDown(m_down = m_replacement);
        }
    }
};

TEST_P(StateTable, GivesStateRedrawAndEvents)
{
    const Transition& row = GetParam();
    arrange(row.start);
    m_paintCounter.paints = 0;
    m_pointerOver = row.over;
    const QSize before = m_button->size();

    apply(row);
    settle();

    EXPECT_EQ(m_button->State(), row.state);
    EXPECT_EQ(m_paintCounter.paints > 0, row.redraw);
    EXPECT_EQ(timer1()->isActive(), row.timer);
    EXPECT_EQ(m_button->Hovering(), row.hovering);
    EXPECT_EQ(m_events, row.events);
    EXPECT_EQ(m_button->picture(), m_idle);
    EXPECT_EQ(m_button->pictureHover(), m_hover);
    EXPECT_EQ(m_button->pictureDown(), m_down);
    // A state without a picture keeps the button's size and clears its surface to its own background.
    const Picture& shown = row.state == 1 ? m_hover : row.state == 2 ? m_down : m_idle;
    const bool drawn = shown && !shown->isNull();
    EXPECT_EQ(m_button->size(), drawn ? shown->size() : before);
    EXPECT_EQ(m_window.grab().toImage().pixelColor(m_button->pos()),
        drawn ? shown->pixmap().toImage().pixelColor(0, 0) : m_button->palette().color(QPalette::Window));
}

constexpr Qt::MouseButtons none = Qt::NoButton, left = Qt::LeftButton, right = Qt::RightButton,
                           middle = Qt::MiddleButton;
using enum Phase;
constexpr bool over = true, off = false;

// clang-format off
// name, start, input, buttons, pointer | State, redraw, Timer1 on, Hovering, events raised
INSTANTIATE_TEST_SUITE_P(PictureButton, StateTable, ::testing::Values(
    Transition { "MoveRightHeldIgnored",                 Hovering,         Input::Move,        right,        over, 1, false, true,  true,  { "MouseMove" } },
    Transition { "MoveMiddleHeldIgnored",                Idle,             Input::Move,        middle,       over, 0, false, false, false, { "MouseMove" } },
    Transition { "MoveLeftAndRightHeldIgnored",          Down,             Input::Move,        left | right, over, 2, false, true,  true,  { "MouseMove" } },
    Transition { "PlainMoveOff",                         Hovering,         Input::Move,        none,         off,  0, true,  true,  false, { "MouseMove" } },
    Transition { "DragOffShowsIdleWithoutLeave",         Down,             Input::Move,        left,         off,  0, true,  true,  false, { "MouseMove" } },
    Transition { "PlainMoveOntoIdleEnters",              Idle,             Input::Move,        none,         over, 1, true,  true,  true,  { "MouseMove", "MouseEnter" } },
    Transition { "PlainMoveOntoNoHoverPicture",          NoHover,          Input::Move,        none,         over, 1, true,  true,  true,  { "MouseMove", "MouseEnter" } },
    Transition { "PlainMoveOntoUndecodableHoverPicture", UndecodableHover, Input::Move,        none,         over, 1, true,  true,  true,  { "MouseMove", "MouseEnter" } },
    Transition { "PlainMoveWhileHovering",               Hovering,         Input::Move,        none,         over, 1, false, true,  true,  { "MouseMove" } },
    Transition { "MoveLeftHeldOver",                     Down,             Input::Move,        left,         over, 2, true,  true,  false, { "MouseMove" } },
    Transition { "LeftDragClearsHovering",               Hovering,         Input::Move,        left,         over, 2, true,  true,  false, { "MouseMove" } },
    Transition { "PlainMoveAfterDragEntersAgain",        Dragged,          Input::Move,        none,         over, 1, true,  true,  true,  { "MouseMove", "MouseEnter" } },
    Transition { "LeftPress",                            Hovering,         Input::Press,       left,         over, 2, true,  true,  true,  { "MouseDown" } },
    Transition { "RightPress",                           Hovering,         Input::Press,       right,        over, 1, false, true,  true,  { "MouseDown" } },
    Transition { "MiddlePress",                          Idle,             Input::Press,       middle,       over, 0, false, false, false, { "MouseDown" } },
    Transition { "LeftReleaseOverClicks",                Down,             Input::Release,     left,         over, 1, true,  true,  true,  { "MouseUp", "Click" } },
    Transition { "RightReleaseOverIsNoClick",            RightDown,        Input::Release,     right,        over, 1, true,  true,  true,  { "MouseUp" } },
    Transition { "ReleaseOffIsNoClick",                  Down,             Input::Release,     left,         off,  0, true,  true,  true,  { "MouseUp" } },
    Transition { "DoubleClickShowsNoPressed",            Hovering,         Input::DoubleClick, left,         over, 1, false, true,  true,  { "DblClick" } },
    Transition { "ReleaseAfterDoubleClickIsNoClick",     DoubleClicked,    Input::Release,     left,         over, 1, true,  true,  true,  { "MouseUp" } },
    Transition { "TickOver",                             Hovering,         Input::Tick,        none,         over, 1, false, true,  true,  {} },
    Transition { "TickOffLeaves",                        Hovering,         Input::Tick,        none,         off,  0, true,  false, false, { "MouseLeave" } },
    Transition { "TickAfterDragOffLeaves",               Down,             Input::Tick,        none,         off,  0, true,  false, false, { "MouseLeave" } },
    Transition { "ResizeSnapsBack",                      Down,             Input::Resize,      none,         over, 2, true,  true,  true,  {} },
    Transition { "SettingPictureRedrawsTheHover",        Hovering,         Input::SetIdle,     none,         over, 1, true,  true,  true,  { "PropertyChanged Picture" } },
    Transition { "SettingPictureHoverShowsIt",           Hovering,         Input::SetHover,    none,         over, 1, true,  true,  true,  { "PropertyChanged PictureHover" } },
    Transition { "SettingPictureDownRedrawsTheHover",    Hovering,         Input::SetDown,     none,         over, 1, true,  true,  true,  { "PropertyChanged PictureDown" } }),
    test::byLabel);
// clang-format on

// While the left button is held the toolkit keeps calling the pressed button the one under the
// pointer, even dragged off it: with the toolkit's own answer the button must still see it go.
TEST_F(PictureButtonTest, DraggedOffWithTheToolkitsOwnAnswerShowsIdleAndLeaves)
{
    m_button->setPointerProbe(nullptr);
    QWindow* window = m_window.windowHandle();
    QTest::mouseMove(window, QPoint(5, 5));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(m_button->State(), 2);
    QTest::mouseMove(window, QPoint(150, 150));
    EXPECT_EQ(m_button->State(), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_events.contains("MouseLeave"); }));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(150, 150));
    EXPECT_FALSE(m_events.contains("Click"));
}

// The control acts on Button as the container's handler left it.
TEST_F(PictureButtonTest, HandlersThatChangeTheButtonChangeThePicture)
{
    QObject::connect(
        m_button, &PictureButton::MouseDown, [](short& button, short&, float&, float&) { button = 2; });
    QObject::connect(
        m_button, &PictureButton::MouseMove, [](short& button, short&, float&, float&) { button = 1; });
    press(Qt::LeftButton);
    EXPECT_EQ(m_button->State(), 0);
    move(Qt::NoButton);
    EXPECT_EQ(m_button->State(), 2);
    EXPECT_FALSE(m_button->Hovering());
}

// The keyboard: Tab brings the focus, a click does not take it, and keys raise Click alone.
class Keyboard : public PictureButtonTest
{
protected:
    QLineEdit* m_before = new QLineEdit(&m_window);

    void SetUp() override
    {
        PictureButtonTest::SetUp();
        m_before->move(100, 100);
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_before->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(m_before, Qt::Key_Tab);
        ASSERT_TRUE(m_button->hasFocus());
    }

    // The button as drawn at a device scale, with one logical pixel per scale x scale block.
    QImage drawn(int scale) const
    {
        QImage image(m_button->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        m_button->render(&image);
        return image;
    }
};

// The idle picture's two halves meet in its middle, where smoothing at 200 % would blend them.
TEST_F(Keyboard, TheMarkIsADottedRectangleOverTheCrispPictureOnlyWhileFocusedWhichAClickDoesNotBring)
{
    QPixmap halves(m_idle->size());
    halves.fill(Qt::red);
    QPainter(&halves).fillRect(0, 0, halves.width() / 2, halves.height(), Qt::blue);
    m_button->setPicture(std::make_shared<const PictureData>(halves));
    const QImage idle = halves.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage focused = drawn(1);
    const QRect ring = m_button->rect().adjusted(3, 3, -3, -3);
    for (int y = 0; y < idle.height(); ++y) {
        for (int x = 0; x < idle.width(); ++x) {
            const bool onRing = ring.contains(x, y) && !ring.adjusted(1, 1, -1, -1).contains(x, y);
            const QColor colour = focused.pixelColor(x, y);
            if (!onRing)
                ASSERT_EQ(colour, idle.pixelColor(x, y)) << x << "," << y << " lies off the mark";
            else if (x > ring.left() && y == ring.top())
                ASSERT_NE(colour, focused.pixelColor(x - 1, y)) << "dots alternate along the top, " << x;
            else
                ASSERT_TRUE(colour == Qt::black || colour == Qt::white) << x << "," << y;
        }
    }
    EXPECT_EQ(drawn(2), focused.scaled(focused.size() * 2)) << "at 200 % every pixel a block of four";

    m_before->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(5, 5)); // through the window, as the toolkit's own
    EXPECT_EQ(m_events.count("Click"), 1);
    EXPECT_TRUE(m_before->hasFocus()) << "a click leaves the focus where it was";
    EXPECT_EQ(drawn(1), m_hover->pixmap().toImage().convertToFormat(QImage::Format_RGB32))
        << "without the focus the picture alone";
}

enum class Step { Press, AutoRepeatPress, Release, AutoRepeatRelease, FocusLeaves };

struct KeyCase : test::Labelled
{
    Qt::Key key;
    std::vector<Step> steps;
    std::vector<int> clicksAfterEachStep;
};

using Keys = CasesOf<Keyboard, KeyCase>;

TEST_P(Keys, RaiseClickAloneWithoutTouchingStateOrPicture)
{
    const KeyCase& c = GetParam();
    move(Qt::NoButton); // hovering: a key must neither press the picture down nor let it go
    settle();
    m_events.clear();
    std::vector<int> clicksAfterEachStep;
    for (Step step : c.steps) {
        if (step == Step::FocusLeaves) {
            m_before->setFocus(Qt::TabFocusReason);
        } else {
            const bool down = step == Step::Press || step == Step::AutoRepeatPress;
            const bool repeated = step == Step::AutoRepeatPress || step == Step::AutoRepeatRelease;
            QKeyEvent event(
                down ? QEvent::KeyPress : QEvent::KeyRelease, c.key, Qt::NoModifier, {}, repeated);
            QApplication::sendEvent(m_button, &event);
        }
        clicksAfterEachStep.push_back(int(m_events.count("Click")));
    }
    settle();
    EXPECT_EQ(clicksAfterEachStep, c.clicksAfterEachStep);
    EXPECT_EQ(m_events, QStringList(c.clicksAfterEachStep.back(), "Click")) << "no other event";
    EXPECT_EQ(m_button->State(), 1);
}

using enum Step;
// clang-format off
INSTANTIATE_TEST_SUITE_P(PictureButton, Keys, ::testing::Values(
    KeyCase { "HeldSpaceClicksOnceAtTheEnd",   Qt::Key_Space,  { Press, AutoRepeatRelease, AutoRepeatPress, Release }, { 0, 0, 0, 1 } },
    KeyCase { "SpaceReleaseAloneDoesNothing",  Qt::Key_Space,  { Release }, { 0 } },
    KeyCase { "SpaceReleasedAfterFocusLeft",   Qt::Key_Space,  { Press, FocusLeaves, Release }, { 0, 0, 0 } },
    KeyCase { "KeypadEnterClicksOnPress",      Qt::Key_Enter,  { Press, Release }, { 1, 1 } },
    KeyCase { "HeldReturnClicksOnce",          Qt::Key_Return, { Press, AutoRepeatRelease, AutoRepeatPress, AutoRepeatRelease, AutoRepeatPress, Release }, { 1, 1, 1, 1, 1, 1 } },
    KeyCase { "OtherKeysDoNothing",            Qt::Key_A,      { Press, Release }, { 0, 0 } }),
    test::byLabel);
// clang-format on

TEST(PictureButtonProperties, ReadWithoutRedrawAndWrittenBackOnlyWhenSet)
{
    // Two objects alike but for their identity, which is what the button must keep.
    const Picture idle = std::make_shared<const PictureData>(QPixmap(3, 2));
    const Picture down = std::make_shared<const PictureData>(QPixmap(3, 2));
    PropertyBag stored;
    stored.WriteProperty("picture", idle, nullptr);
    stored.WriteProperty("picturedown", down, nullptr);

    PictureButton button;
    const QSize before = button.size();
    button.ReadProperties(stored);
    EXPECT_EQ(button.size(), before);

    PropertyBag saved;
    button.WriteProperties(saved);
    EXPECT_EQ(saved.ReadProperty("Picture", nullptr), idle);
    EXPECT_FALSE(saved.contains("PictureHover"));
    EXPECT_EQ(saved.ReadProperty("PictureDown", nullptr), down);

    // None written over a stored picture drops it: the bag reads back as none.
    button.InitProperties();
    button.WriteProperties(saved);
    EXPECT_FALSE(saved.contains("Picture") || saved.contains("PictureDown"));
}

struct PointerCase
{
    QEvent::Type type;
    Qt::MouseButton changed;
    Qt::MouseButtons held;
    Qt::KeyboardModifiers modifiers;
    short button, shift;
};

using PointerReports = testing::TestWithParam<PointerCase>;

TEST_P(PointerReports, CarryTheBitsOfButtonsAndShiftKeys)
{
    const PointerCase& c = GetParam();
    const QMouseEvent event(c.type, QPointF(2.5, 7), QPointF(102.5, 107), c.changed, c.held, c.modifiers);
    const PointerReport report
        = c.type == QEvent::MouseMove ? moveReport(event) : pressOrReleaseReport(event);
    EXPECT_EQ(report.Button, c.button);
    EXPECT_EQ(report.Shift, c.shift);
    EXPECT_FLOAT_EQ(report.X, 2.5f);
    EXPECT_FLOAT_EQ(report.Y, 7.0f);
}

// A move reports the buttons held, a press or release only the button that changed.
// clang-format off
INSTANTIATE_TEST_SUITE_P(PictureButton, PointerReports, ::testing::Values(
    PointerCase { QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier, 5, 1 },
    PointerCase { QEvent::MouseMove, Qt::NoButton, Qt::RightButton | Qt::BackButton, Qt::ControlModifier, 2, 2 },
    PointerCase { QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton, Qt::AltModifier, 2, 4 },
    PointerCase { QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton,
                  Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier, 4, 7 }));
// clang-format on

} // namespace
