#include "dbupgrade/company/CompanyStep400.h"

#include "core/Globals.h"
#include "dbupgrade/template/RomanNumerals.h"

namespace dbupgrade {

namespace {

// The medical cash-flow template: the last three sections move one group down (each before the
// group below takes its number) and the new fourth section goes in, layout 1 then layout 0.
QStringList medicalCashFlowLines(const Step400Settings& settings)
{
    const QString insert = QStringLiteral(
        "INSERT INTO CASHFMST (CM_REC,CM_JIGYOU,CM_KIND,CM_GROUP,CM_ORDER,CM_DEL,CM_MKU,CM_MARGIN,CM_NAME1,CM_HOSEI)\n");
    QStringList lines;
    for (const int layout : {1, 0}) {
        if (layout == 1 ? settings.indirectHasSeventh : settings.directHasSeventh)
            continue;
        const int order = layout == 1 ? 41 : 39; // order of the closing section
        const QString where = QStringLiteral("WHERE (CM_KIND=%1)AND(CM_GROUP=%2);").arg(layout);
        lines << QStringLiteral(u"UPDATE CASHFMST SET CM_GROUP=70,CM_ORDER=%1,CM_NAME1='Ⅶ　現金及び現金同等物の期末残高'\n")
                         .arg(order) +
                     where.arg(60);
        lines << QStringLiteral(u"UPDATE CASHFMST SET CM_GROUP=60,CM_ORDER=%1,CM_NAME1='Ⅵ　現金及び現金同等物の期首残高'\n")
                         .arg(order - 1) +
                     where.arg(50);
        lines << QStringLiteral(u"UPDATE CASHFMST SET CM_GROUP=50,CM_ORDER=%1,CM_NAME1='Ⅴ　現金及び現金同等物の増加額'\n")
                         .arg(order - 2) +
                     where.arg(40);
        lines << insert + QStringLiteral(u"VALUES (%1,15,%2,40,%3,1,1,0,'Ⅳ　現金及び現金同等物に係る換算差額',0);")
                              .arg(layout == 1 ? 43 : 89)
                              .arg(layout)
                              .arg(order - 3);
    }
    for (QString& line : lines)
        line = JisRomanNumerals(line);
    return lines;
}

} // namespace

QStringList CompanyStep400RepairLines(const CompanyDataKind& kind, const Step400Settings& settings)
{
    const QString code = SqlQuote(settings.shokuchiCode);
    QStringList lines;
    lines << QStringLiteral(u"UPDATE KAMOKUMST SET HOJOSW=CASE WHEN (SELECT COUNT(*) FROM HOJOMST WHERE (KCODE=%1 "
                            u"AND HCODE<>''))=0 THEN '－' ELSE '○' END")
                 .arg(code)
          << QStringLiteral(u"WHERE (KCODE=%1) AND (HOJOSW='×');").arg(code);
    if (kind.medical())
        lines << medicalCashFlowLines(settings);
    if (settings.appKind == 3) {
        lines << QStringLiteral(u"DELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ区分');")
              << QStringLiteral(u"DELETE FROM ACCREG WHERE (AGROUP='基本設定') AND (ACODE='合算データ数');");
    }
    if (settings.siten > 0)
        lines << QStringLiteral("UPDATE ACCDEF5 SET NUM1=0 WHERE (SCODE='');");
    if (settings.bumon > 0)
        lines << QStringLiteral("UPDATE ACCDEF5 SET NUM1=0 WHERE (BCODE='');");
    lines << QStringLiteral("COMMIT;");
    return lines;
}

void ReadCashFlowLayouts(Step400Settings& settings)
{
    CompanyDbWork db;
    core::TransactionScope scope(db.transaction());
    core::TIBSQL& query = db.query();
    query.setParamCheck(false);
    query.sql() << QStringLiteral("SELECT CM_KIND FROM CASHFMST WHERE CM_GROUP=70 GROUP BY CM_KIND");
    for (query.execQuery(); !query.eof(); query.next()) {
        const int layout = query.fields(0).asInteger();
        if (layout == 1)
            settings.indirectHasSeventh = true;
        else if (layout == 0)
            settings.directHasSeventh = true;
    }
    query.close();
    scope.commit();
}

int RunCompanyStep400()
{
    Step400Settings settings;
    settings.shokuchiCode = core::AccInf.SysKCode[core::skShokuchi];
    settings.appKind = core::AppKind;
    settings.siten = core::AccInf.SITEN;
    settings.bumon = core::AccInf.BUMON;
    if (CurrentDataKind().medical())
        ReadCashFlowLayouts(settings);
    ExternalStepPlan plan = ListedStepPlan({4, 0, 0});
    plan.linesAfter = CompanyStep400RepairLines(CurrentDataKind(), settings);
    return RunExternalStep(plan);
}

} // namespace dbupgrade
