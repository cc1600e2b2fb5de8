#include "selection/ServerSentakuList.h"

#include "companydata/DataSentakuListCtl.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/text/SjisText.h"
#include "selection/DataSentakuList.h"

#include <algorithm>

namespace selection {

using companydata::TDataListRec;
using companydata::TDataSentakuRec;

int ServerSortKindOfColumn(int column)
{
    switch (column) {
    case scCode: return 7;
    case scName: return 2;
    case scNendo: return 3;
    case scKikan: return 4;
    case scFolder: return 5;
    case scVersion: return 6;
    default: return 1;
    }
}

bool IsFreeAreaName(const QString& entText)
{
    return entText.isEmpty() || entText == companydata::kFreeAreaName || entText == companydata::kNewAreaName;
}

void SetServerRecFromInfo(TDataListRec& rec, const companydata::TDataInfomationRec& info, bool reset)
{
    if (reset) {
        const qint32 groupId = core::SystemDef.GROUPID;
        rec = TDataListRec{};
        rec.GroupId = groupId;
        rec.EntText = companydata::kFreeAreaName;
        rec.KikanText = QStringLiteral("～");
        rec.NetDrive = 1;
        rec.DispName = rec.EntText;
        return;
    }
    rec.GroupId = core::SystemDef.GROUPID;
    rec.DataCode = info.Code;
    rec.EntText = info.DataListName;
    rec.Shougou = info.Shougou;
    if (IsFreeAreaName(rec.EntText)) {
        if (rec.EntText.isEmpty())
            rec.EntText = companydata::kFreeAreaName;
        rec.Shougou.clear();
    }
    rec.Nendo = info.Nendo;
    rec.KikanText = (info.Kishu.isEmpty() && info.Kimatu.isEmpty())
        ? QStringLiteral("～")
        : QStringLiteral("%1 ～ %2").arg(info.Kishu, info.Kimatu);
    rec.Kishu = QDate::fromString(info.Kishu, QStringLiteral("yyyy/MM/dd"));
    rec.Kimatu = QDate::fromString(info.Kimatu, QStringLiteral("yyyy/MM/dd"));
    rec.DataType = info.DataKbn;
    rec.CodeType = info.CodeKbn;
    rec.Tantou = info.Tanto;
    rec.DataLock = (info.Status == companydata::kDataLocked && info.OpCode != 0) ? 1 : 0;
    rec.VerMajor = info.VerMajor;
    rec.VerMinor1 = info.VerMinor1;
    rec.VerMinor2 = info.VerMinor2;
    rec.VerText = info.VerName.isEmpty() && info.VerMajor != 0 ? companydata::VersionText(info) : info.VerName;
    rec.UpdateLock = info.UpdateLock;
    rec.Gassan = info.GassanKbn;
    rec.Cloud = info.CloudShare;
    rec.ReadOnly = info.ReadOnly;
    rec.DispName = rec.EntText;
}

bool ServerMatchesConditions(const TDataListRec& rec, const TDataKensakuRec& cond)
{
    // The pair itself is compared: "%d%d" texts would take (1,12) for (11,2).
    if (cond.DATATYPE != 0 && cond.CODETYPE != 0
        && (rec.DataType != cond.DATATYPE || rec.CodeType != cond.CODETYPE))
        return false;
    if (!cond.DATANAME.isEmpty() && !ToSearchWidth(rec.EntText).contains(ToSearchWidth(cond.DATANAME)))
        return false;
    if (cond.TANTO != 0 && cond.TANTO != rec.Tantou)
        return false;
    if (!cond.DATAVER.isEmpty() && QStringLiteral("%1.%2").arg(rec.VerMajor).arg(rec.VerMinor1) != cond.DATAVER)
        return false;
    const QString code = core::TrimBlanks(cond.DATACODE);
    if (!code.isEmpty()) {
        const int n = int(core::SjisBytes(code).size());
        if (code.toUpper() != core::LeftStrB(rec.DataCode, n).toUpper())
            return false;
    }
    return true;
}

void TServerSentakuList::ApplySearch()
{
    DispIndex.clear();
    for (int i = 0; i < Records.size(); ++i)
        if (ServerMatchesConditions(Records.at(i), Conditions))
            DispIndex.append(i);
}

void TServerSentakuList::SetupColumns(controls::TxGrid& grid) const
{
    grid.SetCols(kServerListColumns);
    grid.SetColWidth(-1, 0);
    const int cloudWidth = OemEdition ? 0 : 40;
    const int widths[kServerListColumns] = {40, 70, cloudWidth, 280 - cloudWidth - 32, 80, 180, 200, 90, 32};
    for (int c = 0; c < kServerListColumns; ++c)
        grid.SetColWidth(c, widths[c]);
    grid.SetColAlignment(scNo, Qt::AlignRight);
    for (int c : {scCode, scName, scFolder})
        grid.SetColAlignment(c, Qt::AlignLeft);
    for (int c : {scCloudPic, scNendo, scKikan, scVersion, scSharePic})
        grid.SetColAlignment(c, Qt::AlignHCenter);
    const char* headers[kServerListColumns] = {"No", "コード", "ｸﾗｳﾄﾞ", "データ名", "会計年度", "会計期間",
                                               "データフォルダ", "バージョン", "共有", "共有値", "バージョン",
                                               "データ更新", "", "", "", "データステータス", "ｸﾗｳﾄﾞ", "参照専用"};
    for (int c = 0; c < kServerListColumns; ++c) {
        grid.SetCells(c, -1, QString::fromUtf8(headers[c]));
        grid.SetHeaderAlignment(c, Qt::AlignHCenter);
    }
}

void TServerSentakuList::ShowList(controls::TxGrid& grid)
{
    grid.SetRowCount(0);
    SetupColumns(grid);
    if (SortCol >= 0 && SortCol < kServerListColumns)
        grid.SetCells(SortCol, -1, grid.Cells(SortCol, -1) + (SortDesc ? QStringLiteral("▼") : QStringLiteral("▲")));
    const int n = std::min<int>(int(DispIndex.size()), grid.MaxRows());
    int row = 0;
    for (int i = 0; i < n && row < grid.MaxRows(); ++i) {
        const int index = DispIndex.at(i);
        TDataSentakuRec& rec = Records[index];
        if (!companydata::IsParentKind(rec.Gassan))
            continue;
        grid.InsertRows(row, 1);
        SetGridRow(grid, row, rec);
        grid.SetCellInt(scNo, row, i + 1);
        grid.SetCellInt(scRecIndex, row, index);
        SetShareCells(grid, row, rec.PasName);
        companydata::TDataSentakuListCtl::NumberChildNames(rec);
        for (int j = 0; j < rec.Children.size() && row + 1 < grid.MaxRows(); ++j) {
            ++row;
            grid.InsertRows(row, 1);
            SetGridRow(grid, row, rec.Children.at(j));
            grid.SetCells(scNo, row, QString());
            grid.SetCellInt(scRecIndex, row, index);
            grid.SetCellInt(scChildIndex, row, j);
            SetShareCells(grid, row, rec.Children.at(j).PasName);
        }
        ++row;
    }
    if (grid.RowCount() > 0)
        grid.SetCurrentCell(scName, 0);
}

void TServerSentakuList::SetGridRow(controls::TxGrid& grid, int row, const TDataListRec& rec) const
{
    grid.SetRowValue(row, rec.Rec);
    grid.SetCells(scCode, row, rec.DataCode);
    if (grid.ColWidth(scCloudPic) > 0)
        grid.SetCellPicture(scCloudPic, row, rec.Cloud ? CloudPicture : NoCloudPicture);
    grid.SetCells(scName, row, rec.DispName);
    const bool freeArea = IsFreeAreaName(rec.EntText);
    grid.SetCells(scNendo, row, freeArea ? QString() : QStringLiteral("%1 期").arg(rec.Nendo));
    grid.SetCells(scKikan, row, freeArea ? QStringLiteral("～") : rec.KikanText);
    grid.SetCells(scFolder, row, rec.PasName);
    grid.SetCells(scVersion, row, rec.VerText);
    grid.SetCellInt(scUpdateLock, row, rec.UpdateLock);
    grid.SetCellInt(scGassan, row, rec.Gassan);
    grid.SetCellInt(scChildIndex, row, 0);
    grid.SetCellInt(scStatus, row, rec.DataStatus);
    grid.SetCellInt(scCloud, row, rec.Cloud);
    grid.SetCellInt(scReadOnly, row, rec.ReadOnly);
    PaintRow(grid, row);
}

void TServerSentakuList::PaintRow(controls::TxGrid& grid, int row) const
{
    // Odd rows the alternate colour, a broken row red.
    const bool broken = grid.CellInt(scStatus, row) == 1;
    grid.SetRowBackColor(row, broken ? QColor::fromRgb(kServerBrokenRgb)
                                     : (row % 2 == 1 ? QColor::fromRgb(kServerOddRowRgb) : QColor()));
}

void TServerSentakuList::SetShareCells(controls::TxGrid& grid, int row, const QString& folder) const
{
    const bool inUse = ShareStatusOf && ShareStatusOf(folder) == companydata::kShareTakenOut;
    grid.SetCellInt(scShareValue, row, inUse ? 1 : 0);
    grid.SetCellPicture(scSharePic, row, inUse ? InUsePicture : NormalPicture);
}

TDataListRec TServerSentakuList::GetRowRec(const controls::TxGrid& grid, int row) const
{
    if (row < 0 || row >= grid.RowCount())
        return {};
    const int index = grid.CellInt(scRecIndex, row);
    if (index < 0 || index >= Records.size())
        return {};
    const TDataSentakuRec& rec = Records.at(index);
    if (companydata::IsParentKind(quint8(grid.CellInt(scGassan, row))))
        return rec;
    const int child = grid.CellInt(scChildIndex, row);
    return child >= 0 && child < rec.Children.size() ? rec.Children.at(child) : TDataListRec{};
}

int TServerSentakuList::GetParentRow(const controls::TxGrid& grid, int row) const
{
    if (row < 0 || row >= grid.RowCount())
        return -1;
    if (companydata::IsParentKind(quint8(grid.CellInt(scGassan, row))))
        return row;
    const int index = grid.CellInt(scRecIndex, row);
    for (int r = row - 1; r >= 0; --r)
        if (grid.CellInt(scRecIndex, r) == index && grid.CellInt(scChildIndex, r) == 0
            && companydata::IsParentKind(quint8(grid.CellInt(scGassan, r))))
            return r;
    return -1;
}

bool TServerSentakuList::HeaderClick(int column)
{
    if (column != scCode && (column < scName || column > scVersion))
        return false;
    SortDesc = column == SortCol ? !SortDesc : false;
    SortCol = column;
    return true;
}

} // namespace selection
