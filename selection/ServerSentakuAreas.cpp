// The areas of the shared-data selection: an area's state and share status from its
// information file, the server data list kept in step with the folders, the rows and records
// of the grid, and the two operations that add and delete areas.
#include "selection/ServerSentakuBox.h"
#include "selection/AreaName.h"

#include "controls/dialogs/TInputDlgBox.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/FolderTree.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"

#include <QDir>
#include <QFileInfo>

namespace selection {

using companydata::TDataListRec;

QString TServerSentakuBox::DataFileOf(const QString& folder) const
{
    return companydata::TDataInfomation::DataFileName(folder);
}

quint8 TServerSentakuBox::CheckDataState(const QString& folder, bool reportMissing, bool reportStates)
{
    if (!QFileInfo::exists(DataFileOf(folder))) {
        companydata::ClearDataInfoRec(Info.DataInfoRec);
        if (reportMissing) {
            core::showMessage(core::MessageKind::Warning, QStringLiteral("このフォルダには財務データがありません。\r"));
            return 0;
        }
        return 1;
    }
    if (!QFileInfo::exists(companydata::TDataInfomation::IniFileName(folder)))
        Info.RefreshIniFile(folder, QString());
    Info.ReadIni(folder, Info.DataInfoRec);
    const quint8 status = Info.DataInfoRec.Status;
    if (!reportStates || status == companydata::kDataNormal || status == companydata::kDataBroken)
        return status;
    controls::TMessageInfoRec box;
    controls::InitMessageInfo(box);
    box.Kind = 1;
    box.Caption = QStringLiteral("選択データの状態");
    box.MainText = QStringLiteral("このデータは%1のため処理が行えません。").arg(companydata::GetDataStatusName(status));
    const qint32 divisor = core::SystemDef.GROUPID * 10000;
    const qint32 opCode = divisor != 0 ? Info.DataInfoRec.OpCode % divisor : Info.DataInfoRec.OpCode;
    box.Details = {QStringLiteral("【データフォルダ】"), QStringLiteral("　") + folder, QString(),
                   QStringLiteral("【オペレータ】"), QStringLiteral("　") + QString::number(opCode), QString(),
                   QStringLiteral("【オペレータ名】"), QStringLiteral("　") + Info.DataInfoRec.OpName};
    ShowDetailBox(box);
    return status;
}

void TServerSentakuBox::SetDataStatus(const QString& folder, quint8 status)
{
    if (QFileInfo::exists(DataFileOf(folder)) || QFileInfo::exists(companydata::TDataInfomation::IniFileName(folder)))
        Info.SetDataStatus(folder, status);
}

int TServerSentakuBox::GetShareStatus(const QString& folder)
{
    companydata::TDataInfomationRec rec;
    Info.ReadIni(folder, rec);
    return rec.ShareStatus;
}

void TServerSentakuBox::SyncServerRow(TDataListRec& rec)
{
    if (!QFileInfo::exists(DataFileOf(rec.PasName)) && !rec.EntText.isEmpty()) {
        // No data set (any more): a free area that keeps its number, name and folder.
        const TDataListRec kept = rec;
        SetServerRecFromInfo(rec, Info.DataInfoRec, true);
        rec.Rec = kept.Rec;
        rec.RowNo = kept.RowNo;
        rec.EntText = kept.EntText;
        rec.DispName = kept.EntText;
        rec.PasName = kept.PasName;
        rec.Gassan = kept.Gassan == companydata::kGassanBunsan ? kept.Gassan : rec.Gassan;
    }
    rec.NetDrive = 1;
    ListCtl.UpdateServerDataListRecord(rec, 1, 1);
}

TDataListRec TServerSentakuBox::GetRowRec(int row) const { return List.GetRowRec(*Grid, row); }

int TServerSentakuBox::GetParentRow(int row) const { return List.GetParentRow(*Grid, row); }

void TServerSentakuBox::NumberChildren(int row)
{
    const int parent = GetParentRow(row);
    if (parent < 0)
        return;
    const int index = Grid->CellInt(scRecIndex, parent);
    if (index >= 0 && index < List.Records.size())
        companydata::TDataSentakuListCtl::NumberChildNames(List.Records[index]);
}

void TServerSentakuBox::UpdateServerRow(const TDataListRec& rec)
{
    TDataListRec row = rec;
    row.NetDrive = 1;
    const bool child = row.Gassan == companydata::kGassanBunsan;
    const bool stored = child ? ListCtl.UpdateServerDataListChildRecord(row, 1, 1)
                              : ListCtl.UpdateServerDataListRecord(row, 1, 1);
    if (!stored || (child && !QFileInfo(row.PasName).isDir()))
        return;
    Info.WriteIniValue(row.PasName, companydata::kSectionDataInfo, false, row.EntText, QStringLiteral("DATALISTNAME"));
    Info.WriteIniValue(row.PasName, companydata::kSectionDataSts, false, row.UpdateLock, QStringLiteral("UPDATE_LOCK"));
    Info.WriteIniValue(row.PasName, companydata::kSectionDataSts, false, row.ReadOnly, QStringLiteral("READ_ONLY"));
}

bool TServerSentakuBox::SetShareStatusIfChanged(const QString& folder, int kind)
{
    return Info.SetShareStatusIfChanged(folder, quint8(kind));
}


bool TServerSentakuBox::AddArea()
{
    if (List.Records.size() >= 2000) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("これ以上の領域追加は行えません。(最大%1件)").arg(2000));
        return false;
    }
    QString next;
    ListCtl.GetNextServerFolderName(ShareRoot, 1, next);
    std::optional<QString> input;
    if (InputAreaName) {
        input = InputAreaName(next);
    } else {
        controls::TInputDlgBox box(this);
        box.InputMode = 0;
        box.Title = QStringLiteral("データの領域追加");
        box.Message = QStringLiteral("新しく作成するフォルダ名を入力して下さい。");
        box.MessageColor = palette().color(QPalette::WindowText);
        box.Value = next;
        box.MaxLen = 10;
        box.InputImeMode = controls::imDisable;
        box.KeyFilter = 1;
        box.InputHint = QStringLiteral("ﾌｫﾙﾀﾞ名を指定して［OK］するとﾃﾞｰﾀ領域が追加されます。");
        box.Prepare(1);
        if (box.exec() == core::mrOk)
            input = box.Value;
    }
    if (!input)
        return false;
    const QString name = input->toLower().trimmed();
    if (name.isEmpty())
        return false;
    if (!IsSafeAreaName(name)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("\"%1\"はフォルダ名として使用できません。").arg(name));
        return false;
    }
    const QString folder = ShareRoot + QLatin1Char('/') + name;
    if (QFileInfo::exists(folder)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("\"%1\"は既に作成されています。").arg(folder));
        return false;
    }
    if (!core::ForceFolder(folder)) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("\"%1\"の作成に失敗しました。").arg(folder));
        return false;
    }
    TDataListRec rec;
    SetServerRecFromInfo(rec, Info.DataInfoRec, true);
    rec.EntText = companydata::kNewAreaName;
    rec.DispName = rec.EntText;
    rec.PasName = folder;
    SyncServerRow(rec);
    LoadList(0);
    ShowList();
    for (int r = 0; r < Grid->RowCount(); ++r) {
        if (Grid->Cells(scFolder, r).toLower() == folder.toLower()) {
            Grid->SetCurrentCell(scName, r);
            Grid->MakeVisible(scName, r);
            break;
        }
    }
    Grid->setFocus();
    return true;
}

int TServerSentakuBox::DeleteData(bool reportFailure)
{
    if (!HasDataRow())
        return 1;
    const int row = Grid->Row();
    const TDataListRec rec = GetRowRec(row);
    if (rec.Gassan == companydata::kGassanBunsan)
        return 1;
    if (rec.Cloud == 1 && core::DM && core::DM->IsCloudShareMode(0)) {
        controls::TMessage2InfoRec box;
        controls::InitMessage2Info(2, box);
        box.Lines[0].Text = QStringLiteral("クラウドシェアデータのため削除処理は行えません。");
        ShowBox2(box);
        return 1;
    }
    const quint8 state = CheckDataState(rec.PasName, false, true);
    if (state != companydata::kDataNormal && state != companydata::kDataBroken)
        return 1;
    controls::TMessageInfoRec box;
    controls::InitMessageInfo(box);
    box.Kind = 2;
    box.Caption = QStringLiteral("データの削除");
    box.MainText = QStringLiteral("選択中のデータを削除します。");
    box.AgreeCaption = QStringLiteral("データの削除に同意します");
    box.Details = {QStringLiteral("【データ名】"), QStringLiteral("　") + Grid->Cells(scName, row), QString(),
                   QStringLiteral("【会計期間】"), QStringLiteral("　") + Grid->Cells(scKikan, row), QString(),
                   QStringLiteral("【データフォルダ】"), QStringLiteral("　") + Grid->Cells(scFolder, row)};
    if (ShowDetailBox(box) != core::mrOk)
        return 1;
    // Deleting on a network share is final (a share keeps no recycle bin), as the shell does.
    const bool deleted = core::DeleteFolderTree(rec.PasName, false, true);
    RefreshList();
    if (!deleted && reportFailure)
        core::showMessage(core::MessageKind::Error, QStringLiteral("データの削除に失敗しました。\r削除処理を中止しました。"));
    return deleted ? 1 : 0;
}

} // namespace selection
