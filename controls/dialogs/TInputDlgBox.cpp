#include "controls/dialogs/TInputDlgBox.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/combo/TxComboBox.h"
#include "controls/dates/TallekExDateEdit.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/dialogs/InputKeyFilter.h"
#include "controls/dialogs/LongHint.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/edits/Cp932LimitValidator.h"
#include "controls/edits/TallekEdit.h"
#include "controls/edits/TxEdit.h"
#include "controls/forms/FormState.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace controls {

namespace {

constexpr int kClientWidth = 427;
constexpr int kClientHeight = 251;
constexpr int kBottomHeight = 128;
const QRect kInputPlace(24, 72, 385, 33);

QLabel* label(const QString& text, QWidget* parent, int x, int y) {
    auto* result = new QLabel(text, parent);
    result->move(x, y);
    result->adjustSize();
    return result;
}

} // namespace

TInputDlgBox::TInputDlgBox(QWidget* owner) : TBSDI(owner, bsDialog) {
    HostMenuSw = false;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    KeepOnClose = true;
    setWindowTitle(QString());
    setFont(DialogFont(12));
    setFixedSize(kClientWidth, kClientHeight);
    auto* pnlClient = new QWidget(this);
    pnlClient->setGeometry(0, 0, kClientWidth, kClientHeight - kBottomHeight);

    lblMain = new QLabel(pnlClient);
    lblMain->setWordWrap(true);
    lblMain->setTextFormat(Qt::PlainText);
    lblMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMain->setGeometry(16, 16, 393, 49);

    pnlText = new QWidget(pnlClient);
    pnlText->setGeometry(kInputPlace);
    txtInput = new TxEdit(pnlText);
    txtInput->setGeometry(0, 2, 250, 21);
    txtInput->SetKeyStyles(TKeyStyles{ksEnter});
    txtInput->SetKillPaste(true);
    txtInput->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    txtInput->installEventFilter(this);
    btnFuseji = new TxCheckBox(QStringLiteral("伏字にせず入力"), pnlText);
    btnFuseji->move(256, 2);
    btnFuseji->adjustSize();
    btnFuseji->setFocusPolicy(Qt::ClickFocus);
    connect(btnFuseji, &QCheckBox::toggled, this, [this] { applyFuseji(); });

    pnlCombo = new QWidget(pnlClient);
    cmbInput = new TxComboBox(pnlCombo);
    cmbInput->setGeometry(0, 2, 265, 21);
    cmbInput->SetStyle(csDropDown);
    cmbInput->setMaxVisibleItems(16);
    cmbInput->SetKeyTerm(QStringLiteral(":"));
    cmbInput->setAttribute(Qt::WA_InputMethodEnabled, false);

    pnlKingaku = new QWidget(pnlClient);
    txtKingaku = new TTallekEdit(pnlKingaku);
    txtKingaku->setGeometry(0, 2, 120, 21);
    txtKingaku->SetImeMode(imDisable);
    txtKingaku->SetMaxLength(11);
    txtKingaku->SetAlignment(Qt::AlignRight);
    txtKingaku->SetEditStyle(esNumericMinus);
    txtKingaku->SetKeyStyles(TKeyStyles{ksEnter, ksUp});
    txtKingaku->SetOutputFormat(QStringLiteral("#,##0"));
    txtKingaku->SetComma(true);
    txtKingaku->SetZero3Key(zkDot);
    label(QStringLiteral("円"), pnlKingaku, 124, 5);

    pnlDate = new QWidget(pnlClient);
    label(QStringLiteral("(自)"), pnlDate, 0, 5);
    label(QStringLiteral("(至)"), pnlDate, 0, 31);
    txtHizuke1 = new TTallekExDateEdit(pnlDate);
    txtHizuke2 = new TTallekExDateEdit(pnlDate);
    int dateTop = 2;
    for (TTallekExDateEdit* edit : {txtHizuke1, txtHizuke2}) {
        edit->SetEditStyle(desYearMonthDay);
        edit->SetEditGengo(true);
        edit->SetYeardigit(yddigit4);
        edit->SetCanEmpty(true);
        edit->SetGengo(rsWareki);
        edit->SetEnterNext(true);
        edit->SetDialogCaption(QStringLiteral("日付時刻入力"));
        edit->setGeometry(32, dateTop, 193, 21);
        dateTop += 26;
    }
    for (QWidget* panel : {pnlCombo, pnlKingaku, pnlDate})
        panel->hide();
    pnlCombo->setGeometry(24, 72, 385, 33);
    pnlKingaku->setGeometry(24, 72, 385, 33);
    pnlDate->setGeometry(24, 72, 385, 53);

    pnlBottom = new QWidget(this);
    pnlBottom->setGeometry(0, kClientHeight - kBottomHeight, kClientWidth, kBottomHeight);
    auto* PanelHint = new QWidget(pnlBottom);
    PanelHint->setGeometry(0, 0, kClientWidth, 81);
    PanelHint->setEnabled(false);
    HintArea = new QPlainTextEdit(PanelHint);
    HintArea->setGeometry(16, 8, 394, 65);
    HintArea->setReadOnly(true);
    F1 = new TxPlButton(pnlBottom);
    F1->CaptionA().SetCaption(QStringLiteral("F1:ヘルプ"));
    F1->hide();
    btnOK = new TxPlButton(pnlBottom);
    btnOK->CaptionA().SetCaption(QStringLiteral("OK"));
    btnOK->setGeometry(217, 88, 90, 26);
    btnOK->OnClick = [this](QObject*) {
        // A refused entry (or a date the edit rejects) keeps the box open.
        SetFormModalResult(this, core::mrNone);
        RunGuarded([this] { okClicked(); });
    };
    btnCancel = new TxPlButton(pnlBottom);
    btnCancel->CaptionA().SetCaption(QStringLiteral("キャンセル"));
    btnCancel->SetModalResult(core::mrCancel);
    btnCancel->setGeometry(321, 88, 90, 26);

    HintMemo = HintArea;
    F12Button = btnOK;
    // The date edits show the Japanese era whatever the operator's switch.
    SetDateEditEras();
    setTabOrder(txtInput, btnOK);
    setTabOrder(btnOK, btnCancel);
    InitOK = true;
}

void TInputDlgBox::Prepare(int flag) {
    prepareFlag_ = flag;
    setWindowTitle(Title);
    lblMain->setText(Message);
    QPalette palette = lblMain->palette();
    palette.setColor(QPalette::WindowText, MessageColor.isValid() ? MessageColor : this->palette().color(QPalette::WindowText));
    lblMain->setPalette(palette);

    const int mode = effectiveMode();
    QWidget* shown = pnlText;
    switch (mode) {
    case 2:
        shown = pnlCombo;
        cmbInput->clear();
        cmbInput->addItems(ComboItems);
        cmbInput->setEditText(Value);
        SetHint(cmbInput, InputHint);
        if (QLineEdit* edit = cmbInput->lineEdit()) {
            // The limit counts CP932 bytes, as in the text field.
            auto* limit = new Cp932LimitValidator(edit);
            limit->setLimit(MaxLen);
            edit->setValidator(limit);
            applyImeMode(edit, InputImeMode);
        }
        applyImeMode(cmbInput, InputImeMode);
        break;
    case 3:
        shown = pnlKingaku;
        txtKingaku->setText(Value);
        SetHint(txtKingaku, InputHint);
        txtKingaku->SetMaxLength(MaxLen);
        txtKingaku->SetImeMode(imDisable);
        break;
    case 4:
        shown = pnlDate;
        for (TTallekExDateEdit* edit : {txtHizuke1, txtHizuke2}) {
            edit->SetEditGengo(true);
            edit->SetGengo(rsWareki);
        }
        txtHizuke1->SetMinDate(MinDate1);
        txtHizuke1->SetMaxDate(MaxDate1);
        txtHizuke1->SetDateTime(Date1);
        txtHizuke2->SetMinDate(MinDate2);
        txtHizuke2->SetMaxDate(MaxDate2);
        txtHizuke2->SetDateTime(Date2);
        SetHint(txtHizuke1, InputHint);
        SetHint(txtHizuke2, InputHint);
        break;
    default:
        txtInput->setText(Value);
        SetHint(txtInput, InputHint);
        txtInput->SetMaxLength(MaxLen);
        txtInput->SetImeMode(InputImeMode);
        txtInput->setEchoMode(QLineEdit::Normal);
        btnFuseji->hide();
        if (mode == 1) {
            Required = true;
            btnFuseji->show();
            applyFuseji();
        }
        break;
    }
    for (QWidget* panel : {pnlText, pnlCombo, pnlKingaku, pnlDate}) {
        if (panel == shown)
            panel->move(kInputPlace.topLeft());
        panel->setVisible(panel == shown);
    }
    if (KeyFilter != 0)
        SetInputCharKind(KeyFilter);

    SetHint(btnFuseji, QStringLiteral("パスワードを伏字にせず入力します。|チェックを入れるとパスワードを伏字にしないで入力が行えます。"));
    SetHint(btnOK, QStringLiteral("内容を確定します。|内容を確定します。"));
    SetHint(btnCancel, QStringLiteral("画面を閉じます。|画面を閉じます。"));
    FirstLayout = false;
}

void TInputDlgBox::SetInputCharKind(int keyFilter) {
    KeyFilter = keyFilter;
    if (keyFilter == 0) {
        txtInput->OnKeyPress = nullptr;
        return;
    }
    txtInput->OnKeyPress = [this](QObject*, QChar& ch) {
        if (!InputKeyAccepted(KeyFilter, ch))
            ch = QChar();
    };
}

void TInputDlgBox::applyFuseji() {
    // The password mode keeps the text masked unless the user asks to see it.
    const bool masked = effectiveMode() == 1 && !btnFuseji->isChecked();
    txtInput->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

bool TInputDlgBox::refuse(const QString& message, QWidget* focusBack) {
    core::showMessage(core::MessageKind::Information, message, core::mbOK);
    focusBack->setFocus();
    return false;
}

void TInputDlgBox::okClicked() {
    switch (effectiveMode()) {
    case 2:
        if (Required && core::TrimZenkaku(cmbInput->currentText()).isEmpty()) {
            refuse(QStringLiteral("入力または選択してから[OK]ボタンを押して下さい。"), cmbInput);
            return;
        }
        Value = cmbInput->currentText();
        break;
    case 3: Value = txtKingaku->text().trimmed().isEmpty() ? QStringLiteral("0") : txtKingaku->text(); break;
    case 4:
        Date1 = txtHizuke1->GetDateTime();
        Date2 = txtHizuke2->GetDateTime();
        break;
    default: {
        const QString trimmed = core::TrimZenkaku(txtInput->text());
        if (Required && trimmed.isEmpty()) {
            refuse(QStringLiteral("入力してから[OK]ボタンを押して下さい。"), txtInput);
            return;
        }
        if (ForbiddenValues.contains(trimmed, Qt::CaseSensitive)) {
            refuse(ForbiddenMessage, txtInput);
            return;
        }
        Value = txtInput->text();
        break;
    }
    }
    SetFormModalResult(this, core::mrOk);
}

void TInputDlgBox::showEvent(QShowEvent* event) {
    TBSDI::showEvent(event);
    if (!CheckFormInitOK(*this)) {
        QTimer::singleShot(0, this, [this] { Close(); });
        return;
    }
    switch (effectiveMode()) {
    case 2: cmbInput->setFocus(); break;
    case 3: txtKingaku->setFocus(); break;
    case 4: txtHizuke1->setFocus(); break;
    default: txtInput->setFocus(); break;
    }
}

bool TInputDlgBox::eventFilter(QObject* watched, QEvent* event) {
    // Text the input method commits goes through the character filter like typed keys.
    if (watched == txtInput && event->type() == QEvent::InputMethod && KeyFilter != 0) {
        auto* ime = static_cast<QInputMethodEvent*>(event);
        QString kept;
        for (const QChar ch : ime->commitString())
            if (InputKeyAccepted(KeyFilter, ch))
                kept += ch;
        if (kept != ime->commitString()) {
            QInputMethodEvent filtered(ime->preeditString(), ime->attributes());
            filtered.setCommitString(kept, ime->replacementStart(), ime->replacementLength());
            const int filter = KeyFilter;
            KeyFilter = 0; // the filtered event passes this filter once
            QCoreApplication::sendEvent(txtInput, &filtered);
            KeyFilter = filter;
            return true;
        }
    }
    return TBSDI::eventFilter(watched, event);
}

} // namespace controls
