#include "communication/TusinWindows.h"

#include "core/ui/MessageService.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace communication {

TfmWaitMess::TfmWaitMess(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("fmWaitMess"));
    setWindowTitle(QStringLiteral("データ通信"));
    auto* layout = new QVBoxLayout(this);
    for (auto& box : boxes_) {
        box = new QLabel(this);
        box->setVisible(false);
        layout->addWidget(box);
    }
    busy_ = new QProgressBar(this);
    busy_->setRange(0, 0);
    layout->addWidget(busy_);
}

TfmWaitMess2::TfmWaitMess2(QWidget* owner)
    : TfmWaitMess(owner)
{
    setObjectName(QStringLiteral("fmWaitMess2"));
    SetCaptions({QStringLiteral("クラウドシェア認証チェック")});
    SetBox(1, 1, QString());
}

void TfmWaitMess::SetCaptions(const QStringList& captions)
{
    for (int i = 0; i < 5; ++i) {
        const QString caption = captions.value(i);
        boxes_[size_t(i)]->setText(caption);
        boxes_[size_t(i)]->setVisible(!caption.isEmpty());
        SetBox(i + 1, 0, QString());
    }
}

void TfmWaitMess::SetBox(int box, int state, const QString& caption)
{
    if (box < 1 || box > 5)
        return;
    QLabel* label = boxes_[size_t(box - 1)];
    if (!caption.isEmpty())
        label->setText(caption);
    label->setStyleSheet(state == 1 ? QStringLiteral("color: blue;") : QStringLiteral("color: grey;"));
}

TfmTusinSettiPas::TfmTusinSettiPas(QWidget* owner, const QString& caption, const QString& checkCaption,
                                   const QString& hint, const QString& expected)
    : QDialog(owner),
      expected_(expected)
{
    setObjectName(QStringLiteral("fmTusinSettiPas"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    check_ = new QCheckBox(checkCaption, this);
    layout->addWidget(check_);
    layout->addWidget(new QLabel(QStringLiteral("パスワード:"), this));
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(6);
    layout->addWidget(password_);
    layout->addWidget(new QLabel(QStringLiteral("（英数半角６桁以内）"), this));
    layout->addWidget(new QLabel(QStringLiteral("例： ABC123"), this));
    layout->addWidget(new QLabel(hint, this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("ESC:ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    QPushButton* ok = buttons->addButton(QStringLiteral("ＯＫ"), QDialogButtonBox::AcceptRole);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &TfmTusinSettiPas::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(password_, &QLineEdit::editingFinished, this, &TfmTusinSettiPas::PasswordExit);
}

bool TfmTusinSettiPas::PasswordExit()
{
    const QString typed = password_->text();
    if (!typed.contains(QLatin1Char(' ')) && !typed.contains(QChar(0x3000)))
        return true;
    core::showMessage(core::MessageKind::Information,
                      QStringLiteral("パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。"));
    password_->setFocus();
    return false;
}

void TfmTusinSettiPas::OkClick()
{
    if (!check_->isChecked()) {
        core::showMessage(core::MessageKind::Information,
                          check_->text() == QStringLiteral("削除処理を実行します")
                              ? QStringLiteral("「削除処理を実行します」をチェックしてください。")
                              : QStringLiteral("「解除処理を実行します」をチェックしてください。"));
        return;
    }
    if (!PasswordExit())
        return;
    if (password_->text() != expected_) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("パスワードが違います。"));
        password_->setFocus();
        return;
    }
    accept();
}

TConsentBox::TConsentBox(QWidget* owner, const QString& caption, const QString& text, const QStringList& details,
                         const QString& agreeCaption)
    : QDialog(owner)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text, this));
    auto* memo = new QPlainTextEdit(details.join(QLatin1Char('\n')), this);
    memo->setReadOnly(true);
    layout->addWidget(memo);
    agree_ = new QCheckBox(agreeCaption, this);
    layout->addWidget(agree_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(agree_, &QCheckBox::toggled, buttons->button(QDialogButtonBox::Ok), &QPushButton::setEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace communication
