// The late-start sample (data from the fourth month, KAISINO 4) through the export's read and
// the balance sheet. Hand figures, in thousands of yen:
//   fiscal-year opening (KISHU0): 現金 300, 普通預金 2000, 売掛金 800, 建物 3000 = 6100;
//     買掛金 600, 短期借入金 1000, 資本金 3000, 繰越利益剰余金 1500.
//   periods 1-4 (before the data): 売上 500 on credit and 給料 200 from the bank (1); 売掛金
//     600 collected and 仕入 300 on credit (2); 買掛金 300 paid and a cash sale of 100 (3).
//   so at July 1 (KAISIZAN): 現金 400, 普通預金 2100, 売掛金 700 = assets 6200.
//   journal: 売上 400 on credit (5), 給料 200 (5), 売掛金 500 collected (6), 仕入 150 on
//     credit (7), cash sale 50 (9): year end 現金 450, 普通預金 2400, 売掛金 600, 建物 3000
//     = 6450; 買掛金 750; profit of the year 1050 - 450 - 400 = 200, retained 1500 -> 1700.

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/DataRoot.h"
#include "schema/DbAccount.h"
#include "schema/sample/SampleDataSet.h"
#include "statements/BalanceSheetCalc.h"
#include "statements/ReadSisanhyo.h"
#include "tests/statements/CompanySession.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace {

using core::Currency;
using namespace statements;

Currency k(qint64 thousands) { return Currency::fromInt(thousands * 1000); }

// Settlement lines of the sample: one per account, numbered in the chart's order.
enum Line { Genkin = 1, Futsu = 2, Urikake = 3, Tatemono = 4, Kaikake = 5, Kariire = 6, Shihon = 7, Kurikosi = 8,
            Uriage = 9, Shiire = 10, Kyuryo = 11 };

class LateStartSample : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        try {
            root_->create();
            schema::sample::createSampleDataSet(*root_, 1, schema::sample::SampleKind::LateStart);
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
        core::TIBTransaction t;
        t.addDatabase(&session_->dm.IBDatabaseDAT);
        t.startTransaction();
        core::TIBSQL q(&session_->dm.IBDatabaseDAT, &t);
        q.sql() << QStringLiteral("SELECT KAISINO, DATATYPE FROM ACCDEF1 WHERE REC=1");
        q.execQuery();
        ASSERT_FALSE(q.eof());
        core::AccInf.KAISINO = q.fieldByName(QStringLiteral("KAISINO")).asInteger();
        core::AccInf.DATATYPE = q.fieldByName(QStringLiteral("DATATYPE")).asInteger();
        t.commit();
        ASSERT_EQ(core::AccInf.KAISINO, 4);
        ReadSisanhyo(rows, 60, sorts, 60, 1, 0, 0, 0);
        ASSERT_TRUE(session_->messages.messages.isEmpty()) << session_->messages.texts().join(u'\n').toStdString();
        last = int(rows.size()) - 1;
    }

    TBALANCE& line(int mstrec) {
        for (int r = FirstAccountRow; r <= last; ++r)
            if (rows[r].MSTREC == mstrec && !rows[r].KMK.KCODE.isEmpty())
                return rows[r];
        ADD_FAILURE() << "no settlement line " << mstrec;
        return rows[0];
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
    std::unique_ptr<statementstest::CompanySession> session_;
    TBalanceArray rows = TBalanceArray(61);
    TQSortArray sorts = TQSortArray(61);
    int last = 0;
};

// Periods 1-4 come from the fiscal-year opening and ZANP01-04, later periods from the opening at
// July 1 and the journal; both roads meet at period 4, and every period balances.
TEST_F(LateStartSample, ReadJoinsBothOpeningsAtTheStartMonth) {
    const struct {
        int line;
        qint64 kishu0, p1, p2, p3, p4, kaisizan, p16;
    } cases[] = {
        {Genkin, 300, 300, 300, 400, 400, 400, 450},      {Futsu, 2000, 1800, 2400, 2100, 2100, 2100, 2400},
        {Urikake, 800, 1300, 700, 700, 700, 700, 600},    {Tatemono, 3000, 3000, 3000, 3000, 3000, 3000, 3000},
        {Kaikake, 600, 600, 900, 600, 600, 600, 750},     {Kariire, 1000, 1000, 1000, 1000, 1000, 1000, 1000},
        {Shihon, 3000, 3000, 3000, 3000, 3000, 3000, 3000}, {Kurikosi, 1500, 1500, 1500, 1500, 1500, 1500, 1500},
        {Uriage, 0, 500, 500, 600, 600, 600, 1050},       {Shiire, 0, 0, 300, 300, 300, 300, 450},
        {Kyuryo, 0, 200, 200, 200, 200, 200, 400},
    };
    for (const auto& c : cases) {
        const TBALANCE& r = line(c.line);
        EXPECT_EQ(r.KISHU0, k(c.kishu0)) << c.line;
        EXPECT_EQ(r.KAISIZAN, k(c.kaisizan)) << c.line;
        const qint64 expected[] = {c.p1, c.p2, c.p3, c.p4};
        for (int p = 1; p <= 4; ++p)
            EXPECT_EQ(r.ZANDAKA[p], k(expected[p - 1])) << c.line << " period " << p;
        EXPECT_EQ(r.HASSEI[1], k(c.p1 - c.kishu0)) << c.line;
        EXPECT_EQ(r.ZANDAKA[16], k(c.p16)) << c.line;
    }
    for (int p = 1; p <= 16; ++p) {
        Currency debit, credit;
        for (int r = FirstAccountRow; r <= last; ++r)
            if (!rows[r].KMK.KCODE.isEmpty())
                (isDebitNature(rows[r].KMK.DAC) ? debit : credit) += rows[r].ZANDAKA[p];
        EXPECT_EQ(debit, credit) << "period " << p;
    }
}

// The export's kind 7 from July rebuilds the opening of the balance sheet from KISHU0 (assets
// 6100, not the 6200 of July 1) and shows the year's profit in line 45's KASI; kind 0 keeps the
// opening at July 1. The balance sheet balances either way.
TEST_F(LateStartSample, BalanceSheetOpeningRebuild) {
    const struct {
        qint32 kind;
        qint64 assetsOpening;
    } kinds[] = {{bskExport, 6100}, {bskRange, 6200}};
    const TBalanceArray read = rows;
    for (const auto& c : kinds) {
        SCOPED_TRACE(c.kind);
        rows = read;
        pcBalanceSheet_Calcu(rows, last, 0, c.kind, 5, 16);
        EXPECT_EQ(rows[11].ZAN, k(6450));
        EXPECT_EQ(rows[27].ZAN, rows[11].ZAN);
        EXPECT_EQ(line(Kurikosi).ZAN, k(1700));
        EXPECT_EQ(rows[11].KURIKOSI, k(c.assetsOpening));
        if (c.kind == bskExport) {
            EXPECT_EQ(line(Urikake).KURIKOSI, k(800));
            EXPECT_EQ(line(Genkin).KURIKOSI, k(300));
            EXPECT_EQ(line(Uriage).KURIKOSI, Currency{});
            EXPECT_EQ(rows[15].KURIKOSI, k(1600));
            EXPECT_EQ(rows[16].KURIKOSI, k(3000));
            EXPECT_EQ(line(Kurikosi).KURIKOSI, k(1500));
            EXPECT_EQ(rows[21].KURIKOSI, k(1500));
            EXPECT_EQ(rows[26].KURIKOSI, k(4500));
            EXPECT_EQ(rows[15].KURIKOSI + rows[26].KURIKOSI, rows[11].KURIKOSI);
            EXPECT_EQ(rows[45].KASI, k(200)); // the year's profit: 1700 - 1500
        } else {
            EXPECT_EQ(line(Urikake).KURIKOSI, k(700));
            EXPECT_EQ(rows[27].KURIKOSI, rows[11].KURIKOSI);
        }
    }
}

} // namespace
