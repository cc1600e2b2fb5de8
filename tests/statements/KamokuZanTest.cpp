// Single balances read straight from the account tables: the eight condition forms, the three
// modes, the consumption-tax sums of the two tax accounts, and that a failure is passed on and
// leaves a caller's transaction alone.
//
// Accounts (facility " ", department "00" unless said):
//   K1 (debit nature 1), K2 (credit nature 2): opening 1000 tax included, 990 tax excluded;
//     period 1 debit 300, credit 100; period 2 debit 50 + tax 5, of which 2 bulk-excluded.
//   K3 (nature 1): 1000 in " "/" "/"00"; 10 in S1/H1/"01" with period 1 debit 7; 20 in
//     S1/" "/"01" with period 1 credit 3.
//   OV: two openings whose sum overflows the amount type.
//   1201 仮払消費税, 2101 仮受消費税: no sums of their own; KAMOKU_TAX holds 40 (" "/"00") and
//     4 (S1/"01") on the debit of kind 2, 60 (" "/"00") on the credit of kind 1.

#include "statements/KamokuZan.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "tests/statements/CompanySession.h"
#include "tests/statements/TrialBalanceCompany.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using core::Currency;
using statements::GetKamokuZan;

Currency yen(qint64 v) { return Currency::fromInt(v); }

class KamokuZan : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        file_ = dir_->filePath(QStringLiteral("qmacc.fdb"));
        auto db = schema::createSchemaDatabase(schema::DbAccount{}, file_, schema::DatabaseKind::Company);
        QStringList sql;
        const auto account = [&](const char* k, int dac, const char* name) {
            sql << QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, USE, DAC, BPFLG, HOJOSW, KEIHKUBU) "
                                  "VALUES ('%1', '%1', '1110', '1110', '%2', 1, %3, 'B', ' 1 ', ' ')")
                       .arg(QLatin1String(k), QString::fromUtf8(name))
                       .arg(dac);
        };
        const auto opening = [&](const char* s, const char* k, const char* h, const char* b, int komi, int nuki) {
            sql << QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KISHU_KOMI, KISHU_NUKI) "
                                  "VALUES ('%1', '%2', '%3', '%4', %5, %6)")
                       .arg(QLatin1String(s), QLatin1String(k), QLatin1String(h), QLatin1String(b))
                       .arg(komi)
                       .arg(nuki);
        };
        const auto sums = [&](const char* s, const char* k, const char* h, const char* b, int m, const char* values) {
            sql << QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAR_IKKATSU, "
                                  "KAS_NUK, KAS_TAX, KAS_IKKATSU) VALUES ('%1', '%2', '%3', '%4', %5, %6)")
                       .arg(QLatin1String(s), QLatin1String(k), QLatin1String(h), QLatin1String(b))
                       .arg(m)
                       .arg(QLatin1String(values));
        };
        account("K1", 1, "現金");
        account("K2", 2, "借入金");
        account("K3", 1, "預金");
        account("1201", 1, "仮払消費税");
        account("2101", 2, "仮受消費税");
        for (const char* k : {"K1", "K2"}) {
            opening(" ", k, " ", "00", 1000, 990);
            sums(" ", k, " ", "00", 1, "300, 0, 0, 100, 0, 0");
            sums(" ", k, " ", "00", 2, "50, 5, 2, 0, 0, 0");
        }
        // OV: two openings whose sum overflows the amount type, so that the opening step fails.
        account("OV", 1, "溢れ");
        sql << QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KISHU_KOMI) VALUES (' ', 'OV', ' ', '00', 900000000000000)")
            << QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KISHU_KOMI) VALUES (' ', 'OV', ' ', '01', 900000000000000)");
        opening(" ", "K3", " ", "00", 1000, 1000);
        opening("S1", "K3", "H1", "01", 10, 10);
        opening("S1", "K3", " ", "01", 20, 20);
        sums("S1", "K3", "H1", "01", 1, "7, 0, 0, 0, 0, 0");
        sums("S1", "K3", " ", "01", 1, "0, 0, 0, 3, 0, 0");
        sql << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 2, 1, 40, 0)")
            << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('S1', '01', 2, 1, 4, 0)")
            << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 1, 1, 0, 60)");
        statementstest::execAll(*db, sql);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        core::AccInf.SysKCode[core::skKaribaraiZei] = QStringLiteral("1201");
        core::AccInf.SysKCode[core::skKariukeZei] = QStringLiteral("2101");
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString file_;
    statementstest::CompanySession session{file_};
};

// Opening 1000, period 1 debit 300 and credit 100: a debit-natured account ends at 1200, a
// credit-natured one at 800; period 2 adds 55 with the tax or 48 tax-excluded net of the bulk part.
TEST_F(KamokuZan, NatureModeAndPeriod) {
    const struct {
        const char* kcode;
        int mode;
        qint64 p0, p1, p2;
    } cases[] = {
        {"K1", 0, 1000, 1200, 1255}, {"K2", 0, 1000, 800, 745}, {"K1", 2, 990, 1190, 1238},
        {"K2", 2, 990, 790, 742},    {"K1", 1, 990, 1190, 1238},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kcode << " mode " << c.mode);
        const QString k = QLatin1String(c.kcode);
        EXPECT_EQ(GetKamokuZan({}, {}, k, {}, 0, c.mode), yen(c.p0));
        EXPECT_EQ(GetKamokuZan({}, {}, k, {}, 1, c.mode), yen(c.p1));
        EXPECT_EQ(GetKamokuZan({}, {}, k, {}, 16, c.mode), yen(c.p2));
    }
    EXPECT_TRUE(session.messages.messages.isEmpty());
}

// Each combination of facility, department and sub-account selects its own rows; blanks and
// control characters around the codes do not count.
TEST_F(KamokuZan, ConditionForms) {
    const struct {
        const char* scode;
        const char* bcode;
        const char* hcode;
        qint64 opening, afterPeriod1;
    } cases[] = {
        {"", "", "", 1030, 1034},     {"", "", "H1", 10, 17},      {"", "01", "", 30, 34},
        {"", "01", "H1", 10, 17},     {"S1", "", "", 30, 34},      {"S1", "", "H1", 10, 17},
        {"S1", "01", "", 30, 34},     {"S1", "01", "H1", 10, 17},  {"", "00", "", 1000, 1000},
        {" S1\t", " 01 ", "H1  ", 10, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '[' << c.scode << "][" << c.bcode << "][" << c.hcode << ']');
        const QString s = QLatin1String(c.scode), b = QLatin1String(c.bcode), h = QLatin1String(c.hcode);
        EXPECT_EQ(GetKamokuZan(s, b, QStringLiteral("K3 "), h, 0, 0), yen(c.opening));
        EXPECT_EQ(GetKamokuZan(s, b, QStringLiteral("K3"), h, 1, 0), yen(c.afterPeriod1));
    }
    EXPECT_EQ(GetKamokuZan({}, {}, QStringLiteral("NONE"), {}, 1, 0), Currency{});
    EXPECT_EQ(GetKamokuZan({}, {}, QString(), {}, 1, 0), Currency{});
}

// Mode 1 adds the period's consumption tax to the two tax accounts, by facility and department,
// but not for a sub-account and never in the other modes.
TEST_F(KamokuZan, ConsumptionTaxOfTheTaxAccounts) {
    const struct {
        const char* scode;
        const char* bcode;
        const char* kcode;
        const char* hcode;
        int mode;
        qint64 balance;
    } cases[] = {
        {"", "", "1201", "", 1, 44},  {"", "01", "1201", "", 1, 4}, {"S1", "", "1201", "", 1, 4},
        {"S1", "01", "1201", "", 1, 4}, {"", "", "2101", "", 1, 60}, {"", "", "1201", "H1", 1, 0},
        {"", "", "1201", "", 2, 0},   {"", "", "1201", "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scode << '/' << c.bcode << '/' << c.kcode << '/' << c.hcode << " mode "
                                        << c.mode);
        EXPECT_EQ(GetKamokuZan(QLatin1String(c.scode), QLatin1String(c.bcode), QLatin1String(c.kcode),
                               QLatin1String(c.hcode), 16, c.mode),
                  yen(c.balance));
    }
}

// A read inside the caller's transaction leaves it open; one that starts its own ends it.
// A failure is reported and passed on rather than answered with a partial balance, and only
// the transaction the read started is rolled back.
TEST_F(KamokuZan, TransactionsAndFailures) {
    core::TIBTransaction& t = session.dm.IBTransactionDAT;
    EXPECT_EQ(GetKamokuZan({}, {}, QStringLiteral("K1"), {}, 1, 0), yen(1200));
    EXPECT_FALSE(t.inTransaction());

    t.startTransaction();
    EXPECT_EQ(GetKamokuZan({}, {}, QStringLiteral("K1"), {}, 1, 0), yen(1200));
    EXPECT_TRUE(t.inTransaction());

    // The opening balances of OV overflow their sum: the opening step fails.
    const QString badCode = QStringLiteral("OV");
    EXPECT_THROW(GetKamokuZan({}, {}, badCode, {}, 1, 0), core::EIBError);
    EXPECT_TRUE(t.inTransaction());
    t.rollback();
    ASSERT_EQ(session.messages.messages.size(), 1);
    EXPECT_TRUE(session.messages.messages[0].text.startsWith(QStringLiteral("ERROR（pub_pcGetKaisiZan）")))
        << session.messages.messages[0].text.toStdString();

    EXPECT_THROW(GetKamokuZan({}, {}, badCode, {}, 1, 0), core::EIBError);
    EXPECT_FALSE(t.inTransaction());
}

} // namespace
