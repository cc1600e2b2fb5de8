// All accounts' balances read at once give, for every account, period and mode, exactly what
// the per-account read gives: accounts spread over facilities, departments and sub-accounts,
// an account with only an opening balance, one with only period sums, one with nothing, the
// two tax accounts with their consumption tax, sums outside the year's periods and codes with
// blanks around. And where the grouped read cannot be used, the per-account read answers.
//
// Natures: A1 1, A2 2, A3 3, A4 4; OP (opening only) 1, MS (sums only) 2, NO (nothing) 1;
// 1201 仮払消費税 1, 2101 仮受消費税 2. "ZZ" has sums but is not in the account master.

#include "statements/KamokuZanTable.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/settings/QueryFactory.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "statements/KamokuZan.h"
#include "tests/statements/CompanySession.h"
#include "tests/statements/TrialBalanceCompany.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

using core::Currency;
using statements::GetKamokuZan;
using statements::TKamokuZanTable;

class KamokuZanTableTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        file_ = dir_->filePath(QStringLiteral("qmacc.fdb"));
        auto db = schema::createSchemaDatabase(schema::DbAccount{}, file_, schema::DatabaseKind::Company);
        QStringList sql;
        const auto account = [&](const char* k, int dac) {
            sql << QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, USE, DAC, BPFLG, HOJOSW, KEIHKUBU) "
                                  "VALUES ('%1', '%1', '1110', '1110', '%1', 1, %2, 'B', ' 1 ', ' ')")
                       .arg(QLatin1String(k))
                       .arg(dac);
        };
        const auto opening = [&](const char* s, const char* k, const char* h, const char* b, int komi, int nuki) {
            sql << QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KISHU_KOMI, KISHU_NUKI) "
                                  "VALUES ('%1', '%2', '%3', '%4', %5, %6)")
                       .arg(QLatin1String(s), QLatin1String(k), QLatin1String(h), QLatin1String(b))
                       .arg(komi)
                       .arg(nuki);
        };
        // values: KAR_NUK, KAR_TAX, KAR_IKKATSU, KAS_NUK, KAS_TAX, KAS_IKKATSU
        const auto sums = [&](const char* s, const char* k, const char* h, const char* b, int m, const char* values) {
            sql << QStringLiteral("INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAR_IKKATSU, "
                                  "KAS_NUK, KAS_TAX, KAS_IKKATSU) VALUES ('%1', '%2', '%3', '%4', %5, %6)")
                       .arg(QLatin1String(s), QLatin1String(k), QLatin1String(h), QLatin1String(b))
                       .arg(m)
                       .arg(QLatin1String(values));
        };
        account("A1", 1);
        account("A2", 2);
        account("A3", 3);
        account("A4", 4);
        account("OP", 1);
        account("MS", 2);
        account("NO", 1);
        account("1201", 1);
        account("2101", 2);
        int n = 0;
        for (const char* k : {"A1", "A2", "A3", "A4"}) {
            ++n;
            opening(" ", k, " ", "00", 1000 * n, 990 * n);
            opening(" ", k, "H1", "01", 7 * n, 6 * n);
            opening("S1", k, " ", "02", 11, 10);
            sums(" ", k, " ", "00", 1, "300, 30, 3, 100, 10, 1");
            sums(" ", k, "H1", "01", 1, "40, 4, 0, 5, 0, 0");
            sums("S1", k, " ", "02", 1, "2, 0, 0, 900, 90, 9");
            sums(" ", k, " ", "00", 4, "0.5, 0.05, 0, 0, 0, 0");
            sums(" ", k, " ", "01", 9, "12345.6789, 1234.5678, 12, 0, 0, 0");
            sums(" ", k, " ", "00", 16, "0, 0, 0, 77, 7, 7");
            sums(" ", k, " ", "00", 17, "5000, 0, 0, 0, 0, 0"); // outside the year's periods
            sums(" ", k, " ", "00", 0, "6000, 0, 0, 0, 0, 0");
        }
        opening(" ", "OP", " ", "00", 500, 450);
        sums(" ", "MS", " ", "00", 3, "0, 0, 0, 250, 25, 0");
        sums(" ", "ZZ", " ", "00", 3, "1, 1, 1, 1, 1, 1");
        opening(" ", "1201", " ", "00", 20, 20);
        sums(" ", "1201", " ", "00", 2, "100, 0, 0, 30, 0, 0");
        sums(" ", "2101", " ", "01", 2, "10, 0, 0, 300, 0, 0");
        sql << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 2, 1, 40, 0)")
            << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('S1', '01', 2, 1, 4, 1)")
            << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 2, 12, 8, 0)")
            << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '00', 1, 1, 0, 60)")
            << QStringLiteral("INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES (' ', '02', 1, 5, 3, 66)");
        statementstest::execAll(*db, sql);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        core::AccInf.SysKCode[core::skKaribaraiZei] = QStringLiteral("1201");
        core::AccInf.SysKCode[core::skKariukeZei] = QStringLiteral("2101");
    }

    // Runs one statement on the company transaction (started by the caller).
    void exec(const QString& statement) {
        auto query = core::CreateIBQuery(QStringLiteral("ACCDAT"), false);
        query->sql() << statement;
        query->execSQL();
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString file_;
    statementstest::CompanySession session{file_};
};

TEST_F(KamokuZanTableTest, EveryAccountPeriodAndModeAsTheSingleRead) {
    const QStringList codes = {QStringLiteral("A1"),   QStringLiteral("A2"),     QStringLiteral("A3"),
                               QStringLiteral("A4"),   QStringLiteral("OP"),     QStringLiteral("MS"),
                               QStringLiteral("NO"),   QStringLiteral("1201"),   QStringLiteral("2101"),
                               QStringLiteral("ZZ"),   QStringLiteral(" A1\t"), QStringLiteral("1201 "),
                               QStringLiteral("NONE"), QString()};
    for (const int mode : {0, 1, 2}) {
        TKamokuZanTable table(mode);
        for (const QString& code : codes) {
            for (const int period : {-1, 0, 1, 2, 3, 4, 5, 8, 9, 12, 15, 16, 17, 99}) {
                SCOPED_TRACE(testing::Message() << '[' << code.toStdString() << "] period " << period << " mode " << mode);
                EXPECT_EQ(table.Balance(code, period, mode), GetKamokuZan({}, {}, code, {}, period, mode));
            }
        }
    }
    // The figures differ by mode and carry the consumption tax where they should.
    TKamokuZanTable included(0);
    TKamokuZanTable excluded(1);
    EXPECT_EQ(included.Balance(QStringLiteral("1201"), 16, 0), Currency::fromInt(90));
    EXPECT_EQ(excluded.Balance(QStringLiteral("1201"), 16, 1), Currency::fromInt(141));
    EXPECT_EQ(excluded.Balance(QStringLiteral("OP"), 16, 1), Currency::fromInt(450));
    EXPECT_TRUE(session.messages.messages.isEmpty());
}

// The figures are those of the first request; a request in another mode, and every request
// when a sum of the grouped read overflows, gets the single read's answer, its failure too.
TEST_F(KamokuZanTableTest, SnapshotOtherModeAndOverflow) {
    core::TIBTransaction& t = session.dm.IBTransactionDAT;
    t.startTransaction();
    TKamokuZanTable table(0);
    const Currency before = table.Balance(QStringLiteral("A1"), 16, 0);
    EXPECT_TRUE(t.inTransaction()); // the caller's transaction is left open
    exec(QStringLiteral("UPDATE KAMOKU_MS SET KAR_NUK=KAR_NUK+1 WHERE KCODE='A1' AND MNUM=1"));
    EXPECT_EQ(table.Balance(QStringLiteral("A1"), 16, 0), before);
    EXPECT_EQ(GetKamokuZan({}, {}, QStringLiteral("A1"), {}, 16, 0), before + Currency::fromInt(3));
    EXPECT_EQ(table.Balance(QStringLiteral("A1"), 16, 2), GetKamokuZan({}, {}, QStringLiteral("A1"), {}, 16, 2));

    exec(QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, DAC) VALUES ('OV', 'OV', 'OV', 1)"));
    exec(QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KISHU_KOMI) VALUES (' ', 'OV', ' ', '00', 900000000000000)"));
    exec(QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KISHU_KOMI) VALUES (' ', 'OV', ' ', '01', 900000000000000)"));
    TKamokuZanTable overflowing(0);
    EXPECT_EQ(overflowing.Balance(QStringLiteral("A1"), 16, 0), before + Currency::fromInt(3));
    EXPECT_TRUE(session.messages.messages.isEmpty());
    EXPECT_THROW(overflowing.Balance(QStringLiteral("OV"), 16, 0), core::EIBError);
    ASSERT_EQ(session.messages.messages.size(), 1); // as the single read reports it
    EXPECT_TRUE(session.messages.messages[0].text.startsWith(QStringLiteral("ERROR（pub_pcGetKaisiZan）")));
    t.rollback();
}

} // namespace
