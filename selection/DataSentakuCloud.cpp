// The button "ｸﾗｳﾄﾞ": the cloud-share settings of the current row's data set and, when the
// settings ask for it, the first send to its cloud line.
#include "selection/DataSentakuBox.h"

#include "communication/DataTusin.h"
#include "communication/TusinSettei.h"
#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"
#include "core/version/Version.h"
#include "selection/DataSentakuOpsSupport.h"
#include "selection/DataSentakuState.h"

namespace selection {

communication::TfrmTusinSettei& TDataSentakuBox::TusinSetteiForm()
{
    if (!TusinSettei)
        TusinSettei = std::make_unique<communication::TfrmTusinSettei>(this);
    return *TusinSettei;
}

communication::TfmDataTusin& TDataSentakuBox::CloudTusinForm()
{
    if (!CloudTusin)
        CloudTusin = std::make_unique<communication::TfmDataTusin>(this);
    return *CloudTusin;
}

void TDataSentakuBox::btnCloudShareClick()
{
    const int row = Grid->Row();
    if (!List.CloudShareMode || row < 0 || row >= Grid->RowCount()) {
        SetFKeyCaptions();
        return;
    }
    const QString f = List.GetRowDataPath(*Grid, row);
    const auto finish = [&] {
        if (row < Grid->RowCount())
            Grid->SetRow(row);
        Grid->setFocus();
        SetFKeyCaptions();
    };
    if (core::ConnectMode == 1 || core::ConnectMode == 2) {
        int checked = -1;
        try {
            checked = CheckDataFolder(f);
        } catch (const std::exception&) {
            checked = -1;
        }
        if (checked != 1) {
            DataListRefresh(*this, row);
            return finish();
        }
    }
    companydata::TDataListRec rec = List.GetRowRec(*Grid, row);
    const QString version = QStringLiteral("%1.%2.%3").arg(rec.VerMajor).arg(rec.VerMinor1).arg(rec.VerMinor2);
    if (!core::VersionGreater(version, QStringLiteral("11.0.0"))) {
        ShowLines(*this, 2,
                  {QStringLiteral("データバージョンが \"Ver11.0.1\" に達していないため、クラウドシェアはご利用できません。"),
                   QStringLiteral("クラウドシェアを利用するには、データを選択しデータ更新をおこなってください。")});
        return finish();
    }
    if (rec.Gassan == companydata::kGassanGassan || rec.Gassan == companydata::kGassanHonsiten
        || rec.Gassan == companydata::kGassanBunsan) {
        ShowLines(*this, 2, {QStringLiteral("合算・分散データはクラウドシェアの設定はおこなえません。")});
        return finish();
    }
    if (ShareStateOf(rec) == 1) {
        ShowLines(*this, 2,
                  {QStringLiteral("共有保管データはクラウドシェアの設定はおこなえません。"),
                   QStringLiteral("[共有取得]ボタンを押してデータを取得してください。"),
                   QStringLiteral("※[共有データの取得と保管を自動化する]にチェックがある場合は、チェックを外すと[共有取得]ボタンが有効になります。")});
        return finish();
    }
    if (!AutoShareBeforeUse(row))
        return finish();
    if (DataCheckRejects(f, false)) {
        MarkRowBroken(*this, row);
        return finish();
    }
    if (!core::RequireDM().SetJobControl(QStringLiteral("VxTusinSettei"), QStringLiteral("SyoriType=1"))) {
        ShowLines(*this, 2,
                  {QStringLiteral("ログインしたオペレータの処理レベルでは起動が認められていません。"),
                   QStringLiteral("一度、データを選択し、「拡張機能」＞「オペレータ登録」より「処理レベル設定」を開き、"),
                   QStringLiteral("当該レベルの「通信設定」メニューの起動を許可してください。")});
        return finish();
    }
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    if (!info.IsDataPasswordAuth(f) || !info.IsDataSiyouKengen(f))
        return finish();

    communication::TfrmTusinSettei& settei = TusinSetteiForm();
    for (;;) {
        if (settei.ExecuteCloudShareSettei(f) != 0)
            return finish();
        if (settei.NewCloudLine <= 0 || !settei.LineEmpty)
            break;
        int sent;
        Grid->setEnabled(false);
        BottomPanel->setEnabled(false);
        try {
            sent = CloudTusinForm().CloudShareSend(f, QString(), 0);
        } catch (...) {
            Grid->setEnabled(true);
            BottomPanel->setEnabled(true);
            throw;
        }
        Grid->setEnabled(true);
        BottomPanel->setEnabled(true);
        if (sent < 1 || sent > 9)
            break;
        ShowLines(*this, 2, {QStringLiteral("クラウドシェア送信処理でエラーが発生しました。設定画面を開きます。")});
    }

    rec = List.GetRowRec(*Grid, row);
    rec.Cloud = settei.NewCloudLine > 0 ? 1 : 0;

    info.WriteIniValue(f, companydata::kSectionDataInfo, false, int(rec.Cloud), QStringLiteral("CLOUD_SHARE"));
    StoreRowRec(*this, row, rec);
    List.SetGridRow(*Grid, row, rec);
    if (ShareStateOf(rec) == 2) {
        if (StoreSharedRow(row, true) == 1)
            if (companydata::TDataSentakuRec* parent = ParentRecordOf(*this, Grid->Row()))
                SetShareLock(1, *parent);
    }
    // Redrawn from the record just written: the cloud mark is the settings' answer.
    if (Grid->Row() >= 0)
        List.SetGridRow(*Grid, Grid->Row(), List.GetRowRec(*Grid, Grid->Row()));
    finish();
}

} // namespace selection
