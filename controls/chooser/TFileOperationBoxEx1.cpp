#include "controls/chooser/TFileOperationBoxEx1.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/buttons/TxRadioButton.h"
#include "controls/combo/TxComboBox.h"
#include "controls/dialogs/LongHint.h"
#include "controls/edits/TxEdit.h"
#include "controls/forms/FormState.h"
#include "controls/forms/FontScale.h"
#include "core/ui/MessageService.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPlainTextEdit>

namespace controls {

TFileOperationBoxEx1::TFileOperationBoxEx1(QWidget* owner) : TFileOperationBox(owner) {
    InitOK = false;
    btnSelect1 = new TxRadioButton(QStringLiteral("ファイルの場所を選択する"), pnlClient);
    btnSelect2 = new TxRadioButton(QStringLiteral("既定の場所から実行する"), pnlClient);
    auto* group = new QButtonGroup(this);
    group->addButton(btnSelect1);
    group->addButton(btnSelect2);
    btnSelect1->setChecked(true);

    setFixedSize(495, 327);
    lblMain->setGeometry(24, 16, 447, 33);
    btnSelect1->setGeometry(24, 59, 449, 17);
    lblFileSelect->setGeometry(40, 83, 369, 15);
    cmbFileSelect->setGeometry(40, 99, 369, 21);
    btnSansyo->setGeometry(413, 99, 54, 21);
    btnHistDelete->setGeometry(397, 75, 70, 21);
    lblFileName->setGeometry(40, 131, 215, 15);
    txtFileName->setGeometry(40, 147, 215, 21);
    btnSelect2->setGeometry(24, 178, 449, 17);
    btnOK->move(277, btnOK->y());
    btnCancel->move(381, btnCancel->y());
    HintArea->resize(447, HintArea->height());

    connect(btnSelect1, &QRadioButton::clicked, this, [this] { selectClicked(); });
    connect(btnSelect2, &QRadioButton::clicked, this, [this] { selectClicked(); });
    SelectKind = 1;
    InitOK = true;
}

void TFileOperationBoxEx1::Prepare(int flag) {
    if (!IsFileMode())
        btnSelect2->move(btnSelect2->x(), txtFileName->y());
    prepareFlag_ = flag;
    LayoutControls();
    if (FirstLayout)
        setFixedSize(width(), ScaleDesignPixels(360, PixelsPerInch));
    FirstLayout = false;
}

void TFileOperationBoxEx1::LayoutControls() {
    TFileOperationBox::LayoutControls();
    selectClicked();
}

void TFileOperationBoxEx1::SetHints() {
    TFileOperationBox::SetHints();
    SetHint(btnSelect1, QStringLiteral("選択した場所に保存されているﾃﾞｰﾀを復元する場合に選択します。|"
                                       "選択した場所に保存されているﾃﾞｰﾀを復元する場合に選択します。"));
    SetHint(btnSelect2,
            QStringLiteral("ｼｽﾃﾑが随所で行う自動ﾊﾞｯｸｱｯﾌﾟﾃﾞｰﾀを復元し、ﾃﾞｰﾀを元に戻す場合に選択します。|"
                           "「仕訳の全削除」、「仕訳のｲﾝﾎﾟｰﾄ」は処理実行時に実行前ﾃﾞｰﾀをﾊﾞｯｸｱｯﾌﾟするように設定されています。\r\n"
                           "［OK］を押すと現在のﾃﾞｰﾀをこれらの処理を実行する前の状態に戻す事ができます。\r\n"
                           "尚、ﾊﾞｯｸｱｯﾌﾟを取らずにこれらの処理を実行することも出来ますので、確実に実行前の状態に戻せるとは限りません。"));
}

void TFileOperationBoxEx1::SetSelect1Caption(const QString& caption) {
    btnSelect1->setText(caption);
}

void TFileOperationBoxEx1::SetSelect2Caption(const QString& caption) {
    btnSelect2->setText(caption);
}

void TFileOperationBoxEx1::SetSelectKind(int kind) {
    if (kind == 2)
        btnSelect2->setChecked(true);
    else
        btnSelect1->setChecked(true);
    selectClicked();
}

void TFileOperationBoxEx1::selectClicked() {
    const bool own = btnSelect1->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(lblFileSelect), static_cast<QWidget*>(cmbFileSelect),
                             static_cast<QWidget*>(btnSansyo), static_cast<QWidget*>(btnHistDelete),
                             static_cast<QWidget*>(lblFileName), static_cast<QWidget*>(txtFileName)})
        control->setEnabled(own);
}

void TFileOperationBoxEx1::OkClicked() {
    SetFormModalResult(this, core::mrNone);
    if (btnSelect2->isChecked()) {
        // The automatic-backup place needs no place from this dialog.
        SelectKind = 2;
        SetFormModalResult(this, core::mrOk);
        return;
    }
    SelectKind = 1;
    if (AcceptInput())
        SetFormModalResult(this, core::mrOk);
}

} // namespace controls
