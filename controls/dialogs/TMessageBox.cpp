#include "controls/dialogs/TMessageBox.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/grid/ColorRef.h"
#include "core/ui/MessageService.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

namespace controls {

namespace {

constexpr int kClientWidth = 504;
constexpr int kClientHeight = 293;
constexpr int kBottomHeight = 41;
constexpr int kMemoHeight = 156;
constexpr int kMainWidth = 445;
constexpr int kMainHeight = 49;
const QString kAgreeDefault = QStringLiteral("同意する");

} // namespace

void InitMessageInfo(TMessageInfoRec& info) {
    info = TMessageInfoRec{};
}

TMessageBox::TMessageBox(QWidget* owner)
    : TBSDI(owner, bsDialog), pnlClient(new QWidget(this)), pnlBottom(new QWidget(this)) {
    HostMenuSw = false;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    KeepOnClose = true;
    setWindowTitle(QString());
    setFont(DialogFont(12));
    lblMain = new QLabel(QStringLiteral("メッセージ"), pnlClient);
    lblMain->setWordWrap(true);
    lblMain->setTextFormat(Qt::PlainText);
    lblMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MessageArea = new QPlainTextEdit(pnlClient);
    MessageArea->setReadOnly(true);
    MessageArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MessageArea->setFocusPolicy(Qt::ClickFocus);
    cboxAgree = new TxCheckBox(QStringLiteral("同意する。"), pnlClient);
    btnOK = new TxPlButton(pnlBottom);
    btnCancel = new TxPlButton(pnlBottom);
    for (TxPlButton* button : {btnOK, btnCancel}) {
        button->resize(90, 26);
        button->SetGradEndColor(fromColorRef(11974326));
    }
    btnOK->move(295, 6);
    btnCancel->move(399, 6);
    // The click hands the button's modal result to the form; the handler makes F12 press it.
    btnOK->OnClick = [](QObject*) {};
    F12Button = btnOK;
    connect(cboxAgree, &QCheckBox::toggled, this, [this](bool checked) {
        if (Kind == 2)
            btnOK->setEnabled(checked);
    });
    InitOK = true;
}

void TMessageBox::Prepare(int flag) {
    prepareFlag_ = flag;
    btnOK->show();
    btnOK->CaptionA().SetCaption(QStringLiteral("OK"));
    btnOK->SetModalResult(core::mrOk);
    btnCancel->show();
    btnCancel->CaptionA().SetCaption(QStringLiteral("キャンセル"));
    btnCancel->SetModalResult(core::mrCancel);
    if (Kind == 1) {
        btnOK->hide();
        btnCancel->CaptionA().SetCaption(QStringLiteral("OK"));
        btnCancel->SetModalResult(core::mrOk);
    }

    setWindowTitle(Caption);
    lblMain->setText(MainText);
    QPalette palette = lblMain->palette();
    palette.setColor(QPalette::WindowText, fromColorRef(MainColor));
    lblMain->setPalette(palette);

    MessageArea->setPlainText(details_.join(QLatin1Char('\n')));
    MessageArea->setVisible(!details_.isEmpty());
    placeControls(details_.isEmpty() ? kClientHeight - kMemoHeight : kClientHeight);

    // Without a caption of its own the box keeps the form's default, so that a gating box can
    // always be ticked.
    cboxAgree->setVisible(Kind == 2 || Kind == 3);
    cboxAgree->setText(AgreeCaption.isEmpty() ? kAgreeDefault : AgreeCaption);
    cboxAgree->setChecked(false);
    btnOK->setEnabled(Kind != 2);
    placeWindow();
    FirstLayout = false;
}

void TMessageBox::placeControls(int clientHeight) {
    // The main text is shown whole: a text taller than its place pushes the memo, the agreement
    // box and the buttons down and makes the box taller.
    const int mainHeight = qMax(kMainHeight, lblMain->heightForWidth(kMainWidth));
    const int extra = mainHeight - kMainHeight;
    clientHeight += extra;
    setFixedSize(kClientWidth, clientHeight);
    const int clientPart = clientHeight - kBottomHeight;
    pnlClient->setGeometry(0, 0, kClientWidth, clientPart);
    pnlBottom->setGeometry(0, clientPart, kClientWidth, kBottomHeight);
    lblMain->setGeometry(24, 16, kMainWidth, mainHeight);
    MessageArea->setGeometry(24, 72 + extra, 465,
                             clientPart - 72 - extra - (kClientHeight - kBottomHeight - 72 - kMemoHeight));
    // The agreement box keeps its distance from the bottom of the panel.
    cboxAgree->setGeometry(24, clientPart - (kClientHeight - kBottomHeight - 234), 445, 17);
}

void TMessageBox::placeWindow() {
    QWidget* owner = parentWidget();
    const bool onOwner = (WindowPosition == 6 || WindowPosition == 7) && owner != nullptr;
    if (onOwner) {
        const QRect base = owner->window()->frameGeometry();
        move(base.center() - QPoint(width() / 2, height() / 2));
    } else if (WindowPosition >= 4 && WindowPosition <= 7) {
        if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void TMessageBox::showEvent(QShowEvent* event) {
    TBSDI::showEvent(event);
    if (!CheckFormInitOK(*this)) {
        QTimer::singleShot(0, this, [this] { Close(); });
        return;
    }
    // The OK button has the focus, so that Enter closes the box with OK; where OK waits for the
    // agreement box, the Cancel button.
    defaultButton()->setFocus(Qt::OtherFocusReason);
}

TxPlButton* TMessageBox::defaultButton() const {
    if (Kind == 1)
        return btnCancel; // the one button, captioned OK
    return btnOK->isEnabled() ? btnOK : btnCancel;
}

int ShowMessageBox(const TMessageInfoRec& info) {
    TMessageBox box(DialogOwner());
    box.Kind = info.Kind;
    box.Caption = info.Caption;
    box.MainText = info.MainText;
    box.MainColor = info.MainColor;
    box.SetDetailLines(info.Details);
    box.AgreeCaption = info.AgreeCaption;
    box.WindowPosition = info.Position;
    box.Prepare(1);
    return ShowFormModal(box);
}

} // namespace controls
