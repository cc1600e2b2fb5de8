#pragma once
// Small steps that the row operations of the data-selection dialog (copy and paste, new data,
// delete, areas) share: the list's own record behind a grid row, the broken mark, the data lock
// of the client/server modes and the numbered message boxes.

#include "companydata/DataListRec.h"

#include <QString>
#include <QStringList>

namespace selection {

class TDataSentakuBox;

// Whether the session works on the database server (connection modes 1 and 2).
bool IsClientServerMode();

// The list's record of the row (the parent, or one of its children); null for a row that is none.
companydata::TDataListRec* ListRecOfRow(TDataSentakuBox& box, int row);
// The list's parent record of the row; null for a row that is none.
companydata::TDataSentakuRec* ParentRecOfRow(TDataSentakuBox& box, int row);

// Whether the data-check hook rejects the data set of the folder.
bool DataCheckRejects(const QString& folder);
// The row marked broken (red, status column 1) in the list.
void MarkRowBroken(TDataSentakuBox& box, int row);
// Whether a consolidation parent has a child marked broken.
bool HasBrokenChild(const companydata::TDataSentakuRec& parent);

// Writes the record back to the registry (a child to the child table).
void WriteRowBack(TDataSentakuBox& box, const companydata::TDataListRec& rec);
// Client/server modes: the row's DATALOCK set to the code (0 clears it) and written back.
void SetRowDataLock(TDataSentakuBox& box, int row, qint32 code);

// The numbered message box of kind 2 (情報) or 3 (確認, OK and Cancel) with the lines; its result.
int ShowLinesBox(TDataSentakuBox& box, int kind, const QStringList& lines);
// The information box that stops an operation on a consolidated data set with a broken member;
// what is the operation's word ("コピー", "削除").
void ShowBrokenMemberBox(TDataSentakuBox& box, const QString& what);

} // namespace selection
