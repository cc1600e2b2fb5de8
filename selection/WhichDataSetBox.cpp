#include "selection/WhichDataSetBox.h"

#include "core/ui/MessageService.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace selection {

TWhichDataSetBox::TWhichDataSetBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    setWindowTitle(QStringLiteral("データの持ち出し／持ち帰り"));
    KeepOnClose = true;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("データの処理方法:"), this));
    btnMochidashi = new QRadioButton(QStringLiteral("データを持ち出します"), this);
    btnMochikaeri = new QRadioButton(QStringLiteral("データを持ち帰りました"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(btnMochidashi);
    group->addButton(btnMochikaeri);
    layout->addWidget(btnMochidashi);
    layout->addWidget(btnMochikaeri);
    auto* buttons = new QHBoxLayout;
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    HintMemo = new QPlainTextEdit(this);
    HintMemo->setReadOnly(true);
    layout->addWidget(HintMemo);
    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
    btnMochidashi->setChecked(true);
    InitOK = true;
}

void TWhichDataSetBox::Prepare(int flag)
{
    PrepareFlag = flag;
    btnMochidashi->setToolTip(QStringLiteral("データの処理方法を選択します。|データを持ち出すため、「データ選択（サーバ）」画面で選択した"
                                             "場所にあるデータをコンピュータ内のデータエリアへコピーします。"));
    btnMochikaeri->setToolTip(QStringLiteral("データの処理方法を選択します。|データを持ち帰ったため、「データ選択（サーバ）」画面で選択"
                                             "した場所へコンピュータ内のデータエリアよりコピーします。"));
    btnOK->setToolTip(QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    btnCancel->setToolTip(QStringLiteral("画面を閉じます。|画面を閉じます。"));
    btnMochidashi->setEnabled(TakenOut != 1);
    btnMochikaeri->setEnabled(true);
    if (TakenOut != 0 || BringBack != 0)
        btnMochikaeri->setChecked(true);
    else
        btnMochidashi->setChecked(true);
    FirstLayout = false;
}

void TWhichDataSetBox::OkClicked()
{
    BringBack = 0;
    if (!(btnMochidashi->isEnabled() && btnMochidashi->isChecked()) && btnMochikaeri->isEnabled()
        && btnMochikaeri->isChecked())
        BringBack = 1;
    done(core::mrOk);
}

void TWhichDataSetBox::showEvent(QShowEvent* event)
{
    controls::TBSDI::showEvent(event);
    if (PrepareFlag == 0) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("%1画面の初期化に失敗しました。\r処理を終了します。").arg(windowTitle()), core::mbYes);
        done(core::mrCancel);
        return;
    }
    if (btnMochidashi->isEnabled())
        btnMochidashi->setFocus();
    else
        btnMochikaeri->setFocus();
}

void TWhichDataSetBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key >= Qt::Key_F1 && key <= Qt::Key_F8) || key == Qt::Key_F12) {
        event->accept();
        return;
    }
    controls::TBSDI::keyPressEvent(event);
}

} // namespace selection
