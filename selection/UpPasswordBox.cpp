#include "selection/UpPasswordBox.h"

#include "controls/dialogs/InputKeyFilter.h"
#include "controls/dialogs/LongHint.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/edits/ImeMode.h"
#include "core/ui/MessageService.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace selection {

namespace {

constexpr int kPasswordLength = 10;
// The key filter of letters and digits (with Backspace; Enter always passes).
constexpr int kLettersAndDigits = 30;

// Trimmed of half-width and full-width blanks.
QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == QChar(0x3000); };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

TUpPasswordBox::TUpPasswordBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    KeepOnClose = true;
    buildControls();
    // FormCreate: nothing kept, the edits empty.
    changeMode_ = false;
    currentPassword_.clear();
    newPassword_.clear();
    new controls::WindowKeyPreview(this, [this](QKeyEvent* e) { return PreviewKey(e); });
    InitOK = true;
}

TUpPasswordBox::~TUpPasswordBox() = default;

void TUpPasswordBox::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    layout->addWidget(Label1);
    auto* group = new QGroupBox(this);
    auto* lines = new QVBoxLayout(group);
    auto line = [&](QLabel*& label, const QString& caption, QLineEdit*& edit, const QString& hint) {
        auto* row = new QWidget(group);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        label = new QLabel(caption, row);
        edit = new QLineEdit(row);
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(kPasswordLength);
        // Also holds for pasted text, which no key filter sees.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), edit));
        controls::applyImeMode(edit, controls::imDisable);
        controls::SetHint(edit, hint);
        edit->installEventFilter(this);
        h->addWidget(label);
        h->addWidget(edit);
        lines->addWidget(row);
        return row;
    };
    NowLine = line(Label2, QStringLiteral("現在のパスワード:"), txtPasswordNow, QStringLiteral("現在のパスワードを入力します。"));
    line(Label3, QStringLiteral("新しいパスワード:"), txtPasswordNew1, QStringLiteral("新しいパスワードを入力します。"));
    line(Label4, QStringLiteral("新しいパスワード(確認):"), txtPasswordNew2,
         QStringLiteral("もう一度、新しいパスワードを入力します。"));
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnOk->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connect(btnOk, &QPushButton::clicked, this, controls::Guarded([this] { btnOkClick(); }));
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
}

void TUpPasswordBox::SetCurrentPassword(const QString& current)
{
    currentPassword_ = current;
    changeMode_ = !current.isEmpty();
    newPassword_.clear();
    if (changeMode_) {
        setWindowTitle(QStringLiteral("パスワードの変更"));
        Label1->setText(QStringLiteral("パスワードを変更します。"));
    } else {
        setWindowTitle(QStringLiteral("パスワードの設定"));
        Label1->setText(QStringLiteral("パスワードを設定します。"));
    }
    // The layout moves the two new-password lines up when the current-password line is hidden.
    NowLine->setVisible(changeMode_);
    txtPasswordNow->clear();
    txtPasswordNew1->clear();
    txtPasswordNew2->clear();
}

void TUpPasswordBox::txtPasswordNowKeyPress(QChar& key)
{
    if (!controls::InputKeyAccepted(kLettersAndDigits, key))
        key = QChar(0);
}

void TUpPasswordBox::btnOkClick()
{
    setResult(core::mrNone);
    auto warn = [](const QString& text, QLineEdit* focus) {
        core::showMessage(core::MessageKind::Warning, text);
        focus->setFocus();
    };
    if (changeMode_) {
        if (TrimBlanks(txtPasswordNow->text()).isEmpty()) {
            warn(QStringLiteral("現在のパスワードが入力されていません。"), txtPasswordNow);
            return;
        }
        if (txtPasswordNow->text() != currentPassword_) {
            warn(QStringLiteral("現在のパスワードが入力されたパスワードと一致しません。"), txtPasswordNow);
            return;
        }
    }
    if (TrimBlanks(txtPasswordNew1->text()).isEmpty() || TrimBlanks(txtPasswordNew2->text()).isEmpty()) {
        warn(QStringLiteral("新しいパスワードが入力されていません。両方のボックスに入力して下さい。"), txtPasswordNew1);
        return;
    }
    if (txtPasswordNew1->text() != txtPasswordNew2->text()) {
        warn(QStringLiteral("入力されたパスワードは一致しません。"), txtPasswordNew1);
        return;
    }
    newPassword_ = txtPasswordNew1->text();
    done(core::mrOk);
}

void TUpPasswordBox::CMShowingChanged()
{
    controls::TBSDI::CMShowingChanged();
    repaint();
    (changeMode_ ? txtPasswordNow : txtPasswordNew1)->setFocus();
}

bool TUpPasswordBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == txtPasswordNow || watched == txtPasswordNew1 || watched == txtPasswordNew2)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        // Printable characters only: editing keys (Delete, arrows) never reach a key-press handler.
        if (key->text().size() == 1 && key->text().front().isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QChar ch = key->text().front();
            txtPasswordNowKeyPress(ch);
            if (ch.isNull())
                return true;
        }
    }
    return controls::TBSDI::eventFilter(watched, event);
}

bool TUpPasswordBox::PreviewKey(QKeyEvent* event)
{
    // F12 on its release clicks OK; Esc is the base form's (Cancel).
    if (event->key() != Qt::Key_F12 || event->isAutoRepeat()
        || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (event->type() == QEvent::KeyRelease && btnOk->isEnabled() && btnOk->isVisible())
        controls::RunGuarded([this] { btnOkClick(); });
    return true;
}

} // namespace selection
