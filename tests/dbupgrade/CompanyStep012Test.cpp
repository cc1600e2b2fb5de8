// Company steps 0.1.2 and 0.1.3 on a 法人 base through the real isql-fb: the reconciliation
// statement's procedures on a small journal, and the rebuilt audit tables.

#include "dbupgrade/company/CompanyStep012.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

// Account 1110 (debit side): lines 1 to 60, two a day from 2026-04-01 (SWKNO = line, debit,
// 100 each), and line 61, a closing line on 2026-04-30. Line 7 is marked as reconciled.
void addJournal(const QString& db)
{
    execute(db, {QStringLiteral("UPDATE ACCDEF1 SET KISHU = DATE '2026-04-01' WHERE REC = 1"),
                 QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN "
                                "WHILE (I <= 61) DO BEGIN "
                                "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, "
                                "SCODE, KCODE, HCODE, BCODE, NUK, ZEI) VALUES (:I, :I, :I, 0, 1, "
                                "IIF(:I = 61, DATE '2026-04-30', DATE '2026-04-01' + (:I - 1) / 2), 1, IIF(:I = 61, 1, 0), "
                                "MOD(:I - 1, 2) + 1, '01', '1110', ' ', ' ', 100, 0); "
                                "I = I + 1; END END"),
                 QStringLiteral("UPDATE SIWAKE SET FUSEN2 = 1 WHERE REC = 7")});
}

QString listCall(const QString& proc, const QString& from, const QString& to, int kessan, int swkno, int taishaku,
                 int offset, int limit)
{
    return QStringLiteral("%1(0, '', '1110', '', '', 1, %2, DATE '%3', DATE '%4', %5, %6, 0, %7, %8)")
        .arg(proc)
        .arg(kessan)
        .arg(from, to)
        .arg(swkno)
        .arg(taishaku)
        .arg(offset)
        .arg(limit);
}

TEST(CompanyStep012Test, ReconciliationProceduresPageAndSumTheJournal)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    ASSERT_EQ(dbupgrade::RunCompanyStep012(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    addJournal(db);

    struct ListCase {
        const char* name;
        QString call;
        QString expected; // count|first count|first SWKNO|last SWKNO
    };
    const QString up = QStringLiteral("SP_TOUZACHOSEIHYO_LISTUP");
    const QString down = QStringLiteral("SP_TOUZACHOSEIHYO_LISTDOWN");
    const std::vector<ListCase> cases = {
        {"limit 0 means 50", listCall(up, "2026-04-01", "2026-04-30", 0, 0, 0, 0, 0), "50|1|60|11"},
        {"ten after offset 5", listCall(up, "2026-04-01", "2026-04-30", 0, 0, 0, 5, 10), "10|6|55|46"},
        {"closing line after the day's lines", listCall(up, "2026-04-01", "2026-04-30", 1, 0, 0, 0, 3), "3|1|61|59"},
        {"end before start searches from the year's start", listCall(up, "2026-04-20", "2026-04-10", 0, 0, 0, 0, 100),
         "20|1|20|1"},
        {"up from a line's debit side", listCall(up, "2026-04-01", "2026-04-15", 0, 30, 1, 0, 100), "30|1|30|1"},
        {"up from before a line", listCall(up, "2026-04-01", "2026-04-15", 0, 30, 0, 0, 100), "29|1|29|1"},
        {"down from a line", listCall(down, "2026-04-15", "2026-04-30", 0, 30, 1, 0, 100), "32|1|30|61"},
        {"reconciliation list skips flagged lines", listCall(up, "2026-04-01", "2026-04-30", 0, 0, 0, 0, 100).replace(
                                                         QStringLiteral("(0, "), QStringLiteral("(1, ")),
         "59|1|60|1"},
        {"unknown kind returns nothing", listCall(up, "2026-04-01", "2026-04-30", 0, 0, 0, 0, 100).replace(
                                             QStringLiteral("(0, "), QStringLiteral("(2, ")),
         "<null>"},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString sql = QStringLiteral("SELECT COUNT(*) || '|' || MIN(RECORDCNT) || '|' || "
                                           "(SELECT FIRST 1 SWKNO FROM %1) || '|' || "
                                           "(SELECT FIRST 1 SWKNO FROM %1 ORDER BY RECORDCNT DESC) FROM %1")
                                .arg(c.call);
        EXPECT_EQ(queryValue(db, sql), c.expected);
    }

    struct BalanceCase {
        const char* name;
        int calcType;
        int swkrec;
        QString expected;
    };
    // Every line is a debit of 100 on a debit account, counted reversed: each lowers the balance.
    const std::vector<BalanceCase> balances = {
        {"record no line has: all lines up to the date", 0, 999, "8000"},
        {"stops before the given line", 0, 6, "9500"},
        {"whole months", 1, 0, "3900"},
        {"unknown calculation", 2, 0, "10000"},
    };
    for (const BalanceCase& b : balances) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(queryValue(db, QStringLiteral("SELECT CAST(ZANDAKA AS INTEGER) FROM SP_TOUZACHOSEIHYO_ZENZAN(0, %1, '', "
                                                "'1110', '', '', 0, 1, DATE '2026-04-10', 0, 1, %2, 1, 10000)")
                                     .arg(b.calcType)
                                     .arg(b.swkrec)),
                  b.expected);
    }
}

TEST(CompanyStep012Test, AuditTablesRebuiltAndOnlyTheMissingColumnGroupAdded)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    execute(db, {QStringLiteral("ALTER TABLE ACCDEF1 ADD SDAI_HASUU3 INTEGER DEFAULT 0"),
                 QStringLiteral("UPDATE ACCDEF1 SET SDAI_HASUU3 = 2 WHERE REC = 1")});

    ASSERT_EQ(dbupgrade::RunCompanyStep013(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT SDAI_HASUU3 || '|' || KESSAN_KIKAN || '|' || CASHFLOW_KIKAN1 FROM ACCDEF1")),
              QStringLiteral("2|-1|-1"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, TITLE, JIMUSHO FROM KANSA")), QStringList({QStringLiteral(u"1|監査報告書|")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, TEXT, PRINT, KENSAKU, SWK_KENSAKU FROM KANSA_ITEM")),
              QStringList({QStringLiteral(u"1|現・預金の残高確認|0|0|<null>")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME = "
                                            "'KANSA_ITEM' AND RDB$CONSTRAINT_TYPE = 'FOREIGN KEY'")),
              QStringLiteral("8"));
}

} // namespace
