#include "dbupgrade/company/BudgetSeeds.h"

#include "dbupgrade/company/ExternalStepRules.h"

namespace dbupgrade {

namespace {

QString pattern(bool revenue)
{
    return revenue ? QStringLiteral("0.95,0,1.05,1") : QStringLiteral("1.05,1,0.95,0");
}

} // namespace

void InsertKoseiGroups(core::TIBSQL& query, const QList<KoseiGroupRow>& rows)
{
    for (const KoseiGroupRow& row : rows)
        ExecStatement(query, QStringLiteral("INSERT INTO KAMOKU_KOSEI_GROUP VALUES('%1','%2',' ')")
                                 .arg(QString::fromUtf16(row.group), QLatin1String(row.accountCode)));
}

void InsertHyokaRules(core::TIBSQL& query, const QList<HyokaRuleRow>& rows)
{
    for (const HyokaRuleRow& row : rows)
        ExecStatement(query, QStringLiteral("INSERT INTO ZEBRIK_YOJITU_HYOKARULE VALUES('%1','%2',%3)")
                                 .arg(QLatin1String(row.groupCode), QString::fromUtf16(row.caption), pattern(row.revenue)));
}

void UpdateAccountRules(core::TIBSQL& query, const QList<AccountRuleRow>& rows)
{
    for (const AccountRuleRow& row : rows) {
        const QStringList v = pattern(row.revenue).split(QLatin1Char(','));
        ExecStatement(query, QStringLiteral("UPDATE KAMOKUMST SET ZEBRIK_YOJITU_RATE1=%1,ZEBRIK_YOJITU_KIND1=%2,"
                                            "ZEBRIK_YOJITU_RATE2=%3,ZEBRIK_YOJITU_KIND2=%4 WHERE GROUPM1='%5'")
                                 .arg(v[0], v[1], v[2], v[3], QLatin1String(row.groupM1)));
    }
}

} // namespace dbupgrade
