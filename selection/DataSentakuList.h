#pragma once
// The list part of the data-selection dialog: the records of the data place (each with its
// children), the display index of the records that pass the search conditions, and how they
// become rows of the list grid (20 columns and the hidden row-header column holding REC) and
// how a grid row leads back to its record and data folder. No window of its own: the dialog
// hands it its grid.

#include "companydata/DataListRec.h"
#include "selection/DataListKensakuBox.h"

#include <QPixmap>
#include <QString>

#include <functional>

namespace companydata {
class TDataSentakuListCtl;
}
namespace controls {
class TxGrid;
}

namespace selection {

// Columns of the list grid.
enum TDataListColumn {
    colNo = 0, colCode, colCloudPic, colName, colNendo, colKikan, colFolder, colVersion,
    colLockPic, colSharePic, colLock, colShared, colVerText, colUpdateMark, colGassan,
    colParent, colChild, colStatus, colCloud, colReadOnly, kDataListColumns
};

// Grey text of a row whose update lock refuses it, red back of a broken row.
inline constexpr QRgb kMarkedTextRgb = 0x808080;
inline constexpr QRgb kBrokenBackRgb = 0xFF0000;

// The sort kind of TDataSentakuListCtl::Execute for a grid column.
int SortKindOfColumn(int column);

// The text mapped to full width (half-width kana joined with ﾞ and ﾟ) with the full-width
// Latin letters upper-cased, as the name condition compares.
QString ToSearchWidth(const QString& text);

// Whether one record passes every set condition.
bool MatchesConditions(const companydata::TDataListRec& rec, const TDataKensakuRec& cond);

// 0 not shared, 1 shared and stored on the share, 2 shared and fetched.
int ShareStateOf(const companydata::TDataListRec& rec);

// Whether company-data upgrade steps are pending for a data set of the version text (the
// step table of the upgrade).
bool CompanyUpgradePending(const QString& versionText);

class TDataSentakuList {
public:
    TDataSentakuList();

    // Session values the list shows with.
    quint8 ConnectMode = 0;
    bool CloudShareMode = false;
    QString DataRoot;      // the session's data root, shown as "~" in the folder column

    companydata::TDataSentakuRecArray Records;
    companydata::TDataSentakuRecDispArray DispIndex;
    TDataKensakuRec Conditions; // the active search conditions
    int SortCol = -1;           // -1 none
    bool Descending = false;
    // Whether a search is active (the search-cancel button is enabled) and the processing type:
    // GetDisplayIndex reads them.
    bool SearchActive = false;
    int SyoriType = 0;
    // Whether the company-data upgrade steps are pending for a data set of this version text
    // ("%d.%d.%d"); CompanyUpgradePending unless replaced.
    std::function<bool(const QString& versionText)> UpgradePending;

    // The row pictures: blank, lock, stored on the share; no cloud, cloud.
    QPixmap BlankPicture, LockPicture, StoredPicture, NoCloudPicture, CloudPicture;

    // Reads the records of the data place in the sort order and applies the conditions;
    // returns the number of records.
    int LoadList(companydata::TDataSentakuListCtl& ctl, qint32 dataPlace);
    void ApplySearch();

    // Columns, headers, widths and alignment of the grid.
    void SetupColumns(controls::TxGrid& grid) const;
    // -1: rebuilds the whole grid; otherwise redraws the record at that display position at
    // the grid row RunningRow, with its children.
    void ShowList(controls::TxGrid& grid, int index);
    void SetGridRow(controls::TxGrid& grid, int row, const companydata::TDataListRec& rec);
    int RunningRow = 0;

    // The record shown in a grid row; a default record for a row that is none.
    companydata::TDataListRec GetRowRec(const controls::TxGrid& grid, int row) const;
    // The row's data folder: the working folder of its record (a shared row's local copy under
    // the session's system folder, TDataSentakuListCtl::DeriveLocalPath).
    QString GetRowDataPath(const controls::TxGrid& grid, int row) const;
    int GetParentRow(const controls::TxGrid& grid, int row) const;
    int GetDisplayIndex(const controls::TxGrid& grid, int row) const;
    bool CheckUpdateMark(controls::TxGrid& grid, int row, bool reevaluate) const;

    // A header click: true when the column sorts (the caller reloads and redraws).
    bool HeaderClick(int column);

    // Moves the current row to the first row after the current one (then from the top) whose
    // code starts with the text, ignoring case; false when none does.
    static bool FindCodeRow(controls::TxGrid& grid, const QString& text);

    // The row's colours: marked for an update, broken.
    void PaintRow(controls::TxGrid& grid, int row, bool marked, bool broken) const;

private:
    void RemoveChildRows(controls::TxGrid& grid, int row) const;
    void SetSharePicture(controls::TxGrid& grid, int row, const companydata::TDataListRec& rec) const;
};

} // namespace selection
