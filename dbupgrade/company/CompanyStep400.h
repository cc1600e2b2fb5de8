#pragma once
// Company steps 4.0.0 to 6.1.3: the conversions to generations 12, 13 and 14 and the steps
// between them, each its files by data kind and edition; 4.0.0 also repairs data in its script
// (the sub-account mark of 諸口, the medical cash-flow template's new fourth section, the
// consolidation settings of the cash-book application, the unassigned rows of ACCDEF5).

#include "dbupgrade/company/ExternalStepLists.h"

namespace dbupgrade {

// What 4.0.0's repair reads of the data set and the application.
struct Step400Settings {
    QString shokuchiCode; // account code of 諸口
    int appKind = 0;
    int siten = 0; // ACCDEF1.SITEN
    int bumon = 0; // ACCDEF1.BUMON
    // Cash-flow layouts (CM_KIND 1, 0) that already have the seventh section: data whose template
    // was written in the current form. Moving their sections again would break the template.
    bool indirectHasSeventh = false;
    bool directHasSeventh = false;
};

// The repair lines 4.0.0 writes after its files, ending with "COMMIT;".
QStringList CompanyStep400RepairLines(const CompanyDataKind& kind, const Step400Settings& settings);
// Reads which cash-flow layouts already have their seventh section (medical data only).
void ReadCashFlowLayouts(Step400Settings& settings);
int RunCompanyStep400();

} // namespace dbupgrade
