#include "FormFixture.h"

#include "controls/buttons/TxPFbtn.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/forms/FormState.h"
#include "core/Exception.h"
#include "core/ui/MessageService.h"

#include <QDialog>
#include <QLineEdit>

using namespace controls;

namespace {

// A dialog shown modally (without blocking) with one panel button and an edit.
struct ButtonDialog {
    ButtonDialog() : button(new TxPlButton(&dialog)), edit(new QLineEdit(&dialog)) {
        edit->move(0, 40);
        button->OnClick = [this](QObject*) { ++clicks; };
        dialog.open();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    QDialog dialog;
    TxPlButton* button;
    QLineEdit* edit;
    int clicks = 0;
};

} // namespace

TEST(TxPlButton, ModalResultEndsTheDialogUnlessTheClickHandlerResetsIt) {
    ButtonDialog kept;
    kept.button->SetModalResult(core::mrOk);
    kept.button->OnClick = [&](QObject*) { SetFormModalResult(&kept.dialog, core::mrNone); };
    QTest::mouseClick(kept.button, Qt::LeftButton);
    EXPECT_TRUE(kept.dialog.isVisible());

    ButtonDialog closed;
    closed.button->SetModalResult(core::mrOk);
    QTest::mouseClick(closed.button, Qt::LeftButton);
    EXPECT_FALSE(closed.dialog.isVisible());
    EXPECT_EQ(closed.dialog.result(), core::mrOk);
}

TEST(TxPlButton, AbortedClickHandlerKeepsTheDialogOpen) {
    ButtonDialog f;
    f.button->SetModalResult(core::mrOk);
    f.button->OnClick = [](QObject*) { core::Abort(); };
    EXPECT_THROW(f.button->Click(), core::EAbort);
    EXPECT_EQ(FormModalResult(&f.dialog), core::mrNone);
    EXPECT_TRUE(f.dialog.isVisible());
}

TEST(TxPlButton, EnterPressesTheFocusedButtonAndEscTheCancelButton) {
    ButtonDialog f;
    f.button->setFocus();
    QTest::keyClick(f.button, Qt::Key_Return);
    EXPECT_EQ(f.clicks, 1);

    f.button->SetCancel(true);
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_Escape);
    EXPECT_EQ(f.clicks, 2);
    QTest::keyClick(f.edit, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(f.clicks, 2);
}

TEST(TxPlButton, CancelButtonWithoutFocusIgnoresEnterAndEsc) {
    ButtonDialog f;
    f.button->SetCancel(true);
    f.button->SetHasFocus(false);
    EXPECT_EQ(f.button->focusPolicy(), Qt::NoFocus);
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_Escape);
    QTest::keyClick(f.button, Qt::Key_Return);
    EXPECT_EQ(f.clicks, 0);
}

TEST(TxPlButton, PressedLookLastsWhileTheButtonIsHeld) {
    ButtonDialog f;
    QTest::mousePress(f.button, Qt::LeftButton);
    EXPECT_TRUE(f.button->Pressed());
    EXPECT_TRUE(f.button->hasFocus());
    QTest::mouseRelease(f.button, Qt::LeftButton);
    EXPECT_FALSE(f.button->Pressed());
    EXPECT_EQ(f.clicks, 1);
}

TEST(TxPlButtonDrawing, GradationRows) {
    const QColor begin(255, 255, 255);
    const QColor end(192, 192, 192);
    EXPECT_EQ(GradationColorAt(begin, end, 0, 1), begin); // one pixel high: the begin colour only
    EXPECT_EQ(GradationColorAt(begin, end, 0, 26), begin);
    EXPECT_EQ(GradationColorAt(begin, end, 25, 26), end);
    EXPECT_EQ(GradationColorAt(begin, end, 1, 26), QColor(253, 253, 253)); // 255 - 63/25 truncated
    EXPECT_EQ(GradationColorAt(QColor(0, 0, 0), QColor(10, 0, 0), 1, 4), QColor(3, 0, 0));
}

TEST(TxPlButtonDrawing, EvenCaptionSpreadsTheCharacters) {
    // Two characters on a wide button: against the two margins.
    EXPECT_EQ(EvenCharPositions({12, 12}, 2, 98), (QList<int>{2, 86}));
    // Free width 10 over 3 gaps: 4, 3, 3 pixels.
    EXPECT_EQ(EvenCharPositions({5, 5, 5, 5}, 0, 30), (QList<int>{0, 9, 17, 25}));
    // One character is centred.
    EXPECT_EQ(EvenCharPositions({10}, 2, 72), QList<int>{32});
}

TEST(TxPlButtonDrawing, CaptionLinesAreCentred) {
    const CaptionTops two = CenteredCaptionTops(40, 12, 4, true, true);
    EXPECT_EQ(two.first, 6);
    EXPECT_EQ(two.second, 22);
    const CaptionTops one = CenteredCaptionTops(26, 12, 4, true, false);
    EXPECT_EQ(one.first, 8);
    const CaptionTops secondOnly = CenteredCaptionTops(26, 12, 4, false, true);
    EXPECT_EQ(secondOnly.second, 7);
}

TEST(TxPlButtonDrawing, PaintsEveryStyle) {
    for (TxPlButtonStyle style : {bsNormal, bsFlat, bsFlatNoFrame, bsRoundRect, bsRoundRectNoFrame}) {
        TxPlButton button;
        button.SetButtonStyle(style);
        button.CaptionA().SetCaption(QStringLiteral("実行"));
        button.CaptionA().SetAlignment(taEven);
        button.CaptionB().SetCaption(QStringLiteral("F10"));
        QPixmap picture(8, 8);
        picture.fill(Qt::red);
        button.Image().SetPicture(picture);
        button.setEnabled(style != bsFlat);
        const QImage shot = button.grab().toImage();
        EXPECT_EQ(shot.size(), QSize(75, 26));
        EXPECT_EQ(button.Image().Top(), 9); // centred: (26 - 8) div 2
        EXPECT_EQ(button.mask().isEmpty(), style != bsRoundRect && style != bsRoundRectNoFrame);
    }
}

TEST(TxPFbtn, FunctionKeyPanelSetsTheFormTag) {
    controlstest::TestForm form;
    auto* f3 = form.add(new TxPFbtn);
    f3->setObjectName(QStringLiteral("F3"));
    auto* other = form.add(new TxPFbtn);
    other->setObjectName(QStringLiteral("Panel1"));
    form.show();
    SetFormTag(&form.window, 99);

    QTest::mousePress(f3, Qt::LeftButton);
    EXPECT_TRUE(f3->Lowered());
    EXPECT_TRUE(f3->Timer().isActive());
    EXPECT_EQ(f3->Timer().interval(), 200);
    QTest::mouseRelease(f3, Qt::LeftButton);
    EXPECT_FALSE(f3->Lowered());
    EXPECT_EQ(FormTag(&form.window), 3);

    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(FormTag(&form.window), 3);

    EXPECT_EQ(FunctionKeyTag(QStringLiteral("ESC")), 0);
    EXPECT_EQ(FunctionKeyTag(QStringLiteral("F10")), 10);
    EXPECT_EQ(FunctionKeyTag(QStringLiteral("F11")), -1);
}
