#include "dbupgrade/company/CompanyStep102.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"
#include "dbupgrade/steps/TrialBalanceSql.h"
#include "dbupgrade/runner/RunUpdateScript.h"

#include <array>
#include <exception>

namespace dbupgrade {

namespace {

// Months 1-3 are periods 0-2, then each quarter's closing period is skipped.
constexpr std::array<int, 12> kStartPeriods = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};

QString lookUpSpecialAccount(core::TIBQuery& query, const QString& name)
{
    query.close();
    query.sql() = QStringList{QStringLiteral("SELECT KCODE FROM ACCDEF2 WHERE KNAME=:KNAME ")};
    query.paramByName(QStringLiteral("KNAME")).setString(name);
    query.open();
    const QString code = query.eof() ? QString() : query.fieldByName(QStringLiteral("KCODE")).asString();
    query.close();
    return code;
}

void writePastBalances(core::TDM& dm, const KanendoZanData& data)
{
    const bool fromPeriodStart = data.kishu == data.kaisi;
    const bool ownerAccounts = data.dataType == 2 && fromPeriodStart;
    QStringList skipped;
    if (ownerAccounts)
        for (const QString& name : {QStringLiteral(u"事業主貸"), QStringLiteral(u"事業主借"), QStringLiteral(u"元入金")})
            skipped << lookUpSpecialAccount(dm.IBQACC1, name);
    const int period = fromPeriodStart ? 0 : KanendoStartPeriod(data.kaisino);

    core::TIBQuery& rows = dm.IBQACC1;
    core::TIBQuery& write = dm.IBQACC2;
    rows.close();
    rows.sql() = QStringList{QStringLiteral("SELECT * FROM KAMOKU_SZ SZ INNER JOIN KAMOKUMST K ON (SZ.KCODE=K.KCODE) ")};
    write.close();
    write.sql() = QStringList{QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN=:NUKIZAN WHERE SCODE=:SCODE and KCODE=:KCODE and "
                                             "HCODE=:HCODE and BCODE=:BCODE and MNUM=:MNUM ")};
    rows.open();
    while (!rows.eof()) {
        const QString kcode = rows.fieldByName(QStringLiteral("KCODE")).asString();
        const bool balanceSheet = rows.fieldByName(QStringLiteral("BPFLG")).asString().trimmed() == QLatin1String("B");
        const bool skip = balanceSheet ? ownerAccounts && skipped.contains(kcode) : fromPeriodStart;
        // A start month outside 1-12 has no period: nothing is written for it.
        if (!skip && period >= 0) {
            write.paramByName(QStringLiteral("NUKIZAN")).setCurrency(rows.fieldByName(QStringLiteral("KAISIZAN")).asCurrency());
            write.paramByName(QStringLiteral("SCODE")).setString(rows.fieldByName(QStringLiteral("SCODE")).asString());
            write.paramByName(QStringLiteral("KCODE")).setString(kcode);
            write.paramByName(QStringLiteral("HCODE")).setString(rows.fieldByName(QStringLiteral("HCODE")).asString());
            write.paramByName(QStringLiteral("BCODE")).setString(rows.fieldByName(QStringLiteral("BCODE")).asString());
            write.paramByName(QStringLiteral("MNUM")).setInteger(period);
            write.execSQL();
        }
        rows.next();
    }
    rows.close();
}

} // namespace

int KanendoStartPeriod(int kaisino)
{
    return kaisino >= 1 && kaisino <= 12 ? kStartPeriods[kaisino - 1] : -1;
}

bool RepairKanendoZan(const KanendoZanData& data)
{
    core::TDM& dm = core::RequireDM();
    try {
        if (!dm.IBTransactionDAT.inTransaction())
            dm.IBTransactionDAT.startTransaction();
        writePastBalances(dm, data);
        dm.IBTransactionDAT.commit();
        return true;
    } catch (const std::exception&) {
        dm.IBQACC1.close();
        dm.IBQACC2.close();
        if (dm.IBTransactionDAT.inTransaction())
            dm.IBTransactionDAT.rollback();
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral(u"Ver %1.%2.%3のデータベース更新に失敗しました。(過年度残高の評価と修復)").arg(1).arg(0).arg(2));
        return false;
    }
}

UpdateScript BuildCompanyStep102Script()
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = {1, 0, 2};
    UpdateScript script(frame);
    script.add(StepSql(QStringLiteral("company/1.0.2-onetime.sql")));
    script.add(StepSql(QStringLiteral("company/1.0.2-siwakerepair.sql")));
    script.add(QStringList{QStringLiteral("DELETE FROM ACCDEF2"),
                           QStringLiteral(u"WHERE KNAME NOT IN ('現金','仮受消費税','仮払消費税','繰越利益剰余金','諸口','事業主借',"
                                          "'事業主貸','元入金','諸口');"),
                           QStringLiteral("Commit;"), QStringLiteral("SET TERM ^ ;")});
    script.add(TrialBalanceProcedure(QStringLiteral("ordinary"), QStringLiteral("SP_SISANHYO_BUMON"), QStringLiteral("RECREATE")));
    script.add(QStringList{QStringLiteral("SET TERM ; ^"), QStringLiteral("COMMIT;")});
    return script;
}

int RunCompanyStep102()
{
    core::TDM& dm = core::RequireDM();
    const KanendoZanData data{core::AccInf.DATATYPE, core::AccInf.KISHU, core::AccInf.KAISI, core::AccInf.KAISINO};
    bool repaired = false;
    if (dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0))
        repaired = RepairKanendoZan(data);
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
    if (!repaired)
        return kStepScriptError;
    return WriteAndRunScript(BuildCompanyStep102Script());
}

} // namespace dbupgrade
