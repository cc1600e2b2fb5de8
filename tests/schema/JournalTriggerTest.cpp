// The journal triggers keep KAMOKU_MS, KAMOKU_TAX, the facility's journal count and the
// posting mark of linked fixed assets in step with SIWAKE: a table of cases, applied in order
// to one company database, each followed by the comparison of the totals with the rows.

#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/CompanyProfile.h"
#include "schema/sample/CompanyWriter.h"
#include "schema/sample/JournalWriter.h"
#include "tests/schema/SchemaTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

#include <memory>

using schematest::count;
using schematest::exec;
using schematest::periodTotalMismatches;
using schematest::scalar;
using schematest::taxTotalMismatches;

namespace {

using namespace schema::sample;

class JournalTriggers : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        profile_ = new CompanyProfile(ordinaryCompany());
        const QString path = dir_->path() + QStringLiteral("/qmacc.fdb");
        db_ = schema::createSchemaDatabase(schema::DbAccount{}, path, schema::DatabaseKind::Company).release();
        writeCompany(*db_, *profile_);
    }
    static void TearDownTestSuite() {
        delete db_;
        delete profile_;
        delete dir_;
    }

    // One taxed purchase paid from the bank: debit 仕入高 net 1,000 tax 100, credit 普通預金 1,100.
    static int addPurchase(int mnum) {
        JournalEntry e;
        e.date = mnum == 16 ? QDate(2025, 3, 31) : QDate(2024, 4, 1);
        e.mnum = mnum;
        e.debit.kcode = QStringLiteral("5102");
        e.debit.net = 1000;
        e.debit.tax = 100;
        e.debit.taxCode = 21;
        e.debit.taxUh = 2;
        e.credit.kcode = QStringLiteral("1103");
        e.credit.hcode = QStringLiteral("001");
        e.credit.net = 1100;
        e.tekiyo = QStringLiteral("試験仕入");
        writeJournal(*db_, *profile_, {e});
        return scalar(*db_, QStringLiteral("SELECT GEN_ID(SIWAKE_REC_GEN,0) FROM RDB$DATABASE")).toInt();
    }
    static int journalCount() { return count(*db_, QStringLiteral("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE=' '")); }
    static QString purchaseDebit() {
        return scalar(*db_, QStringLiteral("SELECT SUM(KAR_NUK) FROM KAMOKU_MS WHERE KCODE='5102'"));
    }

    static QTemporaryDir* dir_;
    static CompanyProfile* profile_;
    static core::TIBDatabase* db_;
};

QTemporaryDir* JournalTriggers::dir_ = nullptr;
CompanyProfile* JournalTriggers::profile_ = nullptr;
core::TIBDatabase* JournalTriggers::db_ = nullptr;

TEST_F(JournalTriggers, TotalsFollowInsertsAndDeleteFlagTransitions) {
    const int a = addPurchase(1);
    const int b = addPurchase(2);
    const int c = addPurchase(16);
    auto setFlag = [](int swkrec, int flag) {
        exec(*db_, QStringLiteral("UPDATE SIWAKE SET DELFLG=%1 WHERE SWKREC=%2").arg(flag).arg(swkrec));
    };

    const struct {
        const char* what;
        std::function<void()> apply;
        const char* expectedDebit; // 仕入高 KAR_NUK over all periods
        int expectedCount;
        QString notCounted;         // SIWAKE rows that are live but, by rule, not in the totals
    } cases[] = {
        {"three inserts", [] {}, "3000", 3, QStringLiteral("0")},
        {"0 -> 1 subtracts", [&] { setFlag(a, 1); }, "2000", 2, QStringLiteral("0")},
        {"1 -> 0 adds back", [&] { setFlag(a, 0); }, "3000", 3, QStringLiteral("0")},
        {"0 -> 2 subtracts", [&] { setFlag(b, 2); }, "2000", 2, QStringLiteral("0")},
        {"2 -> 0 does nothing", [&] { setFlag(b, 0); }, "2000", 2, QStringLiteral("%1,%2").arg(b * 2 - 1).arg(b * 2)},
        {"1 -> 2 does nothing", [&] { setFlag(c, 1); setFlag(c, 2); }, "1000", 1,
         QStringLiteral("%1,%2").arg(b * 2 - 1).arg(b * 2)},
        {"deleting a deleted entry's rows leaves the totals",
         [&] { exec(*db_, QStringLiteral("DELETE FROM SIWAKE WHERE SWKREC=%1").arg(c)); }, "1000", 1,
         QStringLiteral("%1,%2").arg(b * 2 - 1).arg(b * 2)},
    };
    for (const auto& step : cases) {
        SCOPED_TRACE(step.what);
        step.apply();
        EXPECT_EQ(purchaseDebit(), QLatin1String(step.expectedDebit));
        EXPECT_EQ(journalCount(), step.expectedCount);
        EXPECT_EQ(periodTotalMismatches(*db_, step.notCounted), 0);
        EXPECT_EQ(taxTotalMismatches(*db_, step.notCounted), 0);
    }
}

TEST_F(JournalTriggers, LinkedFixedAssetIsMarkedPostedWhileALiveLineLinksIt) {
    exec(*db_, QStringLiteral("INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE, TRANSKBN) "
                               "VALUES (7, ' ', '1404', ' ', NULL, NULL, NULL, NULL, 0)"));
    exec(*db_, QStringLiteral(
        "INSERT INTO SIWAKE (REC, SWKREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, HCODE, BCODE, NUK, LINKKUB, "
        "LINKKEY, LINKREC) VALUES (9001, 4501, 0, 1, '2025-03-31', 16, ' ', '6204', ' ', '01', 5000, 8, '1-S', 7)"));
    EXPECT_EQ(scalar(*db_, QStringLiteral("SELECT TRANSKBN FROM KS_SISAN WHERE REC=7")), QStringLiteral("1"));
    exec(*db_, QStringLiteral("UPDATE SIWAKE SET DELFLG=1 WHERE REC=9001"));
    EXPECT_EQ(scalar(*db_, QStringLiteral("SELECT TRANSKBN FROM KS_SISAN WHERE REC=7")), QStringLiteral("0"));
}

} // namespace
