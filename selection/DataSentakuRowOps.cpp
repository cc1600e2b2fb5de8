#include "selection/DataSentakuRowOps.h"

#include "controls/dialogs/Message2Info.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"

namespace selection {

using companydata::TDataListRec;
using companydata::TDataSentakuRec;

bool IsClientServerMode() { return core::ConnectMode == 1 || core::ConnectMode == 2; }

TDataSentakuRec* ParentRecOfRow(TDataSentakuBox& box, int row)
{
    if (row < 0 || row >= box.Grid->RowCount())
        return nullptr;
    const int index = box.Grid->CellInt(colParent, row);
    return index >= 0 && index < box.List.Records.size() ? &box.List.Records[index] : nullptr;
}

TDataListRec* ListRecOfRow(TDataSentakuBox& box, int row)
{
    TDataSentakuRec* parent = ParentRecOfRow(box, row);
    if (!parent)
        return nullptr;
    if (companydata::IsParentKind(quint8(box.Grid->CellInt(colGassan, row))))
        return parent;
    const int child = box.Grid->CellInt(colChild, row);
    return child >= 0 && child < parent->Children.size() ? &parent->Children[child] : nullptr;
}

bool DataCheckRejects(const QString& folder)
{
    return core::DM && core::DM->CallDataCheckHook(core::SystemDef.HOSTNAME, folder, 0, 0) == 0;
}

void MarkRowBroken(TDataSentakuBox& box, int row)
{
    if (TDataListRec* rec = ListRecOfRow(box, row))
        rec->DataStatus = 1;
    if (row >= 0 && row < box.Grid->RowCount()) {
        box.Grid->SetCellInt(colStatus, row, 1);
        box.Grid->SetRowBackColor(row, QColor::fromRgb(kBrokenBackRgb));
    }
}

bool HasBrokenChild(const TDataSentakuRec& parent)
{
    if (!companydata::HasChildren(parent.Gassan))
        return false;
    for (const TDataListRec& child : parent.Children)
        if (child.DataStatus == 1)
            return true;
    return false;
}

void WriteRowBack(TDataSentakuBox& box, const TDataListRec& rec)
{
    if (rec.Gassan == companydata::kGassanBunsan)
        box.ListCtl.UpdateDataListChildRecord(rec, 1);
    else
        UpdateListRow(box, rec);
}

void SetRowDataLock(TDataSentakuBox& box, int row, qint32 code)
{
    if (!IsClientServerMode())
        return;
    TDataListRec* rec = ListRecOfRow(box, row);
    if (!rec)
        return;
    rec->DataLock = code;
    WriteRowBack(box, *rec);
}

int ShowLinesBox(TDataSentakuBox& box, int kind, const QStringList& lines)
{
    controls::TMessage2InfoRec info;
    controls::InitMessage2Info(quint8(kind), info);
    if (kind == 3)
        info.Buttons = core::mbOKCancel;
    for (int i = 0; i < lines.size() && i < int(info.Lines.size()); ++i)
        info.Lines[i].Text = lines.at(i);
    return box.ShowBox2(info);
}

void ShowBrokenMemberBox(TDataSentakuBox& box, const QString& what)
{
    ShowLinesBox(box, 2,
                 {QStringLiteral("合算・分散データに破損したデータが存在するため、データの%1を中止します。").arg(what),
                  QStringLiteral("データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。"),
                  QStringLiteral("ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。")});
}

} // namespace selection
