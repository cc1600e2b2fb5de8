// The dialog "検索条件の設定": edits the record of search conditions that its owner gives it and
// hands it back on OK; storing is the owner's business.
#include "selection/DataListKensakuBox.h"

#include "companydata/SeihinVersionList.h"
#include "companydata/UserList.h"
#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/combo/TxComboBox.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/edits/TxEdit.h"
#include "controls/forms/FormState.h"
#include "core/Globals.h"
#include "core/session/Vocabulary.h"
#include "core/ui/MessageService.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

namespace selection {

using namespace controls;

namespace {

QLabel* label(QWidget* parent, const QString& text, int y) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(12, y, 110, 22);
    return l;
}

} // namespace

TDataListKensakuBox::TDataListKensakuBox(QWidget* owner)
    : TBSDI(owner), versionList_(std::make_unique<companydata::TSeihinVersionList>()) {
    setWindowTitle(QStringLiteral("検索条件の設定"));
    KeepOnClose = true; // the owner keeps the dialog; closing hides it
    resize(420, 330);

    label(this, QStringLiteral("コード:"), 12);
    txtCode = new TxEdit(this);
    txtCode->setGeometry(126, 12, 100, 22);
    txtCode->SetMaxLength(8);
    txtCode->SetImeMode(imDisable);
    txtCode->setToolTip(QStringLiteral(
        "入力したコードを前方一致（先頭一致）で抽出して表示します。|入力したコード前方一致（先頭一致）で抽出して表示します。"));

    label(this, QStringLiteral("データ区分:"), 42);
    cmbDataKbn = new TxComboBox(this);
    cmbDataKbn->setGeometry(126, 42, 180, 22);
    cmbDataKbn->addItems(DataKindItems());
    cmbDataKbn->setToolTip(QStringLiteral(
        "選択した区分に該当するデータを抽出して表示します。|選択した区分に該当するデータを抽出して表示します。"));

    label(this, QStringLiteral("データリスト名:"), 72);
    txtListName = new TxEdit(this);
    txtListName->setGeometry(126, 72, 280, 22);
    txtListName->SetMaxLength(40); // CP932 bytes, as the column holds 20 double-byte characters
    txtListName->SetImeMode(imHira);
    txtListName->setToolTip(
        QStringLiteral("入力した文字を含むデータを抽出して表示します。|入力した文字を含むデータを抽出して表示します。"));

    label(this, QStringLiteral("担当者:"), 102);
    cmbTanto = new TxComboBox(this);
    cmbTanto->setGeometry(126, 102, 180, 22);
    cmbTanto->setToolTip(QStringLiteral(
        "選択したｵﾍﾟﾚｰﾀが担当するデータを抽出して表示します。|選択したｵﾍﾟﾚｰﾀが担当するデータを抽出して表示します。"));

    label(this, QStringLiteral("データバージョン:"), 132);
    cmbDataVer = new TxComboBox(this);
    cmbDataVer->setGeometry(126, 132, 180, 22);
    cmbDataVer->setToolTip(QStringLiteral(
        "選択したﾊﾞｰｼﾞｮﾝのデータを抽出して表示します。| 選択したﾊﾞｰｼﾞｮﾝのデータを抽出して表示します。"));

    cboxYukou = new TxCheckBox(this);
    cboxYukou->setText(QStringLiteral("この検索条件を毎回有効にする"));
    cboxYukou->setGeometry(126, 162, 280, 22);
    cboxYukou->setToolTip(QStringLiteral(
        "ここで設定した条件に該当するデータだけを常時表示させる場合にﾁｪｯｸします。| ここで設定した条件に該当するデータだけを常時表示させる場合にﾁｪｯｸします。"));

    HintMemo = new QPlainTextEdit(this);
    HintMemo->setReadOnly(true);
    HintMemo->setGeometry(12, 192, 396, 60);

    btnOK = new TxPlButton(this);
    btnOK->CaptionA().SetCaption(QStringLiteral("OK"));
    btnOK->setGeometry(212, 262, 90, 26);
    btnOK->setToolTip(
        QStringLiteral("設定した条件に該当するデータを表示します。| 設定した条件に該当するデータを表示します。"));
    btnOK->OnClick = [this](QObject*) {
        SetFormModalResult(this, core::mrNone);
        RunGuarded([this] { btnOKClick(); });
    };
    btnCancel = new TxPlButton(this);
    btnCancel->CaptionA().SetCaption(QStringLiteral("キャンセル"));
    btnCancel->SetModalResult(core::mrCancel);
    btnCancel->setGeometry(316, 262, 90, 26);
    btnCancel->setToolTip(QStringLiteral("データの検索を中止します。| データの検索を中止します。"));

    F12Button = btnOK;
    InitOK = true;
}

TDataListKensakuBox::~TDataListKensakuBox() = default;

void TDataListKensakuBox::fillLists() {
    if (listsFilled_)
        return;
    listsFilled_ = true;
    userList_ = std::make_unique<companydata::TUserList>();
    userList_->GroupId = core::SystemDef.GROUPID;
    userList_->FirstEntryName = core::NoSelectionText;
    userList_->Execute();
    cmbTanto->clear();
    cmbTanto->addItems(userList_->Lines());

    versionList_->BlankName = core::NoSelectionText;
    versionList_->Execute(true);
    cmbDataVer->clear();
    cmbDataVer->addItems(versionList_->Names());
}

void TDataListKensakuBox::Prepare(int flag) {
    Flag = flag;
    fillLists();
    cmbDataKbn->SetItemIndex(DataKindItemOfPair(KensakuRec.DATATYPE, KensakuRec.CODETYPE));
    txtCode->setText(KensakuRec.DATACODE);
    txtListName->setText(KensakuRec.DATANAME);
    const int tanto = KensakuRec.TANTO == 0 ? -1 : userList_->IndexOfOpCode(KensakuRec.TANTO);
    cmbTanto->SetItemIndex(tanto < 0 ? 0 : tanto);
    const int version = KensakuRec.SEIHINNAME.isEmpty() ? -1 : versionList_->IndexOfName(KensakuRec.SEIHINNAME);
    cmbDataVer->SetItemIndex(version < 0 ? 0 : version);
    cboxYukou->setChecked(KensakuRec.JYOKENUSE == 1);
    FirstLayout = false;
}

void TDataListKensakuBox::btnOKClick() {
    const TDataKindPair pair = DataKindPairOfItem(cmbDataKbn->ItemIndex());
    KensakuRec.DATATYPE = pair.DataType;
    KensakuRec.CODETYPE = pair.CodeType;
    KensakuRec.DATACODE = txtCode->text();
    KensakuRec.DATANAME = txtListName->text();
    const int tanto = cmbTanto->ItemIndex();
    KensakuRec.TANTO = tanto > 0 && userList_ ? userList_->GetOpCode(tanto) : 0;
    const int version = cmbDataVer->ItemIndex();
    KensakuRec.DATAVER = versionList_->GetVersionText(version); // empty for the blank entry and 0.0
    KensakuRec.Yobi1.clear();
    KensakuRec.VersionMode = kVersionEqual;
    KensakuRec.SEIHINNAME = versionList_->GetName(version);
    KensakuRec.JYOKENUSE = cboxYukou->isChecked() ? 1 : 0;
    SetFormModalResult(this, core::mrOk);
}

void TDataListKensakuBox::showEvent(QShowEvent* event) {
    TBSDI::showEvent(event);
    if (!InitOK) {
        core::showMessage(core::MessageKind::Error, InitFailedMessage(windowTitle()), core::mbYes);
        QTimer::singleShot(0, this, [this] { Close(); });
        return;
    }
    txtCode->setFocus();
}

} // namespace selection
