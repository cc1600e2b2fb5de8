#include "dbupgrade/company/CompanyStep803.h"

#include "core/Globals.h"
#include "dbupgrade/company/BudgetSeeds.h"
#include "dbupgrade/runner/RunUpdateScript.h"

namespace dbupgrade {

namespace {

// 8.0.3's budget-structure groups of individual data by edition and code type.
QList<KoseiGroupRow> individualGroups(bool oem, int codeType)
{
    if (!oem) {
        switch (codeType) {
        case 1:
        case 3:
            return {{u"減価償却費", "5606"},   {u"減価償却費", "6202"},     {u"短期借入金返済", "2103"},
                    {u"長期借入金返済", "2202"}, {u"期首期末棚卸", "5101"}, {u"期首期末棚卸", "5301"},
                    {u"期首期末棚卸", "5401"},   {u"期首期末棚卸", "5411"}, {u"期首期末棚卸", "5701"},
                    {u"期首期末棚卸", "5801"}};
        case 2:
            return {{u"減価償却費", "6202"}, {u"短期借入金返済", "2103"}, {u"長期借入金返済", "2202"}};
        case 4:
            return {{u"減価償却費", "6204"},   {u"短期借入金返済", "2103"}, {u"長期借入金返済", "2202"},
                    {u"期首期末棚卸", "5101"}, {u"期首期末棚卸", "5301"},   {u"期首期末棚卸", "6301"},
                    {u"期首期末棚卸", "6302"}};
        }
        return {};
    }
    switch (codeType) {
    case 1:
        return {{u"減価償却費", "55400"},   {u"減価償却費", "68400"},   {u"短期借入金返済", "31100"},
                {u"長期借入金返済", "37100"}, {u"期首期末棚卸", "49700"}, {u"期首期末棚卸", "49800"},
                {u"期首期末棚卸", "50800"},   {u"期首期末棚卸", "50900"}, {u"期首期末棚卸", "59400"},
                {u"期首期末棚卸", "59500"},   {u"期首期末棚卸", "59600"}, {u"期首期末棚卸", "59300"},
                {u"期首期末棚卸", "59700"},   {u"期首期末棚卸", "59800"}, {u"期首期末棚卸", "59900"}};
    case 2:
        return {{u"減価償却費", "68400"}, {u"短期借入金返済", "31100"}, {u"長期借入金返済", "37100"}};
    case 4:
        return {{u"減価償却費", "68400"},   {u"短期借入金返済", "31100"}, {u"長期借入金返済", "37100"},
                {u"期首期末棚卸", "49700"}, {u"期首期末棚卸", "49800"},   {u"期首期末棚卸", "69300"},
                {u"期首期末棚卸", "69400"}};
    }
    return {}; // クリニック of the partner edition: no groups
}

const QList<HyokaRuleRow> kIndividualRules = {
    {"4800", u"売上", true},       {"5100", u"変動費", false},     {"5400", u"限界利益", true},
    {"5600", u"人件費", false},    {"5700", u"固定費", false},     {"6200", u"営業利益", true},
    {"7180", u"営業外収益", true}, {"7280", u"営業外費用", false}, {"7300", u"経常利益", true},
    {"8400", u"青申特別控除前所得", true},
};

const QList<HyokaRuleRow> kMedicalRules = {
    {"4800", u"事業収益", true},   {"5100", u"変動費", false},     {"5400", u"限界利益", true},
    {"5600", u"人件費", false},    {"5700", u"固定費", false},     {"6200", u"事業利益", true},
    {"7180", u"事業外収益", true}, {"7280", u"事業外費用", false}, {"7300", u"経常利益", true},
    {"8180", u"臨時利益", true},   {"8280", u"臨時損失", false},   {"8300", u"税引前当期純利益", true},
};

} // namespace

void WorkCompanyStep803(CompanyDbWork& db, const CompanyDataKind& kind)
{
    if (kind.dataType != 2)
        return;
    core::TIBSQL& query = db.query();
    InsertKoseiGroups(query, individualGroups(kind.oem, kind.codeType));
    InsertHyokaRules(query, kIndividualRules);
    UpdateAccountRules(query, {{"7100", true}, {"7200", false}});
}

void WorkCompanyStep902(CompanyDbWork& db, const CompanyDataKind& kind)
{
    if (kind.dataType != 3)
        return;
    core::TIBSQL& query = db.query();
    InsertHyokaRules(query, kMedicalRules);
    UpdateAccountRules(query, {{"7110", true}, {"7210", false}, {"8110", true}, {"8210", false}});
}

void WorkCompanyStep903(CompanyDbWork& db)
{
    ExecStatement(db.query(),
                  QStringLiteral("UPDATE KAMOKU_MS SET BYOSAN=F_ROUND(BYOSAN),BYOSAN2=F_ROUND(BYOSAN2),BYOSAN3=F_ROUND(BYOSAN3)"));
}

void WorkCompanyStep904(CompanyDbWork& db, const CompanyDataKind& kind)
{
    if (kind.dataType != 1 && kind.dataType != 2)
        return;
    const bool corporation = kind.dataType == 1;
    const core::TSystemDef& def = core::SystemDef;
    core::TIBSQL& query = db.query();
    query.setParamCheck(true);
    query.sql() << QStringLiteral("UPDATE KESSAN SET ZEROKAMOKUPRINT=:ZEROKAMOKUPRINT,ZEROPRINT=:ZEROPRINT,"
                                  "SONSHITUSANKAKU=:SONSHITUSANKAKU,")
                << QStringLiteral("SOTOWAKUKAHEN=:SOTOWAKUKAHEN,FUSAINOBUKAIPAGE=:FUSAINOBUKAIPAGE,"
                                  "HANBAIHIKUMIIRE=:HANBAIHIKUMIIRE,TEGATASOSAI=:TEGATASOSAI")
                << QStringLiteral("WHERE REC=1");
    const auto set = [&](const char* name, int value) {
        query.paramByName(QLatin1String(name)).setInteger(corporation ? value : 0);
    };
    set("ZEROKAMOKUPRINT", def.ZeroPrint == 1 || def.ZeroPrint == 2 ? 1 : 0);
    set("ZEROPRINT", def.ZeroPrint == 1 ? 1 : 0);
    set("SONSHITUSANKAKU", def.SankakuPlus);
    set("SOTOWAKUKAHEN", (def.Reserve2 & 2) != 0 ? 1 : 0);
    set("FUSAINOBUKAIPAGE", (def.Reserve2 & 1) != 0 ? 1 : 0);
    set("HANBAIHIKUMIIRE", def.SgaInclude);
    set("TEGATASOSAI", def.BillOffset);
    query.execQuery();
    query.close();
}

void WorkCompanyStep905(CompanyDbWork& db)
{
    core::TIBSQL& query = db.query();
    query.setParamCheck(true);
    query.sql() << QStringLiteral("UPDATE SIWAKE SET DNUM=0");
    query.execQuery();
    query.close();
}

int FinishCompanyStep(const core::TVersionTriple& version)
{
    const CompanyDataKind kind = CurrentDataKind();
    const int v = version.Major * 100 + version.Minor1 * 10 + version.Minor2;
    return RunWorkAfterScript([&](CompanyDbWork& db) {
        switch (v) {
        case 803: WorkCompanyStep803(db, kind); break;
        case 902: WorkCompanyStep902(db, kind); break;
        case 903: WorkCompanyStep903(db); break;
        case 904: WorkCompanyStep904(db, kind); break;
        case 905: WorkCompanyStep905(db); break;
        }
    });
}

namespace {

int runWithWorkAfter(const core::TVersionTriple& version)
{
    const int result = RunListedStep(version);
    return result == kStepDone ? FinishCompanyStep(version) : result;
}

} // namespace

int RunCompanyStep803() { return runWithWorkAfter({8, 0, 3}); }
int RunCompanyStep900() { return RunListedStep({9, 0, 0}); }
int RunCompanyStep901() { return RunListedStep({9, 0, 1}); }
int RunCompanyStep902() { return runWithWorkAfter({9, 0, 2}); }
int RunCompanyStep903() { return runWithWorkAfter({9, 0, 3}); }
int RunCompanyStep904() { return runWithWorkAfter({9, 0, 4}); }
int RunCompanyStep905() { return runWithWorkAfter({9, 0, 5}); }

} // namespace dbupgrade
