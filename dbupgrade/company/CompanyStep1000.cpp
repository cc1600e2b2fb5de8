#include "dbupgrade/company/CompanyStep1000.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "dbupgrade/runner/RunUpdateScript.h"

#include <QRegularExpression>

namespace dbupgrade {

namespace {

const core::TVersionTriple kStep1300{13, 0, 0};
const QString kRepairKey = QStringLiteral("V1304");

struct Row1303 {
    int rec = 0;
    QStringList memoLines;
};

QStringList memoLines(const QString& memo)
{
    if (memo.isEmpty())
        return {};
    return memo.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
}

bool repairDone(const QStringList& lines)
{
    return core::TDM::GetKeyValue(lines.join(QStringLiteral("\r\n")), kRepairKey) == QLatin1String("1");
}

// The 13.0.3 rows whose MEMO does not yet say that the repair is done.
QList<Row1303> rowsDue(core::TIBSQL& query)
{
    query.setParamCheck(true);
    query.sql() << QStringLiteral("SELECT REC,MAJOR,MINOR1,MINOR2,MEMO") << QStringLiteral("FROM ACCVERSION")
                << QStringLiteral("WHERE (MAJOR=:MAJOR) AND (MINOR1=:MINOR1) AND (MINOR2=:MINOR2)")
                << QStringLiteral("ORDER BY REC");
    query.paramByName(QStringLiteral("MAJOR")).setInteger(13);
    query.paramByName(QStringLiteral("MINOR1")).setInteger(0);
    query.paramByName(QStringLiteral("MINOR2")).setInteger(3);
    QList<Row1303> due;
    for (query.execQuery(); !query.eof(); query.next()) {
        Row1303 row;
        row.rec = query.fieldByName(QStringLiteral("REC")).asInteger();
        row.memoLines = memoLines(query.fieldByName(QStringLiteral("MEMO")).asString());
        if (!repairDone(row.memoLines))
            due << row;
    }
    query.close();
    return due;
}

// Each due row keeps its own MEMO and gains the line "V1304=1"; the version trigger is off
// around the update so that it records no history row.
QStringList markRepairDone(const QList<Row1303>& rows)
{
    QStringList lines{QStringLiteral("ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE;")};
    for (const Row1303& row : rows) {
        QStringList memo = row.memoLines;
        memo << kRepairKey + QStringLiteral("=1");
        // The line breaks go in as characters, so that the script's own line ends cannot alter them.
        QStringList quoted;
        for (const QString& line : memo)
            quoted << SqlQuote(line);
        lines << QStringLiteral("UPDATE ACCVERSION SET MEMO=") +
                     quoted.join(QStringLiteral(" || ASCII_CHAR(13) || ASCII_CHAR(10) || ")) +
                     QStringLiteral("\nWHERE REC=%1;").arg(row.rec);
    }
    lines << QStringLiteral("COMMIT;") << QStringLiteral("ALTER TRIGGER ACCVERSION_AFTER_UPDATE ACTIVE;");
    return lines;
}

} // namespace

int RunCompanyStep1000() { return RunListedStep({10, 0, 0}); }
int RunCompanyStep1001() { return RunListedStep({10, 0, 1}); }
int RunCompanyStep1003() { return RunListedStep({10, 0, 3}); }
int RunCompanyStep1004() { return RunListedStep({10, 0, 4}); }
int RunCompanyStep1005() { return RunListedStep({10, 0, 5}); }
int RunCompanyStep1100() { return RunListedStep({11, 0, 0}); }
int RunCompanyStep1101() { return RunListedStep({11, 0, 1}); }
int RunCompanyStep1110() { return RunListedStep({11, 1, 0}); }

QStringList CompanyStep1200Lines()
{
    return {QStringLiteral(u"/* お気に入りメニューからEkU(USB)保存／復元レコードを削除 */"), QStringLiteral("DELETE FROM OPMENU"),
            QStringLiteral("WHERE (CLASS='VxEkuHozn');"), QStringLiteral("COMMIT;")};
}

int RunCompanyStep1200()
{
    ExternalStepPlan plan = ListedStepPlan({12, 0, 0});
    plan.linesAfter = CompanyStep1200Lines();
    return RunExternalStep(plan);
}

int RunCompanyStep1300() { return RunListedStep({13, 0, 0}); }
int RunCompanyStep1303() { return RunListedStep({13, 0, 3}); }

RepairPlan PrepareCompanyStep1400(const CompanyDataKind& kind)
{
    RepairPlan plan;
    core::TDM& dm = core::RequireDM();
    if (!dm.IBDatabaseDAT.connected())
        dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0);
    if (dm.IBDatabaseDAT.connected()) {
        std::unique_ptr<core::TIBSQL> query = core::CreateIBSQL(QStringLiteral("ACCDAT"), 0);
        try {
            core::TransactionScope scope(dm.IBTransactionDAT);
            const QList<Row1303> due = rowsDue(*query);
            bool filesAgain = false;
            if (!due.isEmpty())
                filesAgain = !dm.fnExistence_Field(QStringLiteral("MEISAI_JYOKEN_RULE"),
                                                   QStringLiteral("FTEKIYOA_TIKAN_FIELD7"));
            scope.commit();
            if (!due.isEmpty()) {
                if (filesAgain) {
                    // 13.0.0's files once more; they can run a second time.
                    const std::optional<QStringList> lines =
                        WalkScriptList(kStep1300, CompanyStepFiles(kStep1300, kind), true);
                    if (!lines)
                        plan.result = kStepFileMissing;
                    else
                        plan.lines << *lines;
                }
                if (plan.result != kStepFileMissing)
                    plan.lines << markRepairDone(due);
            }
        } catch (const std::exception&) {
            // The check is a repair on the side: the step goes on without it.
            plan.lines.clear();
        }
    }
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
    if (plan.result == kStepFileMissing)
        plan.lines.clear();
    return plan;
}

int RunCompanyStep1400()
{
    const RepairPlan repair = PrepareCompanyStep1400(CurrentDataKind());
    if (repair.result == kStepFileMissing)
        return kStepFileMissing;
    ExternalStepPlan plan = ListedStepPlan({14, 0, 0});
    plan.linesAfter = repair.lines;
    return RunExternalStep(plan);
}

int RunCompanyStep1500() { return RunListedStep({15, 0, 0}); }

} // namespace dbupgrade
