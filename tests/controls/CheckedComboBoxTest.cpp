#include "FormFixture.h"

#include "controls/combo/TxCheckedComboBox.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>

using namespace controls;
using controlstest::TestForm;

namespace {

QStringList letters(int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("item%1").arg(i);
    return out;
}

} // namespace

TEST(TxCheckedComboBox, DisplayFollowsTheTickedItemsInTickingOrder) {
    TxCheckedComboBox box;
    box.SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    int changes = 0;
    int clickChecks = 0;
    box.OnChange = [&](QObject*) { ++changes; };
    box.OnClickCheck = [&](QObject*) { ++clickChecks; };
    EXPECT_EQ(box.DisplayText(), QStringLiteral("未選択"));

    box.ClickCheck(2, true);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("c")); // one ticked: the item itself
    box.ClickCheck(0, true);
    box.ClickCheck(3, true);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("3件選択"));
    EXPECT_EQ(box.CheckedIndexes(), (QList<int>{2, 0, 3}));

    box.SetDispStyle(dsItems);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("c,a,d"));
    box.SetSortDisplay(true);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("a,c,d"));

    box.ClickCheck(0, false);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("c,d"));
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(clickChecks, 4);
    EXPECT_EQ(box.CheckList()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(box.CheckList()->item(2)->checkState(), Qt::Checked);
}

TEST(TxCheckedComboBox, EqualTextsAndCommasAreCountedByItem) {
    TxCheckedComboBox box;
    box.SetDispStyle(dsItems);
    box.SetItems({QStringLiteral("A,B"), QStringLiteral("A,B"), QStringLiteral("A")});
    box.ClickCheck(0, true);
    box.ClickCheck(1, true);
    box.ClickCheck(2, true);
    EXPECT_EQ(box.CheckedCount(), 3);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("A,B,A,B,A"));
    box.ClickCheck(1, false);
    EXPECT_EQ(box.CheckedCount(), 2);
    EXPECT_EQ(box.CheckedIndexes(), (QList<int>{0, 2}));
    box.ClickCheck(0, true); // ticked already: no second entry
    EXPECT_EQ(box.CheckedCount(), 2);
}

TEST(TxCheckedComboBox, SingleSelectionStartsAfresh) {
    TxCheckedComboBox box;
    box.SetMultiSelect(false);
    box.SetItems({QStringLiteral("a"), QStringLiteral("b")});
    box.ClickCheck(0, true);
    box.ClickCheck(1, true);
    EXPECT_EQ(box.CheckedIndexes(), QList<int>{1});
    EXPECT_EQ(box.DisplayText(), QStringLiteral("b"));
    EXPECT_EQ(box.CheckList()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(box.SelectAllAction()->isEnabled());
    box.SelectAll();
    EXPECT_EQ(box.CheckedCount(), 1);
}

TEST(TxCheckedComboBox, MenuTicksAllOrNothing) {
    TxCheckedComboBox box;
    box.SetDispStyle(dsItems);
    box.SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(box.SelectAllAction()->text(), QStringLiteral("&全て選択"));
    EXPECT_EQ(box.DeSelectAllAction()->text(), QStringLiteral("&選択解除"));
    box.ClickCheck(2, true);
    box.SelectAllAction()->trigger();
    EXPECT_EQ(box.CheckedIndexes(), (QList<int>{0, 1, 2})); // list order
    EXPECT_EQ(box.DisplayText(), QStringLiteral("a,b,c"));
    box.DeSelectAllAction()->trigger();
    EXPECT_EQ(box.CheckedCount(), 0);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("未選択"));
}

TEST(TxCheckedComboBox, UserTicksInTheListAndNewItems) {
    TxCheckedComboBox box;
    box.SetItems({QStringLiteral("a"), QStringLiteral("b")});
    box.CheckList()->item(1)->setCheckState(Qt::Checked); // as the user's click does
    EXPECT_EQ(box.CheckedIndexes(), QList<int>{1});
    box.SetItems({QStringLiteral("x")});
    EXPECT_EQ(box.CheckedCount(), 0);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("未選択"));
    EXPECT_EQ(box.CheckList()->count(), 1);
}

TEST(TxCheckedComboBox, DropDownRows) {
    TxCheckedComboBox box;
    box.SetItems(letters(30));
    EXPECT_EQ(box.DropDownRows(), 15);
    box.SetColumns(3);
    EXPECT_EQ(box.DropDownRows(), 11);
    box.SetColumns(0);
    box.SetDropDownLines(25); // refused
    EXPECT_EQ(box.DropDownLines(), 15);
    box.SetItems(letters(4));
    EXPECT_EQ(box.DropDownRows(), 4);
    EXPECT_EQ(box.Version(), QStringLiteral("1.0.3"));
}

TEST(TxCheckedComboBox, DropDownAndKeys) {
    TestForm form;
    auto* box = form.add(new TxCheckedComboBox);
    auto* next = form.add(new QLineEdit);
    box->SetItems(letters(3));
    int closeUps = 0;
    box->OnCloseUp = [&](QObject*) { ++closeUps; };
    form.show();
    TestForm::focus(box);

    QTest::keyClick(box, Qt::Key_F4);
    ASSERT_TRUE(box->DroppedDown());
    EXPECT_EQ(box->ArrowState(), TCHBArrowState::Press);
    EXPECT_GE(box->CheckList()->parentWidget()->width(), 120);
    QTest::keyClick(box->CheckList(), Qt::Key_Escape);
    EXPECT_FALSE(box->DroppedDown());
    EXPECT_EQ(closeUps, 1);
    EXPECT_EQ(box->ArrowState(), TCHBArrowState::Normal);

    box->DropDown();
    QTest::keyClick(box->CheckList(), Qt::Key_Return);
    EXPECT_FALSE(box->DroppedDown());
    // The form's focus goes on (offscreen, the form takes the focus back only when activated again).
    EXPECT_EQ(form.window.focusWidget(), next);
    QApplication::setActiveWindow(&form.window);

    TestForm::focus(box);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(form.window.focusWidget(), next);

    // An empty list does not drop down.
    box->SetItems({});
    box->DropDown();
    EXPECT_FALSE(box->DroppedDown());
}
