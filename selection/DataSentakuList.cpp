#include "selection/DataSentakuList.h"

#include "companydata/DataSentakuListCtl.h"
#include "controls/grid/TxGrid.h"
#include "core/text/KanaMap.h"
#include "dbupgrade/DbUpdateList.h"
#include "core/text/SjisText.h"

#include <QColor>

#include <algorithm>

namespace selection {

using companydata::TDataListRec;
using companydata::TDataSentakuRec;

int SortKindOfColumn(int column)
{
    switch (column) {
    case 1: return 7;
    case 3: return 2;
    case 4: return 3;
    case 5: return 4;
    case 6: return 5;
    case 7: return 6;
    default: return 1;
    }
}

QString ToSearchWidth(const QString& text)
{
    QString wide = core::ToZenkaku(text);
    for (QChar& c : wide) {
        if (c.unicode() >= 0xFF41 && c.unicode() <= 0xFF5A) // ａ-ｚ
            c = QChar(c.unicode() - 0x20);
    }
    return wide;
}

namespace {

// "major.minor" → (major, minor); the minor is 0 when there is one part.
void SplitVersion(const QString& text, int& major, int& minor)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    major = parts.value(0).trimmed().toInt();
    minor = parts.size() > 1 ? parts.at(1).trimmed().toInt() : 0;
}

bool IsEmptyArea(const TDataListRec& rec)
{
    return rec.EntText.isEmpty() || rec.EntText == companydata::kFreeAreaName
        || rec.EntText == companydata::kNewAreaName;
}

} // namespace

bool MatchesConditions(const TDataListRec& rec, const TDataKensakuRec& cond)
{
    const int d = cond.DATATYPE;
    const int c = cond.CODETYPE;
    // The data and code types are compared as a pair: as one concatenated decimal text (1, 12)
    // would equal (11, 2).
    if (d > 0 && c != 0) {
        if (rec.DataType != d || rec.CodeType != c)
            return false;
    } else if (d > 0) {
        if (rec.DataType != d)
            return false;
    } else if (d == -13) {
        if (rec.DataType != 1 && rec.DataType != 3)
            return false;
    }
    if (!cond.DATANAME.isEmpty() && !ToSearchWidth(rec.EntText).contains(ToSearchWidth(cond.DATANAME)))
        return false;
    if (cond.TANTO != 0 && cond.TANTO != rec.Tantou)
        return false;
    if (!cond.DATAVER.isEmpty()) {
        int major = 0, minor = 0;
        SplitVersion(cond.DATAVER, major, minor);
        bool ok = false;
        switch (cond.VersionMode) {
        case kVersionMajor: ok = rec.VerMajor == major; break;
        case kVersionAtLeast: ok = rec.VerMajor > major || (rec.VerMajor == major && rec.VerMinor1 >= minor); break;
        default: ok = QStringLiteral("%1.%2").arg(rec.VerMajor).arg(rec.VerMinor1) == cond.DATAVER; break;
        }
        if (!ok)
            return false;
    }
    const QString code = core::TrimBlanks(cond.DATACODE);
    if (!code.isEmpty()) {
        const int n = core::SjisBytes(code).size();
        if (code.toUpper() != core::LeftStrB(rec.DataCode, n).toUpper())
            return false;
    }
    return true;
}

int ShareStateOf(const TDataListRec& rec)
{
    if (rec.NetDrive == 0)
        return 0;
    return rec.KyoyuLock == 0 ? 1 : 2;
}

bool CompanyUpgradePending(const QString& versionText)
{
    dbupgrade::TDbUpdateList steps;
    steps.PrepareUpdateList(dbupgrade::kUpdateCompany, versionText);
    return steps.UpdatePending;
}

TDataSentakuList::TDataSentakuList()
    : UpgradePending(CompanyUpgradePending)
{
    auto square = [](const QColor& color) {
        QPixmap p(16, 16);
        p.fill(color);
        return p;
    };
    BlankPicture = square(Qt::transparent);
    LockPicture = square(QColor(0xC0, 0x90, 0x20));
    StoredPicture = square(QColor(0x30, 0x70, 0xD0));
    NoCloudPicture = square(Qt::transparent);
    CloudPicture = square(QColor(0x80, 0xB0, 0xF0));
}

int TDataSentakuList::LoadList(companydata::TDataSentakuListCtl& ctl, qint32 dataPlace)
{
    ctl.SetDataPlaceRec(dataPlace);
    ctl.Execute(SortKindOfColumn(SortCol), Descending);
    Records = ctl.Rows;
    ApplySearch();
    return int(Records.size());
}

void TDataSentakuList::ApplySearch()
{
    DispIndex.clear();
    for (int i = 0; i < Records.size(); ++i) {
        if (MatchesConditions(Records.at(i), Conditions))
            DispIndex.append(i);
    }
}

void TDataSentakuList::SetupColumns(controls::TxGrid& grid) const
{
    const bool standAlone = ConnectMode == 0;
    const bool clientServer = ConnectMode == 1 || ConnectMode == 2;
    const bool knownMode = standAlone || clientServer;
    grid.SetCols(kDataListColumns);
    grid.SetColWidth(-1, 0);
    const int cloudWidth = (knownMode && CloudShareMode) ? 40 : 0;
    const int markWidth = knownMode ? 32 : 0;
    const int widths[kDataListColumns] = {40, 70, cloudWidth, 280 - cloudWidth - markWidth, 80, 180, 200, 90,
                                          clientServer ? 32 : 0, standAlone ? 32 : 0};
    for (int c = 0; c < kDataListColumns; ++c)
        grid.SetColWidth(c, widths[c]);
    for (int c : {0, 10, 11, 18})
        grid.SetColAlignment(c, Qt::AlignRight);
    for (int c : {1, 3, 6})
        grid.SetColAlignment(c, Qt::AlignLeft);
    for (int c : {2, 4, 5, 7, 8, 9})
        grid.SetColAlignment(c, Qt::AlignHCenter);
    for (int c : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13})
        grid.SetHeaderAlignment(c, Qt::AlignHCenter);
    const char* headers[kDataListColumns] = {"No", "コード", "ｸﾗｳﾄﾞ", "データ名  ", "会計年度", "会計期間",
                                             "データフォルダ", "バージョン", "鍵", "共有", "鍵", "共有",
                                             "バージョン", "データ更新", "合算区分", "", "", "データステータス",
                                             "ｸﾗｳﾄﾞ", "参照専用ﾞ"};
    for (int c = 0; c < kDataListColumns; ++c)
        grid.SetCells(c, -1, QString::fromUtf8(headers[c]));
}

void TDataSentakuList::ShowList(controls::TxGrid& grid, int index)
{
    if (index < 0) {
        grid.SetRowCount(0);
        SetupColumns(grid);
        if (SortCol >= 0 && SortCol < kDataListColumns)
            grid.SetCells(SortCol, -1, grid.Cells(SortCol, -1) + (Descending ? QStringLiteral("▼") : QStringLiteral("▲")));
        const int n = std::min<int>(int(DispIndex.size()), controls::TxGrid::RowCapacity);
        grid.InsertRows(0, n);
        RunningRow = 0;
        for (int i = 0; i < n; ++i) {
            ShowList(grid, i);
            ++RunningRow;
        }
        if (grid.RowCount() > 0)
            grid.SetRow(0);
        return;
    }
    if (index >= DispIndex.size())
        return;
    const int recIndex = DispIndex.at(index);
    TDataSentakuRec& rec = Records[recIndex];
    if (!companydata::IsParentKind(rec.Gassan))
        return;
    SetGridRow(grid, RunningRow, rec);
    grid.SetCellInt(colParent, RunningRow, recIndex);
    SetSharePicture(grid, RunningRow, rec);
    RemoveChildRows(grid, RunningRow);
    companydata::TDataSentakuListCtl::NumberChildNames(rec);
    if (rec.Children.isEmpty())
        return;
    grid.InsertRows(RunningRow + 1, int(rec.Children.size()));
    for (int j = 0; j < rec.Children.size(); ++j) {
        ++RunningRow;
        SetGridRow(grid, RunningRow, rec.Children.at(j));
        grid.SetCells(colNo, RunningRow, QString());
        grid.SetCellInt(colParent, RunningRow, recIndex);
        grid.SetCellInt(colChild, RunningRow, j);
        SetSharePicture(grid, RunningRow, rec.Children.at(j));
    }
}

void TDataSentakuList::SetGridRow(controls::TxGrid& grid, int row, const TDataListRec& rec)
{
    grid.SetRowValue(row, rec.Rec);
    grid.SetCellInt(-1, row, rec.Rec);
    grid.SetCellInt(colNo, row, rec.Rec);
    grid.SetCells(colCode, row, rec.DataCode);
    if (grid.ColWidth(colCloudPic) > 0)
        grid.SetCellPicture(colCloudPic, row, rec.Cloud ? CloudPicture : NoCloudPicture);
    grid.SetCells(colName, row, rec.DispName);
    const bool emptyArea = IsEmptyArea(rec);
    grid.SetCells(colNendo, row, emptyArea ? QString() : QStringLiteral("%1 期").arg(rec.Nendo));
    grid.SetCells(colKikan, row, emptyArea ? QStringLiteral("～") : rec.KikanText);
    QString folder = rec.PasName;
    if (!DataRoot.isEmpty())
        folder.replace(DataRoot, QStringLiteral("~"), Qt::CaseInsensitive);
    grid.SetCells(colFolder, row, folder);
    grid.SetCells(colVersion, row, rec.VerText);
    if (ConnectMode == 1 || ConnectMode == 2)
        grid.SetCellPicture(colLockPic, row, rec.DataLock != 0 ? LockPicture : BlankPicture);
    grid.SetCellInt(colLock, row, rec.DataLock);
    grid.SetCellInt(colShared, row, ShareStateOf(rec) == 2 ? 1 : 0);
    grid.SetCells(colVerText, row,
                  QStringLiteral("%1.%2.%3").arg(rec.VerMajor).arg(rec.VerMinor1).arg(rec.VerMinor2));
    grid.SetCellInt(colUpdateMark, row, rec.UpdateLock);
    grid.SetCellInt(colGassan, row, rec.Gassan);
    grid.SetCellInt(colParent, row, 0);
    grid.SetCellInt(colChild, row, 0);
    grid.SetCellInt(colStatus, row, rec.DataStatus);
    grid.SetCellInt(colCloud, row, rec.Cloud);
    grid.SetCellInt(colReadOnly, row, rec.ReadOnly);
    PaintRow(grid, row, CheckUpdateMark(grid, row, true), rec.DataStatus == 1);
}

void TDataSentakuList::PaintRow(controls::TxGrid& grid, int row, bool marked, bool broken) const
{
    grid.SetRowBackColor(row, broken ? QColor::fromRgb(kBrokenBackRgb) : QColor());
    grid.SetRowForeColor(row, marked ? QColor::fromRgb(kMarkedTextRgb) : QColor());
}

void TDataSentakuList::SetSharePicture(controls::TxGrid& grid, int row, const TDataListRec& rec) const
{
    switch (ShareStateOf(rec)) {
    case 1:
        grid.SetCellInt(colShared, row, 0);
        grid.SetCellPicture(colSharePic, row, StoredPicture);
        break;
    case 2:
        grid.SetCellInt(colShared, row, 1);
        grid.SetCellPicture(colSharePic, row, BlankPicture);
        break;
    default: break;
    }
}

void TDataSentakuList::RemoveChildRows(controls::TxGrid& grid, int row) const
{
    const int parent = grid.CellInt(colParent, row);
    int count = 0;
    while (row + 1 + count < grid.RowCount() && grid.CellInt(colParent, row + 1 + count) == parent
           && grid.CellInt(colGassan, row + 1 + count) == companydata::kGassanBunsan)
        ++count;
    if (count > 0)
        grid.DeleteRows(row + 1, count);
}

TDataListRec TDataSentakuList::GetRowRec(const controls::TxGrid& grid, int row) const
{
    if (row < 0 || row >= grid.RowCount())
        return {};
    const int kind = grid.CellInt(colGassan, row);
    const int index = grid.CellInt(colParent, row);
    if (index < 0 || index >= Records.size())
        return {};
    const TDataSentakuRec& rec = Records.at(index);
    if (companydata::IsParentKind(quint8(kind)))
        return rec;
    if (kind == companydata::kGassanBunsan) {
        const int child = grid.CellInt(colChild, row);
        if (child >= 0 && child < rec.Children.size())
            return rec.Children.at(child);
    }
    return {};
}

QString TDataSentakuList::GetRowDataPath(const controls::TxGrid& grid, int row) const
{
    TDataListRec rec = GetRowRec(grid, row);
    companydata::TDataSentakuListCtl::DeriveLocalPath(rec);
    return rec.LocalPath;
}

int TDataSentakuList::GetParentRow(const controls::TxGrid& grid, int row) const
{
    if (row < 0 || row >= grid.RowCount())
        return row;
    if (companydata::IsParentKind(quint8(grid.CellInt(colGassan, row))))
        return row;
    const int parent = grid.CellInt(colParent, row);
    for (int r = row - 1; r >= 0; --r) {
        if (grid.CellInt(colParent, r) == parent && grid.CellInt(colChild, r) == 0
            && companydata::IsParentKind(quint8(grid.CellInt(colGassan, r))))
            return r;
    }
    return row;
}

int TDataSentakuList::GetDisplayIndex(const controls::TxGrid& grid, int row) const
{
    const int index = grid.CellInt(colParent, row);
    if (!SearchActive && SyoriType != 3)
        return index;
    return std::max(0, int(DispIndex.indexOf(index)));
}

bool TDataSentakuList::CheckUpdateMark(controls::TxGrid& grid, int row, bool reevaluate) const
{
    const QString version = grid.Cells(colVerText, row);
    if (version.isEmpty())
        return false;
    bool marked = grid.CellInt(colUpdateMark, row) == 1;
    if (reevaluate && marked) {
        marked = UpgradePending && UpgradePending(version);
        grid.SetCellInt(colUpdateMark, row, marked ? 1 : 0);
    }
    return marked;
}

bool TDataSentakuList::HeaderClick(int column)
{
    if (column != 0 && column != 1 && (column < 3 || column > 7))
        return false;
    bool same;
    if (column == 0)
        same = SortCol <= 0;
    else
        same = SortCol == column;
    SortCol = column;
    Descending = same ? !Descending : false;
    return true;
}

bool TDataSentakuList::FindCodeRow(controls::TxGrid& grid, const QString& text)
{
    const int count = grid.RowCount();
    if (count == 0 || text.isEmpty())
        return false;
    int current = grid.Row();
    if (current < 0 || current >= count)
        current = count - 1; // no current row: start from the first
    for (int k = 1; k <= count; ++k) {
        const int r = (current + k) % count;
        if (grid.Cells(colCode, r).startsWith(text, Qt::CaseInsensitive)) {
            grid.SetCurrentCell(std::max(grid.Col(), 0), r);
            grid.MakeVisible(colCode, r);
            return true;
        }
    }
    return false;
}

} // namespace selection
