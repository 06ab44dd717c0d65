#include "setup/SetupControls.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavorin;

namespace {

class ListComboTest : public testing::Test
{
protected:
    void SetUp() override
    {
        list = new ListCombo(&window);
        other = new QLineEdit(&window);
        list->AddItem("Alpha", 10);
        list->AddItem("Beta", 20);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        list->setFocus();
    }

    QWidget window;
    ListCombo* list = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(ListComboTest, TypingAnItemsTextThenEnterOrLeavingPicksNothing)
{
    QSignalSpy clicks(list, &ListCombo::Click);
    QTest::keyClicks(list->lineEdit(), "Beta");
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    other->setFocus();
    QTest::keyClicks(list->lineEdit(), "Gamma");
    QTest::keyClick(list->lineEdit(), Qt::Key_Enter);

    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->Text(), "BetaGamma");
}

// A pick from the keyboard and one from the list the first opening builds each raise Click
// once; the wheel and the other keys pick through the same signal of QComboBox.
TEST_F(ListComboTest, ArrowKeyAndOpenedListPickWithOneClickEach)
{
    QSignalSpy clicks(list, &ListCombo::Click);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(list->ListIndex(), 0);
    EXPECT_EQ(list->Text(), "Alpha");

    list->showPopup();
    list->view()->setCurrentIndex(list->view()->model()->index(1, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(list->Text(), "Beta");
}

TEST_F(ListComboTest, AddingSelectsNothingFillReplacesEverythingAndClearEmptiesTheField)
{
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->NewIndex(), 1);
    EXPECT_EQ(list->ItemData(1), 20);

    QTest::keyClick(list, Qt::Key_Down);
    list->fill({ { "Gamma", 30 }, { "Delta", -40 }, { "Epsilon", 50 } });
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->Text(), "");
    EXPECT_EQ(list->ItemData(1), -40);

    list->setText("kept?");
    list->Clear();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->Text(), "");
    EXPECT_EQ(list->NewIndex(), -1);
}

// The restore tests count the Click of every stored state that changes a box, and of none that keeps it.
TEST(CheckBoxTest, UserClicksTickAGrayedBoxThenAlternate)
{
    CheckBox box("Check1");
    box.setValue(2);
    QSignalSpy clicks(&box, &CheckBox::Click);
    box.click();
    EXPECT_EQ(box.Value(), 1);
    box.click();
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(SetupControlsTest, DesignTimeContents)
{
    QWidget window;
    const SetupControls c = createSetupControls(&window);
    const std::pair<ListCombo*, int> lists[]
        = { { c.Combo2, 27 }, { c.Combo5, 8 }, { c.Combo6, 0 }, { c.Combo7, 0 } };
    for (const auto& [list, items] : lists) {
        EXPECT_EQ(list->count(), items);
        EXPECT_EQ(list->Text(), list->objectName());
        EXPECT_EQ(list->ListIndex(), -1);
    }
    EXPECT_EQ(c.Combo2->itemText(26), "Westfalen");
    EXPECT_EQ(c.Combo5->itemText(0), "640x480x16");
    EXPECT_EQ(c.Check2->text(), "Check2");
    EXPECT_TRUE(c.Image1->pixmap().isNull());
}

}
