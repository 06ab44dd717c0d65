#include "controls/PictureButton.h"

#include "support/CasesOf.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
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

enum class Phase { Idle, Hovering, Down };
enum class Input { Move, Press, Release, Tick, Resize };

class PictureButtonTest : public ::testing::Test
{
protected:
    // Each state's picture has its own size and colour, so the size and the surface tell which one shows.
    const Picture m_idle = solid({ 20, 10 }, Qt::red);
    const Picture m_hover = solid({ 30, 16 }, Qt::green);
    const Picture m_down = solid({ 24, 24 }, Qt::blue);
    QWidget m_window;
    PictureButton* m_button = new PictureButton(&m_window);
    PaintCounter m_paintCounter;
    bool m_pointerOver = true;
    int m_probeCalls = 0;

    void SetUp() override
    {
        m_button->setPointerProbe([this] {
            ++m_probeCalls;
            return m_pointerOver;
        });
        m_button->setPicture(m_idle);
        m_button->setPictureHover(m_hover);
        m_button->setPictureDown(m_down);
        m_window.resize(200, 200);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_button->installEventFilter(&m_paintCounter);
        settle();
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

    void waitForTick()
    {
        const int before = m_probeCalls;
        QElapsedTimer clock;
        clock.start();
        while (m_probeCalls == before && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }

    QTimer* timer1() const { return m_button->findChild<QTimer*>("Timer1"); }

    const Picture& pictureOf(short state) const
    {
        return state == 1 ? m_hover : state == 2 ? m_down : m_idle;
    }

    QColor shownColour() const { return m_button->grab().toImage().pixelColor(0, 0); }
};

struct Transition : test::Labelled
{
    Phase start;
    Input input;
    Qt::MouseButtons buttons;
    bool over;
    short state;
    bool redraw, timer, hovering, enter, leave;
};

class StateTable : public PictureButtonTest, public ::testing::WithParamInterface<Transition>
{
protected:
    void arrange(Phase phase)
    {
        if (phase != Phase::Idle)
            move(Qt::NoButton);
        if (phase == Phase::Down)
            press(Qt::LeftButton);
        settle();
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
        case Input::Tick:
            return waitForTick();
        case Input::Resize:
            return m_button->resize(100, 100);
        }
    }
};

TEST_P(StateTable, GivesStateRedrawAndSideEffects)
{
    const Transition& row = GetParam();
    arrange(row.start);
    QSignalSpy enters(m_button, &PictureButton::MouseEnter);
    QSignalSpy leaves(m_button, &PictureButton::MouseLeave);
    m_paintCounter.paints = 0;
    m_pointerOver = row.over;

    apply(row);
    settle();

    EXPECT_EQ(m_button->State(), row.state);
    EXPECT_EQ(m_paintCounter.paints > 0, row.redraw);
    EXPECT_EQ(timer1()->isActive(), row.timer);
    EXPECT_EQ(m_button->Hovering(), row.hovering);
    EXPECT_EQ(enters.count(), row.enter ? 1 : 0);
    EXPECT_EQ(leaves.count(), row.leave ? 1 : 0);
    EXPECT_EQ(m_button->size(), pictureOf(row.state)->size());
    EXPECT_EQ(shownColour(), pictureOf(row.state)->pixmap().toImage().pixelColor(0, 0));
}

constexpr Qt::MouseButtons none = Qt::NoButton, left = Qt::LeftButton, right = Qt::RightButton,
                           middle = Qt::MiddleButton;
constexpr Phase idle = Phase::Idle, hovering = Phase::Hovering, down = Phase::Down;
constexpr bool over = true, off = false;

// clang-format off
// name, start, input, buttons, pointer | State, redraw, Timer1 on, Hovering, MouseEnter, MouseLeave
INSTANTIATE_TEST_SUITE_P(PictureButton, StateTable, ::testing::Values(
    Transition { "MoveRightHeldIgnored",         hovering, Input::Move,    right,        over, 1, false, true,  true,  false, false },
    Transition { "MoveMiddleHeldIgnored",        idle,     Input::Move,    middle,       over, 0, false, false, false, false, false },
    Transition { "MoveLeftAndRightHeldIgnored",  down,     Input::Move,    left | right, over, 2, false, true,  true,  false, false },
    Transition { "PlainMoveOff",                 hovering, Input::Move,    none,         off,  0, true,  true,  false, false, false },
    Transition { "DragOffShowsIdleWithoutLeave", down,     Input::Move,    left,         off,  0, true,  true,  false, false, false },
    Transition { "PlainMoveOntoIdleEnters",      idle,     Input::Move,    none,         over, 1, true,  true,  true,  true,  false },
    Transition { "PlainMoveWhileHovering",       hovering, Input::Move,    none,         over, 1, false, true,  true,  false, false },
    Transition { "MoveLeftHeldOver",             down,     Input::Move,    left,         over, 2, true,  true,  false, false, false },
    Transition { "LeftPress",                    hovering, Input::Press,   left,         over, 2, true,  true,  true,  false, false },
    Transition { "RightPress",                   hovering, Input::Press,   right,        over, 1, false, true,  true,  false, false },
    Transition { "MiddlePress",                  idle,     Input::Press,   middle,       over, 0, false, false, false, false, false },
    Transition { "LeftReleaseOver",              down,     Input::Release, left,         over, 1, true,  true,  true,  false, false },
    Transition { "RightReleaseOver",             hovering, Input::Release, right,        over, 1, true,  true,  true,  false, false },
    Transition { "ReleaseOff",                   down,     Input::Release, left,         off,  0, true,  true,  true,  false, false },
    Transition { "TickOver",                     hovering, Input::Tick,    none,         over, 1, false, true,  true,  false, false },
    Transition { "TickOffLeaves",                hovering, Input::Tick,    none,         off,  0, true,  false, false, false, true  },
    Transition { "TickAfterDragOffLeaves",       down,     Input::Tick,    none,         off,  0, true,  false, false, false, true  },
    Transition { "ResizeSnapsBack",              down,     Input::Resize,  none,         over, 2, true,  true,  true,  false, false }),
    test::byLabel);
// clang-format on

TEST_F(PictureButtonTest, LeftDragClearsHoveringSoThePlainMoveAfterEntersAgain)
{
    QSignalSpy enters(m_button, &PictureButton::MouseEnter);
    move(Qt::NoButton);
    move(Qt::LeftButton);
    EXPECT_FALSE(m_button->Hovering());
    move(Qt::NoButton);
    EXPECT_EQ(enters.count(), 2);
    EXPECT_EQ(m_button->State(), 1);
}

TEST_F(PictureButtonTest, MouseDownHandlerThatChangesButtonChangesThePicture)
{
    QObject::connect(
        m_button, &PictureButton::MouseDown, [](short& button, short&, float&, float&) { button = 2; });
    press(Qt::LeftButton);
    EXPECT_EQ(m_button->State(), 0);
}

TEST_F(PictureButtonTest, MouseMoveHandlerThatChangesButtonChangesThePicture)
{
    QObject::connect(
        m_button, &PictureButton::MouseMove, [](short& button, short&, float&, float&) { button = 1; });
    move(Qt::NoButton);
    EXPECT_EQ(m_button->State(), 2);
    EXPECT_FALSE(m_button->Hovering());
}

TEST_F(PictureButtonTest, WithoutPicturesKeepsItsSizeClearsItsSurfaceAndStillRaisesEvents)
{
    PictureButton bare(&m_window);
    bare.setPointerProbe([] { return true; });
    bare.setGeometry(40, 40, 33, 22);
    bare.show();
    QSignalSpy enters(&bare, &PictureButton::MouseEnter);
    QSignalSpy moves(&bare, &PictureButton::MouseMove);
    QMouseEvent event(QEvent::MouseMove, QPointF(1, 1), QPointF(41, 41), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(&bare, &event);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(enters.count(), 1);
    EXPECT_EQ(bare.State(), 1);
    EXPECT_EQ(bare.size(), QSize(33, 22));
    EXPECT_EQ(bare.grab().toImage().pixelColor(0, 0), bare.palette().color(QPalette::Window));
}

// Bytes kept undecoded until the pointer first comes give the right picture then, or none.
class EncodedHoverPicture : public PictureButtonTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(EncodedHoverPicture, IsTheRightOneTheFirstTimeThePointerComes)
{
    const bool decodable = GetParam();
    QByteArray bytes = "no picture";
    QBuffer file(&bytes);
    QImage magenta(33, 14, QImage::Format_RGB32);
    magenta.fill(Qt::magenta);
    if (decodable) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && magenta.save(&file, "BMP"));
    }
    m_button->setPictureHover(std::make_shared<const PictureData>(bytes, "bmp"));
    move(Qt::NoButton);
    settle();
    EXPECT_EQ(m_button->size(), decodable ? magenta.size() : m_idle->size());
    EXPECT_EQ(shownColour(), decodable ? QColor(Qt::magenta) : m_button->palette().color(QPalette::Window));
}

INSTANTIATE_TEST_SUITE_P(PictureButton, EncodedHoverPicture, ::testing::Bool(),
    [](const auto& info) { return info.param ? "Decodable" : "NoPicture"; });

struct PictureProperty : test::Labelled
{
    // Plain functions, not member pointers: GCC's undefined-behaviour checker misreads
    // a call through a member pointer inside a test fixture as a null access.
    void (*set)(PictureButton&, const Picture&);
    Picture (*get)(const PictureButton&);
};

using SettingAPicture = CasesOf<PictureButtonTest, PictureProperty>;

TEST_P(SettingAPicture, KeepsTheObjectRedrawsTheCurrentStateAndTellsTheContainer)
{
    move(Qt::NoButton);
    settle();
    const PictureProperty& property = GetParam();
    const Picture replacement = solid({ 40, 8 }, Qt::yellow);
    QSignalSpy changes(m_button, &PictureButton::PropertyChanged);
    m_paintCounter.paints = 0;

    property.set(*m_button, replacement);
    settle();

    EXPECT_EQ(property.get(*m_button), replacement);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), property.label);
    EXPECT_GT(m_paintCounter.paints, 0);
    EXPECT_EQ(m_button->size(), m_button->pictureHover()->size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PictureButton, SettingAPicture, ::testing::Values(
    PictureProperty { "Picture",
        [](PictureButton& b, const Picture& p) { b.setPicture(p); }, [](const PictureButton& b) { return b.picture(); } },
    PictureProperty { "PictureHover",
        [](PictureButton& b, const Picture& p) { b.setPictureHover(p); }, [](const PictureButton& b) { return b.pictureHover(); } },
    PictureProperty { "PictureDown",
        [](PictureButton& b, const Picture& p) { b.setPictureDown(p); }, [](const PictureButton& b) { return b.pictureDown(); } }),
    test::byLabel);
// clang-format on

struct ClickCase : test::Labelled
{
    Qt::MouseButton button;
    bool releaseOver, doubleClick;
    int clicks, doubleClicks;
};

using Clicking = CasesOf<PictureButtonTest, ClickCase>;

TEST_P(Clicking, FollowsTheToolkitsRule)
{
    const ClickCase& c = GetParam();
    QSignalSpy clicks(m_button, &PictureButton::Click);
    QSignalSpy doubleClicks(m_button, &PictureButton::DblClick);
    move(Qt::NoButton);
    press(c.button);
    m_pointerOver = c.releaseOver;
    release(c.button);
    if (c.doubleClick) {
        send(QEvent::MouseButtonDblClick, c.button, c.button);
        EXPECT_EQ(m_button->State(), 1) << "a double click shows no pressed picture";
        release(c.button);
    }
    EXPECT_EQ(clicks.count(), c.clicks);
    EXPECT_EQ(doubleClicks.count(), c.doubleClicks);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PictureButton, Clicking, ::testing::Values(
    ClickCase { "LeftPressAndReleaseOver", Qt::LeftButton,  true,  false, 1, 0 },
    ClickCase { "ReleasedOff",             Qt::LeftButton,  false, false, 0, 0 },
    ClickCase { "RightButton",             Qt::RightButton, true,  false, 0, 0 },
    ClickCase { "DoubleClick",             Qt::LeftButton,  true,  true,  1, 1 }),
    test::byLabel);
// clang-format on

TEST(PictureButtonScaling, DrawsPixelArtWithHardEdgesAtTwiceTheSize)
{
    QImage checker(2, 1, QImage::Format_RGB32);
    checker.setPixelColor(0, 0, Qt::black);
    checker.setPixelColor(1, 0, Qt::white);
    PictureButton button;
    button.setPicture(std::make_shared<const PictureData>(QPixmap::fromImage(checker)));
    QImage doubled(4, 2, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2);
    button.render(&doubled);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(doubled.pixelColor(x, 1), x < 2 ? QColor(Qt::black) : QColor(Qt::white)) << "column " << x;
}

} // namespace
