#include "controls/PictureButton.h"
#include "controls/PointerReport.h"
#include "controls/PropertyBag.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

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
