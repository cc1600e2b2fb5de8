#pragma once
// A data module on a test company database for the statement computations, which reach the
// company database through the global DM and read the company's settings from AccInf and the
// operator's from SystemDef; all three are put back when the fixture ends.

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/db/IBDatabase.h"

#include <QString>

namespace statementstest {

class CompanyDm {
public:
    // Connects the data module's company database to the same file as db (db stays open).
    explicit CompanyDm(const core::TIBDatabase& db, const QString& logDir = QString())
        : accInf_(core::AccInf), systemDef_(core::SystemDef), dmBefore_(core::DM) {
        dm.IBDatabaseDAT.setDatabaseName(db.databaseName());
        dm.IBDatabaseDAT.params() = db.params();
        dm.IBDatabaseDAT.open();
        core::DM = &dm;
        core::AccInf = core::TACCINF{};
        core::AccInf.DATATYPE = 1;
        core::AccInf.KAISINO = 1;
        if (!logDir.isEmpty())
            core::SystemDef.LogDir = logDir;
    }
    ~CompanyDm() {
        dm.IBDatabaseDAT.close();
        core::DM = dmBefore_;
        core::AccInf = accInf_;
        core::SystemDef = systemDef_;
    }
    CompanyDm(const CompanyDm&) = delete;
    CompanyDm& operator=(const CompanyDm&) = delete;

    core::TDM dm;

private:
    core::TACCINF accInf_;
    core::TSystemDef systemDef_;
    core::TDM* dmBefore_;
};

} // namespace statementstest
