#pragma once
// (The record of a grid row, the broken mark and the numbered boxes are in DataSentakuOpsSupport.h.)
// Small steps that the row operations of the data-selection dialog (copy and paste, new data,
// delete, areas) share: the list's own record behind a grid row, the broken mark, the data lock
// of the client/server modes and the numbered message boxes.

#include "companydata/DataListRec.h"
#include "selection/DataSentakuOpsSupport.h"

#include <QString>
#include <QStringList>

namespace selection {

class TDataSentakuBox;

// Whether the session works on the database server (connection modes 1 and 2).
bool IsClientServerMode();


// Whether a consolidation parent has a child marked broken.
bool HasBrokenChild(const companydata::TDataSentakuRec& parent);

// Writes the record back to the registry (a child to the child table).
void WriteRowBack(TDataSentakuBox& box, const companydata::TDataListRec& rec);
// Client/server modes: the row's DATALOCK set to the code (0 clears it) and written back.
void SetRowDataLock(TDataSentakuBox& box, int row, qint32 code);

// The information box that stops an operation on a consolidated data set with a broken member;
// what is the operation's word ("コピー", "削除").
void ShowBrokenMemberBox(TDataSentakuBox& box, const QString& what);

} // namespace selection
