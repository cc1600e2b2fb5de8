#include "../core/QtPrinters.h"
#include "../support/ModalAnswerer.h"
#include "../support/RecordingMessageService.h"
#include "FormFixture.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/combo/TxComboBox.h"
#include "controls/dates/TallekExDateEdit.h"
#include "controls/dialogs/InputKeyFilter.h"
#include "controls/dialogs/TInputDlgBox.h"
#include "controls/edits/TallekEdit.h"
#include "controls/edits/TxEdit.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>

using namespace controls;
using controlstest::TestForm;

namespace {

// A prepared input box, open (window-modal, not blocking) with a recording message service.
struct OpenInput {
    explicit OpenInput(const std::function<void(TInputDlgBox&)>& setUp = {}) : installed(messages) {
        if (setUp)
            setUp(box);
        box.Prepare(1);
        box.open();
        QApplication::setActiveWindow(&box);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    }
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed;
    TInputDlgBox box;
};

} // namespace

TEST(InputDlgBox, KeyFilterTable) {
    struct Case {
        int filter;
        QString typed;
        QString kept;
    };
    const QString typed = QStringLiteral("09-.+eAz\"*,/:;<>?\\|あ_ ");
    const Case cases[] = {
        {10, typed, "09-."},
        {20, typed, "eAz"},
        {30, typed, "09eAz"},
        {40, typed, "09-.+eAzあ_ "},
        {0, typed, typed},
        {99, typed, typed},
    };
    for (const Case& c : cases) {
        OpenInput f([&](TInputDlgBox& box) { box.KeyFilter = c.filter; });
        TestForm::type(f.box.txtInput, c.typed);
        EXPECT_EQ(f.box.txtInput->text(), c.kept) << "filter " << c.filter;
        // Backspace and Enter pass every filter.
        QTest::keyClick(f.box.txtInput, Qt::Key_End);
        QTest::keyClick(f.box.txtInput, Qt::Key_Backspace);
        EXPECT_EQ(f.box.txtInput->text(), c.kept.chopped(1)) << "filter " << c.filter;
    }
    for (int filter : {10, 20, 30, 40, 0})
        EXPECT_TRUE(InputKeyAccepted(filter, u'\r')) << filter;
    EXPECT_TRUE(InputKeyAccepted(40, u'\x03')); // control characters pass filter 40 only
    EXPECT_FALSE(InputKeyAccepted(30, u'\x03'));
}

TEST(InputDlgBox, FilterAppliesToInputMethodTextAndCanBeSwitchedOff) {
    OpenInput f([](TInputDlgBox& box) { box.KeyFilter = 10; });
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("１2x3"));
    QCoreApplication::sendEvent(f.box.txtInput, &commit);
    EXPECT_EQ(f.box.txtInput->text(), QStringLiteral("23"));
    f.box.SetInputCharKind(0);
    TestForm::type(f.box.txtInput, QStringLiteral("x"));
    EXPECT_EQ(f.box.txtInput->text(), QStringLiteral("23x"));
}

TEST(InputDlgBox, PasteIsRefusedOnlyWithoutInputMethod) {
    struct Case {
        TImeMode ime;
        bool pastes;
    };
    for (const Case& c : {Case{imDisable, false}, Case{imDontCare, true}, Case{imOpen, true}}) {
        OpenInput f([&](TInputDlgBox& box) {
            box.InputImeMode = c.ime;
            box.Value = QStringLiteral("a");
        });
        QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
        QLineEdit* edit = f.box.txtInput;
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(edit, Qt::MiddleButton);
        EXPECT_EQ(edit->text().startsWith(QStringLiteral("aXY")), c.pastes) << int(c.ime) << " " << edit->text().toStdString();
        if (!c.pastes) {
            EXPECT_EQ(edit->text(), QStringLiteral("a"));
        }
    }
}

TEST(InputDlgBox, TextModeRefusesBlankAndForbiddenEntries) {
    OpenInput f([](TInputDlgBox& box) {
        box.Title = QStringLiteral("名前の入力");
        box.Message = QStringLiteral("名前を入力してください。");
        box.Required = true;
        box.ForbiddenValues = {QStringLiteral("ADMIN")};
        box.ForbiddenMessage = QStringLiteral("その名前は使えません。");
    });
    EXPECT_EQ(f.box.windowTitle(), QStringLiteral("名前の入力"));
    EXPECT_EQ(f.box.lblMain->text(), QStringLiteral("名前を入力してください。"));
    EXPECT_FALSE(f.box.btnFuseji->isVisible());

    f.box.txtInput->setText(QStringLiteral(" 　"));
    f.box.btnOK->Click();
    EXPECT_TRUE(f.box.isVisible());
    f.box.txtInput->setText(QStringLiteral("　ADMIN "));
    f.box.btnOK->Click();
    EXPECT_TRUE(f.box.isVisible());
    f.box.txtInput->setText(QStringLiteral("admin")); // case counts
    f.box.btnOK->Click();
    EXPECT_FALSE(f.box.isVisible());
    EXPECT_EQ(f.box.result(), core::mrOk);
    EXPECT_EQ(f.box.Value, QStringLiteral("admin"));
    EXPECT_EQ(f.messages.texts(),
              QStringList({QStringLiteral("入力してから[OK]ボタンを押して下さい。"), QStringLiteral("その名前は使えません。")}));
    EXPECT_EQ(f.messages.messages.at(0).kind, core::MessageKind::Information);

    // An accepted value keeps its spaces.
    OpenInput g;
    g.box.txtInput->setText(QStringLiteral(" 値　"));
    g.box.btnOK->Click();
    EXPECT_EQ(g.box.Value, QStringLiteral(" 値　"));
    EXPECT_TRUE(g.messages.messages.isEmpty());
}

TEST(InputDlgBox, PasswordModeIsRequiredAndMaskedUnlessAsked) {
    OpenInput f([](TInputDlgBox& box) {
        box.InputMode = 1;
        box.InputHint = QStringLiteral("パスワード|データのパスワードを入力します。");
    });
    EXPECT_TRUE(f.box.Required);
    EXPECT_TRUE(f.box.btnFuseji->isVisible());
    EXPECT_EQ(f.box.txtInput->echoMode(), QLineEdit::Password);
    EXPECT_EQ(QApplication::focusWidget(), f.box.txtInput);
    EXPECT_EQ(f.box.HintArea->toPlainText(), QStringLiteral("データのパスワードを入力します。"));
    f.box.btnFuseji->setChecked(true);
    EXPECT_EQ(f.box.txtInput->echoMode(), QLineEdit::Normal);
    f.box.btnFuseji->setChecked(false);
    EXPECT_EQ(f.box.txtInput->echoMode(), QLineEdit::Password);

    f.box.txtInput->setText(QStringLiteral("　 "));
    f.box.btnOK->Click();
    EXPECT_TRUE(f.box.isVisible());
    EXPECT_EQ(f.messages.texts(), QStringList{QStringLiteral("入力してから[OK]ボタンを押して下さい。")});
}

TEST(InputDlgBox, ComboAmountAndDateModes) {
    // Combo: a required choice, then the chosen text.
    OpenInput combo([](TInputDlgBox& box) {
        box.InputMode = 2;
        box.Required = true;
        box.ComboItems = {QStringLiteral("001:本社"), QStringLiteral("002:支店")};
    });
    EXPECT_TRUE(combo.box.pnlCombo->isVisible());
    EXPECT_FALSE(combo.box.pnlText->isVisible());
    EXPECT_EQ(combo.box.pnlCombo->pos(), QPoint(24, 72));
    EXPECT_TRUE(combo.box.cmbInput->hasFocus() || combo.box.cmbInput->isAncestorOf(QApplication::focusWidget()));
    combo.box.btnOK->Click();
    EXPECT_TRUE(combo.box.isVisible());
    EXPECT_EQ(combo.messages.texts(), QStringList{QStringLiteral("入力または選択してから[OK]ボタンを押して下さい。")});
    combo.box.cmbInput->setCurrentIndex(1);
    combo.box.btnOK->Click();
    EXPECT_EQ(combo.box.result(), core::mrOk);
    EXPECT_EQ(combo.box.Value, QStringLiteral("002:支店"));

    // Free entry within the limit in CP932 bytes.
    OpenInput limited([](TInputDlgBox& box) {
        box.InputMode = 2;
        box.MaxLen = 5;
    });
    limited.box.cmbInput->lineEdit()->clear();
    TestForm::type(limited.box.cmbInput->lineEdit(), QStringLiteral("あいa う"));
    limited.box.btnOK->Click();
    EXPECT_EQ(limited.box.Value, QStringLiteral("あいa"));

    // Amount: an empty field gives "0".
    OpenInput amount([](TInputDlgBox& box) { box.InputMode = 3; });
    EXPECT_TRUE(amount.box.pnlKingaku->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), amount.box.txtKingaku);
    amount.box.btnOK->Click();
    EXPECT_EQ(amount.box.result(), core::mrOk);
    EXPECT_EQ(amount.box.Value, QStringLiteral("0"));

    // Date range: both dates come back.
    const QDateTime from(QDate(2024, 4, 1), QTime());
    const QDateTime to(QDate(2025, 3, 31), QTime());
    OpenInput dates([&](TInputDlgBox& box) {
        box.InputMode = 4;
        box.Date1 = from;
        box.Date2 = to;
    });
    EXPECT_TRUE(dates.box.pnlDate->isVisible());
    dates.box.btnOK->Click();
    EXPECT_EQ(dates.box.result(), core::mrOk);
    EXPECT_EQ(dates.box.Date1.date(), from.date());
    EXPECT_EQ(dates.box.Date2.date(), to.date());

    // Any other mode is the text mode.
    OpenInput other([](TInputDlgBox& box) {
        box.InputMode = 7;
        box.Value = QStringLiteral("初期値");
    });
    EXPECT_TRUE(other.box.pnlText->isVisible());
    EXPECT_EQ(other.box.txtInput->text(), QStringLiteral("初期値"));
}

TEST(InputDlgBox, EscClosesOnReleaseAndModalUseReturnsTheValue) {
    OpenInput f;
    QTest::keyPress(f.box.txtInput, Qt::Key_Escape);
    EXPECT_TRUE(f.box.isVisible());
    QTest::keyRelease(f.box.txtInput, Qt::Key_Escape);
    EXPECT_FALSE(f.box.isVisible());
    EXPECT_EQ(f.box.result(), core::mrCancel);

    TInputDlgBox box;
    box.Value = QStringLiteral("前");
    box.Prepare(1);
    testsupport::ModalAnswerer answerer;
    answerer.then([](QWidget* dialog) {
        auto* input = static_cast<TInputDlgBox*>(dialog);
        input->txtInput->setText(QStringLiteral("後"));
        QTest::keyClick(input->txtInput, Qt::Key_F12);
    });
    EXPECT_EQ(box.exec(), core::mrOk);
    EXPECT_EQ(box.Value, QStringLiteral("後"));
}
