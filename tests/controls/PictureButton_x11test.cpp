#include "controls/PictureButton.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

// Only a real window system maps one window over another: the X server tells the window under a
// still pointer that the pointer has left it, and the button must take that for leaving.
TEST(RealPointer, AWindowMappedOverAStillPointerCountsAsLeaving)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    QWidget window;
    PictureButton* button = new PictureButton(&window);
    QSignalSpy enters(button, &PictureButton::MouseEnter);
    QSignalSpy leaves(button, &PictureButton::MouseLeave);
    button->move(40, 40);
    window.setGeometry(100, 100, 300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(window.mapToGlobal(QPoint(250, 150)));
    QTest::qWait(200); // the window manager's placement and the pointer warp settle
    const QPoint onButton = button->mapToGlobal(QPoint(10, 10));
    QCursor::setPos(onButton);
    ASSERT_TRUE(enters.wait(3000));
    QTest::qWait(100);
    ASSERT_EQ(leaves.count(), 0) << "ticks under a still pointer change nothing";

    QWidget cover(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    cover.setGeometry(QRect(onButton - QPoint(30, 30), QSize(80, 80)));
    cover.show();
    ASSERT_TRUE(leaves.wait(3000));
    EXPECT_EQ(QCursor::pos(), onButton) << "the pointer did not move";
}

} // namespace
