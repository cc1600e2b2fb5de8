#include "dbupgrade/company/CompanyStep103.h"

#include "core/Globals.h"
#include "dbupgrade/company/CompanyScript.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"
#include "dbupgrade/steps/TrialBalanceSql.h"

namespace dbupgrade {

namespace {

// The trial-balance procedure as the schema's ordinary set writes it, altered in place.
void addAltered(UpdateScript& script, const char* set, const char* name)
{
    script.add(TrialBalanceProcedure(QLatin1String(set), QLatin1String(name), QStringLiteral("ALTER")));
}

} // namespace

UpdateScript BuildCompanyStep103Script(bool siten)
{
    UpdateScript script = CompanyScript(1, 0, 3);
    if (siten)
        script.add(QStringList{QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN=0,ZEIGAKU=0"), QStringLiteral("WHERE SCODE=' ';"),
                               QStringLiteral("UPDATE KAMOKU_SZ SET KAKOZAN=0"), QStringLiteral("WHERE SCODE=' ';"),
                               QStringLiteral("UPDATE KAMOKU_MS SET BYOSAN=0"), QStringLiteral("WHERE SCODE=' ';"),
                               QStringLiteral("Commit;")});
    script.add(StepSql(QStringLiteral("company/1.0.3-motoirekin.sql")));
    script.add(QStringLiteral("SET TERM ^ ;"));
    addAltered(script, "common", "SP_ZEIGAKU_ADD");
    addAltered(script, "ordinary", "SP_SISANHYO_BUMON");
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;"), QStringLiteral("SET TERM ^ ;")});
    addAltered(script, "ordinary", "SP_SISANHYO_BUMON_A4");
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;"), QStringLiteral("SET TERM ^ ;")});
    addAltered(script, "ordinary", "SP_SISANHYO_BUMON_A3");
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;")});
    script.add(StepSql(QStringLiteral("company/1.0.3-monitor.sql")));
    return script;
}

int RunCompanyStep103()
{
    return WriteAndRunScript(BuildCompanyStep103Script(core::AccInf.SITEN == 1));
}

TotalNameSet TotalNameSetOf(int dataType, int codeType)
{
    if (dataType == 1)
        return TotalNameSet::A;
    if (dataType == 2 && codeType == 1)
        return TotalNameSet::B;
    if (dataType == 2 && codeType == 2)
        return TotalNameSet::C;
    return TotalNameSet::None;
}

UpdateScript BuildCompanyStep105Script(TotalNameSet set)
{
    UpdateScript script = CompanyScript(1, 0, 5);
    script.add(StepSql(QStringLiteral("company/1.0.5.sql")));
    switch (set) {
    case TotalNameSet::A:
        script.add(StepSql(QStringLiteral("company/1.0.5-totals-a.sql")));
        break;
    case TotalNameSet::B:
        script.add(StepSql(QStringLiteral("company/1.0.5-totals-b.sql")));
        break;
    case TotalNameSet::C:
        script.add(StepSql(QStringLiteral("company/1.0.5-totals-c.sql")));
        break;
    case TotalNameSet::None:
        break;
    }
    script.add(QStringLiteral("Commit;"));
    return script;
}

int RunCompanyStep105()
{
    return WriteAndRunScript(BuildCompanyStep105Script(TotalNameSetOf(core::AccInf.DATATYPE, core::AccInf.CODETYPE)));
}

} // namespace dbupgrade
