#include "selection/DataSentakuRowOps.h"

#include "controls/dialogs/Message2Info.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuOpsSupport.h"
#include "selection/DataSentakuState.h"

namespace selection {

using companydata::TDataListRec;
using companydata::TDataSentakuRec;

bool IsClientServerMode() { return core::ConnectMode == 1 || core::ConnectMode == 2; }

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
    TDataListRec* rec = RowRecordOf(box, row);
    if (!rec)
        return;
    rec->DataLock = code;
    WriteRowBack(box, *rec);
}

void ShowBrokenMemberBox(TDataSentakuBox& box, const QString& what)
{
    ShowLines(box, 2,
              {QStringLiteral("合算・分散データに破損したデータが存在するため、データの%1を中止します。").arg(what),
               QStringLiteral("データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。"),
               QStringLiteral("ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。")});
}

} // namespace selection
