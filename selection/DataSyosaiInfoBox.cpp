#include "selection/DataSyosaiInfoBox.h"

#include "controls/dialogs/TMessageBox2.h"
#include "controls/edits/TxEdit.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/db/IBSQL.h"
#include "core/dm/TDM.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace selection {

namespace {
const QString kNotSet = QStringLiteral("設定なし");
QString orNotSet(const QString& text) { return text.isEmpty() ? kNotSet : text; }
} // namespace

QString DataKbnName(qint32 dataKbn, qint32 codeKbn)
{
    struct Kind {
        qint32 data, code;
        const char* name;
    };
    static const Kind kinds[] = {{1, 1, "法人"}, {2, 1, "個人(一般)"}, {2, 2, "個人(不動産)"}, {3, 1, "医療法人"},
                                 {2, 3, "個人(クリニック)"}, {2, 4, "個人(農業)"}};
    for (const Kind& k : kinds)
        if (k.data == dataKbn && k.code == codeKbn)
            return QString::fromUtf8(k.name);
    return kNotSet;
}

TDataSyosaiInfoBox::TDataSyosaiInfoBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    RirekiSw = false;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    AccInfoSw = false;
    KeepOnClose = true;
    setWindowTitle(QStringLiteral("データの詳細情報"));
    ShowBox2 = [](controls::TMessage2InfoRec& info) { return controls::ShowMessageBox2(info); };
    ImeComposing = [this] { return composing_; };
    buildControls();
    InitOK = true;
}

void TDataSyosaiInfoBox::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto value = [this, form](const QString& caption) {
        auto* label = new QLabel(this);
        form->addRow(caption, label);
        return label;
    };
    lblStatus = value(QStringLiteral("データの状態:"));
    txtDataPath = new QPlainTextEdit(this);
    txtDataPath->setReadOnly(true);
    txtDataPath->setMaximumHeight(48);
    form->addRow(QStringLiteral("データフォルダ:"), txtDataPath);
    cboxStatusClear = new QCheckBox(QStringLiteral("データの状態を回復する"), this);
    cboxStatusClear->setStyleSheet(QStringLiteral("color: red"));
    form->addRow(QString(), cboxStatusClear);
    lblDataUpdateLock = new QLabel(QStringLiteral("データの更新:"), this);
    cboxDataUpdateLock = new QCheckBox(QStringLiteral("禁止する"), this);
    form->addRow(lblDataUpdateLock, cboxDataUpdateLock);
    lblDataReadOnly = new QLabel(QStringLiteral("仕訳の入力:"), this);
    cboxDataReadOnly = new QCheckBox(QStringLiteral("禁止する"), this);
    form->addRow(lblDataReadOnly, cboxDataReadOnly);
    lblDataSeigenMessage = new QLabel(QStringLiteral("現在、オペレータ毎のデータ選択は制限されていません。"), this);
    lblDataSeigenMessage->setStyleSheet(QStringLiteral("color: blue; font-weight: bold"));
    form->addRow(QString(), lblDataSeigenMessage);
    lblCode = value(QStringLiteral("コード:"));
    lblDataKbn = value(QStringLiteral("データ区分:"));
    lblShougou = value(QStringLiteral("会社名:"));
    lblKana = value(QStringLiteral("フリガナ:"));
    txtListName = new controls::TxEdit(this);
    // The registry's name column holds 40 bytes.
    txtListName->SetMaxLength(40);
    txtListName->SetImeMode(controls::imHira);
    txtListName->installEventFilter(this);
    form->addRow(QStringLiteral("データリスト名:"), txtListName);
    lblNendo = value(QStringLiteral("会計年度:"));
    lblKikan = value(QStringLiteral("会計期間:"));
    lblTanto = value(QStringLiteral("担当者コード:"));
    lblBumon = value(QStringLiteral("部門管理:"));
    lblSiten = value(QStringLiteral("本支店管理:"));
    lblSiwake = value(QStringLiteral("仕訳件数:"));
    layout->addLayout(form);
    HintMemo = new QPlainTextEdit(this);
    HintMemo->setReadOnly(true);
    HintMemo->setMaximumHeight(48);
    layout->addWidget(HintMemo);
    auto* keys = new QHBoxLayout;
    for (int k = 0; k < 8; ++k) {
        FKeys[k] = new QPushButton(QStringLiteral("F%1:").arg(k + 1), this);
        FKeys[k]->setFocusPolicy(Qt::NoFocus);
        keys->addWidget(FKeys[k]);
    }
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    keys->addWidget(btnOK);
    keys->addWidget(btnCancel);
    layout->addLayout(keys);
    connect(btnOK, &QPushButton::clicked, this, &TDataSyosaiInfoBox::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
}

void TDataSyosaiInfoBox::Prepare(int flag)
{
    PrepareFlag = flag;
    LayoutInfo();
    FirstLayout = false;
}

void TDataSyosaiInfoBox::LayoutInfo()
{
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    companydata::ClearDataInfoRec(InfoRec);
    InfoRec.Status = companydata::kDataNotOpened;
    const QString dataFile = companydata::TDataInfomation::DataFileName(DataPath);
    const bool present = (core::ConnectMode == 1 || core::ConnectMode == 2) && core::DM
        ? core::DM->FExist(dataFile, core::ConnectMode)
        : QFileInfo::exists(dataFile);
    if (present)
        info.ReadIni(DataPath, InfoRec);
    const quint8 status = InfoRec.Status;
    if (status == 0 || status == companydata::kDataLocked || DataRec.Shougou.isEmpty())
        NameEditable = 0;
    ClearState = 0;
    Rebuilt = 0;
    RebuildOffered = !DataRec.Shougou.isEmpty()
        && ((ShareMode == 0 && DataRec.KyoyuLock == DataRec.NetDrive && (DataRec.NetDrive == 0 || DataRec.NetDrive == 1))
            || (ShareMode == 1 && InfoRec.ShareStatus == companydata::kShareInPlace));
    lblStatus->setText(companydata::GetDataStatusName(status));

    // The data root is shown as "[<product>のデータ]", found in the path whatever its case.
    const QString root = core::SystemDef.DataRoot;
    const QString title = QStringLiteral("[%1のデータ]").arg(core::AppInfo.AppTitle);
    QString shown = DataPath;
    if (!root.isEmpty())
        shown.replace(root, title, Qt::CaseInsensitive);
    txtDataPath->setPlainText(shown);
    txtDataPath->setToolTip(DataPath + QStringLiteral("|データの場所です。\r\n\r\n") + title + QStringLiteral("は、\"") + root
                            + QStringLiteral("\"です。"));

    const bool normal = status == companydata::kDataNormal
        || ((core::ConnectMode == 1 || core::ConnectMode == 2) && status == companydata::kDataInUse);
    ClearAllowed = false;
    if (!normal) {
        const qint32 divisor = core::SystemDef.GROUPID * 10000;
        auto login = [divisor](qint32 code) { return divisor != 0 ? code % divisor : code; };
        ClearAllowed = (core::DM && core::DM->IsAdminOperator())
            || login(core::SystemDef.OPCODE) == login(InfoRec.OpCode);
    }
    if (ClearAllowed)
        NameEditable = 0;
    cboxStatusClear->setVisible(ClearAllowed);
    cboxStatusClear->setChecked(false);
    cboxDataUpdateLock->setChecked(UpdateLock == 1);
    cboxDataReadOnly->setChecked(ReadOnlyFlag == 1);
    lblDataSeigenMessage->setVisible(core::SystemDef.LocalAdmin == 1);

    lblCode->setText(orNotSet(InfoRec.Code));
    lblDataKbn->setText(DataKbnName(InfoRec.DataKbn, InfoRec.CodeKbn));
    lblShougou->setText(orNotSet(InfoRec.Shougou));
    lblKana->setText(orNotSet(InfoRec.Kana));
    txtListName->setText(ListName.isEmpty() ? InfoRec.Shougou : ListName);
    lblNendo->setText(InfoRec.Nendo > 0 ? QStringLiteral("%1期").arg(InfoRec.Nendo) : kNotSet);
    const QDate kishu = QDate::fromString(InfoRec.Kishu, QStringLiteral("yyyy/MM/dd"));
    const QDate kimatu = QDate::fromString(InfoRec.Kimatu, QStringLiteral("yyyy/MM/dd"));
    lblKikan->setText(kishu.isValid() && kimatu.isValid() ? core::GetKikanText(kishu, kimatu) : kNotSet);
    lblTanto->setText(InfoRec.Tanto != 0 ? QString::number(InfoRec.Tanto) : kNotSet);
    lblBumon->setText(InfoRec.Bumon == 1   ? QStringLiteral("損益のみに%1部門設定").arg(InfoRec.BumonCnt)
                      : InfoRec.Bumon == 2 ? QStringLiteral("全科目に%1部門設定").arg(InfoRec.BumonCnt)
                                           : kNotSet);
    lblSiten->setText(InfoRec.Siten == 1 ? QStringLiteral("%1支店設定").arg(InfoRec.SitenCnt) : kNotSet);
    lblSiwake->setText(present ? QStringLiteral("%1件").arg(InfoRec.Siwake) : kNotSet);
    if (status == companydata::kDataLocked) {
        lblKana->setText(QStringLiteral("-"));
        lblBumon->setText(QStringLiteral("-"));
        lblSiten->setText(QStringLiteral("-"));
        lblSiwake->setText(QStringLiteral("-件"));
    }

    const bool from12 = InfoRec.VerMajor >= 12;
    cboxDataUpdateLock->setEnabled(true);
    cboxDataReadOnly->setEnabled(from12);
    txtListName->setReadOnly(false);
    txtListName->setFocusPolicy(Qt::StrongFocus);
    txtListName->setFrame(true);
    if (NameEditable == 0) {
        cboxDataUpdateLock->setEnabled(false);
        cboxDataReadOnly->setEnabled(false);
        txtListName->setReadOnly(true);
        txtListName->setFocusPolicy(Qt::NoFocus);
        txtListName->setFrame(false);
    }
    lblDataUpdateLock->setEnabled(cboxDataUpdateLock->isEnabled());
    lblDataReadOnly->setEnabled(cboxDataReadOnly->isEnabled());
    btnOK->setVisible((NameEditable != 0 || ClearAllowed) && status != 0 && status != companydata::kDataBroken);
    if (status == companydata::kDataBroken)
        cboxStatusClear->setVisible(false);
    SetHints();
    SetFKeyCaptions();
}

void TDataSyosaiInfoBox::SetHints()
{
    cboxStatusClear->setToolTip(QStringLiteral(
        "データ状態を回復します。|「データ処理中にアプリケーションが異常終了した」等でデータが「使用中」になってしまった場合に、"
        "この項目にチェックを入れて［OK］を押すと次回よりデータの選択が可能となります。"));
    cboxDataUpdateLock->setToolTip(QStringLiteral(
        "データ更新の許可／禁止を設定します。|この項目にチェックを入れると、「データ選択」画面から古いバージョンのデータ"
        "（更新が必要なデータ）の選択を不可にします。\r\n※選択不可データはグレー表示されます。"));
    cboxDataReadOnly->setToolTip(QStringLiteral(
        "仕訳入力の許可／禁止を設定します。|この項目にチェックを入れると、仕訳の入力、訂正及び削除処理を禁止にします。"));
    txtListName->setToolTip(NameEditable != 0
        ? QStringLiteral("ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更できます。|「データ選択」画面におけるﾃﾞｰﾀの表示名を変更できます。\r\n"
                         "決算書、試算表、元帳などの社名の印字は「基本設定」の「名称・期間」ﾀﾌﾞで変更します。")
        : QStringLiteral("ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名です。|「データ選択」画面におけるﾃﾞｰﾀの表示名です。\r\n"
                         "決算書、試算表、元帳などの社名の印字は「基本設定」の「名称・期間」ﾀﾌﾞで変更します。"));
    btnOK->setToolTip(QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    btnCancel->setToolTip(QStringLiteral("画面を閉じます。|画面を閉じます。"));
}

void TDataSyosaiInfoBox::SetFKeyCaptions()
{
    for (int k = 0; k < 8; ++k)
        FKeys[k]->setText(QStringLiteral("F%1:").arg(k + 1));
    // An input method takes F7 while it composes: the rebuild is not offered then.
    if (RebuildOffered && !(ImeComposing && ImeComposing()))
        FKeys[6]->setText(QStringLiteral("F7:再構築"));
}

bool TDataSyosaiInfoBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtListName && event->type() == QEvent::InputMethod) {
        const bool composing = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        if (composing != composing_) {
            composing_ = composing;
            SetFKeyCaptions();
        }
    }
    return controls::TBSDI::eventFilter(watched, event);
}

void TDataSyosaiInfoBox::btnOKClick()
{
    if (!core::TrimZenkaku(txtListName->text()).isEmpty()) {
        ListName = txtListName->text();
        ClearState = ClearAllowed && cboxStatusClear->isChecked() ? 1 : 0;
        UpdateLock = cboxDataUpdateLock->isChecked() ? 1 : 0;
        ReadOnlyFlag = cboxDataReadOnly->isChecked() ? 1 : 0;
        done(core::mrOk);
        return;
    }
    controls::TMessage2InfoRec box;
    controls::InitMessage2Info(3, box);
    box.Buttons = core::mbOKCancel;
    box.Lines[0].Text = QStringLiteral("データリスト名が入力されていません。会社名を設定しますか？");
    if (ShowBox2(box) == core::mrOk)
        txtListName->setText(lblShougou->text());
}

void TDataSyosaiInfoBox::LockData(bool on)
{
    if ((core::ConnectMode != 1 && core::ConnectMode != 2) || DataRec.DataLock >= 1 || !core::DM)
        return;
    core::TDM& dm = *core::DM;
    const qint32 divisor = core::SystemDef.GROUPID * 10000;
    const qint32 lock = on ? (divisor != 0 ? core::SystemDef.OPCODE % divisor : core::SystemDef.OPCODE) : 0;
    const bool own = !dm.IBTransactionDEF.inTransaction();
    if (own)
        dm.IBTransactionDEF.startTransaction();
    try {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        // The row of the opener's data place: the standard place is DATALIST, the others
        // DATALIST_EX, whose REC numbers repeat across places.
        if (DataPlaceRec == 0) {
            q.sql() << QStringLiteral("UPDATE DATALIST SET DATALOCK=:DATALOCK") << QStringLiteral("WHERE REC=:REC");
        } else {
            q.sql() << QStringLiteral("UPDATE DATALIST_EX SET DATALOCK=:DATALOCK")
                    << QStringLiteral("WHERE (REC=:REC) AND (DATAPLACEREC=:DATAPLACEREC)");
            q.paramByName(QStringLiteral("DATAPLACEREC")).setInteger(DataPlaceRec);
        }
        q.paramByName(QStringLiteral("DATALOCK")).setInteger(lock);
        q.paramByName(QStringLiteral("REC")).setInteger(DataRec.Rec);
        q.execSQL();
        if (own)
            dm.IBTransactionDEF.commit();
    } catch (...) {
        if (own && dm.IBTransactionDEF.inTransaction())
            dm.IBTransactionDEF.rollback();
        throw;
    }
}

} // namespace selection

#include "moc_DataSyosaiInfoBox.cpp"
