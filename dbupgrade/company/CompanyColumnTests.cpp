#include "dbupgrade/company/CompanyColumnTests.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"

namespace dbupgrade {

bool CompanyHasField(const QString& table, const QString& field)
{
    core::TDM& dm = core::RequireDM();
    dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0);
    const bool present = dm.fnExistence_Field(table, field);
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
    return present;
}

QStringList SdaiHasuu3Block()
{
    return {QStringLiteral("ALTER TABLE ACCDEF1"), QStringLiteral("ADD SDAI_HASUU3 INTEGER DEFAULT 0;"),
            QStringLiteral("UPDATE ACCDEF1 SET SDAI_HASUU3=0 WHERE REC=1;"), QStringLiteral("COMMIT;")};
}

QStringList KessanKikanBlock()
{
    return {QStringLiteral("ALTER TABLE ACCDEF1"),
            QStringLiteral("ADD KESSAN_KIKAN INTEGER DEFAULT -1,"),
            QStringLiteral("ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,"),
            QStringLiteral("ADD CASHFLOW_KIKAN2 INTEGER DEFAULT -1;"),
            QStringLiteral("UPDATE ACCDEF1 SET KESSAN_KIKAN=-1,CASHFLOW_KIKAN1=-1,CASHFLOW_KIKAN2=-1 WHERE REC=1;"),
            QStringLiteral("COMMIT;")};
}

} // namespace dbupgrade
