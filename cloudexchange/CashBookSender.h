#pragma once
// Marks the cash journal entries of the open company data with the link values that the other
// side's take-in uses to find its copies again, before a master send (full re-marking) or
// after a cash-book send (link keys for the entries that have none yet). Reports through its
// processing log; never raises.

#include "cloudexchange/CashBookSyoriLog.h"
#include "core/db/IBSQL.h"

#include <QtGlobal>

namespace cloudexchange {

class TCashBookSender : public TSyoriLogOwner {
public:
    TCashBookSender(); // statements on DM's company database and IBTransactionDAT
    virtual ~TCashBookSender() = default;

    quint8 SendKind = 0; // 0 master send, 1 cash-book send
    quint8 SendMode = 1; // 0 full re-marking, 1 link keys for unmarked entries

    // Marks the entries; the log ends with the success row (1) or a -100 row after a failure,
    // which is also shown in an error box.
    virtual void Execute();

private:
    void markAll();
    void markUnmarked();

    core::TIBSQL read_;
    core::TIBSQL update_;
};

} // namespace cloudexchange
