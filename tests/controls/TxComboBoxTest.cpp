#include "FormFixture.h"

#include "controls/combo/TxComboBox.h"
#include "controls/edits/TxMaskEdit.h"

#include <QAbstractItemView>
#include <QLineEdit>

using namespace controls;
using controlstest::TestForm;

namespace {

struct CodeForm {
    CodeForm(const QStringList& items, int keyLen = 3) {
        combo = form.add(new TxComboBox);
        other = form.add(new QLineEdit);
        combo->SetKeyLen(keyLen);
        combo->addItems(items);
        combo->setCurrentIndex(-1);
        form.show();
        TestForm::focus(combo);
    }
    void leave() { TestForm::focus(other); }

    TestForm form;
    TxComboBox* combo;
    QLineEdit* other;
};

const QStringList kCodes = {QStringLiteral("001:A"), QStringLiteral("002:B")};

} // namespace

TEST(TxComboBoxCodeSearch, TypedCodeIsRememberedAndSelectedOnLeaving) {
    CodeForm f(kCodes);
    QTest::keyClicks(f.combo, QStringLiteral("002"));
    EXPECT_EQ(f.combo->LastIndex(), 1);
    EXPECT_EQ(f.combo->currentIndex(), -1); // remembered, not selected
    EXPECT_EQ(f.combo->currentText(), QStringLiteral("002"));
    f.leave();
    EXPECT_EQ(f.combo->currentIndex(), 1);
    EXPECT_EQ(f.combo->currentText(), QStringLiteral("002:B"));
}

TEST(TxComboBoxCodeSearch, UnknownCodeStaysAndLeavingFallsBackToTheLastMatch) {
    CodeForm f(kCodes);
    QTest::keyClicks(f.combo, QStringLiteral("009"));
    EXPECT_EQ(f.combo->currentIndex(), -1);
    EXPECT_EQ(f.combo->currentText(), QStringLiteral("009"));
    EXPECT_EQ(f.combo->lineEdit()->cursorPosition(), 3);
    f.leave();
    EXPECT_EQ(f.combo->currentText(), QStringLiteral("001:A")); // matched while "00" was typed
}

TEST(TxComboBoxCodeSearch, SearchIgnoresCaseStartsAfterTheCurrentItemAndWraps) {
    const struct {
        const char* name;
        int current;
        QString typed;
        int expected;
    } cases[] = {
        {"from the top", -1, QStringLiteral("a"), 0},
        {"after the current item", 0, QStringLiteral("a"), 1},
        {"wraps round to the top", 2, QStringLiteral("a"), 0},
        {"current item comes last", 1, QStringLiteral("a0"), 0},
        {"only the current item matches", 2, QStringLiteral("b"), 2},
    };
    for (const auto& c : cases) {
        CodeForm f({QStringLiteral("A01:x"), QStringLiteral("a02:y"), QStringLiteral("B01:z")});
        f.combo->setCurrentIndex(c.current);
        f.combo->lineEdit()->clear();
        QTest::keyClicks(f.combo, c.typed);
        EXPECT_EQ(f.combo->LastIndex(), c.expected) << c.name;
    }
}

TEST(TxComboBoxCodeSearch, CodeLengthCountsCp932BytesAndEndsAtKeyTerm) {
    // KeyLen 4 with the separator after two bytes: the code is "12", not "12:x".
    CodeForm f({QStringLiteral("12:x"), QStringLiteral("123:y")}, 4);
    f.combo->lineEdit()->setText(QStringLiteral("12:z"));
    QTest::keyClick(f.combo, Qt::Key_End);
    QTest::keyClick(f.combo, Qt::Key_Backspace); // "12:" -> code "12"
    EXPECT_EQ(f.combo->LastIndex(), 0);

    // Half-width katakana are one byte each: KeyLen 2 takes "ｱｲ" of "ｱｲｳ".
    CodeForm g({QStringLiteral("ｱｲX"), QStringLiteral("ｱｲｳ")}, 2);
    g.combo->lineEdit()->setText(QStringLiteral("ｱｲｳ"));
    QTest::keyClick(g.combo, Qt::Key_End);
    TestForm::type(g.combo, QStringLiteral("ｴ"));
    EXPECT_EQ(g.combo->LastIndex(), 0);
    EXPECT_EQ(g.combo->currentIndex(), -1);
}

TEST(TxComboBoxCodeSearch, TypingANameKeepsTheCurrentItem) {
    CodeForm f({QStringLiteral("001:現金"), QStringLiteral("002:預金")});
    f.combo->setCurrentIndex(1);
    f.combo->lineEdit()->setText(QStringLiteral("預"));
    QTest::keyClick(f.combo, Qt::Key_End);
    QTest::keyClicks(f.combo, QStringLiteral("x"));
    EXPECT_EQ(f.combo->LastIndex(), 1);
    EXPECT_EQ(f.combo->currentText(), QStringLiteral("預x"));
}

TEST(TxComboBox, DeleteGoesBackToTheFirstItem) {
    TestForm form;
    auto* list = form.add(new TxComboBox);
    list->SetStyle(csDropDownList);
    list->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    list->SetItemIndex(2);
    auto* empty = form.add(new TxComboBox);
    empty->SetStyle(csDropDownList);
    form.show();

    TestForm::focus(list);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(list->LastIndex(), 0);
    EXPECT_EQ(TestForm::focused(), list);

    TestForm::focus(empty);
    QTest::keyClick(empty, Qt::Key_Delete);
    EXPECT_EQ(empty->currentIndex(), -1);
    EXPECT_EQ(TestForm::focused(), empty);
}

TEST(TxComboBox, NoKeyMovesTheFocusWhileDroppedDown) {
    TestForm form;
    form.add(new QLineEdit);
    auto* combo = form.add(new TxComboBox);
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    form.show();
    TestForm::focus(combo);
    combo->showPopup();
    ASSERT_TRUE(combo->DroppedDown());
    QTest::keyClick(combo, Qt::Key_Up);
    QTest::keyClick(combo, Qt::Key_Return);
    combo->hidePopup();
    EXPECT_TRUE(combo->hasFocus());
}

TEST(TxComboBox, DropDownWidthWidensTheList) {
    TestForm form;
    auto* combo = form.add(new TxComboBox);
    combo->addItems({QStringLiteral("a")});
    combo->setFixedWidth(80);
    combo->SetDropDownWidth(300);
    form.show();
    combo->showPopup();
    EXPECT_GE(combo->view()->width(), 300);
    combo->hidePopup();
}

TEST(TxMaskEdit, TheFormsMaskBecomesQtsMask) {
    EXPECT_EQ(QtInputMask(QStringLiteral("aaaa-aaaa-aaaa;1;_")), QStringLiteral("nnnn-nnnn-nnnn;_"));
    TxMaskEdit edit;
    edit.SetEditMask(QStringLiteral("aaaa-aaaa-aaaa;1;_"));
    edit.setText(QStringLiteral("AB12CD34EF56"));
    EXPECT_EQ(edit.text(), QStringLiteral("AB12-CD34-EF56"));
}
