// F2 of the shared-data selection: the first press marks the current area as the copy source,
// the second pastes it into the current area (a cloud-share area from its newest cloud copy,
// fetched by the first press). Every refusal comes before anything changes,
// and the area is replaced only by a complete copy (TAreaCopySwap): a failure leaves the
// target area, its information file, the server list and both states as they were.
#include "selection/ServerSentakuBox.h"

#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/PathDelim.h"
#include "core/ui/MessageService.h"
#include "selection/AreaCopySwap.h"
#include "selection/DataMatchCheck.h"
#include "selection/DataSentakuOpsSupport.h"

#include <QFileInfo>

namespace selection {

namespace {
bool cloudRules() { return core::DM && core::DM->IsCloudShareMode(0); }
} // namespace

int TServerSentakuBox::CopyPaste()
{
    if (!HasDataRow())
        return 0;
    const int row = Grid->Row();
    const companydata::TDataListRec rec = GetRowRec(row);
    if (KeyMode == 1) {
        CopyMode = 1;
        // A cloud source is fetched first; without the newest copy there is nothing to copy.
        CloudSourceFolder.clear();
        if (cloudRules() && rec.Cloud == 1) {
            const int fetched = FetchCloudSource(rec);
            if (fetched >= 1 && fetched <= 9) {
                CopyMode = 0;
                SetFKeyCaptions();
                return 0;
            }
        }
        const QString source = core::ExcludePathDelim(rec.PasName);
        if (CheckDataState(source, true, true) != companydata::kDataNormal) {
            CopyMode = 0;
            SetFKeyCaptions();
            return 0;
        }
        CopySource = source;
        CopyRec = rec;
        CopyRec.EntText = CopyNameOf(rec.EntText);
        CopyRec.DispName = CopyRec.EntText;
        CopyRec.Yobi1 = QString::number(Grid->CellInt(scRecIndex, row));
        SetDataStatus(source, companydata::kDataCopy);
        SetFKeyCaptions();
        return 1;
    }
    if (KeyMode != 2)
        return 0;
    CopyMode = 0;
    const QString source = CopySource;
    const QString target = core::ExcludePathDelim(rec.PasName);
    // A cloud source is pasted from its fetched copy.
    const bool cloudSource = cloudRules() && CopyRec.Cloud == 1;
    const QString copyFrom = cloudSource ? CloudSourceFolder : source;
    int done = 0;
    try {
        if (target == source) {
            SetDataStatus(source, companydata::kDataNormal);
            CopySource.clear();
            return 0;
        }
        const auto refuse = [&] {
            SetDataStatus(source, companydata::kDataNormal);
            CopySource.clear();
            return 0;
        };
        if (cloudRules() && rec.Cloud == 1) {
            controls::TMessage2InfoRec box;
            controls::InitMessage2Info(2, box);
            box.Lines[0].Text = QStringLiteral("クラウドシェアデータのため貼り付け処理は行えません。");
            ShowBox2(box);
            return refuse();
        }
        const quint8 state = CheckDataState(target, false, true);
        if (state != companydata::kDataNormal && state != companydata::kDataBroken)
            return refuse();
        const bool child = rec.Gassan == companydata::kGassanBunsan;
        if (!child && (target + QLatin1Char('/')).startsWith(copyFrom + QLatin1Char('/'))) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("貼付先にコピー元のパスが含まれています。処理を中断します。"));
            return refuse();
        }
        // The progress dialog stays open under the questions until the paste ends.
        const auto progress = ShowProgress(*this, QStringLiteral("コピー中"), QStringLiteral("データのコピー中…"));
        companydata::TDataInfomationRec sourceInfo;
        Info.ReadIni(source, sourceInfo);
        TDataMatchCheck check;
        check.Owner = this;
        check.ConnectMode = 1; // the shared check adds no note on distributed data
        check.DirExists = [](const QString& f) { return QFileInfo(f).isDir(); };
        check.FileExists = [](const QString& f) { return QFileInfo::exists(f); };
        check.ReadTargetInfo = [this](const QString& f, companydata::TDataInfomationRec& t) { Info.ReadIni(f, t); };
        check.ShowDetailBox = ShowDetailBox;
        if (state == companydata::kDataBroken) {
            companydata::TDataInfomationRec targetInfo;
            Info.ReadIni(target, targetInfo);
            if (IsForbiddenKindPair(sourceInfo.GassanKbn, targetInfo.GassanKbn)) {
                check.CheckKindPair(kVerbPaste, sourceInfo, target); // shows the refusal
                return refuse();
            }
            controls::TMessage2InfoRec box;
            controls::InitMessage2Info(3, box);
            box.Buttons = core::mbOKCancel;
            box.Lines[0].Text = QStringLiteral("このデータは破損データのため、データ間の照合チェックは行わずにコピーを行います。");
            box.Lines[1].Text = QStringLiteral("よろしいですか？");
            if (ShowBox2(box) != core::mrOk)
                return refuse();
        } else if (check.CheckKindPair(kVerbPaste, sourceInfo, target) != 1) {
            return refuse();
        }
        if (cloudSource && !PrepareCloudSource(copyFrom)) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("データの貼り付けに失敗しました。"));
            return refuse();
        }
        TAreaCopySwap copy;
        if (CopyArea)
            copy.CopyTree = CopyArea;
        const bool copied = child
            ? copy.CopyDatabaseFile(companydata::TDataInfomation::DataFileName(copyFrom),
                                    companydata::TDataInfomation::DataFileName(target))
            : copy.CopyArea(copyFrom, target);
        if (!copied) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("データの貼り付けに失敗しました。"));
            return refuse();
        }
        // The pasted information: the copy's name and the source row's values.
        companydata::TDataInfomationRec info;
        Info.ReadIni(target, info);
        info.Status = companydata::kDataNormal;
        info.OpCode = 0;
        info.OpName.clear();
        info.DataListName = CopyRec.EntText;
        info.Code = CopyRec.DataCode;
        info.Shougou = CopyRec.Shougou;
        info.UpdateLock = CopyRec.UpdateLock;
        info.GassanKbn = child ? companydata::kGassanBunsan : CopyRec.Gassan;
        info.ReadOnly = CopyRec.ReadOnly;
        info.ShareStatus = companydata::kShareInPlace;
        Info.WriteIniFile(target, QString(), info);
        companydata::TDataListRec updated = rec;
        SetServerRecFromInfo(updated, info, false);
        updated.DataStatus = 0;
        if (!child) {
            // The old children's rows go; the new children are listed by the rebuild below.
            ListCtl.DeleteServerDataListChildRecord(updated, 1);
        }
        SyncServerRow(updated);
        done = 1;
        SetDataStatus(source, companydata::kDataNormal);
        CopySource.clear();
        RefreshList();
        for (int r = 0; r < Grid->RowCount(); ++r) {
            if (Grid->Cells(scFolder, r) == target) {
                Grid->SetCurrentCell(scName, r);
                Grid->MakeVisible(scName, r);
                break;
            }
        }
    } catch (...) {
        SetDataStatus(source, companydata::kDataNormal);
        CopySource.clear();
        throw;
    }
    raise();
    return done;
}

} // namespace selection
