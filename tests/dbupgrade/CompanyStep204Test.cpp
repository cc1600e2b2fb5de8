// Company step 2.0.4 on a 個人 不動産 base brought to 2.0.0 through the real isql-fb: the default
// depreciation entry settings rebuilt when account 1401 has none, and the journal update that
// keeps a journal's numbers for a changed comment and makes a new journal for a changed amount.

#include "dbupgrade/DbUpdateList.h"
#include "dbupgrade/company/CompanyStep204.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "core/Globals.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

void runStepsBefore204()
{
    const dbupgrade::TDbUpdateList list;
    for (const auto& step : list.DataSteps) {
        if (step.Major == 2 && step.Minor2 == 4)
            return;
        ASSERT_EQ(step.UpdateProc(), dbupgrade::kStepDone) << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    }
}

// The update of journal 1 (debit 1110, credit 6204) with the given amount and comment.
QString updateCall(int amount, const QString& comment)
{
    return QStringLiteral("SELECT NEWREC || '|' || NEWSWKREC || '|' || NEWSWKNO || '|' || UPREC FROM SP_SIWAKE_UPD(1, 1, 1, 0, "
                          "DATE '2026-04-01', 1, 0, 1, 0, 0, 0, '01', '', '1110', ' ', ' ', '', '', '', 0, 0, 0, %1, 0, 0, 0, "
                          "'', '6204', ' ', ' ', '', '', '', 0, 0, 0, %1, 0, 0, 0, %1, 0, 0, 0, 0, 0, 0, '', 0, '', 0, 0, 0, 0, "
                          "0, NULL, '%2', '', '', 0, 0, 0, 0, 0, 1)")
        .arg(amount)
        .arg(comment);
}

TEST(CompanyStep204Test, DepreciationDefaultsAndJournalUpdate)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::KojinFudousan);
    const QString db = session.companyFile();
    ASSERT_NO_FATAL_FAILURE(runStepsBefore204());
    execute(db, {QStringLiteral("DELETE FROM KS_SETSWK_INIT WHERE KCODE = '1401'"),
                 QStringLiteral("SET GENERATOR SIWAKE_REC_GEN TO 1"),
                 QStringLiteral("INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SDAYNUM, SCODE, "
                                "KCODE, R_KCODE, NUK, R_NUK, KINGAKU) VALUES (1, 1, 1, 1, 0, 1, DATE '2026-04-01', 1, 1, '01', "
                                "'1110', '6204', 100, 100, 100)"),
                 QStringLiteral("INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SDAYNUM, SCODE, "
                                "KCODE, R_KCODE, NUK, R_NUK, KINGAKU) VALUES (2, 1, 1, 1, 0, 2, DATE '2026-04-01', 1, 1, '01', "
                                "'6204', '1110', 100, 100, 100)")});
    core::AccInf.SITEN = 0;

    ASSERT_EQ(dbupgrade::RunCompanyStep204(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();

    // The 35 defaults by group: the group rows without an account, group 0's booking only there.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT KGROUP, COUNT(*), SUM(IIF(KCODE IS NULL, 1, 0)), SUM(GSKEIJYO) FROM "
                                           "KS_SETSWK_INIT GROUP BY KGROUP ORDER BY KGROUP")),
              QStringList({QStringLiteral("0|14|1|1"), QStringLiteral("1|7|1|0"), QStringLiteral("2|10|1|0"),
                           QStringLiteral("3|4|1|0")}));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT MIN(REC) || '|' || MAX(REC) FROM KS_SETSWK_INIT")), QStringLiteral("1|35"));
    // Without head-office and branch data only the blank facility's entries are rebuilt.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM KS_SETSWK WHERE SCODE <> ' '")), QStringLiteral("0"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT REC, HOLDER, PASWORD FROM TUSIN_ID")), QStringList({QStringLiteral("1||")}));

    // A changed comment keeps the journal's numbers; a changed amount makes journal 2 (lines 3, 4).
    EXPECT_EQ(queryValue(db, updateCall(100, QStringLiteral("memo"))), QStringLiteral("1|1|1|0"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COMMENT || '|' || DELFLG FROM SIWAKE WHERE REC = 2")), QStringLiteral("memo|0"));
    const QStringList changed = queryValue(db, updateCall(200, QStringLiteral("memo"))).split(QLatin1Char('|'));
    ASSERT_EQ(changed.size(), 4);
    EXPECT_EQ(changed[0].toInt() % 2, 1);
    EXPECT_EQ(changed[0].toInt(), 2 * changed[1].toInt() - 1);
    EXPECT_NE(changed[1], QStringLiteral("1"));
    EXPECT_EQ(changed[3], QStringLiteral("0"));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT DELFLG, COUNT(*) FROM SIWAKE GROUP BY DELFLG ORDER BY DELFLG")),
              QStringList({QStringLiteral("0|2"), QStringLiteral("2|2")}));
}

} // namespace
