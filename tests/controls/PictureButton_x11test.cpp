#include "controls/PictureButton.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

Picture solid(QSize size, QColor colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return std::make_shared<const QPixmap>(std::move(pixmap));
}

QColor screenColourAt(QPoint global)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, global.x(), global.y(), 1, 1)
        .toImage()
        .pixelColor(0, 0);
}

class RealPointer : public ::testing::Test
{
protected:
    const Picture m_idle = solid({ 40, 30 }, Qt::red);
    const Picture m_hover = solid({ 50, 40 }, Qt::green);
    QWidget m_window;
    PictureButton* m_button = new PictureButton(&m_window);
    QTimer* m_timer1 = m_button->findChild<QTimer*>("Timer1");

    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        m_button->setPicture(m_idle);
        m_button->setPictureHover(m_hover);
        m_button->move(40, 40);
        m_window.setGeometry(100, 100, 300, 200);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        QCursor::setPos(1000, 740);
        QTest::qWait(200); // the window manager's placement and the pointer warp settle
    }

    QPoint onButton() const { return m_button->mapToGlobal(QPoint(10, 10)); }
};

TEST_F(RealPointer, EntersLeavesAndTreatsAWindowMappedOverItAsLeaving)
{
    QSignalSpy enters(m_button, &PictureButton::MouseEnter);
    QSignalSpy leaves(m_button, &PictureButton::MouseLeave);

    QCursor::setPos(onButton());
    ASSERT_TRUE(enters.wait(3000));
    EXPECT_TRUE(m_button->Hovering());
    EXPECT_TRUE(m_timer1->isActive());
    EXPECT_EQ(m_button->size(), m_hover->size());
    QTest::qWait(100);
    EXPECT_EQ(screenColourAt(onButton()), QColor(Qt::green));
    EXPECT_EQ(leaves.count(), 0) << "ticks under a still pointer change nothing";

    QCursor::setPos(m_window.mapToGlobal(QPoint(250, 150)));
    ASSERT_TRUE(leaves.wait(3000));
    EXPECT_FALSE(m_timer1->isActive());
    EXPECT_EQ(m_button->State(), 0);
    EXPECT_EQ(m_button->size(), m_idle->size());

    QCursor::setPos(onButton());
    ASSERT_TRUE(enters.wait(3000));
    QWidget cover(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    cover.setGeometry(QRect(onButton() - QPoint(30, 30), QSize(80, 80)));
    cover.show();
    ASSERT_TRUE(leaves.wait(3000)) << "a window over a still pointer counts as leaving";
    EXPECT_FALSE(m_button->Hovering());
    EXPECT_FALSE(m_timer1->isActive());
    EXPECT_EQ(QCursor::pos(), onButton()) << "the pointer did not move";
}

} // namespace
