#include "statements/CalcSisanhyo.h"

#include "statements/AllocationRatio.h"
#include "statements/KamokuZan.h"
#include "statements/SisanhyoRead.h"
#include "tests/statements/CompanyDm.h"
#include "tests/statements/TrialBalanceCompany.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QTemporaryDir>

#include <memory>

namespace {

using core::Currency;
using statements::TBALANCE;
using statements::TCalcSisanhyoSettingRec;
using statements::TQSORT;

Currency yen(qint64 v) { return Currency::fromInt(v); }

TEST(AllocationRatioTest, SharesAreTruncatedFromTheExactDecimal) {
    struct Case {
        const char* ratio;
        qint64 amount;
        qint64 share;
    };
    const Case cases[] = {{"0.333000", 1000, 333}, {"0.333000", -1000, -333}, {"0.5", 5001, 2500},
                          {"1", 330, 330},        {"0.1", 9, 0},            {"", 1000, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(statements::allocate(yen(c.amount), statements::AllocationRatio::fromText(QString::fromLatin1(c.ratio))),
                  yen(c.share))
            << c.ratio << " of " << c.amount;
    EXPECT_EQ(statements::allocate(Currency::fromRaw(12345678), statements::AllocationRatio::one()), yen(1234));
}

// The ordinary company of the procedure tests, with what the own queries need besides: the
// opening balances in KISHU_KOMI/KISHU_NUKI, the departments and the blank sub-account of
// every account.
class CalcSisanhyoTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        db = statementstest::createOrdinaryCompany(dir->path()).release();
        statementstest::execAll(
            *db, {QStringLiteral("UPDATE KAMOKU_SZ SET KISHU_KOMI = KAISIZAN, KISHU_NUKI = KAISIZAN"),
                  QStringLiteral("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通') MATCHING (BCODE)"),
                  QStringLiteral("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '一課') MATCHING (BCODE)"),
                  QStringLiteral("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('02', '二課') MATCHING (BCODE)"),
                  QStringLiteral("UPDATE SISETUMST SET BUMEX = 1"),
                  QStringLiteral("EXECUTE BLOCK AS DECLARE K VARCHAR(10); DECLARE N VARCHAR(40); BEGIN "
                                 "FOR SELECT KCODE, KNAME FROM KAMOKUMST INTO :K, :N DO "
                                 "UPDATE OR INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES (:K, ' ', :N) "
                                 "MATCHING (KCODE, HCODE); END")});
    }
    static void TearDownTestSuite() {
        delete db;
        delete dir;
    }

    void SetUp() override {
        core::AccInf.SysKCode[core::skKaribaraiZei] = QStringLiteral("1201");
        core::AccInf.SysKCode[core::skKariukeZei] = QStringLiteral("2101");
        rows.resize(500);
        sorts.resize(500);
        for (int i = 0; i < sorts.size(); ++i)
            sorts[i] = TQSORT{statements::HiddenSortKey, i};
    }

    static TCalcSisanhyoSettingRec wholeCompany(int form, int tax) {
        TCalcSisanhyoSettingRec s;
        s.SCODE_ONE = 1;
        s.BCODE_ONE = 1;
        s.SCOPE = 6;
        s.FORM = form;
        s.TAX = tax;
        return s;
    }

    // A computation on freshly cleared arrays, as the readers hand them over.
    int calc(const TCalcSisanhyoSettingRec& s) {
        const qsizetype size = rows.size();
        rows = QList<TBALANCE>(size);
        for (int i = 0; i < sorts.size(); ++i)
            sorts[i] = TQSORT{statements::HiddenSortKey, i};
        return statements::CalcSisanhyoBySetting(rows, sorts, s);
    }

    // Rows 51..last as "KCODE KNAME K=opening Rnn=debit Snn=credit" lines.
    QStringList describe(int last) const {
        QStringList lines;
        for (int i = 51; i <= last; ++i) {
            const TBALANCE& r = rows[i];
            QStringList parts{r.KMK.KCODE, r.KMK.KNAME};
            if (r.KAISIZAN != Currency{})
                parts << QStringLiteral("K=") + r.KAISIZAN.toString();
            for (int p = 1; p <= 16; ++p) {
                if (r.KAR[p] != Currency{})
                    parts << QStringLiteral("R%1=").arg(p, 2, 10, QLatin1Char('0')) + r.KAR[p].toString();
                if (r.KAS[p] != Currency{})
                    parts << QStringLiteral("S%1=").arg(p, 2, 10, QLatin1Char('0')) + r.KAS[p].toString();
            }
            lines << parts.join(u' ');
        }
        return lines;
    }

    static QTemporaryDir* dir;
    static core::TIBDatabase* db;
    QTemporaryDir logs;
    statementstest::CompanyDm company{*db, logs.path()};
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    QList<TBALANCE> rows;
    QList<TQSORT> sorts;
};

QTemporaryDir* CalcSisanhyoTest::dir = nullptr;
core::TIBDatabase* CalcSisanhyoTest::db = nullptr;

TEST_F(CalcSisanhyoTest, AccountListAgreesWithTheSingleBalanceLookup) {
    for (int tax : {0, 1}) {
        SCOPED_TRACE(tax);
        const int last = calc(wholeCompany(0, tax));
        ASSERT_EQ(last, 57);
        for (int i = 51; i <= last; ++i) {
            const TBALANCE& r = rows[i];
            for (int p = 0; p <= 16; ++p)
                EXPECT_EQ(r.ZANDAKA[p], statements::GetKamokuZan(QString(), QString(), r.KMK.KCODE, QString(), p, tax))
                    << r.KMK.KCODE.toStdString() << " period " << p;
            EXPECT_EQ(sorts[i].ROWIDX, i);
            EXPECT_EQ(sorts[i].SORTKEY, r.KMK.GROUPM2 + r.KMK.USERCODE.left(4));
        }
        EXPECT_FALSE(company.dm.IBTransactionDATSS.inTransaction());
    }
    // Debits equal credits in every period of the whole company.
    for (int p = 1; p <= 16; ++p) {
        Currency debit, credit;
        for (int i = 51; i <= 57; ++i)
            debit += rows[i].KAR[p], credit += rows[i].KAS[p];
        EXPECT_EQ(debit, credit) << "period " << p;
    }
}

TEST_F(CalcSisanhyoTest, AccountListAgreesWithTheProcedureRead) {
    for (int tax : {0, 1}) {
        SCOPED_TRACE(tax);
        QList<TBALANCE> read(500);
        QList<TQSORT> readSorts(500);
        statements::pcSisanhyo_Read(read, 499, readSorts, 499, QString(), QString(), tax, 0, 0, 0, 0, 0);
        QHash<QString, const TBALANCE*> byCode;
        for (const TBALANCE& r : read)
            if (!r.KMK.KCODE.isEmpty())
                byCode.insert(r.KMK.KCODE, &r);
        const int last = calc(wholeCompany(0, tax));
        for (int i = 51; i <= last; ++i) {
            const TBALANCE* other = byCode.value(rows[i].KMK.KCODE);
            ASSERT_NE(other, nullptr) << rows[i].KMK.KCODE.toStdString();
            for (int p = 0; p <= 16; ++p)
                EXPECT_EQ(rows[i].ZANDAKA[p], other->ZANDAKA[p]) << rows[i].KMK.KCODE.toStdString() << " period " << p;
        }
    }
}

TEST_F(CalcSisanhyoTest, SubAccountLinesWithTheRemainderNamedLikeTheAccount) {
    calc(wholeCompany(0, 0));
    const TBALANCE& sales = rows[55];
    ASSERT_EQ(sales.KMK.KCODE, QStringLiteral("4101"));
    ASSERT_EQ(sales.HOJCNT, 3);
    QStringList lines;
    for (const auto& h : sales.HOJOUTIWAKE)
        lines << QStringLiteral("%1 %2 %3").arg(h.HCODE, h.HNAME, h.ZANDAKA[16].toString());
    EXPECT_EQ(lines, (QStringList{QStringLiteral("  売上高 110"), QStringLiteral("001 Ａ商店 1100"),
                                  QStringLiteral("002 Ｂ商店 550")}));
    EXPECT_EQ(rows[51].HOJCNT, 0); // cash has no named sub-account
}

TEST_F(CalcSisanhyoTest, StatementLinesGatherTheirAccounts) {
    const int last = calc(wholeCompany(1, 0));
    EXPECT_EQ(describe(last),
              (QStringList{QStringLiteral("1101 現金 K=5001 R01=1210 R02=550 S02=330 S16=220"),
                           QStringLiteral("1201 仮払消費税"), QStringLiteral("2101 仮受消費税"),
                           QStringLiteral("- 資本金等 K=5001"), QStringLiteral("4101 売上高 S01=1210 S02=550"),
                           QStringLiteral("- 仕入・経費 R02=330 R16=220")}));
    EXPECT_EQ(sorts[56].SORTKEY, QStringLiteral("510001"));
}

TEST_F(CalcSisanhyoTest, ScopeFiltersNameTheFacilityThenTheDepartment) {
    TCalcSisanhyoSettingRec s;
    s.SCODE = QStringLiteral("01");
    s.SCODE_ONE = 1;
    s.BCODE = QStringLiteral("G1");
    EXPECT_EQ(statements::MakeScopeFilter(s, QStringLiteral("SCODE")), QStringLiteral("(SCODE='01')"));
    EXPECT_EQ(statements::MakeScopeFilter(s, QStringLiteral("BCODE")), QStringLiteral("(BCODE IN ('01','02'))"));
    s.SCODE = QStringLiteral("  ");
    EXPECT_EQ(statements::MakeScopeFilter(s, QStringLiteral("SCODE")), QString());
    s.BCODE = QStringLiteral("G9"); // a group without members
    EXPECT_EQ(statements::MakeScopeFilter(s, QStringLiteral("BCODE")), QString());
}

TEST_F(CalcSisanhyoTest, CommonDepartmentIsSharedOutByTheRatios) {
    core::AccInf.BUMON = 2;
    TCalcSisanhyoSettingRec s = wholeCompany(0, 0);
    s.BCODE = QStringLiteral("G1");
    s.BCODE_ONE = 0;
    s.HAIBUN = 1;
    const int last = calc(s);
    // Cash: department 01 (50 %) and 02 (40 %) of the common opening 5001 and of the common
    // credit 330 of period 2, besides their own entries.
    EXPECT_EQ(describe(last).first(), QStringLiteral("1101 現金 K=4500 R01=1210 R02=550 S02=297 S16=220"));
    EXPECT_EQ(rows[51].ZANDAKA[16], yen(4500 + 1210 + 550 - 297 - 220));

    // Tax excluded: each department takes its share of the common department's tax (tax paid
    // 30 in period 2: 15 and 12) and its own tax unshared (tax received 110 and 50).
    s.TAX = 1;
    calc(s);
    EXPECT_EQ(rows[52].KAR[2], yen(27));
    EXPECT_EQ(rows[53].KAS[1], yen(110));
    EXPECT_EQ(rows[53].KAS[2], yen(50));
}

TEST_F(CalcSisanhyoTest, TaxExcludedAmountsLeaveOutTheLumpSumTax) {
    statementstest::execAll(*db, {QStringLiteral("UPDATE KAMOKU_MS SET KAR_NUK = KAR_NUK + 1100, KAR_IKKATSU = 100 "
                                                 "WHERE KCODE = '6101' AND BCODE = '01' AND HCODE = ' ' AND MNUM = 3")});
    calc(wholeCompany(0, 1));
    const Currency excluded = rows[57].KAR[3];
    calc(wholeCompany(0, 0));
    const Currency included = rows[57].KAR[3];
    statementstest::execAll(*db, {QStringLiteral("UPDATE KAMOKU_MS SET KAR_NUK = KAR_NUK - 1100, KAR_IKKATSU = 0 "
                                                 "WHERE KCODE = '6101' AND BCODE = '01' AND HCODE = ' ' AND MNUM = 3")});
    EXPECT_EQ(excluded, yen(1000));
    EXPECT_EQ(included, yen(1100));
}

TEST_F(CalcSisanhyoTest, CreditAccountOnADebitSettlementLineCountsAgainstIt) {
    statementstest::execAll(*db, {QStringLiteral("UPDATE KAMOKUMST SET EXT1_KS = 1, BLDAC = 4 WHERE KCODE = '3101'")});
    const int last = calc(wholeCompany(3, 0));
    statementstest::execAll(*db, {QStringLiteral("UPDATE KAMOKUMST SET EXT1_KS = 4, BLDAC = 0 WHERE KCODE = '3101'")});
    ASSERT_GE(last, 51);
    const TBALANCE& line = rows[51];
    EXPECT_EQ(line.KMK.KCODE, QStringLiteral("-"));
    EXPECT_EQ(line.KAISIZAN, yen(0)); // cash 5001 less capital 5001
    EXPECT_EQ(line.KMK.DAC, 4);
}

TEST_F(CalcSisanhyoTest, RowsBeyondTheArrayGrowBothArrays) {
    rows.resize(53);
    sorts.resize(53);
    const int last = calc(wholeCompany(0, 0));
    EXPECT_EQ(last, 57);
    EXPECT_GE(rows.size(), 58);
    EXPECT_EQ(rows.size(), sorts.size());
    EXPECT_EQ(rows[57].KMK.KCODE, QStringLiteral("6101"));
    EXPECT_EQ(sorts[57].ROWIDX, 57);
}

} // namespace
