#pragma once
// The upgrade steps of the two database kinds: the system database "qmaccdef.fdb" (table
// VERSION, one row per applied step) and the company databases "qmacc.fdb" (table ACCVERSION,
// one row rewritten by each step). Each table lists its steps in ascending version order; the
// version of the last entry is the schema version this program expects.

#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

namespace dbupgrade {

// One upgrade step.
struct TDbUpdateListRec {
    qint32 Major = 0;
    qint32 Minor1 = 0;
    qint32 Minor2 = 0;
    // Builds and runs the step's script; 1 when done, any other value is a failure (16 script
    // error, 17 SQL tool not started, 18 file missing, 19 the step's own work failed after the
    // script). Empty for the company steps not built in yet.
    std::function<int()> UpdateProc;
    qint32 BackupFlag = 0;   // 1: back the database up before a run that contains this step
    QString Title;           // one line, shown in the list
    QString Description;     // lines separated by CR, shown for the selected row
};

using TArrayDbUpdateListRec = std::vector<TDbUpdateListRec>;

// The step-table sizes and the schema versions the program expects.
inline constexpr int kSystemStepCount = 18; // last step 12.0.0
inline constexpr int kDataStepCount = 62;   // last step 15.0.0

// What the step texts depend on: the edition (1 or 2 is the partner edition, whose texts
// differ for some steps) and the accounting product's title, which the conversion steps name.
struct StepTextContext {
    quint8 editionFlag = 0;
    QString productTitle;
};

// The 18 system-database steps, 0.3.1 to 12.0.0.
TArrayDbUpdateListRec BuildSystemSteps(const StepTextContext& context);
// The 62 company-database steps, 0.1.1 to 15.0.0.
TArrayDbUpdateListRec BuildDataSteps(const StepTextContext& context);

} // namespace dbupgrade
