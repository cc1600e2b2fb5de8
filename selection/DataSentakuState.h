#pragma once
// The data state of a listed data set and how a row of the data-selection list is brought back
// in line with its folder: the state check with its messages, the state marks, the record filled
// from a folder's information, the refresh of one row or of the whole list, and the child rows
// of a consolidation parent.

#include "companydata/DataInfomationRec.h"
#include "companydata/DataListRec.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace selection {

class TDataSentakuBox;

inline const QString kDataFileName = QStringLiteral("qmacc.fdb");

// Whether a data state lets the work go on: stand-alone only 1, the client/server modes also 2
// (a data set in use by another operator may still be processed on the server).
bool IsAllowedDataState(int state, int connectMode);

// The folder's data state. Without "qmacc.fdb": 0 after the warning when warn is set, else 1.
// An unallowed state (other than 0 and 10) is shown in the detail box when messages is set.
// The information read is left in infoRec when given.
int CheckDataState(TDataSentakuBox& box, const QString& folder, bool warn, bool messages,
                   companydata::TDataInfomationRec* infoRec = nullptr);

// Writes the state mark of the folder (stand-alone only: the other modes keep no state file).
void SetDataStatus(const QString& folder, int state);

// The login code of a stored operator code (session code GROUPID × 10000 + login code).
qint32 LoginCodeOf(qint32 opCode, qint32 groupId);

// Fills the record from a folder's information, or with reset empties it (REC, folder and
// drive kept; a shared row becomes the free area).
void SetListRecFromInfo(companydata::TDataListRec& rec, const companydata::TDataInfomationRec& info, bool reset);

// Writes the record to the registry; an empty folder raises
// "データフォルダパスが不正です。\r処理を中止します。".
void UpdateListRow(TDataSentakuBox& box, const companydata::TDataListRec& rec);

// Progress of the whole-list refresh: the text shown and whether cancel was pressed.
struct TRefreshProgress {
    std::function<void(const QString&)> SetText;
    std::function<bool()> Cancelled;
};

// Refreshes one grid row, or every row with -1; always false.
bool DataListRefresh(TDataSentakuBox& box, int row, const TRefreshProgress& progress = {});

void RebuildChildren(TDataSentakuBox& box, int row);
void ClearChildren(TDataSentakuBox& box, int row, bool all);
// The children of the list record sourceIndex copied to the parent row (after a paste).
void CopyChildren(TDataSentakuBox& box, int row, int sourceIndex);

// The consolidation setting (kind, count) a target of kind target gets after a paste or restore
// from a source of kind source; none when nothing is written. The count is the target's final
// child count, passed by the caller once its children are in place.
std::optional<std::pair<int, int>> GassanSettingFor(int connectMode, int source, int target, int childCount);
// Writes that setting into the target folder's company settings.
void SyncGassanSetting(const QString& folder, int source, int target, int childCount);

} // namespace selection
