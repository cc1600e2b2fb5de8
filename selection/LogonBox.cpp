// The login dialog's window: its controls, creation, connection-mode buttons and keys. The
// check itself is in LogonCheck.cpp.
#include "selection/LogonBox.h"

#include "controls/dialogs/LongHint.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/edits/ImeMode.h"
#include "core/Globals.h"
#include "selection/AppIniCreateBox.h"
#include "selection/UpPasswordBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace selection {

TLogonBox::TLogonBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    // The opener frees the dialog.
    KeepOnClose = true;
    setWindowTitle(QStringLiteral("ログイン"));
    ShowBox2 = [](controls::TMessage2InfoRec& info) { return controls::ShowMessageBox2(info); };
    buildControls();
    new controls::WindowKeyPreview(this, [this](QKeyEvent* e) { return PreviewKey(e); });
    FormCreate();
}

TLogonBox::~TLogonBox() = default;

QString TLogonBox::ApplicationName() const
{
    return core::SystemDef.AppName.isEmpty() ? kLogonAppName : core::SystemDef.AppName;
}

void TLogonBox::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    UpperPanel = new QWidget(this);
    auto* upper = new QVBoxLayout(UpperPanel);
    lblCaption1 = new QLabel(UpperPanel);
    lblCaption2 = new QLabel(UpperPanel);
    lblCaption3 = new QLabel(UpperPanel);
    upper->addWidget(lblCaption1);
    upper->addWidget(lblCaption2);
    upper->addWidget(lblCaption3);
    layout->addWidget(UpperPanel);

    LowerPanel = new QWidget(this);
    auto* lower = new QVBoxLayout(LowerPanel);
    grpConnect = new QGroupBox(LowerPanel);
    auto* connectLine = new QHBoxLayout(grpConnect);
    btnSA = new QRadioButton(QStringLiteral("スタンドアロン"), grpConnect);
    controls::SetHint(btnSA, QStringLiteral("このコンピュータで管理しているデータを処理します。"));
    btnCS = new QRadioButton(QStringLiteral("クライアント(C/S)"), grpConnect);
    controls::SetHint(btnCS, QStringLiteral("ネットワークに接続して、サーバーで管理しているデータを処理します。"));
    btnServerSettei = new QPushButton(QStringLiteral("サーバー設定"), grpConnect);
    btnServerSettei->setAutoDefault(false);
    controls::SetHint(btnServerSettei, QStringLiteral("データサーバーの情報を設定します。"));
    connectLine->addWidget(btnSA);
    connectLine->addWidget(btnCS);
    connectLine->addWidget(btnServerSettei);
    lower->addWidget(grpConnect);

    auto* loginGroup = new QGroupBox(LowerPanel);
    auto* grid = new QGridLayout(loginGroup);
    GroupLine = new QWidget(loginGroup);
    auto* groupRow = new QHBoxLayout(GroupLine);
    groupRow->setContentsMargins(0, 0, 0, 0);
    txtGroupID = new QLineEdit(GroupLine);
    txtGroupID->setMaxLength(16);
    txtGroupID->setEchoMode(QLineEdit::Password);
    groupRow->addWidget(new QLabel(QStringLiteral("グループ:"), GroupLine));
    groupRow->addWidget(txtGroupID);
    txtOpCode = new QLineEdit(loginGroup);
    txtOpCode->setMaxLength(9);
    controls::applyImeMode(txtOpCode, controls::imDisable);
    txtPassword = new QLineEdit(loginGroup);
    txtPassword->setMaxLength(16);
    txtPassword->setEchoMode(QLineEdit::Password);
    controls::applyImeMode(txtPassword, controls::imDisable);
    grid->addWidget(GroupLine, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("コード:"), loginGroup), 1, 0);
    grid->addWidget(txtOpCode, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("パスワード:"), loginGroup), 2, 0);
    grid->addWidget(txtPassword, 2, 1);
    lower->addWidget(loginGroup);

    auto* buttons = new QHBoxLayout;
    btnUpPassword = new QPushButton(QStringLiteral("パスワードを変更 "), LowerPanel);
    btnUpPassword->setAutoDefault(false);
    btnUpPassword->hide();
    buttons->addWidget(btnUpPassword);
    buttons->addStretch();
    OKBtn = new QPushButton(QStringLiteral("OK"), LowerPanel);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), LowerPanel);
    CancelBtn->setAutoDefault(false);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    lower->addLayout(buttons);
    layout->addWidget(LowerPanel);

    // Checking a button, by the user or by the program, runs btnSAClick once.
    connect(btnSA, &QRadioButton::toggled, this, [this](bool on) { if (on) controls::RunGuarded([this] { btnSAClick(); }); });
    connect(btnCS, &QRadioButton::toggled, this, [this](bool on) { if (on) controls::RunGuarded([this] { btnSAClick(); }); });
    connect(btnServerSettei, &QPushButton::clicked, this, controls::Guarded([this] { btnServerSetteiClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
}

void TLogonBox::FormCreate()
{
    InitOK = false;
    GroupMode = false;
    enteredPassword_.clear();
    GroupMode = core::ConnectMode == 2 && core::SystemDef.GROUP != 0;
    lblCaption1->setText(QStringLiteral("%1 を利用するには").arg(ApplicationName()));
    if (GroupMode) {
        lblCaption2->setText(QStringLiteral("グループ、オペレータコードとパスワードを入力して下さい。"));
    } else {
        lblCaption2->setText(QStringLiteral("オペレータコードとパスワードを入力して下さい。"));
        GroupLine->hide();
    }
    lblCaption3->clear();

    ServerSetteiBox = std::make_unique<TAppIniCreateBox>(nullptr);
    if (ServerSetteiBox->LoadConnectMode() != 0)
        btnCS->setChecked(true);
    else
        btnSA->setChecked(true);

    if (core::ConnectMode == 2 || core::EditionFlag == 2) {
        grpConnect->hide();
        btnSA->setChecked(true);
        adjustSize();
    }
    connect(OKBtn, &QPushButton::clicked, this, controls::Guarded([this] { OKBtnClick(); }));
    InitOK = true;
}

void TLogonBox::CMShowingChanged()
{
    controls::TBSDI::CMShowingChanged();
    // Digits only, as the Windows edit style ES_NUMBER admits.
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    txtGroupID->setValidator(new QRegularExpressionValidator(digits, txtGroupID));
    txtOpCode->setValidator(new QRegularExpressionValidator(digits, txtOpCode));
    btnServerSettei->setEnabled(btnCS->isChecked());
    (GroupMode ? txtGroupID : txtOpCode)->setFocus();
}

void TLogonBox::btnSAClick()
{
    if (core::ConnectMode == 2)
        return;
    core::ConnectMode = btnCS->isChecked() ? 1 : 0;
    btnServerSettei->setEnabled(btnCS->isChecked());
}

void TLogonBox::btnServerSetteiClick()
{
    if (ServerSetteiBox && ServerSetteiBox->Ready())
        ServerSetteiBox->exec();
}

bool TLogonBox::PreviewKey(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return false;
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (key == Qt::Key_Escape || key == Qt::Key_F1) {
        // Neither closes nor helps here: the login ends only by its buttons.
        return true;
    }
    if (key == Qt::Key_F12 && plain) {
        if (event->type() == QEvent::KeyRelease && OKBtn->isEnabled() && OKBtn->isVisible())
            controls::RunGuarded([this] { OKBtnClick(); });
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->type() == QEvent::KeyPress) {
        // Enter moves on: from the group to the code, the code to the password, the password to OK.
        QWidget* focus = focusWidget();
        QWidget* next = nullptr;
        if (focus == txtGroupID)
            next = txtOpCode;
        else if (focus == txtOpCode)
            next = txtPassword;
        else if (focus == txtPassword)
            next = OKBtn;
        if (next != nullptr) {
            next->setFocus();
            return true;
        }
    }
    return false;
}

} // namespace selection
