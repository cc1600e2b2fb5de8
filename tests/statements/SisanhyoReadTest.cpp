// The trial-balance read through the procedures on the hand-made ordinary company of
// TrialBalanceCompany.cpp, extended by CompanySession.cpp (普通預金 77 in department 02 only,
// the empty account X1 of group 5300, the total lines). Hand figures, tax included:
//   現金 1101: opening 5001; period 1 debit 1210; period 2 debit 550, credit 330; period 16
//     credit 220 -> 6211 at the year end.
//   売上高 4101: period 1 credit 1210 (sub-accounts " " 110, 001 1100), period 2 credit 550
//     (002) -> 1760. 仕入高 5101: period 2 debit 330. 旅費交通費 6101: period 16 debit 220.
//   資本金 3101: 5001 (+77 in department 02). 普通預金 1102: 77 in department 02.

#include "statements/ReadSisanhyo.h"
#include "statements/SisanhyoRead.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/text/TextSort.h"
#include "tests/statements/CompanySession.h"
#include "tests/statements/TrialBalanceCompany.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using core::Currency;
using namespace statements;

Currency yen(qint64 v) { return Currency::fromInt(v); }

class SisanhyoRead : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        auto db = statementstest::createOrdinaryCompany(dir_->path());
        statementstest::extendOrdinaryCompany(*db);
        file_ = db->databaseName();
    }
    static void TearDownTestSuite() { dir_.reset(); }

    // The account row of the code (sort order aside), or nullptr.
    const TBALANCE* account(const QString& kcode) const {
        for (int r = FirstAccountRow; r < rows.size(); ++r)
            if (rows[r].KMK.KCODE == kcode)
                return &rows[r];
        return nullptr;
    }

    // Per period first..16: the balances of the debit-natured rows from the first account row
    // on against those of the other rows; the periods where they differ.
    QStringList unbalanced(int first = 0) const {
        QStringList out;
        for (int p = first; p <= 16; ++p) {
            Currency debit, credit;
            for (int r = FirstAccountRow; r < rows.size(); ++r) {
                if (rows[r].KMK.KCODE.isEmpty() || sorts.size() <= r)
                    continue;
                (isDebitNature(rows[r].KMK.DAC) ? debit : credit) += rows[r].ZANDAKA[p];
            }
            if (debit != credit)
                out << QStringLiteral("P%1 %2/%3").arg(p).arg(debit.toString(), credit.toString());
        }
        return out;
    }

    QList<int> sortedRows() const {
        QList<int> order;
        for (const TQSORT& s : sorts)
            if (s.SORTKEY != HiddenSortKey)
                order << s.ROWIDX;
        return order;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString file_;
    statementstest::CompanySession session{file_};
    // Fewer rows than the read returns: the read grows both arrays.
    TBalanceArray rows = TBalanceArray(53);
    TQSortArray sorts = TQSortArray(53);
};

TEST_F(SisanhyoRead, WholeCompanyAccountsAgainstHandFigures) {
    pcSisanhyo_Read(rows, 52, sorts, 52, QString(), QString(), 0, 0, 0, 2, 0, 0);
    ASSERT_TRUE(session.messages.messages.isEmpty()) << session.messages.texts().join(u'\n').toStdString();
    ASSERT_EQ(rows.size(), sorts.size());
    ASSERT_GE(rows.size(), FirstAccountRow + 9);

    const struct {
        const char* kcode;
        qint64 opening, p1, p2, p16;
    } figures[] = {
        {"1101", 5001, 6211, 6431, 6211}, {"1102", 77, 77, 77, 77}, {"3101", 5078, 5078, 5078, 5078},
        {"4101", 0, 1210, 1760, 1760},   {"5101", 0, 0, 330, 330},  {"6101", 0, 0, 0, 220},
        {"X1", 0, 0, 0, 0},
    };
    for (const auto& f : figures) {
        SCOPED_TRACE(f.kcode);
        const TBALANCE* r = account(QLatin1String(f.kcode));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->KAISIZAN, yen(f.opening));
        EXPECT_EQ(r->ZANDAKA[0], yen(f.opening));
        EXPECT_EQ(r->ZANDAKA[1], yen(f.p1));
        EXPECT_EQ(r->ZANDAKA[2], yen(f.p2));
        EXPECT_EQ(r->ZANDAKA[16], yen(f.p16));
    }
    EXPECT_EQ(account(QStringLiteral("1101"))->ZANDAKA[1] - account(QStringLiteral("1101"))->ZANDAKA[0], yen(1210));
    EXPECT_EQ(account(QStringLiteral("1101"))->KAS[16], yen(220));
    EXPECT_EQ(unbalanced(), QStringList{});

    // The sales carry their sub-accounts, the remainder line " " first.
    const TBALANCE* sales = account(QStringLiteral("4101"));
    ASSERT_EQ(sales->HOJCNT, 3);
    EXPECT_EQ(sales->HOJOUTIWAKE[0].HCODE, QStringLiteral(" "));
    EXPECT_EQ(sales->HOJOUTIWAKE[0].ZANDAKA[16], yen(110));
    EXPECT_EQ(sales->HOJOUTIWAKE[1].HNAME, QStringLiteral("Ａ商店"));
    EXPECT_EQ(sales->HOJOUTIWAKE[1].ZANDAKA[16], yen(1100));
    EXPECT_EQ(sales->HOJOUTIWAKE[2].ZANDAKA[1], yen(0));
    EXPECT_EQ(sales->HOJOUTIWAKE[2].ZANDAKA[2], yen(550));

    // Sort keys: the group and the first four bytes of the user code; group 5300 sorts as 5881.
    const auto keyOf = [&](const char* kcode) {
        const int r = int(account(QLatin1String(kcode)) - rows.data());
        for (const TQSORT& s : sorts)
            if (s.ROWIDX == r)
                return s.SORTKEY;
        return QString();
    };
    EXPECT_EQ(keyOf("1101"), QStringLiteral("11101101"));
    EXPECT_EQ(keyOf("X1"), QStringLiteral("588153  "));
    // Total lines and accounts in key order: total line 1 (1110) before 現金, 30 ("5882") after X1.
    const QList<int> order = sortedRows();
    const int cash = int(account(QStringLiteral("1101")) - rows.data());
    const int x1 = int(account(QStringLiteral("X1")) - rows.data());
    ASSERT_TRUE(order.contains(1) && order.contains(cash) && order.contains(30));
    EXPECT_LT(order.indexOf(1), order.indexOf(cash));
    EXPECT_LT(order.indexOf(x1), order.indexOf(30));
    EXPECT_FALSE(order.contains(29));
    EXPECT_FALSE(order.contains(47)); // kind 2 hides the subtotal line
    EXPECT_TRUE(order.contains(2));
    EXPECT_EQ(rows[29].KMK.KNAME, QStringLiteral("製造原価"));
    EXPECT_EQ(rows[5].KMK.KNAME, QStringLiteral("流動資産合計"));
    EXPECT_EQ(rows[5].KMK.BPFLG, QStringLiteral("B"));
    EXPECT_EQ(rows[28].KMK.BPFLG, QStringLiteral("P"));
}

// The members of a department group are added account by account, also when one member has
// an account the other lacks (普通預金 only in 02): the figures equal the group procedure's.
TEST_F(SisanhyoRead, DepartmentGroupMergesByAccount) {
    pcSisanhyo_Read(rows, 52, sorts, 52, QString(), QStringLiteral("G1"), 0, 4, 0, 1, 0, 0);
    ASSERT_TRUE(session.messages.messages.isEmpty()) << session.messages.texts().join(u'\n').toStdString();
    const struct {
        const char* kcode;
        qint64 opening, p1, p2, p16;
    } figures[] = {
        {"1101", 0, 1210, 1760, 1540}, {"1102", 77, 77, 77, 77}, {"3101", 77, 77, 77, 77},
        {"4101", 0, 1210, 1760, 1760}, {"5101", 0, 0, 0, 0},     {"6101", 0, 0, 0, 220},
    };
    for (const auto& f : figures) {
        SCOPED_TRACE(f.kcode);
        const TBALANCE* r = account(QLatin1String(f.kcode));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->ZANDAKA[0], yen(f.opening));
        EXPECT_EQ(r->ZANDAKA[1], yen(f.p1));
        EXPECT_EQ(r->ZANDAKA[2], yen(f.p2));
        EXPECT_EQ(r->ZANDAKA[16], yen(f.p16));
    }
    int cashRows = 0;
    for (const TBALANCE& r : rows)
        cashRows += r.KMK.KCODE == QLatin1String("1101");
    EXPECT_EQ(cashRows, 1);
    const TBALANCE* sales = account(QStringLiteral("4101"));
    ASSERT_EQ(sales->HOJCNT, 3);
    EXPECT_EQ(sales->HOJOUTIWAKE[2].HCODE, QStringLiteral("002"));
    EXPECT_EQ(sales->HOJOUTIWAKE[2].ZANDAKA[16], yen(550));
    // Kind 1 hides total lines 2 to 4 and shows the subtotal line 47.
    const QList<int> order = sortedRows();
    EXPECT_FALSE(order.contains(2) || order.contains(3) || order.contains(4));
    EXPECT_TRUE(order.contains(47));

    // A group without members leaves only the total lines.
    pcSisanhyo_Read(rows, 52, sorts, 52, QString(), QStringLiteral("NOGRP"), 0, 4, 0, 1, 0, 0);
    EXPECT_EQ(account(QStringLiteral("1101")), nullptr);
    EXPECT_EQ(rows[5].KMK.KNAME, QStringLiteral("流動資産合計"));
}

// Statement lines: the A4 read first clears captions that only repeat the one account in use
// on a line (line 3, "仮受消費税"), and a department group adds its members line by line.
TEST_F(SisanhyoRead, StatementLinesAndSharedCaptions) {
    const auto line = [&](int mstrec) -> const TBALANCE* {
        for (int r = FirstAccountRow; r < rows.size(); ++r)
            if (rows[r].MSTREC == mstrec && !rows[r].KMK.KCODE.isEmpty())
                return &rows[r];
        return nullptr;
    };
    pcSisanhyo_Read(rows, 52, sorts, 52, QString(), QString(), 0, 0, 1, 2, 0, 0);
    ASSERT_TRUE(session.messages.messages.isEmpty()) << session.messages.texts().join(u'\n').toStdString();
    ASSERT_NE(line(5), nullptr);
    EXPECT_EQ(line(5)->KMK.KCODE, QStringLiteral("4101"));
    EXPECT_EQ(line(5)->ZANDAKA[16], yen(1760));
    EXPECT_EQ(line(1)->ZANDAKA[16], yen(6288));
    {
        core::TIBTransaction t;
        t.addDatabase(&session.dm.IBDatabaseDAT);
        t.startTransaction();
        core::TIBSQL q(&session.dm.IBDatabaseDAT, &t);
        q.sql() << QStringLiteral("SELECT KNAME1 FROM EXTERA4 WHERE REC IN (3, 4) ORDER BY REC");
        QStringList captions;
        for (q.execQuery(); !q.eof(); q.next())
            captions << q.fields(0).asString();
        EXPECT_EQ(captions, (QStringList{QString(), QStringLiteral("資本金等")}));
    }
    EXPECT_EQ(unbalanced(), QStringList{});

    // Group G1 on A3 lines: 現金 990 (01) + 550 (02) and 普通預金 77 (02 only) on line 1.
    pcSisanhyo_Read(rows, 52, sorts, 52, QString(), QStringLiteral("G1"), 0, 4, 2, 2, 0, 0);
    ASSERT_TRUE(session.messages.messages.isEmpty()) << session.messages.texts().join(u'\n').toStdString();
    const std::pair<int, qint64> lines[] = {{1, 1617}, {4, 77}, {5, 1760}, {6, 220}};
    for (const auto& [mstrec, balance] : lines) {
        ASSERT_NE(line(mstrec), nullptr) << mstrec;
        EXPECT_EQ(line(mstrec)->ZANDAKA[16], yen(balance)) << mstrec;
    }
    EXPECT_EQ(unbalanced(), QStringList{});
}

// The export's read: settlement lines with the previous year (scope 30), relabelled captions
// and keys, debits equal to credits in every period.
TEST_F(SisanhyoRead, SettlementReadOfTheExport) {
    ReadSisanhyo(rows, 52, sorts, 52, 3, 0, 0, 1);
    ASSERT_TRUE(session.messages.messages.isEmpty()) << session.messages.texts().join(u'\n').toStdString();
    const TBALANCE* cash = nullptr; // line 1: 現金 and 普通預金
    for (int r = FirstAccountRow; r < rows.size(); ++r)
        if (rows[r].MSTREC == 1)
            cash = &rows[r];
    ASSERT_NE(cash, nullptr);
    EXPECT_EQ(cash->KMK.KCODE, QStringLiteral("-"));
    EXPECT_EQ(cash->KAISIZAN, yen(5078));
    // The previous year (only 現金 has one): 4000 through period -2, 4500 at -1, 5001 at its end.
    EXPECT_EQ(cash->ZANDAKA[-15], yen(4000));
    EXPECT_EQ(cash->ZANDAKA[-2], yen(4000));
    EXPECT_EQ(cash->ZANDAKA[-1], yen(4500));
    EXPECT_EQ(cash->ZANDAKA[0], yen(5001));
    EXPECT_EQ(cash->HASSEI[0], yen(501));
    EXPECT_EQ(cash->ZANDAKA[1], yen(6288));
    EXPECT_EQ(cash->ZANDAKA[16], yen(6288));
    EXPECT_EQ(unbalanced(1), QStringList{});

    EXPECT_EQ(rows[5].KMK.KNAME, QStringLiteral("【流動資産】"));
    EXPECT_EQ(rows[6].KMK.KNAME, QStringLiteral("（有形固定資産）"));
    EXPECT_EQ(rows[19].KMK.KNAME, QStringLiteral("資本剰余金"));
    EXPECT_EQ(rows[18].KMK.KNAME, QStringLiteral("その他資本剰余金"));
    EXPECT_EQ(rows[21].KMK.KNAME, QStringLiteral("その他利益剰余金"));
    EXPECT_EQ(rows[25].KMK.GROUPM1, QStringLiteral("3680"));
    QString key5;
    for (const TQSORT& s : sorts)
        if (s.ROWIDX == 5)
            key5 = s.SORTKEY;
    EXPECT_EQ(key5, QStringLiteral("110/"));
}

// Data that begins with month 2: period 1 comes from ZANP01 on top of KISHU0; later periods
// keep the balances built from the opening balance.
TEST_F(SisanhyoRead, MidYearStartTakesTheEarlierPeriods) {
    core::AccInf.KAISINO = 2;
    pcSisanhyo_Read(rows, 52, sorts, 52, QStringLiteral("dummy"), QStringLiteral("dummy"), 0, 10, 4, 1, 0, 0);
    const TBALANCE* cash = nullptr;
    for (int r = FirstAccountRow; r < rows.size(); ++r)
        if (rows[r].MSTREC == 1)
            cash = &rows[r];
    ASSERT_NE(cash, nullptr);
    EXPECT_EQ(cash->KISHU0, yen(5001));
    EXPECT_EQ(cash->HASSEI[1], yen(-5001));
    EXPECT_EQ(cash->ZANDAKA[1], yen(0));
    EXPECT_EQ(cash->ZANDAKA[2], yen(6508)); // 5078 + 1210 + 220 from the opening balance
}

// A failure ends the read with the error passed on (after it was shown with "試算表読込"), and
// the snapshot transaction is rolled back.
TEST_F(SisanhyoRead, FailureIsReportedAndPassedOn) {
    EXPECT_THROW(pcSisanhyo_Read(rows, 52, sorts, 52, QStringLiteral("TOOLONGCODE"), QString(), 0, 2, 0, 2, 0, 0),
                 core::EIBError);
    EXPECT_FALSE(session.dm.IBTransactionDATSS.inTransaction());
    ASSERT_EQ(session.messages.messages.size(), 1);
    EXPECT_TRUE(session.messages.messages[0].text.startsWith(QStringLiteral("試算表読込")));
}

TEST(SisanhyoColumns, MonthToColumnSkipsTheAdjustmentPeriods) {
    const int expected[13] = {0, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(MonthToSisanhyouColumn(m), expected[m]) << m;
    EXPECT_EQ(MonthToSisanhyouColumn(13), 0);
}

// Discounted notes (a contra account, nature 3) folded into notes receivable: the target's
// opening and every later balance drop by the contra account's, and row 48 shows it.
TEST(SisanhyoNotes, CopyFoldsTheContraAccountIntoNotesReceivable) {
    TBalanceArray rows(60);
    TQSortArray sorts(60);
    TBALANCE& t = rows[51];
    t.KMK.DAC = 1;
    t.KAISIZAN = yen(1000);
    t.KAR[1] = yen(500);
    computePeriodBalances(1, t.KAISIZAN, t.KAR, t.KAS, t.HASSEI, t.ZANDAKA);
    TBALANCE& s = rows[52];
    s.KMK.DAC = 3;
    s.KMK.KCODE = QStringLiteral("1190");
    s.KAISIZAN = yen(200);
    s.KAS[1] = yen(50);
    computePeriodBalances(3, s.KAISIZAN, s.KAR, s.KAS, s.HASSEI, s.ZANDAKA);
    sorts[52] = TQSORT{QStringLiteral("11801190"), 52};

    CopySisanhyoRow(rows, sorts, 51, 52, 48);
    EXPECT_EQ(rows[51].KAISIZAN, yen(800));
    EXPECT_EQ(rows[51].ZANDAKA[0], yen(800));
    EXPECT_EQ(rows[51].ZANDAKA[1], yen(1250)); // 1500 of its own less the 250 discounted
    EXPECT_EQ(rows[51].ZANDAKA[16], yen(1250));
    EXPECT_EQ(rows[48].KMK.KCODE, QStringLiteral("1190"));
    EXPECT_EQ(rows[48].KAISIZAN, yen(200));
    EXPECT_EQ(rows[48].ZANDAKA[1], yen(250));
    EXPECT_EQ(rows[52].KAISIZAN, Currency{});
    EXPECT_EQ(rows[52].ZANDAKA[16], Currency{});
    EXPECT_EQ(rows[52].KAS[1], Currency{});
    EXPECT_EQ(sorts[52].SORTKEY, HiddenSortKey);
}

} // namespace
