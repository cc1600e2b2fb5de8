#pragma once
// Small pieces the operations of the data-selection dialog share: the progress window, the
// numbered information box, the data-check hook's verdict and the broken mark of a row.
#include "companydata/DataListRec.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace selection {

class TDataSentakuBox;

// A progress window without cancel (with the program's progress.avi when there is one), shown
// over the owner; it closes when freed.
std::unique_ptr<controls::TxAnimeProgressDialog> ShowProgress(QWidget& owner, const QString& caption,
                                                              const QString& text);
// The numbered box of the given kind (0 warning, 2 information, 3 confirmation) with the lines;
// OK/Cancel buttons for a confirmation. Its result.
int ShowLines(TDataSentakuBox& box, int kind, const QStringList& lines);
// Whether the data-check hook finds the company database of the folder damaged (never when
// the host installed no hook or the data check is switched off).
bool DataCheckRejects(const QString& folder, bool quiet);
// The list record of a grid row's parent, and the row's own record (the parent or one of its
// children); null for a row that is none.
companydata::TDataSentakuRec* ParentRecordOf(TDataSentakuBox& box, int row);
companydata::TDataListRec* RowRecordOf(TDataSentakuBox& box, int row);
// The row's record written to the registry and into the list (a child row's through the
// child list).
void StoreRowRec(TDataSentakuBox& box, int row, const companydata::TDataListRec& rec);
// Marks the row's record broken in the registry and redraws the row.
void MarkRowBroken(TDataSentakuBox& box, int row);
// Whether two folder paths name the same folder (trailing separators ignored).
bool SameFolder(const QString& a, const QString& b);
// The session's login code (the value a data lock holds).
qint32 SessionLoginCode();

} // namespace selection
