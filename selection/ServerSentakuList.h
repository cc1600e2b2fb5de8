#pragma once
// The list part of the shared-data selection: the areas of one shared drive (each with its
// child areas) as the server data list holds them, the search filter, and how they become rows
// of the shared list grid (18 columns). No window of its own: the dialog hands it its grid.

#include "companydata/DataInfomationRec.h"
#include "companydata/DataListRec.h"
#include "selection/DataListKensakuBox.h"

#include <QPixmap>
#include <QString>

#include <functional>

namespace controls {
class TxGrid;
}

namespace selection {

// Columns of the shared list grid.
enum TServerListColumn {
    scNo = 0, scCode, scCloudPic, scName, scNendo, scKikan, scFolder, scVersion, scSharePic, scShareValue,
    scVersionHidden, scUpdateLock, scGassan, scRecIndex, scChildIndex, scStatus, scCloud, scReadOnly,
    kServerListColumns
};

// Row colours as RGB; the product line's settings store the same colours as BGR values.
inline constexpr QRgb kServerOddRowRgb = 0xE1F0FF; // light blue, stored as BGR 0xFFF0E1
inline constexpr QRgb kServerBrokenRgb = 0xFF0000;
inline constexpr QRgb kServerFocusTextRgb = 0x004080; // BGR 0x804000, dark blue

// The sort kind of TDataSentakuListCtl::ServerExecute for a grid column.
int ServerSortKindOfColumn(int column);

// Whether the record's name makes it a free area ("", "空き領域", "新しい領域").
bool IsFreeAreaName(const QString& entText);

// Fills the record from an area's information (REC, ROWNO, NETDRIVE and PASNAME kept), or with
// reset makes it a free area.
void SetServerRecFromInfo(companydata::TDataListRec& rec, const companydata::TDataInfomationRec& info, bool reset);

// Whether the record passes every condition that is set (data and code type as a pair, name
// in full width, person, version "%d.%d", code prefix).
bool ServerMatchesConditions(const companydata::TDataListRec& rec, const TDataKensakuRec& cond);

class TServerSentakuList {
public:
    bool OemEdition = true; // hides the cloud column

    companydata::TDataSentakuRecArray Records;
    companydata::TDataListArray Children;
    companydata::TDataSentakuRecDispArray DispIndex;
    TDataKensakuRec Conditions;
    int SortCol = -1;
    bool SortDesc = false;

    // SHARE_STATUS of an area folder (the dialog's GetShareStatus); unset: 1.
    std::function<int(const QString& folder)> ShareStatusOf;

    QPixmap NormalPicture, InUsePicture, NoCloudPicture, CloudPicture;

    void ApplySearch();
    void SetupColumns(controls::TxGrid& grid) const;
    // Rebuilds every row (headers with the sort mark, records and their children).
    void ShowList(controls::TxGrid& grid);
    void SetGridRow(controls::TxGrid& grid, int row, const companydata::TDataListRec& rec) const;
    void PaintRow(controls::TxGrid& grid, int row) const;

    // The record of a grid row (a child's own record for a child row); a default for no row.
    companydata::TDataListRec GetRowRec(const controls::TxGrid& grid, int row) const;
    // The row itself when top-level, else its parent's row.
    int GetParentRow(const controls::TxGrid& grid, int row) const;
    // A header click: true when the column sorts.
    bool HeaderClick(int column);

private:
    void SetShareCells(controls::TxGrid& grid, int row, const QString& folder) const;
};

} // namespace selection
