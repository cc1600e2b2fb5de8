#include "FormFixture.h"

#include "controls/edits/NumberMask.h"
#include "controls/edits/TallekEdit.h"

#include <QInputMethodEvent>
#include <QLineEdit>

using namespace controls;
using controlstest::TestForm;

namespace {

// An edit between two others on a shown form; by default the amount field of the input box.
struct EditForm {
    EditForm() {
        before = form.add(new QLineEdit);
        edit = form.add(new TTallekEdit);
        after = form.add(new QLineEdit);
        form.show();
        TestForm::focus(edit);
    }

    void makeAmountField() {
        edit->SetEditStyle(esNumericMinus);
        edit->SetOutputFormat(QStringLiteral("#,##0"));
        edit->SetComma(true);
        edit->SetZero3Key(zkDot);
        edit->SetMaxLength(11);
        edit->SetKeyStyles({ksEnter, ksUp});
    }

    void type(const QString& keys) {
        for (const QChar c : keys)
            QTest::keyClick(edit, c.toLatin1());
    }

    TestForm form;
    QLineEdit* before;
    TTallekEdit* edit;
    QLineEdit* after;
};

QString formatted(const QString& format, const QString& text) {
    DecimalText value;
    EXPECT_TRUE(ParseDecimal(text, value)) << text.toStdString();
    return FormatDecimal(format, value);
}

} // namespace

TEST(TTallekEdit, AmountFieldTyping) {
    const struct {
        const char* keys;
        const char* text;
        int caret;
    } cases[] = {
        {"12.", "12,000", 6},          // the dot key types 000
        {"12.-", "-12,000", 7},        // minus changes the sign
        {"-", "0", 1},                 // a minus in the empty field is formatted at once
        {"1234567", "1,234,567", 9},
        {"123456789012", "12,345,678,901", 14}, // eleven digits plus the commas
        {"12a3", "123", 3},            // the filter drops letters
        {"5\b", "0", 1},               // an emptied field shows the zero at once
    };
    for (const auto& c : cases) {
        EditForm f;
        f.makeAmountField();
        f.type(QString::fromLatin1(c.keys));
        EXPECT_EQ(f.edit->text(), QString::fromLatin1(c.text)) << c.keys;
        EXPECT_EQ(f.edit->cursorPosition(), c.caret) << c.keys;
    }
}

TEST(TTallekEdit, CaretKeepsItsPlaceAmongNewCommas) {
    EditForm f;
    f.makeAmountField();
    f.type("123456");
    ASSERT_EQ(f.edit->text(), QStringLiteral("123,456"));
    f.edit->setCursorPosition(1); // after "1"
    f.type("9");
    EXPECT_EQ(f.edit->text(), QStringLiteral("1,923,456"));
    EXPECT_EQ(f.edit->cursorPosition(), 3); // still after the 9 typed
}

TEST(TTallekEdit, MinusStaysAsTypedWithoutComma) {
    EditForm f;
    f.edit->SetEditStyle(esNumericMinus);
    f.edit->SetOutputFormat(QStringLiteral("#,##0"));
    f.type("-");
    EXPECT_EQ(f.edit->text(), QStringLiteral("-"));
}

TEST(TTallekEdit, ExitFormatsUnlessBlankIsAllowed) {
    for (bool allowBlank : {false, true}) {
        EditForm f;
        f.makeAmountField();
        f.edit->SetAllowBlank(allowBlank);
        TestForm::focus(f.after);
        EXPECT_EQ(f.edit->text(), allowBlank ? QString() : QStringLiteral("0"));
    }
    // Without Comma the field is edited bare and formatted on leaving.
    EditForm g;
    g.edit->SetEditStyle(esNumeric);
    g.edit->SetOutputFormat(QStringLiteral("#,##0"));
    g.edit->SetMaxLength(5);
    g.type("12345");
    TestForm::focus(g.after);
    EXPECT_EQ(g.edit->text(), QStringLiteral("12,345"));
    EXPECT_EQ(g.edit->InputLimit(), 6); // the digits plus the comma shown
    TestForm::focus(g.edit);
    EXPECT_EQ(g.edit->text(), QStringLiteral("12345"));
    EXPECT_EQ(g.edit->selectedText(), QStringLiteral("12345"));
}

TEST(TTallekEdit, FloatFields) {
    const struct {
        TEditStyle style;
        const char* keys;
        const char* text;
    } cases[] = {
        {esFloat, "1.5", "1.5"},    // the dot key of zkDot is the decimal point here
        {esFloat, ".5", "5"},       // no point as the first character
        {esFloat, "1..2", "1.2"},   // nor a second one
        {esFloatMinus, "2.5-", "-2.5"},
        {esNumeric, "1.", "1000"},  // in a whole-number field the dot types 000
    };
    for (const auto& c : cases) {
        EditForm f;
        f.edit->SetEditStyle(c.style);
        f.edit->SetZero3Key(zkDot);
        f.type(QString::fromLatin1(c.keys));
        EXPECT_EQ(f.edit->text(), QString::fromLatin1(c.text)) << c.keys;
    }
}

TEST(TTallekEdit, FullFieldAutoNext) {
    // Without acSendEnter the control puts the last digit in itself and moves on.
    EditForm f;
    f.edit->SetEditStyle(esNumeric);
    f.edit->SetMaxLength(3);
    f.edit->SetAutoNextCtls({acMaxLength});
    f.type("123");
    EXPECT_EQ(f.edit->text(), QStringLiteral("123"));
    EXPECT_EQ(TestForm::focused(), f.after);

    // With it the digit is typed normally and the form hears both signals.
    EditForm g;
    g.edit->SetEditStyle(esNumeric);
    g.edit->SetMaxLength(3);
    g.edit->SetAutoNextCtls({acMaxLength, acSendEnter});
    QList<quint8> seen;
    g.edit->OnKeyPress = [&](QObject*, QChar&) { seen << g.edit->AutoNextCtls_Result().toByte(); };
    g.type("123");
    EXPECT_EQ(g.edit->text(), QStringLiteral("123"));
    EXPECT_EQ(TestForm::focused(), g.edit);
    EXPECT_EQ(seen, (QList<quint8>{0, 0, TAutoNextCtls{acMaxLength, acSendEnter}.toByte()}));
    QTest::keyClick(g.edit, Qt::Key_Backspace);
    EXPECT_TRUE(g.edit->AutoNextCtls_Result().isEmpty());
}

TEST(TTallekEdit, EnterMovesWithoutTypingAndKeysMoveAsStyled) {
    struct Case {
        const char* name;
        TAutoNextCtls ctls;
        TKeyStyles styles;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int where; // -1 previous, 0 stays, 1 next
        TAutoNextCtls result;
    };
    const Case cases[] = {
        {"Enter", {}, {ksEnter}, Qt::Key_Return, Qt::NoModifier, 1, {}},
        {"Shift+Enter", {}, {ksEnter}, Qt::Key_Return, Qt::ShiftModifier, 1, {}},
        {"Tab", {}, {ksEnter}, Qt::Key_Tab, Qt::NoModifier, 1, {}},
        {"Shift+Tab with acTabKey", {acTabKey}, {ksEnter}, Qt::Key_Backtab, Qt::ShiftModifier, -1, {}},
        {"Ctrl+Tab", {}, {ksEnter}, Qt::Key_Tab, Qt::ControlModifier, 0, {}},
        {"Tab with acTabKey", {acTabKey}, {ksEnter}, Qt::Key_Tab, Qt::NoModifier, 0, {acTabKey, acSendEnter}},
        {"Down with acDownKey", {acDownKey}, TKeyStyles::fromByte(0x1F), Qt::Key_Down, Qt::NoModifier, 0, {acDownKey, acSendEnter}},
        {"Down", {}, TKeyStyles::fromByte(0x1F), Qt::Key_Down, Qt::NoModifier, 1, {}},
        {"Up", {}, {ksUp}, Qt::Key_Up, Qt::NoModifier, -1, {}},
        {"Left in the text", {}, {ksLeft}, Qt::Key_Left, Qt::NoModifier, 0, {}},
        {"Right at the end", {}, {ksRight}, Qt::Key_Right, Qt::NoModifier, 1, {}},
    };
    for (const Case& c : cases) {
        EditForm f;
        f.edit->SetEditStyle(esNumeric);
        f.edit->SetMaxLength(3);
        f.edit->SetAutoNextCtls(c.ctls);
        f.edit->SetKeyStyles(c.styles);
        f.type("12"); // one digit short of full, caret at the end
        QTest::keyClick(f.edit, c.key, c.mods);
        QWidget* expected = c.where > 0 ? f.after : c.where < 0 ? static_cast<QWidget*>(f.before) : f.edit;
        EXPECT_EQ(TestForm::focused(), expected) << c.name;
        EXPECT_EQ(f.edit->text(), QStringLiteral("12")) << c.name;
        if (c.where == 0) {
            EXPECT_EQ(f.edit->AutoNextCtls_Result().toByte(), c.result.toByte()) << c.name;
        }
    }
}

TEST(TTallekEdit, KanaReadingInHalfWidth) {
    EditForm f;
    f.edit->SetKanaMode(kmHankaku);
    int statusChanges = 0;
    f.edit->OnImeStatusChange = [&](QObject*) { ++statusChanges; };
    for (const char16_t* preedit : {u"や", u"やまだ", u"山田"}) {
        QInputMethodEvent e(QString::fromUtf16(preedit), {});
        QCoreApplication::sendEvent(f.edit, &e);
        EXPECT_TRUE(f.edit->ImeOnFlg());
    }
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("山田"));
    QCoreApplication::sendEvent(f.edit, &commit);
    EXPECT_FALSE(f.edit->ImeOnFlg());
    EXPECT_EQ(statusChanges, 2);
    EXPECT_EQ(f.edit->Kana(), QStringLiteral("ﾔﾏﾀﾞ"));

    QInputMethodEvent pre(QStringLiteral("たろう"), {});
    QCoreApplication::sendEvent(f.edit, &pre);
    QInputMethodEvent commit2;
    commit2.setCommitString(QStringLiteral("たろう"));
    QCoreApplication::sendEvent(f.edit, &commit2);
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    EXPECT_EQ(f.edit->text(), QStringLiteral("山田たろ"));
    EXPECT_EQ(f.edit->Kana(), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"));

    f.edit->SetKanaMode(kmZenkaku);
    f.edit->SetKana(QString());
    QInputMethodEvent commit3;
    commit3.setCommitString(QStringLiteral("がっこう"));
    QCoreApplication::sendEvent(f.edit, &commit3);
    EXPECT_EQ(f.edit->Kana(), QStringLiteral("ガッコウ"));
}

TEST(NumberMask, FormatsTheDigitsExactly) {
    const struct {
        const char* format;
        const char* text;
        const char* expected;
    } cases[] = {
        {"#,##0", "12000", "12,000"},
        {"#,##0", "-1234567", "-1,234,567"},
        {"#,##0", "0", "0"},
        {"#,##0", "0.5", "1"},     // half away from zero
        {"#,##0", "2.5", "3"},     // not to even
        {"#,##0", "-2.5", "-3"},
        {"#,##0", "-0.4", "0"},
        {"#,##0", "922337203685477", "922,337,203,685,477"},
        {"#,##0", "99999999999999.99", "100,000,000,000,000"},
        {"#,##0.00", "1234.5", "1,234.50"},
        {"0.##", "1.005", "1.01"},
        {"0.##", "1.2", "1.2"},
        {"000", "7", "007"},
        {"#,##0;(#,##0)", "-5", "(5)"},
        {"#,##0;-#,##0;\"ゼロ\"", "0", "ゼロ"},
        {"¥#,##0円", "1000", "¥1,000円"},
        {"#,##0", "1.5E3", "1,500"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatted(QString::fromUtf8(c.format), QString::fromUtf8(c.text)), QString::fromUtf8(c.expected))
            << c.format << " " << c.text;
}

TEST(NumberMask, ValuesBeyondTheMoneyRangeAreLeftAsTheyStand) {
    DecimalText value;
    ASSERT_TRUE(ParseDecimal(QStringLiteral("922337203685478"), value));
    EXPECT_FALSE(WithinFixedPointRange(value));
    ASSERT_TRUE(ParseDecimal(QStringLiteral("-922337203685477.9"), value));
    EXPECT_TRUE(WithinFixedPointRange(value));
    EXPECT_FALSE(ParseDecimal(QStringLiteral("1,000"), value));
    EXPECT_FALSE(ParseDecimal(QStringLiteral("-"), value));

    EditForm f;
    f.edit->SetEditStyle(esNumeric);
    f.edit->SetOutputFormat(QStringLiteral("#,##0"));
    f.edit->setText(QStringLiteral("12345678901234567890"));
    TestForm::focus(f.after);
    EXPECT_EQ(f.edit->text(), QStringLiteral("12345678901234567890"));
}
