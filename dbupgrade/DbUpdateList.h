#pragma once
// The upgrade step tables and the version check, without any window: for one database it
// reads or takes the current schema version, decides whether this program can work with it
// and which steps are pending, and prepares the rows the upgrade dialog lists. The data
// selection asks it for every company row whether an upgrade is pending.

#include "dbupgrade/DbUpdateSteps.h"

#include "core/Globals.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace core {
class TIBDatabase;
}

namespace dbupgrade {

// Database kinds of PrepareUpdateList.
enum : quint8 { kUpdateSystem = 0, kUpdateCompany = 1 };

// One row of the list of pending steps.
struct TDbUpdateListRow {
    QString Caption; // "%d.%d.%d" of the step's version
    QString Title;
    QString Status;  // empty until a run writes the step's result there
};

// A column of the list: caption and width in pixels at 96 dots per inch.
struct TDbUpdateListColumn {
    QString Caption;
    int Width = 0;
};

class TDbUpdateList {
public:
    // Fills both step tables for the current edition and product title.
    TDbUpdateList();
    explicit TDbUpdateList(const StepTextContext& context);
    // CurrentSteps points into this object.
    TDbUpdateList(const TDbUpdateList&) = delete;
    TDbUpdateList& operator=(const TDbUpdateList&) = delete;

    TArrayDbUpdateListRec SystemSteps;
    TArrayDbUpdateListRec DataSteps;

    quint8 UpdateKind = kUpdateSystem;
    bool UpdatePending = false;
    bool UpdateSucceeded = false; // set by a run that applied every pending step
    // 0 the data is of a newer schema than this program, 2 only its revision is newer,
    // 1 the program can work with it (after upgrading when steps are pending).
    qint32 Compatibility = 0;
    const TArrayDbUpdateListRec* CurrentSteps = nullptr;
    core::TVersionTriple CurrentVersion;
    core::TVersionTriple ProgramVersion;
    qint32 FirstIndex = -1;  // first pending step, -1 when none
    qint32 LastIndex = -1;   // the table's last index while something is pending, else -1
    qint32 BackupCount = 0;  // sum of BackupFlag over the pending steps
    QString BackupFileName;

    // What the dialog shows for the prepared database.
    QList<TDbUpdateListColumn> Columns;
    QList<TDbUpdateListRow> Rows;
    int SelectedRow = -1;
    QString HeadLine;
    QStringList WarningLines;     // two lines, shown in red; empty for the system database
    bool AgreementVisible = false; // "データの更新に同意します。"
    bool CancelVisible = false;

    // The databases SetDbVersion reads; null means the data module's system and company
    // databases. They must be connected by the caller.
    core::TIBDatabase* SystemDatabase = nullptr;
    core::TIBDatabase* CompanyDatabase = nullptr;

    // Reads the current version from the open database of UpdateKind. A failure is reported
    // and leaves 0.0.0, so that every step counts as pending.
    void SetDbVersion();
    // Sets the current version from "major.minor1.minor2"; any other number of parts gives
    // 0.0.0, a part that is no number gives 0.
    void SetDbVersionText(const QString& text);
    // Chooses the table of the kind and computes the pending steps for the version text (an
    // empty text reads the version from the database). Replaces all an earlier call computed.
    void PrepareUpdateList(quint8 kind, const QString& versionText);

    // The description of the selected row's step; empty when no row is selected.
    QString SelectedDescription() const;

private:
    core::TIBDatabase& databaseOfKind() const;
};

} // namespace dbupgrade
