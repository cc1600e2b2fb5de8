// Company step 0.2.2 on a 法人 base through the real isql-fb: the breakdown statement tables
// with their default rows, their account references and their computed totals.

#include "dbupgrade/company/CompanyStep022.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/steps/StepRun.h"

#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

class BreakdownTablesTest : public testing::Test {
protected:
    void SetUp() override
    {
        session_.installCompanyBase(CompanyKind::Houjin);
        db_ = session_.companyFile();
        dbupgrade::UpdateScriptFrame frame;
        frame.database = dbupgrade::StepDatabase::Company;
        frame.version = {0, 2, 2};
        dbupgrade::UpdateScript script(frame);
        dbupgrade::AddBreakdownTables(script);
        ASSERT_EQ(dbupgrade::WriteAndRunScript(script), dbupgrade::kStepDone)
            << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
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

} // namespace
