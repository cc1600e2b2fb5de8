// The refresh of the data-selection list from what the data folders really hold, and the
// child rows of a consolidation parent.
#include "selection/DataSentakuState.h"

#include "companydata/DataInfomation.h"
#include "companydata/DataSentakuListCtl.h"
#include "controls/grid/TxGrid.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"
#include "core/fileops/FileOperations.h"
#include "core/session/SystemDef.h"
#include "selection/DataSentakuBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace selection {

using companydata::TDataInfomationRec;
using companydata::TDataListRec;
using companydata::TDataSentakuRec;

namespace {

const QString kRefreshFailed = QStringLiteral("データリストの更新に失敗しました。");

bool IsStandAlone() { return core::ConnectMode != 1 && core::ConnectMode != 2; }

companydata::TDataInfomation NewInfo()
{
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    return info;
}

core::FileState LocalFileState(const QString& path)
{
    if (core::DM)
        return core::fileops::FExistState(*core::DM, path, core::ConnectMode);
    return QFile::exists(path) ? core::FileState::Present : core::FileState::Absent;
}

// The parent record of a grid row in the list, or null for a row that is none.
TDataSentakuRec* ParentRecOf(TDataSentakuBox& box, int row)
{
    const int index = box.Grid->CellInt(colParent, row);
    return index >= 0 && index < box.List.Records.size() ? &box.List.Records[index] : nullptr;
}

// The record of the row itself (the parent, or one of its children).
TDataListRec* RowRecOf(TDataSentakuBox& box, int row)
{
    TDataSentakuRec* parent = ParentRecOf(box, row);
    if (!parent)
        return nullptr;
    if (companydata::IsParentKind(quint8(box.Grid->CellInt(colGassan, row))))
        return parent;
    const int child = box.Grid->CellInt(colChild, row);
    return child >= 0 && child < parent->Children.size() ? &parent->Children[child] : nullptr;
}

void WriteBack(TDataSentakuBox& box, const TDataListRec& rec)
{
    if (rec.Gassan == companydata::kGassanBunsan)
        box.ListCtl.UpdateDataListChildRecord(rec, 1);
    else
        UpdateListRow(box, rec);
}

// The update lock, the read-only flag and the company information written into the folder's
// information file after the database was read.
void WriteInfoFile(companydata::TDataInfomation& info, const QString& folder, const TDataInfomationRec& rec)
{
    info.WriteIniValue(folder, companydata::kSectionDataSts, false, rec.UpdateLock, QStringLiteral("UPDATE_LOCK"));
    info.WriteIniValue(folder, companydata::kSectionDataSts, false, rec.ReadOnly, QStringLiteral("READ_ONLY"));
    info.WriteIniFile(folder, companydata::kSectionDataInfo, rec);
}

// A fetched shared row is also written to the shared-data list; errors there are ignored.
void WriteSharedRow(TDataSentakuBox& box, const TDataListRec& rec)
{
    if (ShareStateOf(rec) != 2)
        return;
    try {
        box.UpdateServerRow(rec);
    } catch (const std::exception&) {
    }
}

void RefreshRow(TDataSentakuBox& box, int row)
{
    controls::TxGrid& grid = *box.Grid;
    const TDataListRec shown = box.List.GetRowRec(grid, row);
    if (shown.DataStatus == 1) {
        grid.SetCellInt(colStatus, row, 1);
        grid.SetRowBackColor(row, QColor::fromRgb(kBrokenBackRgb));
        return;
    }
    const QString folder = box.List.GetRowDataPath(grid, row);
    const QString dataFile = QDir(folder).filePath(kDataFileName);
    const bool isParent = companydata::IsParentKind(shown.Gassan);
    if (!isParent && shown.Gassan != companydata::kGassanBunsan)
        return;
    const int redrawRow = isParent ? row : box.List.GetParentRow(grid, row);
    const int displayIndex = box.List.GetDisplayIndex(grid, redrawRow);
    TDataSentakuRec* parent = ParentRecOf(box, row);
    TDataListRec* rec = RowRecOf(box, row);
    if (!parent || !rec)
        return;
    const bool showsName = !grid.Cells(colName, row).isEmpty();
    auto redraw = [&] {
        box.List.RunningRow = redrawRow;
        box.List.ShowList(grid, displayIndex);
    };
    companydata::TDataInfomation info = NewInfo();
    TDataInfomationRec infoRec;

    // Only a data set confirmed missing empties its row: a test that was refused or failed
    // (reported) leaves the row as it is.
    if (!IsStandAlone()) {
        const core::FileState state = box.ServerFileExists(folder);
        if (state == core::FileState::Unknown)
            return;
        if (state == core::FileState::Present) {
            info.ReadIni(folder, infoRec);
            // A database that could not be read leaves the registry row as it is: filling the
            // record from nothing would wipe its name, code and period.
            if (infoRec.Status != companydata::kDataNotOpened) {
                SetListRecFromInfo(*rec, infoRec, false);
                WriteBack(box, *rec);
            }
            redraw();
        } else if (showsName) {
            SetListRecFromInfo(*parent, infoRec, true);
            parent->ChildCount = 0;
            parent->Children.clear();
            UpdateListRow(box, *parent);
            redraw();
        }
        return;
    }

    const core::FileState state = LocalFileState(dataFile);
    if (state == core::FileState::Unknown)
        return;
    if (state == core::FileState::Present) {
        info.ReadIni(folder, infoRec);
        TDataInfomationRec dbRec;
        bool read = false;
        try {
            read = info.GetDataInfoOfFolder(folder, dbRec) != 0;
        } catch (const std::exception&) {
            read = false;
        }
        if (read) {
            WriteInfoFile(info, folder, dbRec);
            // The state and the share marks live only in the information file.
            dbRec.Status = infoRec.Status;
            dbRec.OpCode = infoRec.OpCode;
            dbRec.OpName = infoRec.OpName;
            dbRec.ShareStatus = infoRec.ShareStatus;
            dbRec.ShareOpCode = infoRec.ShareOpCode;
            dbRec.ShareOpName = infoRec.ShareOpName;
            SetListRecFromInfo(*rec, dbRec, false);
            if (!isParent)
                rec->Gassan = companydata::kGassanBunsan;
            WriteBack(box, *rec);
            if (isParent)
                RebuildChildren(box, row);
        } else if (core::SystemDef.DataCheck == 1) {
            rec->DataStatus = 1;
        }
        redraw();
        WriteSharedRow(box, *rec);
        return;
    }

    if (shown.NetDrive == 0) {
        const QString iniFile = companydata::TDataInfomation::IniFileName(folder);
        if (QFile::exists(iniFile))
            QFile::remove(iniFile);
    }
    bool childRemoved = false;
    if (showsName) {
        if (isParent) {
            if (companydata::HasChildren(parent->Gassan))
                box.ListCtl.DeleteDataListChildRecord(*parent, 1);
            SetListRecFromInfo(*parent, infoRec, true);
            parent->ChildCount = 0;
            parent->Children.clear();
            UpdateListRow(box, *parent);
        } else {
            ClearChildren(box, row, false);
            childRemoved = true;
        }
    }
    redraw();
    if (!childRemoved)
        WriteSharedRow(box, *rec);
}

} // namespace

bool DataListRefresh(TDataSentakuBox& box, int row, const TRefreshProgress& progress)
{
    controls::TxGrid& grid = *box.Grid;
    if (row >= 0) {
        if (row < grid.RowCount())
            RefreshRow(box, row);
        return false;
    }
    if (!IsStandAlone()) {
        try {
            if (progress.SetText)
                progress.SetText(QStringLiteral("データリストの更新中…"));
            box.ListCtl.RenumberDataListRec();
            box.ReloadAndFocus(grid.TopRow(), box.List.GetRowRec(grid, grid.Row()));
        } catch (const core::EIBError& e) {
            core::ReportFbAccessError(e, QStringLiteral("TDataSentakuBox.DataListRefresh"), kRefreshFailed, 0);
        } catch (const std::exception& e) {
            core::ShowMessageWithDetail(kRefreshFailed, QString::fromUtf8(e.what()), core::MessageKind::Error);
        }
    }
    // Rows can disappear (a removed child) while the pass runs: the count is read each time.
    for (int r = 0; r < grid.RowCount(); ++r) {
        if (progress.Cancelled && progress.Cancelled())
            break;
        if ((r + 1) % 5 == 0 && progress.SetText)
            progress.SetText(QStringLiteral("データリスト（%1行目）の更新中…").arg(r + 1));
        RefreshRow(box, r);
        QCoreApplication::processEvents();
    }
    return false;
}

void RebuildChildren(TDataSentakuBox& box, int row)
{
    controls::TxGrid& grid = *box.Grid;
    TDataSentakuRec* parent = ParentRecOf(box, row);
    if (!parent || !companydata::IsParentKind(parent->Gassan))
        return;
    if (parent->NetDrive != 0 && parent->KyoyuLock != 1)
        return;
    for (const TDataListRec& child : parent->Children) {
        if (child.DataStatus == 1) {
            grid.SetRowBackColor(row, QColor::fromRgb(kBrokenBackRgb));
            return;
        }
    }
    const QString workFolder = parent->NetDrive != 0 ? parent->LocalPath : parent->PasName;
    const QStringList names = companydata::HasChildren(parent->Gassan)
                                  ? QDir(workFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)
                                  : QStringList();
    // A child whose database could not be tested (reported) would be lost: the children stay
    // as they are.
    QList<core::FileState> states;
    for (const QString& name : names) {
        states << LocalFileState(QDir(QDir(workFolder).filePath(name)).filePath(kDataFileName));
        if (states.last() == core::FileState::Unknown)
            return;
    }
    parent->Children.clear();
    parent->ChildCount = 0;
    box.ListCtl.DeleteDataListChildRecord(*parent, 1);
    if (!companydata::HasChildren(parent->Gassan))
        return;
    companydata::TDataInfomation info = NewInfo();
    for (int i = 0; i < names.size(); ++i) {
        const QString childFolder = QDir(workFolder).filePath(names.at(i));
        if (states.at(i) != core::FileState::Present)
            continue;
        TDataListRec child;
        box.ListCtl.InitDataListRec(child, parent->PasName + QLatin1Char('/') + names.at(i));
        child.Rec = parent->Rec;
        child.RowNo = i + 1; // counted over every subfolder, with or without a database
        child.NetDrive = parent->NetDrive;
        child.KyoyuLock = parent->KyoyuLock;
        child.Gassan = companydata::kGassanBunsan;
        TDataInfomationRec infoRec;
        bool read = false;
        try {
            read = info.GetDataInfoOfFolder(childFolder, infoRec) != 0;
        } catch (const std::exception&) {
            read = false;
        }
        if (read) {
            box.ListCtl.SetDataListRecFromInfo(infoRec, child);
            child.Gassan = companydata::kGassanBunsan;
            box.ListCtl.UpdateDataListChildRecord(child, 1);
            WriteInfoFile(info, childFolder, infoRec);
        } else {
            info.ReadIni(childFolder, infoRec);
            box.ListCtl.SetDataListRecFromInfo(infoRec, child);
            child.Gassan = companydata::kGassanBunsan;
            if (child.EntText.isEmpty()) {
                child.EntText = QStringLiteral("破損データ");
                child.Shougou = parent->Shougou;
                child.Nendo = parent->Nendo;
                child.Kishu = parent->Kishu;
                child.Kimatu = parent->Kimatu;
                child.KikanText = parent->KikanText;
                child.DataType = parent->DataType;
                child.CodeType = parent->CodeType;
                child.Tantou = parent->Tantou;
                child.VerMajor = parent->VerMajor;
                child.VerMinor1 = parent->VerMinor1;
                child.VerMinor2 = parent->VerMinor2;
                child.VerText = parent->VerText;
                child.DispName = parent->EntText;
            }
            child.DataStatus = 1;
            box.ListCtl.UpdateDataListChildRecord(child, 1);
        }
        parent->Children.append(child);
    }
    parent->ChildCount = int(parent->Children.size());
}

void ClearChildren(TDataSentakuBox& box, int row, bool all)
{
    TDataSentakuRec* parent = ParentRecOf(box, row);
    if (!parent)
        return;
    if (!all) {
        companydata::TDataSentakuListCtl::RemoveChild(*parent, box.Grid->CellInt(colChild, row));
        return;
    }
    parent->ChildCount = 0;
    if (!companydata::HasChildren(parent->Gassan))
        return;
    box.ListCtl.DeleteDataListChildRecord(*parent, 1);
    QStringList folders;
    companydata::TDataSentakuListCtl::GetDataSubFolders(*parent, folders);
    if (parent->NetDrive != 0 && parent->KyoyuLock == 1) {
        QStringList local;
        companydata::TDataSentakuListCtl::GetShareSubFolders(*parent, local);
        folders += local;
    }
    for (const QString& folder : folders) {
        if (core::DM)
            core::fileops::RmDir(*core::DM, folder, core::ConnectMode, false);
        else
            QDir(folder).removeRecursively();
    }
    parent->Children.clear();
}

void CopyChildren(TDataSentakuBox& box, int row, int sourceIndex)
{
    TDataSentakuRec* target = ParentRecOf(box, row);
    if (!target || sourceIndex < 0 || sourceIndex >= box.List.Records.size())
        return;
    const TDataSentakuRec& source = box.List.Records.at(sourceIndex);
    if (target == &source)
        return;
    if (!companydata::HasChildren(target->Gassan)) {
        target->Children.clear();
        target->ChildCount = 0;
        return;
    }
    if (!companydata::HasChildren(source.Gassan))
        return;
    target->Children.clear();
    for (TDataListRec child : source.Children) {
        child.Rec = target->Rec;
        if (child.PasName.startsWith(source.PasName, Qt::CaseInsensitive))
            child.PasName = target->PasName + child.PasName.mid(source.PasName.size());
        companydata::TDataSentakuListCtl::DeriveLocalPath(child);
        box.ListCtl.UpdateDataListChildRecord(child, 1);
        target->Children.append(child);
    }
    target->ChildCount = int(target->Children.size());
}

} // namespace selection
