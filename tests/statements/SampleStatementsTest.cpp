// The medical sample data set through the medical statements: its total lines are well formed
// for the collection by group ranges, its trial balance balances in every period, every account
// lands in exactly one total line, and the balance sheet's balancing line moves by the year's
// net profit.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/DataRoot.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/SampleDataSet.h"
#include "statements/KamokuGroup.h"
#include "statements/MbBalanceSheet.h"
#include "statements/MbSisanhyo.h"
#include "tests/statements/CompanySession.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>
#include <ostream>

namespace {

using core::Currency;
using statements::TBALANCE;
using statements::TQSORT;

class MedicalSample : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        try {
            root_->create();
            schema::sample::createSampleDataSet(*root_, 1, schema::sample::SampleKind::Medical);
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        session_ = std::make_unique<statementstest::CompanySession>(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"));
        core::AccInf.DATATYPE = 3;
        core::AccInf.KISHU = QDate(2024, 4, 1);
        core::AccInf.KIMATU = QDate(2025, 3, 31);
        core::AccInf.SIME = 99;
        core::AccInf.SysKCode[core::skKurikosiRieki] = QStringLiteral("3341"); // 前期繰越利益
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
    std::unique_ptr<statementstest::CompanySession> session_;
};

// Rows 1..53 in ascending group order (each line collects the groups between the previous
// line's and its own), every line in the whole corporation's set, the seven lines captioned by
// sign and the lines the read recaptions present.
TEST_F(MedicalSample, TotalLinesAreOrderedByGroup) {
    core::TIBTransaction t;
    t.addDatabase(&session_->dm.IBDatabaseDAT);
    t.startTransaction();
    core::TIBSQL q(&session_->dm.IBDatabaseDAT, &t);
    q.sql() << QStringLiteral("SELECT ARRAYNUM, KGROUP, MODIFY, MB_JIGYOU FROM ACCTOTALNAME ORDER BY ARRAYNUM");
    QStringList signLines, groups;
    int expectedRow = 0;
    QString previous = QStringLiteral("1000");
    for (q.execQuery(); !q.eof(); q.next()) {
        const int row = q.fieldByName(QStringLiteral("ARRAYNUM")).asInteger();
        const QString group = q.fieldByName(QStringLiteral("KGROUP")).asString();
        EXPECT_EQ(row, ++expectedRow);
        EXPECT_GT(group, previous) << row;
        EXPECT_EQ(q.fieldByName(QStringLiteral("MB_JIGYOU")).asInteger() & 16, 16) << row;
        if (q.fieldByName(QStringLiteral("MODIFY")).asInteger() == 1)
            signLines << group;
        groups << group;
        previous = group;
    }
    t.commit();
    EXPECT_EQ(expectedRow, statements::LastMbTotalRow);
    EXPECT_EQ(signLines, QStringList({"3480", "6950", "7300", "8300", "9280", "9380", "9600"}));
    for (const char* g : {"1108", "3180", "3800", "3900", "4180", "4480"})
        EXPECT_TRUE(groups.contains(QLatin1String(g))) << g;
}

// The export's road on the sample: the facility comparison read, then the year.
TEST_F(MedicalSample, TheYearBalancesAndEveryAccountHasItsLine) {
    QList<TBALANCE> rows(700);
    QList<TQSORT> sorts(700);
    statements::pcMbSisanhyo_Read(rows, 699, sorts, 699, QString(), QString(), 0, 0, 3, 1, 0, 0);
    const int last = int(rows.size()) - 1;
    int accounts = 0;
    for (int i = statements::FirstMbAccountRow; i <= last && !rows[i].KMK.KCODE.isEmpty(); ++i)
        ++accounts;
    ASSERT_GT(accounts, 40);

    for (int p = 1; p <= 16; ++p) {
        Currency debit, credit;
        for (int i = statements::FirstMbAccountRow; i < statements::FirstMbAccountRow + accounts; ++i) {
            debit += rows[i].KAR[p];
            credit += rows[i].KAS[p];
        }
        EXPECT_EQ(debit, credit) << "period " << p;
    }

    statements::pcMbBalanceSheet_Calcu(rows, last, 0, 7, 1, 16, 0);
    QList<int> lines(rows.size(), 0);
    for (const auto& [t, a] : statements::MbTotalAccountPairs(rows, last, 1))
        ++lines[a];
    for (int i = statements::FirstMbAccountRow; i < statements::FirstMbAccountRow + accounts; ++i) {
        const bool suspense = rows[i].KMK.GROUPM1 == QLatin1String("9900"); // 諸口 belongs to no statement
        EXPECT_EQ(lines[i], suspense ? 0 : 1) << rows[i].KMK.KNAME.toStdString();
    }

    EXPECT_NE(rows[11].ZAN, Currency{});
    EXPECT_EQ(rows[24].ZAN, rows[11].ZAN);
    EXPECT_EQ(rows[19].ZAN - rows[19].KURIKOSI, rows[49].ZAN);
    EXPECT_EQ(rows[20].ZAN, rows[49].ZAN);
    EXPECT_EQ(rows[32].ZAN - rows[41].ZAN, rows[42].ZAN);
}

} // namespace
