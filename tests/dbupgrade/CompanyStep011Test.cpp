// Company step 0.1.1 on a 法人 base through the real isql-fb: the column tests, the version
// table repair, and the triggers it installs at work afterwards.

#include "dbupgrade/company/CompanyStep011.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

TEST(CompanyStep011Test, PresentColumnsVersionRepairAndTheNewTriggers)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    execute(db, {QStringLiteral("ALTER TABLE ACCDEF1 ADD SDAI_HASUU3 INTEGER DEFAULT 0"),
                 QStringLiteral("UPDATE ACCDEF1 SET SDAI_HASUU3 = 2 WHERE REC = 1"),
                 QStringLiteral("UPDATE ACCVERSION SET MAJOR = 0, MINOR1 = 0, MINOR2 = 9 WHERE REC = 1")});

    ASSERT_EQ(dbupgrade::RunCompanyStep011(), dbupgrade::kStepDone) << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    // Only the missing group was added; the existing column kept its value.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT SDAI_HASUU3 || '|' || KESSAN_KIKAN FROM ACCDEF1 WHERE REC = 1")),
              QStringLiteral("2|-1"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION ORDER BY REC")).first(),
              QStringLiteral("0.1.1"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ACCVERSION WHERE MINOR2 = 9")), QStringLiteral("0"));

    // A new facility gets its depreciation settings, one per asset account.
    execute(db, {QStringLiteral(u"INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('03', '工場', 1)")});
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE = '03'")), QStringLiteral("31"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM SISETUBUM WHERE SCODE = '03'")), QStringLiteral("2"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM ACCDEF5 WHERE SCODE = '03'")), QStringLiteral("48"));

    // A journal line linked through "2-A" marks every asset of that account and sub-account.
    execute(db, {QStringLiteral("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, MEISYOU, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
                                "VALUES (1, '01', '1401', '01', 'A', NULL, NULL, NULL, NULL)"),
                 QStringLiteral("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, MEISYOU, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
                                "VALUES (2, '01', '1401', '01', 'B', NULL, NULL, NULL, NULL)"),
                 QStringLiteral("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, MEISYOU, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
                                "VALUES (3, '01', '1402', ' ', 'C', NULL, NULL, NULL, NULL)"),
                 QStringLiteral("INSERT INTO SIWAKE (REC, SCODE, KCODE, HCODE, BCODE, MNUM, TAISHAKU, DELFLG, LINKKUB, LINKKEY, "
                                "LINKREC) SELECT 1, '01', '1401', '01', ' ', 1, 1, 0, 8, '2-A-1', REC FROM HOJOMST "
                                "WHERE KCODE = '1401' AND HCODE = '01'")});
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, TRANSKBN FROM KS_SISAN ORDER BY REC")),
              QStringList({QStringLiteral("1|1"), QStringLiteral("2|1"), QStringLiteral("3|<null>")}));
}

} // namespace
