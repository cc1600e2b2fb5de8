// Company steps 0.1.5 and 0.2.1 on a 法人 base through the real isql-fb: the delete triggers
// keep the dictionaries, opening balances go to the period before the start, and the one-time
// repair of prior-year rows.

#include "dbupgrade/company/CompanyStep015.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

class CompanyStep015Test : public testing::Test {
protected:
    void SetUp() override
    {
        session_.installCompanyBase(CompanyKind::Houjin);
        db_ = session_.companyFile();
        ASSERT_EQ(dbupgrade::RunCompanyStep015(), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    }

    UpgradeSession session_;
    QString db_;
};

TEST_F(CompanyStep015Test, DeletesBlankTheDictionaryReferencesAndLogTheSubAccount)
{
    execute(db_, {QStringLiteral(u"INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('07', '倉庫')"),
                  QStringLiteral(u"INSERT INTO HOJOMST (KCODE, HCODE, HNAME, HKANA, BANK) VALUES ('1110', '05', '小口', 'ｺｸﾞﾁ', '中央銀行')"),
                  QStringLiteral("INSERT INTO TEKDIC (TEKCODE, KAR_KCODE, KAR_HCODE, KAR_BCODE, KAS_KCODE, KAS_HCODE, KAS_BCODE) "
                                 "VALUES (1, '1110', '05', '07', '1110', '05', '07')"),
                  QStringLiteral("INSERT INTO TORDIC (TEKCODE, KAR_KCODE, KAR_HCODE, KAR_BCODE, KAS_KCODE, KAS_HCODE, KAS_BCODE) "
                                 "VALUES (1, '1110', '05', '07', '1401', '05', '07')"),
                  QStringLiteral("INSERT INTO SWKDIC (REC, L_KCODE, L_HCODE, L_BCODE, R_KCODE, R_HCODE, R_BCODE) "
                                 "VALUES (1, '1110', '05', '07', '1110', ' ', '01')"),
                  QStringLiteral("INSERT INTO KANSA_ITEM (REC, MOT_KCODE, MOT_HCODE, MOT_BCODE, TOZ_KCODE, TOZ_HCODE, TOZ_BCODE) "
                                 "VALUES (9, '1110', '05', '07', '1110', '05', '07')"),
                  QStringLiteral("DELETE FROM BUMONMST WHERE BCODE = '07'"),
                  QStringLiteral("DELETE FROM HOJOMST WHERE KCODE = '1110' AND HCODE = '05'")});

    // The entries stay, their references blank; other references are kept.
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT KAR_KCODE || KAR_HCODE || KAR_BCODE || '|' || KAS_KCODE || KAS_HCODE || "
                                             "KAS_BCODE FROM TEKDIC")),
              QStringLiteral("1110  |1110  "));
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT KAR_HCODE || KAR_BCODE || '|' || KAS_KCODE || KAS_HCODE || KAS_BCODE FROM TORDIC")),
              QStringLiteral("  |140105 "));
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT L_HCODE || L_BCODE || '|' || R_HCODE || R_BCODE FROM SWKDIC")),
              QStringLiteral("  | 01"));
    EXPECT_EQ(queryValue(db_, QStringLiteral("SELECT MOT_HCODE || MOT_BCODE || '|' || TOZ_HCODE || TOZ_BCODE FROM KANSA_ITEM WHERE REC = 9")),
              QStringLiteral("  |  "));
    EXPECT_EQ(queryRows(db_, QStringLiteral("SELECT KCODE, HCODE, HNAME, HKANA, BANK FROM HOJOLOG")),
              QStringList({QStringLiteral(u"1110|05|小口|ｺｸﾞﾁ|中央銀行")}));
}

TEST_F(CompanyStep015Test, OpeningBalanceGoesToThePeriodBeforeTheStart)
{
    execute(db_, {QStringLiteral(u"INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2205', '繰越利益剰余金')"),
                  QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '1110', ' ', ' ', 0)"),
                  QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES ('01', '2205', ' ', ' ', 0)"),
                  QStringLiteral("INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM) SELECT '01', K, ' ', ' ', M FROM "
                                 "(SELECT '1110' K FROM RDB$DATABASE UNION ALL SELECT '2205' FROM RDB$DATABASE) "
                                 "CROSS JOIN (SELECT 0 M FROM RDB$DATABASE UNION ALL SELECT 4 FROM RDB$DATABASE UNION ALL "
                                 "SELECT 8 FROM RDB$DATABASE)")});
    struct Case {
        int kaisino;
        const char* kcode;
        int amount;
        QString expected; // NUKIZAN of periods 0, 4, 8
    };
    const std::vector<Case> cases = {
        {4, "1110", 300, "0|300|0"},
        {7, "1110", 500, "0|300|500"},
        {1, "1110", 700, "700|300|500"},
        {4, "2205", 900, "0|0|0"}, // retained earnings are not carried
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kcode) + " from month " + std::to_string(c.kaisino));
        execute(db_, {QStringLiteral("UPDATE ACCDEF1 SET KAISINO = %1 WHERE REC = 1").arg(c.kaisino),
                      QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = %1 WHERE KCODE = '%2'").arg(c.amount).arg(c.kcode)});
        EXPECT_EQ(queryRows(db_, QStringLiteral("SELECT CAST(NUKIZAN AS INTEGER) FROM KAMOKU_PZ WHERE KCODE = '%1' ORDER BY MNUM")
                                     .arg(c.kcode))
                      .join(QLatin1Char('|')),
                  c.expected);
    }
}

TEST(CompanyStep021Test, PriorYearRatesCopiedAndUndepartmentedBalancesCleared)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    execute(db, {QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '1110', ' ', ' ')"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '1110', ' ', '01')"),
                 QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('01', '1401', ' ', ' ')"),
                 QStringLiteral("EXECUTE BLOCK AS DECLARE M INTEGER = -31; BEGIN WHILE (M <= 16) DO BEGIN "
                                "INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU, HAIBUN) "
                                "SELECT SCODE, KCODE, HCODE, BCODE, :M, 100, 10, IIF(:M > 0, :M, 0) FROM KAMOKU_SZ; "
                                "M = M + 1; END END")});

    ASSERT_EQ(dbupgrade::RunCompanyStep021(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KCODE, BCODE, MNUM, CAST(HAIBUN AS INTEGER), CAST(NUKIZAN AS INTEGER), "
                                           "CAST(ZEIGAKU AS INTEGER) FROM KAMOKU_PZ WHERE MNUM IN (-29, -13, 0, 3) ORDER BY 1, 2, 3")),
              QStringList({QStringLiteral("1110| |-29|3|0|0"), QStringLiteral("1110| |-13|3|0|0"),
                           QStringLiteral("1110| |0|16|0|0"), QStringLiteral("1110| |3|3|100|10"),
                           QStringLiteral("1110|01|-29|3|100|10"), QStringLiteral("1110|01|-13|3|100|10"),
                           QStringLiteral("1110|01|0|16|100|10"), QStringLiteral("1110|01|3|3|100|10"),
                           QStringLiteral("1401| |-29|3|100|10"), QStringLiteral("1401| |-13|3|100|10"),
                           QStringLiteral("1401| |0|16|100|10"), QStringLiteral("1401| |3|3|100|10")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'ONE_TIME_PROC'")),
              QStringLiteral("0"));
}

} // namespace
