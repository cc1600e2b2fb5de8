#include "dbupgrade/company/CompanyStep300.h"

#include "core/Globals.h"

namespace dbupgrade {

namespace {

const QString kKamokumstTrigger = QStringLiteral("KAMOKUMST_AFTER_UPDATE2");
const QString kKamokuszTrigger = QStringLiteral("KAMOKUSZ_AFTER_DELETE2");

// 3.0.6: 1 for the 377 accounts of the older medical chart, 2 for its 567, else 0.
int accountVariant(core::TIBSQL& query)
{
    query.setParamCheck(false);
    query.sql() << QStringLiteral("SELECT COUNT(*) FROM KAMOKUMST");
    query.execQuery();
    const int count = query.fields(0).asInteger();
    query.close();
    return count == 377 ? 1 : count == 567 ? 2 : 0;
}

void markSystemAccountsWithoutSubAccounts(core::TIBSQL& query)
{
    ExecStatement(query, QStringLiteral(u"UPDATE KAMOKUMST SET HOJOSW='×'\n"
                                        u"WHERE KCODE IN\n"
                                        u"(SELECT KCODE FROM ACCDEF2\n"
                                        u"WHERE (KNAME='仮払消費税') OR (KNAME='仮受消費税')\n"
                                        u"OR    (KNAME='前期繰越利益') OR (KNAME='諸口'))"));
}

// Converted data: the opening balance of every balance row becomes the tax-excluded past balance
// of the period before the start month. Rows are walked by account group, so the first
// profit-and-loss row follows every balance-sheet row.
void recomputeTaxExcludedOpenings(core::TIBSQL& rows, core::TIBSQL& update)
{
    const core::TACCINF& inf = core::AccInf;
    const bool firstMonthStart = inf.KAISINO == 1;
    const bool ownerAccountsKept = inf.DATATYPE == 2 && firstMonthStart;
    const QStringList ownerAccounts = {inf.SysKCode[core::skJigyounushiKari], inf.SysKCode[core::skJigyounushiKasi],
                                       inf.SysKCode[core::skMotoirekin]};
    const int period = PeriodBeforeStartMonth(inf.KAISINO);

    rows.sql() << QStringLiteral("SELECT SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE,SZ.KAISIZAN,K.BPFLG FROM KAMOKU_SZ SZ")
               << QStringLiteral("INNER JOIN KAMOKUMST K ON (SZ.KCODE=K.KCODE)")
               << QStringLiteral("ORDER BY K.GROUPM0,SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE");
    update.sql() << QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN=:NUKIZAN,ZEIGAKU=0")
                 << QStringLiteral("WHERE SCODE=:SCODE AND KCODE=:KCODE AND HCODE=:HCODE AND BCODE=:BCODE AND MNUM=:MNUM");
    for (rows.execQuery(); !rows.eof(); rows.next()) {
        const QString kind = rows.fieldByName(QStringLiteral("BPFLG")).asString().trimmed();
        const QString account = rows.fieldByName(QStringLiteral("KCODE")).asString();
        if (kind == QLatin1String("B")) {
            if (ownerAccountsKept && ownerAccounts.contains(account))
                continue;
        } else if (kind == QLatin1String("P")) {
            if (firstMonthStart)
                break;
        } else {
            continue;
        }
        update.paramByName(QStringLiteral("NUKIZAN")).setCurrency(rows.fieldByName(QStringLiteral("KAISIZAN")).asCurrency());
        update.paramByName(QStringLiteral("SCODE")).setString(rows.fieldByName(QStringLiteral("SCODE")).asString());
        update.paramByName(QStringLiteral("KCODE")).setString(account);
        update.paramByName(QStringLiteral("HCODE")).setString(rows.fieldByName(QStringLiteral("HCODE")).asString());
        update.paramByName(QStringLiteral("BCODE")).setString(rows.fieldByName(QStringLiteral("BCODE")).asString());
        update.paramByName(QStringLiteral("MNUM")).setInteger(period);
        update.execQuery();
        update.close();
    }
    rows.close();
}

} // namespace

int RunCompanyStep300()
{
    return RunListedStep({3, 0, 0});
}

int RunCompanyStep301()
{
    return RunListedStep({3, 0, 1});
}

QStringList CompanyStep303Lines(const CompanyDataKind& kind)
{
    if (kind.dataType != 2 || kind.codeType != 2)
        return {};
    return {QStringLiteral("UPDATE EXTERKS SET KNAMELOCK=0"), QStringLiteral("WHERE KGROUP='4100' AND SUBREC=3;"),
            QStringLiteral("COMMIT;")};
}

int RunCompanyStep303()
{
    ExternalStepPlan plan = ListedStepPlan({3, 0, 3});
    plan.linesBefore = CompanyStep303Lines(CurrentDataKind());
    return RunExternalStep(plan);
}

bool TriggerExists(core::TIBSQL& query, const QString& triggerName)
{
    query.close();
    query.sql().clear();
    query.setParamCheck(true);
    query.sql() << QStringLiteral("SELECT count(*) FROM RDB$TRIGGERS WHERE (RDB$TRIGGER_NAME= :TRIGGER_NAME) ");
    if (!query.prepared())
        query.prepare();
    query.paramByName(QStringLiteral("TRIGGER_NAME")).setString(triggerName);
    query.execQuery();
    const bool exists = query.fields(0).asInteger() > 0;
    query.close();
    return exists;
}

StepFacts PrepareCompanyStep304()
{
    StepFacts facts;
    CompanyDbWork db;
    core::TransactionScope scope(db.transaction());
    facts.hasKamokumstTrigger = TriggerExists(db.query(), kKamokumstTrigger);
    scope.commit();
    return facts;
}

int RunCompanyStep304()
{
    return RunExternalStep(ListedStepPlan({3, 0, 4}, PrepareCompanyStep304()));
}

int PeriodBeforeStartMonth(int startMonth)
{
    static const int periods[13] = {0, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    return startMonth >= 0 && startMonth <= 12 ? periods[startMonth] : 0;
}

StepFacts PrepareCompanyStep306()
{
    const CompanyDataKind kind = CurrentDataKind();
    StepFacts facts;
    CompanyDbWork db;
    core::TransactionScope scope(db.transaction());
    if (kind.medical()) {
        facts.accountVariant = accountVariant(db.query());
        markSystemAccountsWithoutSubAccounts(db.query());
    }
    if (core::AccInf.CONVERT == 1)
        recomputeTaxExcludedOpenings(db.query(), db.query());
    scope.commit();
    return facts;
}

int RunCompanyStep306()
{
    return RunExternalStep(ListedStepPlan({3, 0, 6}, PrepareCompanyStep306()));
}

void PrepareCompanyStep307()
{
    CompanyDbWork db;
    core::TransactionScope scope(db.transaction());
    core::TIBSQL& query = db.query();
    if (!TriggerExists(query, kKamokuszTrigger)) {
        // Made here, not by the script: the step's files give it its body.
        ExecStatement(query, QStringLiteral("CREATE TRIGGER \"%1\" FOR \"KAMOKU_SZ\" ACTIVE AFTER DELETE POSITION 0\n"
                                            "AS\n"
                                            "DECLARE dvSITEN  INTEGER;\n"
                                            "BEGIN\n"
                                            "END;")
                                 .arg(kKamokuszTrigger));
    }
    scope.commit();
}

int RunCompanyStep307()
{
    PrepareCompanyStep307();
    return RunListedStep({3, 0, 7});
}

} // namespace dbupgrade
