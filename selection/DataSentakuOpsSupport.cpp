#include "selection/DataSentakuOpsSupport.h"

#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuLock.h"
#include "selection/DataSentakuState.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

namespace selection {

std::unique_ptr<controls::TxAnimeProgressDialog> ShowProgress(QWidget& owner, const QString& caption,
                                                              const QString& text)
{
    auto progress = std::make_unique<controls::TxAnimeProgressDialog>();
    progress->SetCaption(caption);
    progress->SetInfoLabel(text);
    const QString avi = QDir(core::SystemDef.ExeDir).filePath(QStringLiteral("progress.avi"));
    if (!core::SystemDef.ExeDir.isEmpty() && QFileInfo(avi).isFile())
        progress->SetAviFile(avi);
    progress->SetCancelBtnShow(false);
    progress->Show(&owner);
    return progress;
}

int ShowLines(TDataSentakuBox& box, int kind, const QStringList& lines)
{
    controls::TMessage2InfoRec info;
    controls::InitMessage2Info(quint8(kind), info);
    if (kind == 3)
        info.Buttons = core::mbOKCancel;
    for (int i = 0; i < lines.size() && i < int(info.Lines.size()); ++i)
        info.Lines[size_t(i)].Text = lines[i];
    return box.ShowBox2(info);
}

bool DataCheckRejects(const QString& folder, bool quiet)
{
    return core::DM && core::DM->CallDataCheckHook(core::SystemDef.HOSTNAME, folder, 0, quiet ? 1 : 0) == 0;
}

companydata::TDataSentakuRec* ParentRecordOf(TDataSentakuBox& box, int row)
{
    if (row < 0 || row >= box.Grid->RowCount())
        return nullptr;
    const int index = box.Grid->CellInt(colParent, row);
    return index >= 0 && index < box.List.Records.size() ? &box.List.Records[index] : nullptr;
}

companydata::TDataListRec* RowRecordOf(TDataSentakuBox& box, int row)
{
    companydata::TDataSentakuRec* parent = ParentRecordOf(box, row);
    if (!parent || box.Grid->CellInt(colGassan, row) != companydata::kGassanBunsan)
        return parent;
    const int child = box.Grid->CellInt(colChild, row);
    return child >= 0 && child < parent->Children.size() ? &parent->Children[child] : nullptr;
}

void StoreRowRec(TDataSentakuBox& box, int row, const companydata::TDataListRec& rec)
{
    if (companydata::TDataListRec* listed = RowRecordOf(box, row))
        *listed = rec;
    if (rec.Gassan == companydata::kGassanBunsan)
        box.ListCtl.UpdateDataListChildRecord(rec, 1);
    else
        UpdateListRow(box, rec);
}

void MarkRowBroken(TDataSentakuBox& box, int row)
{
    companydata::TDataListRec rec = box.List.GetRowRec(*box.Grid, row);
    rec.DataStatus = 1;
    StoreRowRec(box, row, rec);
    box.Grid->SetCellInt(colStatus, row, 1);
    box.Grid->SetRowBackColor(row, QColor::fromRgb(kBrokenBackRgb));
}

bool SameFolder(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

qint32 SessionLoginCode() { return LockLoginCode(core::SystemDef.OPCODE, core::SystemDef.GROUPID); }

} // namespace selection
