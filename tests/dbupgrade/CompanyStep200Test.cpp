// Company step 2.0.0 on bases brought to 1.0.5 through the real isql-fb: the budget-versus-actual
// ratios, budgets by field, the cash-flow suspense row, the customer-index captions of a new
// facility, the journal-book and ledger paging, the carry-forward procedures, and the
// depreciation settings that change for individual data only.

#include "dbupgrade/DbUpdateList.h"
#include "dbupgrade/company/CompanyStep200.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "core/Globals.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

// Runs the company steps up to the one before `version`.
void runStepsBefore(int major, int minor1, int minor2)
{
    const dbupgrade::TDbUpdateList list;
    for (const auto& step : list.DataSteps) {
        if (step.Major == major && step.Minor1 == minor1 && step.Minor2 == minor2)
            return;
        ASSERT_EQ(step.UpdateProc(), dbupgrade::kStepDone) << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    }
}

void runStep200()
{
    ASSERT_EQ(dbupgrade::RunCompanyStep200(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
}

// Journals 1-4 of facility 01 (REC 2g-1 debit, 2g credit): 1 on April 1st; 2 on April 2nd with
// cash on both sides; 3 a closing journal of April 2nd; 4 on April 3rd. The period runs from
// 2026-04-01 to 2027-03-31.
void addJournal(const QString& db)
{
    QStringList statements{QStringLiteral("UPDATE ACCDEF1 SET KISHU = DATE '2026-04-01', KIMATU = DATE '2027-03-31'")};
    struct Journal {
        int no;
        const char* date;
        int kessan;
        const char* credit;
    };
    for (const Journal& j : {Journal{1, "2026-04-01", 0, "6204"}, Journal{2, "2026-04-02", 0, "1110"},
                             Journal{3, "2026-04-02", 1, "6204"}, Journal{4, "2026-04-03", 0, "6204"}})
        for (int side = 1; side <= 2; ++side)
            statements << QStringLiteral("INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, "
                                         "KESSAN, SDAYNUM, SCODE, KCODE, HCODE, BCODE, NUK, ZEI) VALUES (%1, %2, %2, %2, 0, %3, "
                                         "DATE '%4', 1, %5, 1, '01', '%6', ' ', ' ', 100, 0)")
                              .arg(2 * j.no - 2 + side)
                              .arg(j.no)
                              .arg(side)
                              .arg(QLatin1String(j.date))
                              .arg(j.kessan)
                              .arg(side == 1 ? QStringLiteral("1110") : QLatin1String(j.credit));
    execute(db, statements);
}

// The SWKNO (and /TAISHAKU with withSide) of the rows of a list procedure, joined by ",".
QString listed(const QString& db, const QString& call, bool withSide = false)
{
    return queryRows(db, QStringLiteral("SELECT SWKNO%1 FROM %2")
                             .arg(withSide ? QStringLiteral(" || '/' || TAISHAKU") : QString(), call))
        .join(QLatin1Char(','));
}

TEST(CompanyStep200Test, CorporationDataAfterTheStep)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsBefore(2, 0, 0));
    // Comparison ratios on an expense account and an account above the profit-and-loss groups;
    // no suspense row in the cash-flow statement; balances and budgets of one account.
    execute(db, {QStringLiteral("UPDATE KAMOKUMST SET ZEBRIK_BADRATE = 1.1, ZEBRIK_BADKIND = 1, ZEBRIK_GOODRATE = 0.9, "
                                "ZEBRIK_GOODKIND = 0 WHERE KCODE IN ('6204', '8101')"),
                 QStringLiteral("DELETE FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '6204', ' ', ' ') "
                                "MATCHING (SCODE, KCODE, HCODE, BCODE)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '1110', ' ', ' ') "
                                "MATCHING (SCODE, KCODE, HCODE, BCODE)"),
                 QStringLiteral("EXECUTE BLOCK AS DECLARE M INTEGER = 1; BEGIN WHILE (M <= 16) DO BEGIN "
                                "UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM) VALUES ('01', '6204', ' ', "
                                "' ', :M) MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM); M = M + 1; END END")});
    const QString houjinSettings =
        queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2 AND SYOKYAKU1_KCODE = '6204'"));
    addJournal(db);

    ASSERT_NO_FATAL_FAILURE(runStep200());

    // Ratios kept inside the profit-and-loss groups 4000-7000 only.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, COALESCE(ZEBRIK_YOJITU_RATE1, -1), COALESCE(ZEBRIK_YOJITU_KIND1, -1), "
                                           "COALESCE(ZEBRIK_YOJITU_RATE2, -1) FROM KAMOKUMST WHERE KCODE IN ('1110', '6204', "
                                           "'8101') ORDER BY KCODE")),
              QStringList({QStringLiteral("1110|-1|-1|-1"), QStringLiteral("6204|1.1|1|0.9"), QStringLiteral("8101|-1|-1|-1")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKUMST WHERE (GROUPM0 < '4000' OR GROUPM0 > '7000') AND "
                                            "ZEBRIK_YOJITU_RATE1 IS NOT NULL")),
              QStringLiteral("0"));
    // Monthly budgets 10 become a running total over the sixteen periods.
    execute(db, {QStringLiteral("EXECUTE PROCEDURE SP_UPDATE_YOSAN(0, 1, '01', '6204', ' ', '', 10, 10, 10, 10, 10, 10, 10, "
                                "10, 10, 10, 10, 10)")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT CAST(BYOSAN AS INTEGER) FROM KAMOKU_MS WHERE SCODE = '01' AND KCODE = "
                                           "'6204' AND HCODE = ' ' AND BCODE = ' ' AND MNUM BETWEEN 1 AND 16 ORDER BY MNUM"))
                  .join(QLatin1Char(',')),
              QStringLiteral("10,20,30,30,40,50,60,60,70,80,90,90,100,110,120,120"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT YOSAN01 || '|' || YOSAN04 || '|' || YOSAN12 FROM SP_YOSAN_READ(0, '01', "
                                            "' ') WHERE KCODE = '6204'")),
              QStringLiteral("10.0000|40.0000|120.0000"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT (SELECT TNUM FROM SP_CONVERT_12TO16(3)) || ',' || (SELECT TNUM FROM "
                                            "SP_CONVERT_12TO16(4)) || ',' || (SELECT TNUM FROM SP_CONVERT_12TO16(12)) || ',' || "
                                            "(SELECT TNUM FROM SP_CONVERT_12TO16(13)) FROM RDB$DATABASE")),
              QStringLiteral("3,5,15,13"));
    // A general corporation's cash-flow statement gets its suspense row.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'")),
              QStringLiteral("1"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, OCTET_LENGTH(MEISHOU) FROM ZEBRIK_YOJITUHENDOU ORDER BY REC")).join(
                  QLatin1Char(',')),
              QStringLiteral("1|8,2|8,3|8,4|8,5|8"));
    // Depreciation settings of a corporation untouched.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2 AND SYOKYAKU1_KCODE = '6204'")),
              houjinSettings);

    // A new facility gets the customer-index captions, blanks at 18, 20, 30, 38, 40 and 50.
    execute(db, {QStringLiteral(u"INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('09', '倉庫', 0)")});
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || LIST(TEXT, '') FROM (SELECT TEXT FROM TORDICTI WHERE "
                                            "SCODE = '09' ORDER BY SORTCODE)")),
              QStringLiteral(u"50|あかさたなはまやらわいきしちにひみ　り　うくすつぬふむゆる　えけせてねへめ　れ　おこそとのほもよろ　"));

    // Journal book: an end before the start lists from the period start; settlement lines come
    // after the ordinary lines of their day only when asked for.
    EXPECT_EQ(listed(db, QStringLiteral("SP_SIWAKE_LISTUP('01', 0, DATE '2026-04-02', DATE '2026-04-01', 0, -1, 0, 0)")),
              QStringLiteral("1"));
    EXPECT_EQ(listed(db, QStringLiteral("SP_SIWAKE_LISTUP('01', 1, DATE '2026-04-01', DATE '2026-04-02', 0, -1, 0, 0)")),
              QStringLiteral("3,2,1"));
    EXPECT_EQ(listed(db, QStringLiteral("SP_SIWAKE_LISTUP('01', 0, DATE '2026-04-01', DATE '2026-04-02', 0, -1, 0, 0)")),
              QStringLiteral("2,1"));
    EXPECT_EQ(listed(db, QStringLiteral("SP_SIWAKE_LISTDOWN('01', 0, DATE '2026-04-02', DATE '2026-04-01', 0, -1, 0, 0)")),
              QStringLiteral("2,3,4"));
    EXPECT_EQ(listed(db, QStringLiteral("SP_SIWAKE_LISTDOWN('01', 1, DATE '2026-04-02', DATE '2027-03-31', 0, 0, 0, 2)")),
              QStringLiteral("3,4"));
    EXPECT_EQ(listed(db, QStringLiteral("SP_SIWAKE_LISTIN('01', 1, DATE '2026-04-01', DATE '2026-04-30', 0, 0, 0, 0)")),
              QStringLiteral("3"));
    // Ledger of cash: a page that ended inside journal 2 resumes at its credit side.
    EXPECT_EQ(listed(db,
                     QStringLiteral("SP_MOTOCHO_LISTDOWN(0, '01', '1110', '', '', 0, DATE '2026-04-02', DATE '2027-03-31', "
                                    "2, 2, 0, 0, 0)"),
                     true),
              QStringLiteral("2/2,3/1,4/1"));
    EXPECT_EQ(listed(db,
                     QStringLiteral("SP_MOTOCHO_LISTUP(0, '01', '1110', '', '', 0, DATE '2026-04-01', DATE '2026-04-02', "
                                    "2, 1, 0, 0, 0)"),
                     true),
              QStringLiteral("2/1,1/1"));
    // Journal monitor in entry order from the facility's last journal.
    EXPECT_EQ(listed(db, QStringLiteral("SP_MONITOR_LISTUP_ENTRYORDER('01', 0, 0, -1, 0, 0, 1, 0)")), QStringLiteral("3,2,1"));

    // The budget-versus-actual statements (cost account 5606): the facility's blank department,
    // and department 01 with half the common department's period 1 shared out.
    execute(db, {QStringLiteral("UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, RYOSAN) VALUES "
                                "('01', '5606', ' ', ' ', 1, 70, 80) MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK) VALUES "
                                "('01', '5606', ' ', '00', 1, 41) MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK) VALUES "
                                "('01', '5606', ' ', '01', 1, 10) MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM)"),
                 QStringLiteral("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, HAIBUN01) VALUES "
                                "('01', '5606', ' ', '01', 50) MATCHING (SCODE, KCODE, HCODE, BCODE)"),
                 QStringLiteral("INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '1100', 1, '')"),
                 QStringLiteral("UPDATE KAMOKUMST SET EXT1_KS = 1 WHERE KCODE = '1110'")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, HCODE, HOJCNT, CAST(KAR01 AS INTEGER), CAST(YOSAN01 AS INTEGER) "
                                           "FROM SP_YOJITU_HENDOU_SONEKI(0, '01', '') WHERE KCODE = '5606'")),
              QStringList({QStringLiteral("5606||0|70|80")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, CAST(KAR01 AS INTEGER) FROM SP_YOJITU_HENDOUSONEKI_BUMON(0, 1, '01', "
                                           "'01') WHERE KCODE = '5606'")),
              QStringList({QStringLiteral("5606|31")}));
    // The settlement balance by its layout row: the row's empty name takes the account's.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT MSTREC, KNAME FROM SP_SISANHYO_KESSAN(0)")),
              QStringList({QStringLiteral(u"1|現金")}));
    EXPECT_EQ(listed(db, QStringLiteral("SP_MONITOR_LISTUP('01', 3, 3, -1, 0, 0, 0, 0)")), QStringLiteral("3,2,1"));
    EXPECT_EQ(listed(db, QStringLiteral("SP_MONITOR_LISTDOWN('01', 2, 2, -1, 0, 0, 0, 0)")), QStringLiteral("2,3,4"));

    // Carry-forward: periods 17-19 always 0; profit-and-loss openings rolled to 0.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || SUM(KAR17 + KAR18 + KAR19 + KAS17 + KAS18 + KAS19) FROM "
                                            "SP_KURIKOSIZANDAKA(0, '01') WHERE KCODE = '6204' AND HCODE = ' ' AND BCODE = ' '")),
              QStringLiteral("1|0.0000"));
    execute(db, {QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 50 WHERE SCODE = '01' AND KCODE IN ('1110', '6204') AND "
                                "HCODE = ' ' AND BCODE = ' '"),
                 QStringLiteral("DELETE FROM KAMOKU_MS WHERE SCODE = '01' AND KCODE = '1110' AND HCODE = ' ' AND BCODE = ' '"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAS_NUK) VALUES ('01', '1110', "
                                "' ', ' ', 1, 30, 5)")});
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT SIGN(BCOUNT) || '|' || SIGN(PCOUNT) FROM SP_SETHOJOKAISIZAN(0)")),
              QStringLiteral("1|1"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, CAST(KAISIZAN AS INTEGER) FROM KAMOKU_SZ WHERE SCODE = '01' AND KCODE "
                                           "IN ('1110', '6204') AND HCODE = ' ' AND BCODE = ' ' ORDER BY KCODE")),
              QStringList({QStringLiteral("1110|75"), QStringLiteral("6204|0")}));
}

TEST(CompanyStep200Test, IndividualDepreciationSettingsBookTo6202)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::KojinFudousan);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsBefore(2, 0, 0));
    execute(db, {QStringLiteral("UPDATE KS_SETSWK_INIT SET GSKEIJYO = 1, SYOKYAKU1_KCODE = '6204' WHERE ACCGROUP = 2"),
                 QStringLiteral("DELETE FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'")});

    ASSERT_NO_FATAL_FAILURE(runStep200());

    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT SIGN(COUNT(*)) || '|' || SUM(GSKEIJYO) || '|' || MIN(SYOKYAKU1_KCODE) || "
                                            "'|' || MAX(SYOKYAKU1_KCODE) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2")),
              QStringLiteral("1|0|6202|6202"));
    // Only a general corporation gets the cash-flow suspense row.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999'")),
              QStringLiteral("0"));
}

} // namespace
