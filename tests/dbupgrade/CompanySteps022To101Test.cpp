// Company steps 0.2.2, 0.3.1, 0.3.3, 1.0.0 and 1.0.1 on 法人 and 個人 bases through the real isql-fb: the defaults it
// resets, the top-level group with the account view, the branch settings chosen by the new
// group, and the breakdown statement tables with their default rows, account references and
// computed totals.

#include "dbupgrade/company/CompanyStep022.h"
#include "dbupgrade/company/CompanyStep030.h"
#include "dbupgrade/company/CompanyStep033.h"
#include "dbupgrade/company/CompanySteps.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

// Runs the company steps 0.1.1 to 0.2.1 on the installed base.
void runStepsTo021()
{
    for (const core::TVersionTriple version : {core::TVersionTriple{0, 1, 1}, core::TVersionTriple{0, 1, 2},
                                               core::TVersionTriple{0, 1, 3}, core::TVersionTriple{0, 1, 4},
                                               core::TVersionTriple{0, 1, 5}, core::TVersionTriple{0, 2, 0},
                                               core::TVersionTriple{0, 2, 1}})
        ASSERT_EQ(dbupgrade::CompanyStepProc(version)(), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
}

void runStep022()
{
    ASSERT_EQ(dbupgrade::RunCompanyStep022(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
}

TEST(CompanyStep022Test, ResetsDefaultsAndAddsTheTopLevelGroup)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsTo021());
    execute(db, {QStringLiteral("INSERT INTO CHARTINF (OPCODE, BAKCOL) VALUES (5, 0)"),
                 QStringLiteral("INSERT INTO AO_SINKOKU (REC) VALUES (1)"),
                 QStringLiteral("INSERT INTO AO_RISI (REC, RISI) VALUES (9, 100)"),
                 QStringLiteral("UPDATE KS_SETSWK SET TEKIYO = 'x'"),
                 QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) "
                                "VALUES ('1990', '1990', '1900', '投資その他', 1, 1, 'B')"),
                 QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) "
                                "VALUES ('2301', '2301', '2300', '繰越利益剰余金', 1, 3, 'B')"),
                 QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) "
                                "VALUES ('9999', '9999', '9999', '諸口', 1, 1, 'B')"),
                 QStringLiteral(u"INSERT INTO HOJOMST (KCODE, HCODE, REC, HNAME, BPFLG) VALUES ('2205', '01', 1, '甲銀行', 'B')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2301', '繰越利益剰余金')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('9999', '諸口')"),
                 QStringLiteral("DELETE FROM KAMOKU_SZ")});
    const QString settingsBefore = queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK"));

    ASSERT_NO_FATAL_FAILURE(runStep022());

    // Chart settings gone; a new row takes the default colours.
    execute(db, {QStringLiteral("INSERT INTO CHARTINF (OPCODE) VALUES (1)")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT OPCODE, BAKCOL, FORCOL, GRID, FONTSIZE, ECOL1, ECOL2, ECOL3, ECOL4, "
                                           "THREE_D, HANREI FROM CHARTINF")),
              QStringList({QStringLiteral("1|16777215|0|3|2|16711680|65535|255|16776960|20|1")}));
    // The 70 defaults numbered afresh, and the branch settings rebuilt from them.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MIN(REC) || '|' || MAX(REC) || '|' || "
                                            "SUM(IIF(ACCGROUP = 1, 1, 0)) || '|' || SUM(IIF(KCODE IS NULL, 1, 0)) "
                                            "FROM KS_SETSWK_INIT")),
              QStringLiteral("70|1|70|35|8"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MIN(REC) || '|' || SUM(IIF(TEKIYO = 'x', 1, 0)) "
                                            "FROM KS_SETSWK")),
              settingsBefore + QStringLiteral("|1|0"));
    // Blue-return tables.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, TEGAKI FROM AO_SINKOKU")), QStringList({QStringLiteral("1|0")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, COALESCE(RISI, 0) FROM AO_RISI ORDER BY REC")),
              QStringList({QStringLiteral("1|0"), QStringLiteral("2|0")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = "
                                            "'AO_FUDOUSAN' AND RDB$FIELD_NAME IN ('KAISI_YY', 'SHUURYOU_MM')")),
              QStringLiteral("2"));
    // Every account's top-level group is its GROUPM1; the view has 15 columns, GROUPM0 third.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 IS DISTINCT FROM GROUPM1")),
              QStringLiteral("0"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MAX(IIF(RDB$FIELD_POSITION = 2, "
                                            "TRIM(RDB$FIELD_NAME), '')) FROM RDB$RELATION_FIELDS WHERE "
                                            "RDB$RELATION_NAME = 'KAMOKU_VIEW'")),
              QStringLiteral("15|GROUPM0"));

    // Opening balances of branch 01 (departments) and 02 (none).
    execute(db, {QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '1110', ' ', '00', 100)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '1110', ' ', '01', 20)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '2205', ' ', '00', 0)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '2205', '01', '00', 300)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '2205', '01', '01', 4)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '9999', ' ', '00', 7)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '1110', ' ', ' ', 1000)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '1401', ' ', ' ', 500)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '2205', ' ', ' ', 600)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '6204', ' ', ' ', 80)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '2301', ' ', ' ', 1)")});
    // The suspense account is left out; 2205 has two rows in "00", so only its sub-account shows.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KGROUP, KCODE, HCODE, KAISIZAN || '/' || BUMONZAN FROM "
                                           "SP_KAISIZAN_LIST('01', '')")),
              QStringList({QStringLiteral("1100|1110| |120.0000/20.0000"), QStringLiteral("2200|2205|01|304.0000/4.0000")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT RECCOUNT FROM SP_KAISIZAN_COUNT('01', '')")), QStringLiteral("2"));
    // In "00": 1110, 2205's sub-account and the suspense account (the count keeps it).
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT RECCOUNT FROM SP_BUMONKAISIZAN_COUNT('01')")), QStringLiteral("3"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT BCODE, KCODE, HCODE, HCNT, KAISIZAN || '/' || BUMGOUKEI FROM "
                                           "SP_BUMONKAISIZAN_LIST('01') WHERE KCODE = '2205'")),
              QStringList({QStringLiteral("00|2205| |2|0.0000/0.0000"), QStringLiteral("00|2205|01|0|300.0000/304.0000"),
                           QStringLiteral("01|2205|01|0|4.0000/304.0000")}));
    // Retained earnings = debit 1000 + 500 less credit 600; profit-and-loss accounts do not count.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT BCODE, KAISIZAN FROM SP_ZENKURI('02', '')")),
              QStringList({QStringLiteral(" |900")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT KAISIZAN FROM KAMOKU_SZ WHERE SCODE = '02' AND KCODE = '2301'")),
              QStringLiteral("900"));
    // Individual data: no row and nothing written.
    execute(db, {QStringLiteral("UPDATE ACCDEF1 SET DATATYPE = 2"),
                 QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 1 WHERE SCODE = '02' AND KCODE = '2301'")});
    EXPECT_TRUE(queryRows(db, QStringLiteral("SELECT BCODE FROM SP_ZENKURI('02', '')")).isEmpty());
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT KAISIZAN FROM KAMOKU_SZ WHERE SCODE = '02' AND KCODE = '2301'")),
              QStringLiteral("1"));

    // Budgets: the adjustment periods 4, 8, 12 and 16 are skipped; a blank department sums all.
    execute(db, {QStringLiteral("DELETE FROM KAMOKU_MS"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN, BYOSOKU) VALUES ('01', '6204', ' ', '00', 1, 10, 1)"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN, BYOSOKU) VALUES ('01', '6204', ' ', '01', 1, 20, 2)"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN, BYOSOKU) VALUES ('01', '6204', ' ', '01', 4, 99, 99)"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, BYOSAN, BYOSOKU) VALUES ('01', '6204', ' ', '01', 15, 300, 3)")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KGROUP, KCODE, BCODE, T_YOSAN1, T_YOSAN3, T_YOSAN4, T_YOSAN12 FROM "
                                           "SP_MB_SELECT_YOSAN('01', ' ')")),
              QStringList({QStringLiteral("5600|5606||0|0|0|0"), QStringLiteral("6200|6202||0|0|0|0"),
                           QStringLiteral("6200|6204||30|0|0|300"),
                           QStringLiteral("8100|8101||0|0|0|0"), QStringLiteral("8200|8201||0|0|0|0"),
                           QStringLiteral("8200|8202||0|0|0|0")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT BCODE, BNAME, T_YOSOKU1, T_YOSOKU12 FROM SP_MB_SELECT_YOSOKU('01', '01') "
                                           "WHERE KCODE = '6204'")),
              QStringList({QStringLiteral(u"01|営業部|2|3")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KGROUP, HCODE, TAISHAKU, YOSAN01, YOSAN04, YOSAN12 FROM "
                                           "SP_YOSAN_READ('01', '01') WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("6200| |1|20|0|300")}));

    // Prior-year balances: only month numbers before the start period (KAISINO 4 -> period 5);
    // the common department is allocated by the department's rate, halves rounded up.
    execute(db, {QStringLiteral("UPDATE ACCDEF1 SET KAISINO = 4"),
                 QStringLiteral("DELETE FROM KAMOKU_PZ"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU) VALUES ('01', '6204', ' ', '01', -32, 5, 1)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU) VALUES ('01', '6204', ' ', '01', 4, 40, 4)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU) VALUES ('01', '6204', ' ', '01', 5, 50, 5)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU, HAIBUN) VALUES ('01', '6204', ' ', '01', 15, 0, 0, 25)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU, HAIBUN) VALUES ('01', '6204', ' ', '01', -1, 0, 0, 50)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU) VALUES ('01', '6204', ' ', '00', -1, 7, 0)"),
                 QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '01')")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KGROUP, BSPL, TAISHAKU, ZANM32, ZANM01, ZANP04, ZANP05 FROM "
                                           "SP_KANENDOZAN_YOMIKOMI('01', '01') WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("6200|P|1|5|0|40|0")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT ZANM32, ZANM01, ZANP04, YOSAN01, YOSAN15 FROM "
                                           "SP_KANENDO_BUMON_ZANDAKA('01', '01', 1) WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("5|4|40|20|300")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT ZANM01, ZANP04 FROM SP_KANENDO_BUMON_ZANDAKA('01', '01', 0) WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("0|40")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT ZANM01, YOSAN01 FROM SP_KANENDO_ZANDAKA('') WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("7|30")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT ZANM32, YOSAN01 FROM SP_KANENDO_BUMON_GROUPZANDAKA('01', 'G1') WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("5|20")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT DAC, ZZZ_ZAN16, Z_ZAN15, T_ZAN4, T_ZAN5 FROM SP_MB_SELECT_KANENDOZAN('01', ' ', 0) "
                                           "WHERE KCODE = '6204'")),
              QStringList({QStringLiteral("1|6|7|44|55")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT BNAME, ZZZ_ZAN16, Z_ZAN15 FROM SP_MB_SELECT_KANENDOZAN('01', '01', 1) "
                                           "WHERE KCODE = '6204'")),
              QStringList({QStringLiteral(u"営業部|5|0")}));

    // Month 4 of the budget is period 5: last year's balance of period 5 (-11) less that of 4 (-12).
    execute(db, {QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES ('01', '8101', ' ', '01', -12, 10)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES ('01', '8101', ' ', '01', -11, 25.5)"),
                 QStringLiteral("EXECUTE PROCEDURE SP_MB_UPDATE_JISSEKIYOSAN('01', '8101', '01', 2, 4, 4)")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT MNUM, BYOSAN FROM KAMOKU_MS WHERE KCODE = '8101' AND BCODE = '01'")),
              QStringList({QStringLiteral("5|31")}));

    // Departmental trial balance: the account row sums its sub-accounts, then one row each;
    // net amounts leave the tax out, the common department is allocated by the period's rate.
    execute(db, {QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAS_NUK) VALUES ('01', '2205', '01', '01', 2, 100, 10, 3)"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAS_NUK) VALUES ('01', '2205', ' ', '01', 2, 1000, 0, 0)"),
                 QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAS_NUK) VALUES ('01', '2205', '01', '00', 2, 50, 0, 0)"),
                 QStringLiteral("UPDATE KAMOKU_SZ SET HAIBUN02 = 25 WHERE SCODE = '01' AND KCODE = '2205' AND HCODE = '01' AND BCODE = '01'")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT GROUPM1, HOJCNT, HCODE, HNAME, KAISIZAN, KAR02, KAS02 FROM "
                                           "SP_SISANHYO_BUMON(0, 0, '01', '01') WHERE KCODE = '2205'")),
              QStringList({QStringLiteral("2200|1|||4|1110|3"), QStringLiteral(u"2200|1|01|甲銀行|4|110|3")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT HCODE, KAR02 FROM SP_SISANHYO_BUMON(1, 1, '01', '01') WHERE KCODE = '2205'")),
              QStringList({QStringLiteral("|1113"), QStringLiteral("01|113")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT HCODE, KAR02 FROM SP_SISANHYO_BUMON_GROUP(1, '01', 'G1') WHERE KCODE = '2205'")),
              QStringList({QStringLiteral("|1100"), QStringLiteral("01|100")}));

    // A fixed-asset group given by GROUPM0 alone now brings the account its branch settings.
    execute(db, {QStringLiteral("UPDATE KAMOKUMST SET GROUPM0 = '1500' WHERE KCODE = '1990'"),
                 QStringLiteral("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('02')")});
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK WHERE KCODE = '1990' AND SCODE = '02'")),
              QStringLiteral("1"));
}

class BreakdownTablesTest : public testing::Test {
protected:
    void SetUp() override
    {
        session_.installCompanyBase(CompanyKind::Houjin);
        db_ = session_.companyFile();
        ASSERT_NO_FATAL_FAILURE(runStepsTo021());
        ASSERT_NO_FATAL_FAILURE(runStep022());
    }

    UpgradeSession session_;
    QString db_;
};

TEST_F(BreakdownTablesTest, OnlyTheSettingsTablesHoldRows)
{
    const QStringList counts = queryRows(
        db_, QStringLiteral("SELECT TRIM(R.RDB$RELATION_NAME) FROM RDB$RELATIONS R WHERE R.RDB$RELATION_NAME STARTING WITH "
                            "'UTIWAKE' ORDER BY 1"));
    ASSERT_EQ(counts.size(), 27);
    QStringList filled;
    for (const QString& table : counts) {
        const QString rows = queryValue(db_, QStringLiteral("SELECT COUNT(*) FROM ") + table);
        if (rows != QStringLiteral("0"))
            filled << table + QLatin1Char('=') + rows;
    }
    EXPECT_EQ(filled, QStringList({QStringLiteral("UTIWAKE05_INI=1"), QStringLiteral("UTIWAKE09B=4"),
                                   QStringLiteral("UTIWAKE10B=12"), QStringLiteral("UTIWAKE14B=1"),
                                   QStringLiteral("UTIWAKE17_TITLE=1")}));
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT TEGAKI || '|' || SOUGAKU_KEI || '|' || KAZOKU_KEI FROM UTIWAKE14B")),
              QStringLiteral("0|0.0000|0.0000"));
}

TEST_F(BreakdownTablesTest, AccountLinesFollowTheirSubAccount)
{
    execute(db_, {QStringLiteral(u"INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1110', '07', '取引先甲')"),
                  QStringLiteral(u"INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1110', '08', '取引先乙')"),
                  QStringLiteral("INSERT INTO UTIWAKE03 (REC, KCODE, HCODE) VALUES (1, '1110', '07')"),
                  QStringLiteral("INSERT INTO UTIWAKE03 (REC, KCODE, HCODE) VALUES (2, '1110', '08')"),
                  QStringLiteral("UPDATE HOJOMST SET HCODE = '17' WHERE KCODE = '1110' AND HCODE = '07'"),
                  QStringLiteral("DELETE FROM HOJOMST WHERE KCODE = '1110' AND HCODE = '08'")});
    EXPECT_EQ(queryRows(db_, QStringLiteral("SELECT REC, COALESCE(KCODE, 'null'), COALESCE(HCODE, 'null') FROM UTIWAKE03 "
                                            "ORDER BY REC")),
              QStringList({QStringLiteral("1|1110|17"), QStringLiteral("2|null|null")}));
}

TEST_F(BreakdownTablesTest, ComputedTotalsAndTheThreeCharacterSaleMonth)
{
    execute(db_, {QStringLiteral("INSERT INTO UTIWAKE14 (REC, SIYOUNIN, TEIKIDOUGAKU, JIZENTODOKE, RIEKIRENDOU, SONOTA, "
                                 "TAISYOKU) VALUES (1, 1, 20, 300, 4000, 50000, 600000)"),
                  QStringLiteral("INSERT INTO UTIWAKE12 (REC, URIAGE_MM, URIAGE, TESURYO) VALUES (1, '12A', 1000, 25)")});
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT GOUKEI || '' FROM UTIWAKE14")), QStringLiteral("54321.0000"));
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT URIAGE_MM || '|' || GOUKEI FROM UTIWAKE12")), QStringLiteral("12A|1025.0000"));
}

TEST(CompanyStep031Test, PastBalanceMarkAndGroupBalancesOfTheUsedAccounts)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsTo021());
    ASSERT_NO_FATAL_FAILURE(runStep022());
    ASSERT_EQ(dbupgrade::RunCompanyStep030(), dbupgrade::kStepDone);
    ASSERT_EQ(dbupgrade::RunCompanyStep031(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    execute(db, {QStringLiteral("DELETE FROM KAMOKU_SZ"), QStringLiteral("DELETE FROM KAMOKU_PZ"),
                 QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '01')"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAKOZAN) VALUES ('01', '6204', ' ', '01', 9)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '8101', ' ', '00')"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES ('01', '6204', ' ', '01', -32, 0)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES ('01', '6204', ' ', '01', -5, 0)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN) VALUES ('01', '6204', ' ', '01', 15, 0)")});

    // The mark is the largest non-zero balance outside -32, or 0 when none is left.
    struct Case {
        const char* update;
        const char* kakozan;
    };
    const std::vector<Case> cases = {
        {"UPDATE KAMOKU_PZ SET NUKIZAN = 500 WHERE MNUM = -32", "0"}, // -32 does not count
        {"UPDATE KAMOKU_PZ SET NUKIZAN = 30 WHERE MNUM = -5", "30"},
        {"UPDATE KAMOKU_PZ SET NUKIZAN = 70 WHERE MNUM = 15", "70"},
        {"UPDATE KAMOKU_PZ SET NUKIZAN = 0 WHERE MNUM IN (-5, 15)", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.update);
        execute(db, {QString::fromLatin1(c.update)});
        EXPECT_EQ(queryValue(db, QStringLiteral("SELECT KAKOZAN FROM KAMOKU_SZ WHERE KCODE = '6204'")), QString::fromLatin1(c.kakozan));
    }

    // Only accounts the group's departments use, with every period's balance.
    execute(db, {QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN = 12 WHERE MNUM = 15")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, ZANM32, ZANP15 FROM SP_KANENDO_BUMON_GROUPZANDAKA('01', 'G1')")),
              QStringList({QStringLiteral("6204|500|12")}));
}

// Runs the steps after 0.2.1 up to 0.3.3.
void runSteps022To033()
{
    ASSERT_NO_FATAL_FAILURE(runStep022());
    for (auto run : {dbupgrade::RunCompanyStep030, dbupgrade::RunCompanyStep031, dbupgrade::RunCompanyStep032,
                     dbupgrade::RunCompanyStep033})
        ASSERT_EQ(run(), dbupgrade::kStepDone) << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
}

TEST(CompanyStep033Test, CorporationGetsSetAAndKeepsTheReadings)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    core::AccInf.CODETYPE = 3; // a corporation gets set A whatever its code kind
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsTo021());
    execute(db, {QStringLiteral("UPDATE KAMOKUMST SET KKANA = 'ｹﾞﾝｷﾝ' WHERE KCODE = '1110'")});
    ASSERT_NO_FATAL_FAILURE(runSteps022To033());
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, KKANA, ZEBRIK_BADRATE, ZEBRIK_BADKIND, ZEBRIK_GOODRATE, ZEBRIK_GOODKIND "
                                           "FROM KAMOKUMST WHERE KCODE IN ('1110', '2205', '6204', '8101', '8201') ORDER BY KCODE")),
              QStringList({QStringLiteral(u"1110|ｹﾞﾝｷﾝ|0.95|0|1.05|1"), QStringLiteral("2205||1.05|1|0.95|0"),
                           QStringLiteral("6204||1.05|1|0.95|0"), QStringLiteral("8101||0.95|0|1.05|1"),
                           QStringLiteral("8201||1.05|1|0.95|0")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MEISHOU FROM ZEBRIK_HIKAKU WHERE REC = 31")), QStringLiteral(u"一人当たりに人件費"));
    EXPECT_TRUE(queryRows(db, QStringLiteral("SELECT BCODE FROM SP_MOTOIREKIN_KURIIRE('02')")).isEmpty());
}

TEST(CompanyStep033Test, ClinicGetsNoRatiosAndCarriesTheCapital)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::KojinFudousan);
    core::AccInf.CODETYPE = 3; // クリニック
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsTo021());
    ASSERT_NO_FATAL_FAILURE(runSteps022To033());
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KAMOKUMST WHERE ZEBRIK_BADRATE IS NOT NULL OR ZEBRIK_BADKIND <> 0 "
                                            "OR ZEBRIK_GOODRATE IS NOT NULL OR ZEBRIK_GOODKIND <> 0")),
              QStringLiteral("0"));

    // Capital 400 + (debit 1100 - credit 750) + owner's borrowing 50 - owner's drawing 100.
    execute(db, {QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) VALUES ('3101', '3101', '3100', '元入金', 1, 3, 'B')"),
                 QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) VALUES ('1901', '1901', '1900', '事業主貸', 1, 1, 'B')"),
                 QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) VALUES ('2901', '2901', '2900', '事業主借', 1, 2, 'B')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3101', '元入金')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1901', '事業主貸')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2901', '事業主借')"),
                 QStringLiteral("DELETE FROM KAMOKU_SZ"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '1110', ' ', ' ', 1000)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '2205', ' ', ' ', 300)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '3101', ' ', ' ', 400)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '1901', ' ', ' ', 100)"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('02', '2901', ' ', ' ', 50)")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT BCODE, MOTOIREZAN, KIMATU_MOTOIREZAN, KIMATU_JIGYOKASIZAN, KIMATU_JIGYOKARIZAN, "
                                           "KIMATU_KARIZAN, KIMATU_KASIZAN FROM SP_MOTOIREKIN_KURIIRE('02')")),
              QStringList({QStringLiteral(" |700|400|100|50|1100|750")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, KAISIZAN FROM KAMOKU_SZ WHERE KCODE IN ('1901', '2901', '3101') ORDER BY KCODE")),
              QStringList({QStringLiteral("1901|0"), QStringLiteral("2901|0"), QStringLiteral("3101|700")}));
}

TEST(CompanyStep100Test, OpeningBalanceEditsReachThePastYearByDataKind)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsTo021());
    ASSERT_NO_FATAL_FAILURE(runSteps022To033());
    for (const core::TVersionTriple version : {core::TVersionTriple{0, 3, 4}, core::TVersionTriple{0, 4, 0},
                                               core::TVersionTriple{0, 4, 1}, core::TVersionTriple{1, 0, 0}})
        ASSERT_EQ(dbupgrade::CompanyStepProc(version)(), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MEISHOU FROM ZEBRIK_HIKAKU WHERE REC = 31")), QStringLiteral(u"一人当たり人件費"));
    execute(db, {QStringLiteral(u"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, USE, DAC, BPFLG) VALUES ('3101', '3101', '3100', '元入金', 1, 3, 'B')"),
                 QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3101', '元入金')"),
                 QStringLiteral("DELETE FROM KAMOKU_SZ"), QStringLiteral("DELETE FROM KAMOKU_PZ"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('02', '1110', ' ', ' ')"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('02', '3101', ' ', ' ')"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM) SELECT '02', K, ' ', ' ', M FROM "
                                "(SELECT '1110' K FROM RDB$DATABASE UNION ALL SELECT '3101' FROM RDB$DATABASE) "
                                "CROSS JOIN (SELECT 0 M FROM RDB$DATABASE UNION ALL SELECT 4 FROM RDB$DATABASE UNION ALL "
                                "SELECT 8 FROM RDB$DATABASE)")});
    struct Case {
        int dataType;
        int kaisino;
        bool yearEndJob; // an OPINF row of the year-end update
        const char* kcode;
        const char* expected; // NUKIZAN of periods 0, 4, 8 after the edit to 100
    };
    const std::vector<Case> cases = {
        {1, 4, false, "1110", "0|100|0"},
        {1, 1, false, "1110", "100|0|0"},
        {2, 1, false, "3101", "0|0|0"},  // capital, books from month 1
        {2, 7, false, "3101", "0|0|100"}, // capital, books from month 7, no year-end job
        {2, 7, true, "3101", "0|0|0"},
        {2, 7, true, "1110", "0|0|100"},
        {3, 4, false, "1110", "0|0|0"}, // medical data never
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dataType) + "/" + std::to_string(c.kaisino) + "/" + c.kcode);
        execute(db, {QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 0"), QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN = 0"),
                     QStringLiteral("DELETE FROM OPINF"),
                     QStringLiteral("UPDATE ACCDEF1 SET DATATYPE = %1, KAISINO = %2").arg(c.dataType).arg(c.kaisino)});
        if (c.yearEndJob)
            execute(db, {QStringLiteral(u"INSERT INTO OPINF (OPCODE, JOBNAME) VALUES (1, '翌年度更新')")});
        execute(db, {QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 100 WHERE KCODE = '%1'").arg(QLatin1String(c.kcode))});
        EXPECT_EQ(queryValue(db, QStringLiteral("SELECT LIST(NUKIZAN, '|') FROM (SELECT CAST(NUKIZAN AS INTEGER) NUKIZAN FROM KAMOKU_PZ WHERE KCODE = '%1' "
                                                "ORDER BY MNUM)").arg(QLatin1String(c.kcode))),
                  QString::fromLatin1(c.expected));
    }
}

TEST(CompanyStep101Test, MovementsOfAProfitAndLossAccountRunFromZero)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsTo021());
    ASSERT_NO_FATAL_FAILURE(runSteps022To033());
    for (const core::TVersionTriple version : {core::TVersionTriple{0, 3, 4}, core::TVersionTriple{0, 4, 0},
                                               core::TVersionTriple{0, 4, 1}, core::TVersionTriple{1, 0, 0},
                                               core::TVersionTriple{1, 0, 1}})
        ASSERT_EQ(dbupgrade::CompanyStepProc(version)(), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    execute(db, {QStringLiteral("DELETE FROM KAMOKU_PZ"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, KOMIZAN) VALUES ('02', '6204', ' ', ' ', -16, 0, 999)"),
                 QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, KOMIZAN) VALUES ('02', '1110', ' ', ' ', -16, 0, 1000)"),
                 QStringLiteral("EXECUTE PROCEDURE SP_UPDATE_KANENDOZAN(1, '02', '6204', ' ', ' ', -15, 0, "
                                "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16)"),
                 QStringLiteral("EXECUTE PROCEDURE SP_UPDATE_KANENDOZAN(1, '02', '1110', ' ', ' ', -15, 0, "
                                "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16)")});
    // The profit-and-loss account starts from 0, the balance-sheet account from period -16.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT LIST(V, '|') FROM (SELECT CAST(NUKIZAN AS INTEGER) V FROM KAMOKU_PZ "
                                            "WHERE KCODE = '6204' AND MNUM IN (-15, -14, 0) ORDER BY MNUM)")),
                  QStringLiteral("1|3|136"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT LIST(V, '|') FROM (SELECT CAST(NUKIZAN AS INTEGER) V FROM KAMOKU_PZ "
                                            "WHERE KCODE = '1110' AND MNUM IN (-15, 0) ORDER BY MNUM)")),
                  QStringLiteral("1001|1136"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM OPINF")), QStringLiteral("0"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT GROUPA1 || GROUPA2 || GROUPB1 || GROUPB2 FROM ZEBRIK_HIKAKU WHERE REC = 28")),
              QStringLiteral("5100530055105530"));
    // Every period of the facility's past balances, whatever the start month.
    execute(db, {QStringLiteral("DELETE FROM KAMOKU_SZ"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('02', '6204', ' ', ' ')")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, ZANM15, ZANM00 FROM SP_KANENDO_ZANDAKA('02')")),
              QStringList({QStringLiteral("6204|1|136")}));
    execute(db, {QStringLiteral("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G', '02')")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, ZANM00 FROM SP_KANENDO_GROUPZANDAKA('G')")),
              QStringList({QStringLiteral("6204|136")}));
}

} // namespace
