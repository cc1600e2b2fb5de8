#include "dbupgrade/company/CompanyStep802.h"

#include "dbupgrade/company/BudgetSeeds.h"
#include "dbupgrade/runner/RunUpdateScript.h"

namespace dbupgrade {

namespace {

const QList<KoseiGroupRow> kStandardGroups = {
    {u"法人税等", "8301"},       {u"法人税等", "8302"},       {u"減価償却費", "5606"},     {u"減価償却費", "6204"},
    {u"短期借入金返済", "2103"}, {u"長期借入金返済", "2202"}, {u"期首期末棚卸", "5101"}, {u"期首期末棚卸", "5301"},
    {u"期首期末棚卸", "5401"},   {u"期首期末棚卸", "5411"},   {u"期首期末棚卸", "5701"}, {u"期首期末棚卸", "5801"},
};

const QList<KoseiGroupRow> kOemGroups = {
    {u"法人税等", "98100"},       {u"法人税等", "98300"},       {u"法人税等", "98400"},
    {u"法人税等", "98500"},       {u"減価償却費", "55400"},     {u"減価償却費", "68400"},
    {u"短期借入金返済", "31100"}, {u"長期借入金返済", "37100"}, {u"期首期末棚卸", "49700"},
    {u"期首期末棚卸", "49800"},   {u"期首期末棚卸", "50800"},   {u"期首期末棚卸", "50900"},
    {u"期首期末棚卸", "59400"},   {u"期首期末棚卸", "59500"},   {u"期首期末棚卸", "59600"},
    {u"期首期末棚卸", "59300"},   {u"期首期末棚卸", "59700"},   {u"期首期末棚卸", "59800"},
    {u"期首期末棚卸", "59900"},
};

const QList<HyokaRuleRow> kRules = {
    {"4800", u"売上", true},       {"5100", u"変動費", false},     {"5400", u"限界利益", true},
    {"5600", u"人件費", false},    {"5700", u"固定費", false},     {"6200", u"営業利益", true},
    {"7180", u"営業外収益", true}, {"7280", u"営業外費用", false}, {"7300", u"経常利益", true},
    {"8180", u"特別利益", true},   {"8280", u"特別損失", false},   {"8290", u"税引前当期純利益", true},
};

const QList<AccountRuleRow> kAccountRules = {{"7100", true}, {"7200", false}, {"8100", true}, {"8200", false}};

} // namespace

std::optional<MenuModule> MenuModuleOf(int pageNo, int menuNo, int dataType, bool oem)
{
    const auto name = [](const char* text, const char* option = "") {
        return std::optional<MenuModule>(MenuModule{QLatin1String(text), QLatin1String(option)});
    };
    switch (pageNo) {
    case 0:
        switch (menuNo) {
        case 0: return name("VxZebrik1");
        case 1: return name("VxYojituHendoPL");
        case 10: return name("VxHikakuSuiihyo");
        case 19: return name("VxTusinSettei");
        }
        break;
    case 1: {
        static const char* const modules[] = {"VxSimulation",     "VxGetujiHikakuGraph", "VxSankiHikakuGraph",
                                              "VxSankiKamokuGraph", "VxKeieiBunseki2",   "VxSogoHikakuPL",
                                              "VxYojitutaihi",    "VxYosoku2",           "VxGetujiHikaku",
                                              "VxSankiHikaku",    "VxBumonHikakuBL",     "VxSikinguri",
                                              "VxSitenHikakuBL"};
        if (menuNo >= 0 && menuNo <= 12)
            return name(modules[menuNo]);
        if (menuNo == 19)
            return name("VxZenkamoku2");
        break;
    }
    case 2:
        switch (menuNo) {
        case 0: return name("VxSiwake", "SyoriType=0");
        case 1: return name("VxMonitor");
        case 2: return name("VxMotocho", "SyoriType=0");
        case 3: return name("VxSisanhyo");
        case 17: return oem ? name("VxKobetuIchiranhyo") : std::nullopt;
        case 18: return oem ? name("VxKobetuMeisaihyo") : std::nullopt;
        case 19: return oem ? name("VxKobetuMotocho") : std::nullopt;
        }
        break;
    case 3: {
        static const char* const ordinary[] = {"VxHojinKessansyo", "VxCashFlow",       "VxIkkatuPrint", "VxGaikyosyo",
                                               nullptr,            "VxKojinKessansyo", "VxGenkaSyokyaku",
                                               "VxTouzaChoseihyo", nullptr,            nullptr};
        static const char* const medical[] = {"VxMBKessansyo",    "VxMBKessansyoSisetsu", "VxMBHokukuJigyo",
                                              "VxMBHokukuZaisan", "VxMBHokukuKansa",      "VxCashFlow",
                                              "VxIkkatuPrint",    "VxGaikyosyo",          "VxGenkaSyokyaku",
                                              "VxTouzaChoseihyo"};
        if (menuNo >= 0 && menuNo <= 9) {
            const char* module = dataType == 3 ? medical[menuNo] : ordinary[menuNo];
            return module ? name(module) : std::nullopt;
        }
        switch (menuNo) {
        case 10: return name("VxTaxSinkokusyo");
        case 11: return name("VxTaxUtiwakesyo");
        case 12: return name("VxTaxSyukeihyo");
        case 13: return name("VxTaxSisanhyo");
        case 15: return name("VxTaxSinkokusyoSyusei");
        }
        break;
    }
    case 4:
        if (menuNo >= 0 && menuNo <= 16)
            return MenuModule{QStringLiteral("VxUtiwake%1").arg(menuNo + 1, 2, 10, QLatin1Char('0')), QString()};
        if (menuNo == 19)
            return name("VxUtiwakeAll");
        break;
    }
    return std::nullopt;
}

void SeedCompanyStep802(CompanyDbWork& db, const CompanyDataKind& kind)
{
    if (kind.dataType != 1)
        return;
    core::TIBSQL& query = db.query();
    InsertKoseiGroups(query, kind.oem ? kOemGroups : kStandardGroups);
    InsertHyokaRules(query, kRules);
    UpdateAccountRules(query, kAccountRules);
}

void ConvertMenusCompanyStep802(CompanyDbWork& db, const CompanyDataKind& kind)
{
    core::TIBSQL& rows = db.query();
    core::TIBSQL& insert = db.query();
    rows.setParamCheck(true);
    rows.sql() << QStringLiteral("SELECT LEVELNO,PAGENO,MENUNO FROM JOBCONTROL") << QStringLiteral("WHERE LEVELNO=:LEVELNO")
               << QStringLiteral("ORDER BY PAGENO,MENUNO");
    rows.paramByName(QStringLiteral("LEVELNO")).setInteger(kind.dataType == 3 ? 1200 : 200);
    insert.setParamCheck(true);
    insert.sql() << QStringLiteral("INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION)")
                 << QStringLiteral("VALUES(:LEVELNO,:PROC_ID,:PROC_OPTION)");
    insert.prepare();
    for (rows.execQuery(); !rows.eof(); rows.next()) {
        const std::optional<MenuModule> module =
            MenuModuleOf(rows.fieldByName(QStringLiteral("PAGENO")).asInteger(),
                         rows.fieldByName(QStringLiteral("MENUNO")).asInteger(), kind.dataType, kind.oem);
        if (!module)
            continue;
        insert.paramByName(QStringLiteral("LEVELNO")).setInteger(200);
        insert.paramByName(QStringLiteral("PROC_ID")).setString(module->procId);
        insert.paramByName(QStringLiteral("PROC_OPTION")).setString(module->option);
        insert.execQuery();
        insert.close();
    }
    rows.close();
}

int FinishCompanyStep802()
{
    const CompanyDataKind kind = CurrentDataKind();
    return RunWorkAfterScript([&](CompanyDbWork& db) {
        SeedCompanyStep802(db, kind);
        ConvertMenusCompanyStep802(db, kind);
    });
}

int RunCompanyStep802()
{
    const int result = RunListedStep({8, 0, 2});
    return result == kStepDone ? FinishCompanyStep802() : result;
}

} // namespace dbupgrade
