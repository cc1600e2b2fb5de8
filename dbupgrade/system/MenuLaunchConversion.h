#pragma once
// The menu rights before system step 8.0.2 were kept by menu position (JOBCONTROL: level,
// page, slot); from 8.0.2 on by program (JOBCONTROL2: level, module name, launch option). The
// conversion looks every old position up in the old menu layout.

#include <QString>
#include <QtGlobal>

#include <vector>

namespace dbupgrade {

// One slot of the old menu.
struct TMenuListRec {
    QString ProgramName; // module name started from the slot; empty for an empty slot
    qint32 Page = 0;
    qint32 Menu = 0;     // slot on the page, 0 to 19
    qint32 Reserved1 = 0;
    qint32 Flag = 0;
    qint32 ItemNo = -1;  // -1 for an empty slot
    QString Caption;
    QString Reserved2;
    QString Params;      // lines of key=value, such as "SyoriType=1"
    quint8 Reserved3 = 0;
};

// The old menu of levels up to 1000 (pages 1-10) and of levels above (pages 1-12), ordered by
// page and slot. The slots name the accounting suite's programs; this program keeps only the
// layout, so every slot reads empty.
const std::vector<TMenuListRec>& GeneralMenuTable();
const std::vector<TMenuListRec>& ExtendedMenuTable();

// The program and option the old slot stood for; both empty for an empty or unknown slot. In
// the partner edition the page-1 slots 15, 17, 18 and 19 of levels up to 1000 give the
// partner's programs.
void FindOldMenuEntry(qint32 level, qint32 page, qint32 menu, QString& programName, QString& option);

// Copies every JOBCONTROL row into JOBCONTROL2 through FindOldMenuEntry, on the data module's
// system database inside the transaction the caller has open. Errors propagate.
void ConvertMenuLaunch();

} // namespace dbupgrade
