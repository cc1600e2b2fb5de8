#include "dbupgrade/company/CompanyStep033.h"

#include "core/Globals.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

namespace dbupgrade {

namespace {

const QString kHighIsGood = QStringLiteral("Zebrik_BadRate=0.95,Zebrik_BadKind=0,Zebrik_GoodRate=1.05,Zebrik_GoodKind=1");
const QString kLowIsGood = QStringLiteral("Zebrik_BadRate=1.05,Zebrik_BadKind=1,Zebrik_GoodRate=0.95,Zebrik_GoodKind=0");

struct SetRules {
    QString last;          // the set's last account code before "9999"
    QStringList highExtra; // ranges beyond the classes 1, 3 and 4
    QStringList lowExtra;  // ranges beyond the classes 2, 5 and 6
};

QString ratioUpdate(const QString& values, const SetRules& rules, const QString& classes, const QStringList& extra)
{
    QString where = QStringLiteral("SUBSTRING(KCODE FROM 1 FOR 1) IN (%1)").arg(classes);
    for (const QString& range : extra)
        where += QStringLiteral(" OR ") + range;
    return QStringLiteral("UPDATE KAMOKUMST SET %1 WHERE CHAR_LENGTH(KCODE)=4 AND KCODE BETWEEN '1101' AND '%2' AND (%3);")
        .arg(values, rules.last, where);
}

} // namespace

ZebrikAccountSet ZebrikAccountSetOf(int dataType, int codeType)
{
    if (dataType == 1)
        return ZebrikAccountSet::A;
    if (codeType == 1)
        return ZebrikAccountSet::B;
    if (codeType == 2)
        return ZebrikAccountSet::C;
    return ZebrikAccountSet::None;
}

QStringList ZebrikRatioUpdates(ZebrikAccountSet set)
{
    SetRules rules;
    switch (set) {
    case ZebrikAccountSet::A:
        rules = {QStringLiteral("8304"),
                 {QStringLiteral("KCODE BETWEEN '7101' AND '7106'"), QStringLiteral("KCODE BETWEEN '8101' AND '8105'")},
                 {QStringLiteral("KCODE BETWEEN '7201' AND '7206'"), QStringLiteral("KCODE BETWEEN '8201' AND '8205'"),
                  QStringLiteral("KCODE BETWEEN '8301' AND '8304'")}};
        break;
    case ZebrikAccountSet::B:
        rules = {QStringLiteral("7206"), {QStringLiteral("KCODE BETWEEN '7101' AND '7106'")},
                 {QStringLiteral("KCODE BETWEEN '7201' AND '7206'")}};
        break;
    case ZebrikAccountSet::C:
        rules = {QStringLiteral("7202"), {}, {QStringLiteral("KCODE = '7202'")}};
        break;
    case ZebrikAccountSet::None:
        return {};
    }
    return {ratioUpdate(kHighIsGood, rules, QStringLiteral("'1','3','4'"), rules.highExtra),
            ratioUpdate(kLowIsGood, rules, QStringLiteral("'2','5','6'"), rules.lowExtra),
            QStringLiteral("UPDATE KAMOKUMST SET Zebrik_BadRate=0,Zebrik_BadKind=0,Zebrik_GoodRate=0,Zebrik_GoodKind=0 "
                           "WHERE KCODE='9999';")};
}

UpdateScript BuildCompanyStep033Script(ZebrikAccountSet set)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {0, 3, 3};
    UpdateScript script(frame);
    script.add(StepSql(QStringLiteral("company/0.3.3.sql")));
    script.add(ZebrikRatioUpdates(set));
    script.add(QStringLiteral("COMMIT;"));
    return script;
}

int RunCompanyStep033()
{
    return WriteAndRunScript(BuildCompanyStep033Script(ZebrikAccountSetOf(core::AccInf.DATATYPE, core::AccInf.CODETYPE)));
}

} // namespace dbupgrade
