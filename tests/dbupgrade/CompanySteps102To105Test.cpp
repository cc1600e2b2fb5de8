// Company steps 1.0.2 to 1.0.5: the past-year balance repair before 1.0.2's script as a table on
// the 法人 base, a repair that fails halfway, the journal monitor's paging on a small journal,
// and the three scripts on a base brought to 1.0.1 (converted assets, the pruned special
// accounts, the re-totalling procedure, the blank facility of branch data, the dictionary
// headings and the total-item names).

#include "dbupgrade/DbUpdateList.h"
#include "dbupgrade/company/CompanyStep102.h"
#include "dbupgrade/company/CompanyStep103.h"
#include "dbupgrade/company/CompanySteps.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/steps/StepSql.h"

#include "core/Globals.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using namespace upgradetest;

// Opening balances of a balance-sheet account (1110), a profit-and-loss account (6204) and the
// individual's capital account (2205, named 元入金), with past-year periods 0 and 8 at -1.
void addOpeningBalances(const QString& db)
{
    execute(db, {QStringLiteral("DELETE FROM KAMOKU_PZ"), QStringLiteral("DELETE FROM KAMOKU_MS"),
                 QStringLiteral("DELETE FROM KAMOKU_SZ"),
                 QStringLiteral(u"DELETE FROM ACCDEF2 WHERE KNAME IN ('元入金', '事業主貸', '事業主借')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2205', '元入金')"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '1110', ' ', ' ', 100)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '6204', ' ', ' ', 200)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '2205', ' ', ' ', 300)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) "
                                "SELECT SCODE, KCODE, HCODE, BCODE, 0, -1 FROM KAMOKU_SZ"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) "
                                "SELECT SCODE, KCODE, HCODE, BCODE, 8, -1 FROM KAMOKU_SZ")});
}

// "account:period 0/period 8" of the three accounts.
QString pastBalances(const QString& db)
{
    return queryRows(db, QStringLiteral("SELECT KCODE || ':' || CAST(SUM(IIF(MNUM = 0, NUKIZAN, 0)) AS INTEGER) || '/' || "
                                        "CAST(SUM(IIF(MNUM = 8, NUKIZAN, 0)) AS INTEGER) FROM KAMOKU_PZ GROUP BY KCODE "
                                        "ORDER BY KCODE"))
        .join(QLatin1Char(' '));
}

TEST(CompanyStep102Test, RepairCopiesOpeningBalancesToTheStartPeriod)
{
    struct RepairCase {
        const char* name;
        int dataType;
        bool fromPeriodStart;
        int kaisino;
        const char* expected;
    };
    const RepairCase cases[] = {
        {"corporation at the period start: balance sheet only", 1, true, 4, "1110:100/-1 2205:300/-1 6204:-1/-1"},
        {"individual at the period start: not the capital account", 2, true, 4, "1110:100/-1 2205:-1/-1 6204:-1/-1"},
        {"mid-year start in month 7: every row to period 8", 1, false, 7, "1110:-1/100 2205:-1/300 6204:-1/200"},
        {"individual mid-year: the capital account too", 2, false, 7, "1110:-1/100 2205:-1/300 6204:-1/200"},
        {"start month outside 1-12: nothing written", 1, false, 13, "1110:-1/-1 2205:-1/-1 6204:-1/-1"},
    };
    for (const RepairCase& c : cases) {
        SCOPED_TRACE(c.name);
        UpgradeSession session;
        session.installCompanyBase(CompanyKind::Houjin);
        const QString db = session.companyFile();
        addOpeningBalances(db);
        dbupgrade::KanendoZanData data;
        data.dataType = c.dataType;
        data.kishu = QDate(2026, 4, 1);
        data.kaisi = c.fromPeriodStart ? data.kishu : QDate(2026, 10, 1);
        data.kaisino = c.kaisino;
        core::TDM& dm = core::RequireDM();
        ASSERT_TRUE(dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0));
        EXPECT_TRUE(dbupgrade::RepairKanendoZan(data));
        dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
        EXPECT_EQ(pastBalances(db), QString::fromUtf8(c.expected));
    }
}

TEST(CompanyStep102Test, AFailingRepairLeavesEveryBalanceAndWritesNoScript)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    addOpeningBalances(db);
    // The write of one row fails after others may have been written.
    execute(db, {QStringLiteral("CREATE EXCEPTION E_REPAIR_TEST 'refused'"),
                 QStringLiteral("CREATE TRIGGER KAMOKU_PZ_REFUSE FOR KAMOKU_PZ BEFORE UPDATE AS BEGIN "
                                "IF (NEW.KCODE = '6204') THEN EXCEPTION E_REPAIR_TEST; END")});
    core::AccInf.DATATYPE = 1;
    core::AccInf.KISHU = QDate(2026, 4, 1);
    core::AccInf.KAISI = QDate(2026, 10, 1);
    core::AccInf.KAISINO = 7;

    EXPECT_EQ(dbupgrade::RunCompanyStep102(), dbupgrade::kStepScriptError);
    EXPECT_FALSE(core::RequireDM().IBDatabaseDAT.connected());
    // No script was written or run.
    EXPECT_FALSE(QFile::exists(dbupgrade::UpdateScriptFile()));
    EXPECT_FALSE(QFile::exists(dbupgrade::UpdateLogFile()));
    EXPECT_EQ(session.messages.texts(),
              QStringList({QStringLiteral(u"Ver 1.0.2のデータベース更新に失敗しました。(過年度残高の評価と修復)")}));
    EXPECT_EQ(pastBalances(db), QStringLiteral("1110:-1/-1 2205:-1/-1 6204:-1/-1"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1")),
              QStringLiteral("0.1.0"));
}

// Facility 01: journals 1 to 60 (SWKREC = SWKNO = SITREC = n), each a debit and a credit line;
// journal 30 is deleted (DELFLG 1). Facility 02: one journal.
void addJournal(const QString& db)
{
    execute(db, {QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN "
                                "WHILE (I <= 60) DO BEGIN "
                                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, "
                                "HCODE, BCODE, NUK, ZEI) VALUES (2 * :I - 1, :I, :I, :I, IIF(:I = 30, 1, 0), 1, DATE '2026-04-01', "
                                "1, '01', '1110', ' ', ' ', 100, 0); "
                                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, "
                                "HCODE, BCODE, NUK, ZEI) VALUES (2 * :I, :I, :I, :I, IIF(:I = 30, 1, 0), 2, DATE '2026-04-01', "
                                "1, '01', '6204', ' ', ' ', 100, 0); "
                                "I = I + 1; END END"),
                 QStringLiteral("INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE) "
                                "VALUES (121, 61, 61, 1, 0, 1, DATE '2026-04-01', 1, '02', '1110')")});
}

TEST(CompanyStep103Test, JournalMonitorPages)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    // The monitor procedures need only the journal view; run them alone on the base.
    dbupgrade::UpdateScriptFrame frame;
    frame.database = dbupgrade::StepDatabase::Company;
    frame.version = {0, 1, 0};
    dbupgrade::UpdateScript script(frame);
    script.add(dbupgrade::StepSql(QStringLiteral("company/1.0.3-monitor.sql")));
    ASSERT_EQ(dbupgrade::WriteAndRunScript(script), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    addJournal(db);

    struct PageCase {
        const char* call;
        const char* expected; // lines|first SWKREC|last SWKREC|last RECORDCNT
    };
    const PageCase cases[] = {
        // Page size 0 means 50; PSWKREC 0 starts at the facility's last journal.
        {"SP_MONITOR_LISTUP('01', 0, 0, -1, 0, 0, 0, 0)", "50|60|11|50"},
        {"SP_MONITOR_LISTUP('01', 0, 0, -1, 0, 0, 5, 10)", "10|55|46|15"},
        // From journal 40 upward, deleted journals left out.
        {"SP_MONITOR_LISTUP('01', 40, 40, 0, 0, 0, 0, 0)", "39|40|1|39"},
        {"SP_MONITOR_LISTDOWN('01', 25, 25, 0, 0, 0, 0, 10)", "10|25|35|10"},
        {"SP_MONITOR_LISTDOWN('01', 55, 55, -1, 0, 0, 0, 0)", "6|55|60|6"},
        {"SP_MONITOR_LISTUP('02', 0, 0, -1, 0, 0, 0, 0)", "1|61|61|1"},
        {"SP_MONITOR_LISTUP('03', 0, 0, -1, 0, 0, 0, 0)", "0|<null>|<null>|<null>"},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.call);
        const QStringList rows = queryRows(
            db, QStringLiteral("SELECT SWKREC, RECORDCNT, TAISHAKU, KCODE FROM %1").arg(QLatin1String(c.call)));
        QString summary = QString::number(rows.size());
        for (const QString& part :
             {rows.isEmpty() ? QStringLiteral("<null>") : rows.first().section(QLatin1Char('|'), 0, 0),
              rows.isEmpty() ? QStringLiteral("<null>") : rows.last().section(QLatin1Char('|'), 0, 0),
              rows.isEmpty() ? QStringLiteral("<null>") : rows.last().section(QLatin1Char('|'), 1, 1)})
            summary += QLatin1Char('|') + part;
        EXPECT_EQ(summary, QString::fromLatin1(c.expected));
        for (const QString& row : rows)
            EXPECT_TRUE(row.endsWith(QLatin1String("|1|1110"))) << row.toStdString(); // debit lines only
    }
}

TEST(CompanySteps102To105Test, StepsRepairPruneAndRebuildTheTotals)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    const dbupgrade::TDbUpdateList list;
    for (const auto& step : list.DataSteps) {
        if (step.Major == 1 && step.Minor2 == 2)
            break;
        ASSERT_EQ(step.UpdateProc(), dbupgrade::kStepDone) << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    }
    // Converted data with an asset booked to a profit-and-loss account and one on a fixed asset;
    // extra special accounts; a budget and past balance of the blank facility; a journal.
    execute(db, {QStringLiteral("UPDATE ACCDEF1 SET CONVERT = 1"),
                 QStringLiteral("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
                                "VALUES (1, '01', '6204', ' ', NULL, NULL, NULL, NULL)"),
                 QStringLiteral("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
                                "VALUES (2, '01', '1402', ' ', NULL, NULL, NULL, NULL)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '1403', ' ', ' ') "
                                "MATCHING (SCODE, KCODE, HCODE, BCODE)"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1110', '小口現金')"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAKOZAN) VALUES (' ', '1110', ' ', ' ', 5) "
                                "MATCHING (SCODE, KCODE, HCODE, BCODE)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN) VALUES (' ', '1110', "
                                "' ', ' ', 1, 9) MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN) VALUES ('01', '1110', "
                                "' ', ' ', 1, 9) MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)")});
    const QString lowestAsset = queryValue(db, QStringLiteral("SELECT MIN(SZ.KCODE) FROM KAMOKU_SZ SZ JOIN KAMOKUMST K ON "
                                                              "K.KCODE = SZ.KCODE WHERE K.GROUPM0 BETWEEN '1400' AND '1800'"));
    core::AccInf.SITEN = 1;
    for (const core::TVersionTriple version : {core::TVersionTriple{1, 0, 2}, core::TVersionTriple{1, 0, 3},
                                               core::TVersionTriple{1, 0, 5}})
        ASSERT_EQ(dbupgrade::CompanyStepProc(version)(), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();

    // The asset outside the fixed-asset groups moves to the lowest asset account in use.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, KCODE, ISINPSYUTOKIN FROM KS_SISAN ORDER BY REC")),
              QStringList({QStringLiteral("1|") + lowestAsset + QStringLiteral("|1"), QStringLiteral("2|1402|1")}));
    EXPECT_EQ(queryValue(db, QStringLiteral(u"SELECT COUNT(*) FROM ACCDEF2 WHERE KNAME NOT IN ('現金','仮受消費税','仮払消費税',"
                                            "'繰越利益剰余金','諸口','事業主借','事業主貸','元入金')")),
              QStringLiteral("0"));
    // Branch data: the blank facility loses its budget and past-balance marker, facility 01 keeps its own.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT SCODE, CAST(BYOSAN AS INTEGER) FROM KAMOKU_MS WHERE KCODE = '1110' AND "
                                           "MNUM = 1 AND BCODE = ' ' AND HCODE = ' ' ORDER BY SCODE")),
              QStringList({QStringLiteral(" |0"), QStringLiteral("01|9")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT CAST(KAKOZAN AS INTEGER) FROM KAMOKU_SZ WHERE SCODE = ' ' AND KCODE = '1110'")),
              QStringLiteral("0"));
    // The re-totalling procedure counts the valid journal lines.
    execute(db, {QStringLiteral("INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, "
                                "HCODE, BCODE, NUK, ZEI, TAXUH) VALUES (1, 1, 1, 1, 0, 1, DATE '2026-04-01', 1, '01', '1110', "
                                "' ', ' ', 100, 8, 2)")});
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT RPCNT FROM SP_SIWAKE_REPAIR")), QStringLiteral("1"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT CAST(KAR_NUK AS INTEGER) || '|' || CAST(KAR_TAX AS INTEGER) FROM KAMOKU_MS "
                                            "WHERE SCODE = '01' AND KCODE = '1110' AND HCODE = ' ' AND BCODE = ' ' AND MNUM = 1")),
              QStringLiteral("100|8"));
    // Dictionary headings numbered, the corporation's 38 total names with their negative names.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, CREC FROM ORGDIC_1 ORDER BY REC")),
              QStringList({QStringLiteral("1|1"), QStringLiteral("2|2")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || SUM(MODIFY) FROM ACCTOTALNAME")), QStringLiteral("38|5"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT PLUSNAME || '|' || MINUSNAME FROM ACCTOTALNAME WHERE KGROUP = '5900'")),
              QStringLiteral(u"売上総利益|売上総損失"));
}

} // namespace
