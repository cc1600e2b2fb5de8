#include "FormFixture.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxRadioButton.h"
#include "controls/combo/TxComboBox.h"
#include "controls/edits/TxEdit.h"
#include "controls/edits/TxMaskEdit.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>

#include <functional>

using namespace controls;
using controlstest::TestForm;

namespace {

enum Where { Previous = -1, Stays = 0, Next = 1 };

struct KeyCase {
    const char* name;
    std::function<QWidget*(TKeyStyles)> make;
    TKeyStyles styles;
    std::function<void(QWidget*)> prepare; // runs with the control focused
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    Where expected;
};

template <typename W>
QWidget* makeWith(TKeyStyles styles) {
    auto* w = new W;
    w->SetKeyStyles(styles);
    return w;
}

QWidget* editWithText(TKeyStyles styles) {
    auto* e = new TxEdit;
    e->SetKeyStyles(styles);
    e->setText(QStringLiteral("abc"));
    return e;
}

QWidget* comboWithItems(TKeyStyles styles) {
    auto* c = new TxComboBox;
    c->SetKeyStyles(styles);
    c->addItems({QStringLiteral("001:A"), QStringLiteral("002:B")});
    return c;
}

const TKeyStyles kAll = TKeyStyles::fromByte(0x1F);
const auto kNothing = [](QWidget*) {};
const auto caretAtEnd = [](QWidget* w) { static_cast<QLineEdit*>(w)->setCursorPosition(3); };
const auto caretAtStart = [](QWidget* w) { static_cast<QLineEdit*>(w)->setCursorPosition(0); };
const auto caretInside = [](QWidget* w) { static_cast<QLineEdit*>(w)->setCursorPosition(1); };

const KeyCase kKeyCases[] = {
    {"CheckBoxEnter", makeWith<TxCheckBox>, kDefaultKeyStyles, kNothing, Qt::Key_Return, Qt::NoModifier, Next},
    {"CheckBoxKeypadEnter", makeWith<TxCheckBox>, kDefaultKeyStyles, kNothing, Qt::Key_Enter, Qt::KeypadModifier, Next},
    {"CheckBoxUp", makeWith<TxCheckBox>, kDefaultKeyStyles, kNothing, Qt::Key_Up, Qt::NoModifier, Previous},
    {"CheckBoxLeftWithStyle", makeWith<TxCheckBox>, kAll, kNothing, Qt::Key_Left, Qt::NoModifier, Previous},
    {"CheckBoxRightWithStyle", makeWith<TxCheckBox>, kAll, kNothing, Qt::Key_Right, Qt::NoModifier, Next},
    {"CheckBoxEnterWithoutStyle", makeWith<TxCheckBox>, TKeyStyles{ksUp}, kNothing, Qt::Key_Return, Qt::NoModifier, Stays},
    {"RadioUp", makeWith<TxRadioButton>, kDefaultKeyStyles, kNothing, Qt::Key_Up, Qt::NoModifier, Previous},
    {"RadioEnter", makeWith<TxRadioButton>, kDefaultKeyStyles, kNothing, Qt::Key_Return, Qt::NoModifier, Next},
    {"MaskEditEnter", makeWith<TxMaskEdit>, kDefaultKeyStyles, kNothing, Qt::Key_Return, Qt::NoModifier, Next},
    {"MaskEditUp", makeWith<TxMaskEdit>, kDefaultKeyStyles, kNothing, Qt::Key_Up, Qt::NoModifier, Previous},
    {"MaskEditDownWithoutStyleStays", makeWith<TxMaskEdit>, kDefaultKeyStyles, kNothing, Qt::Key_Down, Qt::NoModifier, Stays},
    {"MaskEditShiftDownStays", makeWith<TxMaskEdit>, kAll, kNothing, Qt::Key_Down, Qt::ShiftModifier, Stays},
    {"MaskEditDownWithStyle", makeWith<TxMaskEdit>, kAll, kNothing, Qt::Key_Down, Qt::NoModifier, Next},
    {"EditEnter", editWithText, kDefaultKeyStyles, kNothing, Qt::Key_Return, Qt::NoModifier, Next},
    {"EditUp", editWithText, kDefaultKeyStyles, kNothing, Qt::Key_Up, Qt::NoModifier, Previous},
    {"EditRightWholeTextSelected", editWithText, kAll, kNothing, Qt::Key_Right, Qt::NoModifier, Next},
    {"EditRightCaretAtEndStays", editWithText, kAll, caretAtEnd, Qt::Key_Right, Qt::NoModifier, Stays},
    {"EditLeftCaretAtStart", editWithText, kAll, caretAtStart, Qt::Key_Left, Qt::NoModifier, Previous},
    {"EditLeftCaretInsideStays", editWithText, kAll, caretInside, Qt::Key_Left, Qt::NoModifier, Stays},
    {"EditLeftWholeTextSelected", editWithText, kAll, kNothing, Qt::Key_Left, Qt::NoModifier, Previous},
    {"EditShiftLeftStays", editWithText, kAll, caretAtStart, Qt::Key_Left, Qt::ShiftModifier, Stays},
    {"ComboUp", comboWithItems, kDefaultKeyStyles, kNothing, Qt::Key_Up, Qt::NoModifier, Previous},
    {"ComboEnter", comboWithItems, kDefaultKeyStyles, kNothing, Qt::Key_Return, Qt::NoModifier, Next},
    {"ComboDownWithoutStyleStays", comboWithItems, kDefaultKeyStyles, kNothing, Qt::Key_Down, Qt::NoModifier, Stays},
};

class SimpleControlKeys : public ::testing::TestWithParam<KeyCase> {};

} // namespace

TEST_P(SimpleControlKeys, MovesFocusAsItsKeyStylesSay) {
    const KeyCase& c = GetParam();
    TestForm form;
    QLineEdit* before = form.add(new QLineEdit);
    QWidget* control = form.add(c.make(c.styles));
    QLineEdit* after = form.add(new QLineEdit);
    form.show();
    TestForm::focus(control);
    ASSERT_TRUE(control->hasFocus());
    c.prepare(control);

    QTest::keyClick(control, c.key, c.mods);

    QWidget* expected = c.expected == Next ? after : c.expected == Previous ? before : control;
    EXPECT_EQ(TestForm::focused(), expected) << (TestForm::focused() ? TestForm::focused()->metaObject()->className() : "none");
}

INSTANTIATE_TEST_SUITE_P(Table, SimpleControlKeys, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimpleControlKeys, KeyPressHandlerClearingEnterStopsEditButNotCheckBox) {
    TestForm form;
    auto* edit = form.add(new TxEdit);
    auto* check = form.add(new TxCheckBox);
    QLineEdit* last = form.add(new QLineEdit);
    form.show();
    const auto clearEnter = [](QObject*, QChar& key) {
        if (key == u'\r')
            key = QChar();
    };
    edit->OnKeyPress = clearEnter;
    check->OnKeyPress = clearEnter;

    TestForm::focus(edit);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(TestForm::focused(), edit);

    // The check box tests Enter as it came in, before the form's handler.
    TestForm::focus(check);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(TestForm::focused(), last);
}

TEST(SimpleControlKeys, ControlWithoutFormMovesNothing) {
    TxEdit edit;
    edit.show();
    QTest::keyClick(&edit, Qt::Key_Return); // no form around it: nothing to move to, no crash
    EXPECT_TRUE(edit.text().isEmpty());
}

TEST(TxEdit, CurrAndLongReadTheTextOrZero) {
    TxEdit edit;
    edit.setText(QStringLiteral("1,234"));
    EXPECT_EQ(edit.Curr().raw, 0);
    EXPECT_EQ(edit.Long(), 0);
    edit.setText(QStringLiteral("-12.5"));
    EXPECT_EQ(edit.Curr(), core::Currency::fromRaw(-125000));
    EXPECT_EQ(edit.Long(), 0);
    edit.setText(QStringLiteral("2147483647"));
    EXPECT_EQ(edit.Long(), 2147483647);
    edit.setText(QStringLiteral("2147483648"));
    EXPECT_EQ(edit.Long(), 0);

    // A form stores its text and then "Long = 0": the text stays.
    edit.setText(QStringLiteral("abc"));
    edit.SetLong(0);
    edit.SetCurr(core::Currency{});
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
    edit.SetCurr(core::Currency::fromRaw(1234500));
    EXPECT_EQ(edit.text(), QStringLiteral("123.45"));
    edit.SetLong(-7);
    EXPECT_EQ(edit.text(), QStringLiteral("-7"));
}

TEST(TxEdit, PasteIsBlockedOnlyWithoutInputMethod) {
    TestForm form;
    auto* edit = form.add(new TxEdit);
    form.show();
    TestForm::focus(edit);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));

    edit->SetImeMode(imDisable); // KillPaste is on by default
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), QString());

    edit->SetImeMode(imOpen);
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), QStringLiteral("pasted"));

    edit->clear();
    edit->SetImeMode(imDisable);
    edit->SetKillPaste(false);
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), QStringLiteral("pasted"));
}

TEST(TxEdit, CursorPosOnEntry) {
    TestForm form;
    auto* edit = form.add(new TxEdit);
    auto* other = form.add(new QLineEdit);
    form.show();
    edit->setText(QStringLiteral("abcd"));
    const struct {
        TCursorPoss pos;
        int selLength;
        int caret;
    } cases[] = {{cpAllSel, 4, 4}, {cpLeft, 0, 0}, {cpRight, 0, 4}};
    for (const auto& c : cases) {
        TestForm::focus(other);
        edit->SetCursorPos(c.pos);
        TestForm::focus(edit);
        EXPECT_EQ(edit->selectedText().size(), c.selLength) << c.pos;
        EXPECT_EQ(edit->cursorPosition(), c.caret) << c.pos;
    }
}

TEST(TxEdit, MaxLengthCountsCp932Bytes) {
    TestForm form;
    auto* edit = form.add(new TxEdit);
    form.show();
    TestForm::focus(edit);
    edit->SetMaxLength(4);
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QInputMethodEvent commit1;
    commit1.setCommitString(QStringLiteral("現"));
    QCoreApplication::sendEvent(edit, &commit1);
    QInputMethodEvent commit2;
    commit2.setCommitString(QStringLiteral("金"));
    QCoreApplication::sendEvent(edit, &commit2);
    EXPECT_EQ(edit->text(), QStringLiteral("ab現")); // a second kanji would make 6 bytes
}

TEST(TxEdit, CapturesTheReadingWhileFocused) {
    TestForm form;
    auto* edit = form.add(new TxEdit);
    form.show();
    edit->SetKanaSw(true);
    TestForm::focus(edit);

    // A composition: the kana before conversion is the reading of the committed kanji.
    for (const char16_t* preedit : {u"k", u"か", u"かんj", u"かんじ", u"漢字"}) {
        QInputMethodEvent e(QString::fromUtf16(preedit), {});
        QCoreApplication::sendEvent(edit, &e);
    }
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("漢字"));
    QCoreApplication::sendEvent(edit, &commit);
    // A composition committed as kana is its own reading.
    QInputMethodEvent pre2(QStringLiteral("です"), {});
    QCoreApplication::sendEvent(edit, &pre2);
    QInputMethodEvent commit2;
    commit2.setCommitString(QStringLiteral("です"));
    QCoreApplication::sendEvent(edit, &commit2);
    // Characters typed without the input method are appended as they are.
    QTest::keyClicks(edit, QStringLiteral("A1"));
    QTest::keyClick(edit, Qt::Key_Backspace); // deleting never shortens the reading

    EXPECT_EQ(edit->text(), QStringLiteral("漢字ですA"));
    EXPECT_EQ(edit->kana(), QStringLiteral("ｶﾝｼﾞﾃﾞｽA1"));
}
