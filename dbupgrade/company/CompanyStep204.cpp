#include "dbupgrade/company/CompanyStep204.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"
#include "dbupgrade/steps/TrialBalanceSql.h"

#include <stdexcept>

namespace dbupgrade {

namespace {

// One group of the default depreciation entry settings of individual real-estate data.
struct DepreciationGroup {
    int kgroup;
    QStringList accounts; // then one row without an account
    int taisyou;
    int keijyoOfAccounts;
    int keijyoOfGroupRow;
    int houhou;
    int setswk;
    const char* ruikei;    // nullptr: NULL
    const char* syokyaku;  // depreciation account
    const char* jigyounusi; // owner's drawing, also the loss accounts
    const char* baieki;    // gain on sale
};

QStringList codes(int from, int to)
{
    QStringList list;
    for (int code = from; code <= to; ++code)
        list << QString::number(code);
    return list;
}

QString literal(const char* code)
{
    return code ? SqlQuote(QLatin1String(code)) : QStringLiteral("NULL");
}

QStringList depreciationDefaults()
{
    const DepreciationGroup groups[] = {
        {0, codes(1401, 1412) << QStringLiteral("1416"), 0, 0, 1, 1, 1, "1416", "6202", "1608", "2205"},
        {1, codes(1501, 1506), 1, 0, 0, 3, 0, nullptr, nullptr, nullptr, nullptr},
        {2, codes(1601, 1608) << QStringLiteral("1620"), 2, 0, 0, 3, 0, nullptr, nullptr, nullptr, nullptr},
        {3, codes(1701, 1703), 3, 0, 0, 1, 1, nullptr, "6202", "1608", "2205"},
    };
    QStringList rows;
    for (const DepreciationGroup& g : groups) {
        QStringList accounts;
        for (const QString& code : g.accounts)
            accounts << SqlQuote(code);
        accounts << QStringLiteral("NULL");
        for (int i = 0; i < accounts.size(); ++i) {
            const bool groupRow = i == accounts.size() - 1;
            const QString owner = literal(g.jigyounusi);
            rows << QStringLiteral(u"INSERT INTO KS_SETSWK_INIT VALUES (0, 2, %1, %2, 1, '購入', %3, %4, 0, %5, 0, %6, %7, %8, "
                                   "NULL, %9, '償却', %10, '売却', %11, '除却', %12, '売却');")
                        .arg(g.kgroup)
                        .arg(accounts[i])
                        .arg(g.taisyou)
                        .arg(groupRow ? g.keijyoOfGroupRow : g.keijyoOfAccounts)
                        .arg(g.houhou)
                        .arg(g.setswk)
                        .arg(literal(g.ruikei), literal(g.syokyaku), owner, owner, owner, literal(g.baieki));
        }
    }
    return rows;
}

void addAlteredTrialBalances(UpdateScript& script, std::initializer_list<const char*> names)
{
    script.add(QStringLiteral("SET TERM ^ ;"));
    for (const char* name : names)
        script.add(TrialBalanceProcedure(QStringLiteral("ordinary"), QLatin1String(name), QStringLiteral("ALTER")));
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;")});
}

// Individual real-estate data without a default setting of account 1401: the facility codes of
// its depreciation entries (" " without head-office and branch accounts). A database error
// reaches the caller, after the database was closed.
DepreciationFacilities readDepreciationFacilities(core::TIBSQL& query)
{
    if (!query.transaction()->inTransaction())
        query.transaction()->startTransaction();
    query.setParamCheck(false);
    query.sql() << QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM KS_SETSWK_INIT") << QStringLiteral("WHERE KCODE='1401'");
    query.execQuery();
    const int count = query.fieldByName(QStringLiteral("RECCNT")).asInteger();
    query.close();
    QStringList facilities;
    if (core::AccInf.SITEN != 0) {
        query.sql() = QStringList{QStringLiteral("SELECT SCODE FROM SISETUMST"), QStringLiteral("ORDER BY SCODE")};
        for (query.execQuery(); !query.eof(); query.next())
            facilities << query.fieldByName(QStringLiteral("SCODE")).asString();
        query.close();
    } else {
        facilities << QStringLiteral(" ");
    }
    query.transaction()->commit();
    if (count > 0)
        return std::nullopt;
    return facilities;
}

DepreciationFacilities readDepreciationFacilities()
{
    core::TDM& dm = core::RequireDM();
    dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0);
    DepreciationFacilities facilities;
    try {
        std::unique_ptr<core::TIBSQL> query = core::CreateIBSQL(QStringLiteral("ACCDAT"), 0);
        if (!query)
            throw std::runtime_error("no statement on the company database");
        facilities = readDepreciationFacilities(*query);
    } catch (...) {
        dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
        throw;
    }
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
    return facilities;
}

} // namespace

UpdateScript BuildCompanyStep204Script(const DepreciationFacilities& facilities)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {2, 0, 4};
    UpdateScript script(frame);
    script.add(StepSql(QStringLiteral("company/2.0.4-monitor.sql")));
    if (facilities) {
        script.add(QStringList{QStringLiteral("SET GENERATOR KSSETSWKINIT_GEN TO 0;"), QStringLiteral("DELETE FROM KS_SETSWK_INIT;")});
        script.add(depreciationDefaults());
        script.add(QStringList{QStringLiteral("SET GENERATOR KSSETSWK_GEN TO 0;"), QStringLiteral("DELETE FROM KS_SETSWK;")});
        for (const QString& code : *facilities)
            script.add(QStringLiteral("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU(%1);").arg(SqlQuote(code)));
        script.add(QStringLiteral("COMMIT;"));
    }
    addAlteredTrialBalances(script, {"SP_SISANHYO_A4", "SP_SISANHYO_A3"});
    addAlteredTrialBalances(script, {"SP_SISANHYO_BUMON_A4"});
    addAlteredTrialBalances(script, {"SP_SISANHYO_BUMON_A3"});
    script.add(StepSql(QStringLiteral("company/2.0.4-kessan.sql")));
    script.add(StepSql(QStringLiteral("company/2.0.4-tables.sql")));
    script.add(QStringLiteral("SET TERM ^ ;"));
    script.add(SchemaProcedure(QStringLiteral("040-procedures.sql"), QStringLiteral("SP_SIWAKE_UPD"), QStringLiteral("ALTER")));
    script.add(QStringLiteral("SET TERM ; ^"));
    script.add(QStringList{QStringLiteral("RECREATE TABLE SUITOTYO_SABUN ("), QStringLiteral("  SWKREC INTEGER NOT NULL,"),
                           QStringLiteral("  PRIMARY KEY (SWKREC)"), QStringLiteral(");"), QStringLiteral("COMMIT;")});
    script.add(StepSql(QStringLiteral("company/2.0.4-kanendo.sql")));
    script.add(QStringLiteral("SET TERM ^ ;"));
    script.add(SchemaProcedure(QStringLiteral("040-procedures.sql"), QStringLiteral("SP_HOJO_KAMOKUSZ_INS"), QStringLiteral("RECREATE")));
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("Commit;")});
    return script;
}

int RunCompanyStep204()
{
    DepreciationFacilities facilities;
    if (core::AccInf.DATATYPE == 2 && core::AccInf.CODETYPE == 2)
        facilities = readDepreciationFacilities();
    return WriteAndRunScript(BuildCompanyStep204Script(facilities));
}

} // namespace dbupgrade
