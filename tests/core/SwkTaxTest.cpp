#include "core/Globals.h"
#include "core/tax/SwkTax.h"
#include "core/tax/ZeiRitu.h"

#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <limits>

using namespace core;

namespace core {
// Amounts read as yen in failure output.
static void PrintTo(const Currency& value, std::ostream* os) { *os << value.toString().toStdString(); }
} // namespace core

namespace {

const char kKaribarai[] = "1190"; // 仮払消費税
const char kKariuke[] = "2170";   // 仮受消費税
const char kExpense[] = "5000";
const char kSales[] = "4000";
const char kCash[] = "1000";

Currency yen(double value)
{
    return Currency::fromRaw(qint64(value * Currency::scale + (value < 0 ? -0.5 : 0.5)));
}

struct SideIn {
    const char* account;
    qint32 code;
    qint32 rateKey;
};

TSwkBalance side(const SideIn& in)
{
    TSwkBalance s;
    s.KCODE = QString::fromLatin1(in.account);
    s.TAXCODE = in.code;
    s.RateCode = in.rateKey;
    return s;
}

// A company of the current data version with a sales and a purchase rounding mode.
class SwkTax : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedAccInf_ = AccInf;
        savedTable_ = ZeiRituTable;
        AccInf.DataMajor = 15;
        AccInf.SysUserCode[skKaribaraiZei] = QString::fromLatin1(kKaribarai);
        AccInf.SysUserCode[skKariukeZei] = QString::fromLatin1(kKariuke);
        AccInf.TAXU_HASUU = 0;
        AccInf.TAXH_HASUU = 0;
        LoadZeiRituTable();
    }
    void TearDown() override
    {
        AccInf = savedAccInf_;
        ZeiRituTable = savedTable_;
    }

    testsupport::RecordingMessageService messages_;
    testsupport::ScopedMessageService scoped_{messages_};

private:
    TACCINF savedAccInf_;
    TZeiRituList savedTable_;
};

} // namespace

TEST_F(SwkTax, SideTaxByModeRoundingAndAccount) {
    const struct {
        const char* label;
        SideIn in;
        double amount;
        double recordTax;
        qint32 autoTax;
        qint32 mode;
        qint32 salesRounding;
        qint32 purchaseRounding;
        double nuk, zei, rit;
        qint32 kind, sideClass;
    } cases[] = {
        {"included 10%", {kExpense, 511, 0}, 11000, 0, 1, 0, 0, 0, 10000, 1000, 10, 2, 1},
        {"added 10%", {kExpense, 511, 0}, 11000, 0, 1, 1, 0, 0, 11000, 1100, 10, 2, 1},
        {"no tax keeps the rate", {kExpense, 511, 0}, 11000, 0, 1, 2, 0, 0, 11000, 0, 10, 2, 1},
        {"sales cut", {kSales, 110, 0}, 1234, 0, 1, 0, 0, 2, 1122, 112, 10, 1, 3},
        {"sales half up", {kSales, 110, 0}, 1234, 0, 1, 0, 1, 2, 1122, 112, 10, 1, 3},
        {"sales round up", {kSales, 110, 0}, 1234, 0, 1, 0, 2, 0, 1121, 113, 10, 1, 3},
        {"purchase cut", {kExpense, 511, 3}, 1250, 0, 1, 0, 2, 0, 1158, 92, 8, 2, 1},
        {"purchase half up", {kExpense, 511, 3}, 1250, 0, 1, 0, 0, 1, 1157, 93, 8, 2, 1},
        {"negative round up", {kSales, 110, 0}, -1234, 0, 1, 0, 2, 0, -1121, -113, 10, 1, 3},
        {"side key 8% over record key", {kExpense, 511, 3}, 10800, 0, 1, 0, 0, 0, 10000, 800, 8, 2, 1},
        {"reduced 8%", {kExpense, 511, 4}, 108, 0, 1, 1, 0, 0, 108, 8, 8, 2, 1},
        {"given tax, included", {kExpense, 511, 0}, 11000, 999, 0, 0, 0, 0, 10001, 999, 10, 2, 1},
        {"given tax, added", {kExpense, 511, 0}, 11000, 999, 0, 1, 0, 0, 11000, 999, 10, 2, 1},
        {"given tax, no tax", {kExpense, 511, 0}, 11000, 999, 0, 2, 0, 0, 11000, 0, 10, 2, 1},
        {"tax-paid account keeps the rate", {kKaribarai, 711, 0}, 1000, 0, 1, 0, 0, 0, 1000, 0, 10, 0, 1},
        {"tax-received account keeps the rate", {kKariuke, 610, 3}, 800, 0, 1, 0, 0, 0, 800, 0, 8, 0, 3},
        {"tax account with 810", {kKaribarai, 810, 0}, 1000, 0, 1, 0, 0, 0, 1000, 0, 0, 0, 0},
        {"taxable code on a tax account", {kKaribarai, 511, 0}, 1000, 0, 1, 0, 0, 0, 1000, 0, 10, 2, 1},
        {"outside the tax", {kCash, 810, 0}, 11000, 0, 1, 0, 0, 0, 11000, 0, 0, 0, 0},
        {"non-taxable purchase", {kExpense, 540, 0}, 11000, 0, 1, 0, 0, 0, 11000, 0, 0, 0, 1},
        {"unlisted code", {kExpense, 999, 0}, 11000, 0, 1, 0, 0, 0, 11000, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        AccInf.TAXU_HASUU = c.salesRounding;
        AccInf.TAXH_HASUU = c.purchaseRounding;
        TSWKREC rec;
        rec.KINGAKU = yen(c.amount);
        rec.ZEIGAKU = yen(c.recordTax);
        rec.AUTCALCU = c.autoTax;
        rec.TAXCALCU = c.mode;
        rec.OLDRATE = 0;
        TSwkBalance s = side(c.in);
        s.NUK = s.ZEI = s.RIT = yen(77); // stale values are replaced
        EXPECT_TRUE(CalcSwkSideTax(rec, s)) << c.label;
        EXPECT_EQ(s.NUK, yen(c.nuk)) << c.label;
        EXPECT_EQ(s.ZEI, yen(c.zei)) << c.label;
        EXPECT_EQ(s.RIT, yen(c.rit)) << c.label;
        EXPECT_EQ(s.TAXUH, c.kind) << c.label;
        EXPECT_EQ(s.TAXDC, c.sideClass) << c.label;
    }
    EXPECT_TRUE(messages_.messages.isEmpty());
}

TEST_F(SwkTax, SideTaxOutOfRangeIsReportedNotWrapped) {
    TSWKREC rec;
    rec.KINGAKU = Currency::fromRaw(std::numeric_limits<qint64>::min());
    rec.ZEIGAKU = yen(1);
    rec.AUTCALCU = 0;
    rec.TAXCALCU = 0;
    TSwkBalance s = side({kExpense, 511, 0});
    EXPECT_FALSE(CalcSwkSideTax(rec, s));
    EXPECT_EQ(s.NUK, Currency{});
    EXPECT_EQ(s.ZEI, Currency{});
    ASSERT_EQ(messages_.messages.size(), 1);
    EXPECT_EQ(messages_.messages[0].text, QStringLiteral("仕訳の消費税額が計算できません。\r"));
    EXPECT_EQ(messages_.messages[0].kind, MessageKind::Error);
}

TEST_F(SwkTax, RecordTax) {
    const struct {
        const char* label;
        SideIn debit;
        SideIn credit;
        double amount;
        double recordTax;
        qint32 autoTax;
        qint32 mode;
        qint32 oldRate;
        // expected
        qint32 modeAfter;
        qint32 oldRateAfter;
        double amountAfter, taxAfter;
        double debitNuk, debitZei, creditNuk, creditZei;
    } cases[] = {
        {"purchase, tax included", {kExpense, 511, 0}, {kCash, 810, 0}, 11000, 0, 1, 0, 0,
         0, 0, 11000, 1000, 10000, 1000, 11000, 0},
        {"purchase, tax added: the cash side takes the total", {kExpense, 511, 0}, {kCash, 810, 0}, 11000, 0, 1, 1, 0,
         1, 0, 11000, 1100, 11000, 1100, 12100, 0},
        {"sale, tax added: the cash side takes the total", {kCash, 810, 0}, {kSales, 110, 0}, 10000, 0, 1, 1, 0,
         1, 0, 10000, 1000, 11000, 0, 10000, 1000},
        {"amounts cut to whole yen first", {kExpense, 511, 0}, {kCash, 810, 0}, 11000.75, 999.9, 0, 0, 0,
         0, 0, 11000, 999, 10001, 999, 11000, 0},
        {"specific purchase: no tax", {kExpense, 551, 0}, {kCash, 810, 0}, 11000, 0, 1, 0, 0,
         2, 0, 11000, 0, 11000, 0, 11000, 0},
        {"record key from the debit side", {kExpense, 511, 3}, {kCash, 810, 0}, 10800, 0, 1, 0, 0,
         0, 3, 10800, 800, 10000, 800, 10800, 0},
        {"record key from the credit side", {kCash, 810, 0}, {kSales, 110, 3}, 10800, 0, 1, 0, 0,
         0, 3, 10800, 800, 10800, 0, 10000, 800},
        {"both sides rated alike", {kExpense, 511, 3}, {kSales, 110, 3}, 10800, 0, 1, 0, 0,
         0, 3, 10800, 800, 10000, 800, 10000, 800},
        {"both sides rated differently: key unchanged, larger tax", {kExpense, 511, 3}, {kSales, 110, 2}, 10800, 0, 1, 0,
         4, 0, 4, 10800, 800, 10000, 800, 10286, 514},
        {"no side rated: key unchanged", {kCash, 810, 3}, {kSales, 130, 3}, 5000, 0, 1, 0, 2,
         0, 2, 5000, 0, 5000, 0, 5000, 0},
    };
    for (const auto& c : cases) {
        TSWKREC rec;
        rec.KINGAKU = yen(c.amount);
        rec.ZEIGAKU = yen(c.recordTax);
        rec.AUTCALCU = c.autoTax;
        rec.TAXCALCU = c.mode;
        rec.OLDRATE = c.oldRate;
        rec.Debit = side(c.debit);
        rec.Credit = side(c.credit);
        EXPECT_TRUE(CalcSwkRecTax(rec)) << c.label;
        EXPECT_EQ(rec.TAXCALCU, c.modeAfter) << c.label;
        EXPECT_EQ(rec.OLDRATE, c.oldRateAfter) << c.label;
        EXPECT_EQ(rec.KINGAKU, yen(c.amountAfter)) << c.label;
        EXPECT_EQ(rec.ZEIGAKU, yen(c.taxAfter)) << c.label;
        EXPECT_EQ(rec.Debit.NUK, yen(c.debitNuk)) << c.label;
        EXPECT_EQ(rec.Debit.ZEI, yen(c.debitZei)) << c.label;
        EXPECT_EQ(rec.Credit.NUK, yen(c.creditNuk)) << c.label;
        EXPECT_EQ(rec.Credit.ZEI, yen(c.creditZei)) << c.label;
    }
    EXPECT_TRUE(messages_.messages.isEmpty());
}

TEST_F(SwkTax, RecordTotalOutOfRangeFails) {
    // The largest whole-yen amount with 10 % added cannot be evened up on the other side.
    TSWKREC rec;
    rec.KINGAKU = Currency::fromInt(std::numeric_limits<qint64>::max() / Currency::scale);
    rec.AUTCALCU = 1;
    rec.TAXCALCU = 1;
    rec.Debit = side({kExpense, 511, 0});
    rec.Credit = side({kCash, 810, 0});
    EXPECT_FALSE(CalcSwkRecTax(rec));
    EXPECT_EQ(messages_.texts(), QStringList{QStringLiteral("仕訳の消費税額が計算できません。\r")});
}
