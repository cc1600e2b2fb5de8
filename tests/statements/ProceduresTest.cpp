// The trial-balance procedures of both sets on two hand-made companies, against figures
// computed by hand from their few journal lines (see TrialBalanceCompany.cpp):
//
// Ordinary company, facility " ", departments 00 (common), 01, 02 with allocation ratios
// 10 / 50 / 40 %; opening balances 現金 and 資本金 5001 in department 00.
//   period 1, dept 01: 現金 1100 / 売上高 A商店 1000 + tax 100
//   period 1, dept 01: 現金 110 / 売上高 (no sub-account) 100 + tax 10
//   period 2, dept 02: 現金 550 / 売上高 B商店 500 + tax 50
//   period 2, dept 00: 仕入高 300 + tax 30 / 現金 330
//   period 16, dept 01: 旅費交通費 200 + tax 20 / 現金 220
// Medical corporation, facilities 01 (hospital, kind 8; departments 00 at 25 % and 01 at
// 75 %), 02 (kind 4), 03 (kind 2); facility group G1 = 01 and 02; opening balances 現金 and
// 資本金 1000 in 01/00 and 500 in 02.
//   period 1, 01/01: 現金 1100 / 医業収益 入院 1000 + tax 100
//   period 5, 02: 現金 300 / 医業収益 300
//   period 5, 03: 材料費 200 + tax 20 / 現金 220
//   period 2, 01/00: 材料費 400 + tax 40 / 現金 440

#include "tests/statements/TrialBalanceCompany.h"

#include "core/db/IBDatabase.h"
#include "core/EIBError.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using statementstest::resultRows;
using statementstest::unbalancedPeriods;

struct ProcedureCase {
    const char* sql;
    QStringList expected;
};

const QStringList AccountColumns = {QStringLiteral("KCODE"), QStringLiteral("HCODE"), QStringLiteral("HOJCNT"),
                                    QStringLiteral("HNAME")};
const QStringList LineColumns = {QStringLiteral("MSTREC"), QStringLiteral("KCODE"), QStringLiteral("KNAME")};
const QStringList MedicalLineColumns = {QStringLiteral("MSTREC"), QStringLiteral("GROUPM3"), QStringLiteral("KCODE"),
                                        QStringLiteral("KNAME")};

void checkCases(core::TIBDatabase& db, const QStringList& columns, const std::vector<ProcedureCase>& cases) {
    for (const ProcedureCase& c : cases) {
        SCOPED_TRACE(c.sql);
        const QString sql = QString::fromUtf8(c.sql);
        EXPECT_EQ(resultRows(db, sql, columns), c.expected);
        EXPECT_EQ(unbalancedPeriods(db, sql), QStringList{});
    }
}

// Each company is made once per test program, when a test first needs it (ctest runs every
// test in a process of its own).
class Procedures : public testing::Test {
protected:
    static void TearDownTestSuite() {
        ordinaryDb_.reset();
        medicalDb_.reset();
        ordinaryDir_.reset();
        medicalDir_.reset();
    }

    static core::TIBDatabase& company(std::unique_ptr<QTemporaryDir>& dir, std::unique_ptr<core::TIBDatabase>& db,
                                      std::unique_ptr<core::TIBDatabase> (*create)(const QString&)) {
        if (!db) {
            dir = std::make_unique<QTemporaryDir>();
            db = create(dir->path());
        }
        return *db;
    }
    static core::TIBDatabase& ordinary() {
        return company(ordinaryDir_, ordinaryDb_, statementstest::createOrdinaryCompany);
    }
    static core::TIBDatabase& medical() { return company(medicalDir_, medicalDb_, statementstest::createMedicalCompany); }

    static std::unique_ptr<QTemporaryDir> ordinaryDir_;
    static std::unique_ptr<QTemporaryDir> medicalDir_;
    static std::unique_ptr<core::TIBDatabase> ordinaryDb_;
    static std::unique_ptr<core::TIBDatabase> medicalDb_;
};

std::unique_ptr<QTemporaryDir> Procedures::ordinaryDir_;
std::unique_ptr<QTemporaryDir> Procedures::medicalDir_;
std::unique_ptr<core::TIBDatabase> Procedures::ordinaryDb_;
std::unique_ptr<core::TIBDatabase> Procedures::medicalDb_;

// Account rows carry KCODE, HCODE (empty), HOJCNT and HNAME (empty); a sub-account row follows
// its account with its HCODE and name; the remainder line " " carries the account's name.
TEST_F(Procedures, OrdinaryAccountLists) {
    checkCases(ordinary(), AccountColumns, {
        {"SELECT * FROM SP_SISANHYO(0, '', '')",
         {"1101  0  K=5001 R01=1210 R02=550 S02=330 S16=220", "1201  0 ", "2101  0 ", "3101  0  K=5001",
          "4101  2  S01=1210 S02=550", "4101   2 売上高 S01=110", "4101 001 2 Ａ商店 S01=1100", "4101 002 2 Ｂ商店 S02=550",
          "5101  0  R02=330", "6101  0  R16=220"}},
        // Tax-excluded: the taxes go to 仮受消費税 and 仮払消費税.
        {"SELECT * FROM SP_SISANHYO(1, '', '')",
         {"1101  0  K=5001 R01=1210 R02=550 S02=330 S16=220", "1201  0  R02=30 R16=20", "2101  0  S01=110 S02=50",
          "3101  0  K=5001", "4101  2  S01=1100 S02=500", "4101   2 売上高 S01=100", "4101 001 2 Ａ商店 S01=1000",
          "4101 002 2 Ｂ商店 S02=500", "5101  0  R02=300", "6101  0  R16=200"}},
        // One department over all facilities: only its own taxes.
        {"SELECT * FROM SP_SISANHYO_BUMONGOKEI(1, '01')",
         {"1101  0  R01=1210 S16=220", "1201  0  R16=20", "2101  0  S01=110", "3101  0 ", "4101  2  S01=1100",
          "4101   2 売上高 S01=100", "4101 001 2 Ａ商店 S01=1000", "4101 002 2 Ｂ商店", "5101  0 ", "6101  0  R16=200"}},
        // Allocation of department 00 at 50 %: 5001 -> FLOOR(2500.5 + 0.5) = 2501, 330 -> 165.
        {"SELECT * FROM SP_SISANHYO_BUMON(0, 1, '', '01')",
         {"1101  0  K=2501 R01=1210 S02=165 S16=220", "1201  0 ", "2101  0 ", "3101  0  K=2501",
          "4101  2  S01=1210", "4101   2 売上高 S01=110", "4101 001 2 Ａ商店 S01=1100", "4101 002 2 Ｂ商店",
          "5101  0  R02=165", "6101  0  R16=220"}},
        // Department 00 itself keeps its 10 %, its taxes too; the zero remainder line is left out.
        {"SELECT * FROM SP_SISANHYO_BUMON(1, 1, '', '00')",
         {"1101  0  K=500 S02=33", "1201  0  R02=3", "2101  0 ", "3101  0  K=500", "4101  2 ", "4101 001 2 Ａ商店",
          "4101 002 2 Ｂ商店", "5101  0  R02=30", "6101  0 "}},
        // Without allocation a department keeps its own figures only.
        {"SELECT * FROM SP_SISANHYO_BUMON(0, 0, '', '00')",
         {"1101  0  K=5001 S02=330", "1201  0 ", "2101  0 ", "3101  0  K=5001", "4101  2 ", "4101 001 2 Ａ商店",
          "4101 002 2 Ｂ商店", "5101  0  R02=330", "6101  0 "}},
        {"SELECT * FROM SP_SISANHYO_BUMON_GROUP(0, '', 'G1')",
         {"1101  0  R01=1210 R02=550 S16=220", "1201  0 ", "2101  0 ", "3101  0 ", "4101  2  S01=1210 S02=550",
          "4101   2 売上高 S01=110", "4101 001 2 Ａ商店 S01=1100", "4101 002 2 Ｂ商店 S02=550", "5101  0 ",
          "6101  0  R16=220"}},
    });
}

// Statement lines: a line's code is its account's when one account contributed and the caption
// is empty or the account's own name, else "-"; a line without accounts gives no row.
TEST_F(Procedures, OrdinaryStatementLines) {
    const QStringList wholeA4 = {"1 1101 現金 K=5001 R01=1210 R02=550 S02=330 S16=220", "2 1201 仮払消費税",
                                 "3 2101 仮受消費税", "4 - 資本金等 K=5001", "5 4101 売上高 S01=1210 S02=550",
                                 "6 - 仕入・経費 R02=330 R16=220"};
    checkCases(ordinary(), LineColumns, {
        {"SELECT * FROM SP_SISANHYO_A4(0, '', '')", wholeA4},
        {"SELECT * FROM SP_SISANHYO_A3(1, '', '')",
         {"1 1101 現金 K=5001 R01=1210 R02=550 S02=330 S16=220", "2 1201 仮払消費税 R02=30 R16=20",
          "3 2101 仮受消費税 S01=110 S02=50", "4 - 資本金等 K=5001", "5 4101 売上高 S01=1100 S02=500",
          "6 - 仕入・経費 R02=300 R16=200"}},
        {"SELECT * FROM SP_SISANHYO_BUMONGOKEI_A4(0, '02')",
         {"1 1101 現金 R02=550", "2 1201 仮払消費税", "3 2101 仮受消費税", "4 - 資本金等", "5 4101 売上高 S02=550",
          "6 - 仕入・経費"}},
        {"SELECT * FROM SP_SISANHYO_BUMONGOKEI_A3(1, '02')",
         {"1 1101 現金 R02=550", "2 1201 仮払消費税", "3 2101 仮受消費税 S02=50", "4 - 資本金等",
          "5 4101 売上高 S02=500", "6 - 仕入・経費"}},
        // Own taxes in full, the common department's taxes at the account's 50 %.
        {"SELECT * FROM SP_SISANHYO_BUMON_A4(1, 1, '', '01')",
         {"1 1101 現金 K=2501 R01=1210 S02=165 S16=220", "2 1201 仮払消費税 R02=15 R16=20",
          "3 2101 仮受消費税 S01=110", "4 - 資本金等 K=2501", "5 4101 売上高 S01=1100",
          "6 - 仕入・経費 R02=150 R16=200"}},
        {"SELECT * FROM SP_SISANHYO_BUMON_A3(0, 0, '', '01')",
         {"1 1101 現金 R01=1210 S16=220", "2 1201 仮払消費税", "3 2101 仮受消費税", "4 - 資本金等",
          "5 4101 売上高 S01=1210", "6 - 仕入・経費 R16=220"}},
    });
}

// The settlement read: one argument takes the previous year (KISHU1 and the period changes
// ZANM15..ZANM00 of KAMOKU_PZ), -1 leaves it out; KISHU0 and ZANPnn come from periods 0..15.
// 現金: 4000 through period -2, 4500 at -1, 5001 at 0. 仕入高: 900 + tax 90 at -1, tax-excluded
// 900.
TEST_F(Procedures, OrdinarySettlementLines) {
    checkCases(ordinary(), LineColumns, {
        {"SELECT * FROM SP_SISANHYO_KESSAN(0)",
         {"1 1101 現金 K=5001 R01=1210 R02=550 S02=330 S16=220 KISHU1=4000 ZANM01=500 ZANM00=501 KISHU0=5001 "
          "ZANP01=-5001",
          "2 1201 仮払消費税", "3 2101 仮受消費税", "4 - 資本金等 K=5001", "5 4101 売上高 S01=1210 S02=550",
          "6 - 仕入・経費 R02=330 R16=220 ZANM01=990 ZANM00=-990"}},
        {"SELECT * FROM SP_SISANHYO_KESSAN(1)",
         {"1 1101 現金 K=5001 R01=1210 R02=550 S02=330 S16=220 KISHU1=4000 ZANM01=500 ZANM00=501 KISHU0=5001 "
          "ZANP01=-5001",
          "2 1201 仮払消費税 R02=30 R16=20", "3 2101 仮受消費税 S01=110 S02=50", "4 - 資本金等 K=5001",
          "5 4101 売上高 S01=1100 S02=500", "6 - 仕入・経費 R02=300 R16=200 ZANM01=900 ZANM00=-900"}},
        {"SELECT * FROM SP_SISANHYO_KESSAN(0, -1)",
         {"1 1101 現金 K=5001 R01=1210 R02=550 S02=330 S16=220 KISHU0=5001 ZANP01=-5001", "2 1201 仮払消費税",
          "3 2101 仮受消費税", "4 - 資本金等 K=5001", "5 4101 売上高 S01=1210 S02=550",
          "6 - 仕入・経費 R02=330 R16=220"}},
    });
}

TEST_F(Procedures, MedicalAccountLists) {
    const QStringList columns = {QStringLiteral("KCODE"), QStringLiteral("HCODE"), QStringLiteral("HOJCNT"),
                                 QStringLiteral("GROUPR1"), QStringLiteral("HNAME")};
    checkCases(medical(), columns, {
        {"SELECT * FROM SP_SISANHYO('', 0, 0)",
         {"1101  0 1115  K=1500 R01=1100 S02=440 R05=300 S05=220", "1201  0 1300 ", "2101  0 2100 ",
          "3101  0 3110  K=1500", "4101  1 4120  S01=1100 S05=300", "4101   1 4120 医業収益 S05=300",
          "4101 001 1 4120 入院 S01=1100", "5101  0 5200  R02=440 R05=220"}},
        // Business kind 8: the hospital only.
        {"SELECT * FROM SP_SISANHYO('', 1, 8)",
         {"1101  0 1115  K=1000 R01=1100 S02=440", "1201  0 1300  R02=40", "2101  0 2100  S01=100",
          "3101  0 3110  K=1000", "4101  1 4120  S01=1000", "4101 001 1 4120 入院 S01=1000", "5101  0 5200  R02=400"}},
        {"SELECT * FROM SP_SISANHYO_BUMONGOKEI(0, '01', 0)",
         {"1101  0 1115  R01=1100", "1201  0 1300 ", "2101  0 2100 ", "3101  0 3110 ", "4101  1 4120  S01=1100",
          "4101 001 1 4120 入院 S01=1100", "5101  0 5200 "}},
        {"SELECT * FROM SP_SISANHYO_SISETU('03', 1)",
         {"1101  0 1115  S05=220", "1201  0 1300  R05=20", "2101  0 2100 ", "3101  0 3110 ", "4101  1 4120 ",
          "4101 001 1 4120 入院", "5101  0 5200  R05=200"}},
        // Department 01 with department 00 allocated at 75 %.
        {"SELECT * FROM SP_SISANHYO_BUMON('01', '01', 1, 1)",
         {"1101  0 1115  K=750 R01=1100 S02=330", "1201  0 1300  R02=30", "2101  0 2100  S01=100",
          "3101  0 3110  K=750", "4101  1 4120  S01=1000", "4101 001 1 4120 入院 S01=1000", "5101  0 5200  R02=300"}},
        {"SELECT * FROM SP_SISANHYO_GROUP('G1', 0)",
         {"1101  0 1115  K=1500 R01=1100 S02=440 R05=300", "1201  0 1300 ", "2101  0 2100 ", "3101  0 3110  K=1500",
          "4101  1 4120  S01=1100 S05=300", "4101   1 4120 医業収益 S05=300", "4101 001 1 4120 入院 S01=1100",
          "5101  0 5200  R02=440"}},
    });
}

TEST_F(Procedures, MedicalStatementLines) {
    const QStringList whole = {"1 1100 1101 現金 K=1500 R01=1100 S02=440 R05=300 S05=220", "2 1300 1201 仮払消費税",
                               "3 2100 2101 仮受消費税", "4 3100 - 資本金等 K=1500", "5 4100 4101 医業収益 S01=1100 S05=300",
                               "6 5100 5101 材料費 R02=440 R05=220"};
    const QStringList facility02 = {"1 1100 1101 現金 K=500 R05=300", "2 1300 1201 仮払消費税", "3 2100 2101 仮受消費税",
                                    "4 3100 - 資本金等 K=500", "5 4100 4101 医業収益 S05=300", "6 5100 5101 材料費"};
    checkCases(medical(), MedicalLineColumns, {
        {"SELECT * FROM SP_SISANHYO_A4('', 0, 0)", whole},
        {"SELECT * FROM SP_SISANHYO_A3('02', 1, 0)", facility02},
        {"SELECT * FROM SP_SISANHYO_BUMON_A4('01', '01', 1, 1)",
         {"1 1100 1101 現金 K=750 R01=1100 S02=330", "2 1300 1201 仮払消費税 R02=30", "3 2100 2101 仮受消費税 S01=100",
          "4 3100 - 資本金等 K=750", "5 4100 4101 医業収益 S01=1000", "6 5100 5101 材料費 R02=300"}},
        {"SELECT * FROM SP_SISANHYO_BUMON_A3('01', '00', 0, 0)",
         {"1 1100 1101 現金 K=1000 S02=440", "2 1300 1201 仮払消費税", "3 2100 2101 仮受消費税",
          "4 3100 - 資本金等 K=1000", "5 4100 4101 医業収益", "6 5100 5101 材料費 R02=440"}},
        {"SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A4(0, '01', 8)",
         {"1 1100 1101 現金 R01=1100", "2 1300 1201 仮払消費税", "3 2100 2101 仮受消費税", "4 3100 - 資本金等",
          "5 4100 4101 医業収益 S01=1100", "6 5100 5101 材料費"}},
        {"SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A3(0, ' ', 4)", facility02},
        {"SELECT * FROM SP_SISANHYO_BUMONGOKEI_KS(0, ' ')",
         {"1 1100 1101 現金 K=500 R05=300 S05=220", "2 1300 1201 仮払消費税", "3 2100 2101 仮受消費税",
          "4 3100 - 資本金等 K=500", "5 4100 4101 医業収益 S05=300", "6 5100 5101 材料費 R05=220"}},
    });
}

// The facility comparison that the export reads for medical data (GROUPM3, MSTREC, SUBREC …):
// by facility, facility group or business kind; PZENKI 1 adds the previous year.
TEST_F(Procedures, MedicalFacilityComparison) {
    checkCases(medical(), MedicalLineColumns, {
        {"SELECT * FROM SP_SISETUHIKAKU_SISANHYO('', '', 0, 0, 0)",
         {"1 1100 1101 現金 K=1500 R01=1100 S02=440 R05=300 S05=220 KISHU0=1000 ZANP01=-1000", "2 1300 1201 仮払消費税",
          "3 2100 2101 仮受消費税", "4 3100 - 資本金等 K=1500", "5 4100 4101 医業収益 S01=1100 S05=300",
          "6 5100 5101 材料費 R02=440 R05=220"}},
        {"SELECT * FROM SP_SISETUHIKAKU_SISANHYO('', 'G1', 1, 0, 1)",
         {"1 1100 1101 現金 K=1500 R01=1100 S02=440 R05=300 KISHU1=800 ZANM01=100 ZANM00=100 KISHU0=1000 ZANP01=-1000",
          "2 1300 1201 仮払消費税 R02=40", "3 2100 2101 仮受消費税 S01=100", "4 3100 - 資本金等 K=1500",
          "5 4100 4101 医業収益 S01=1000 S05=300", "6 5100 5101 材料費 R02=400"}},
        {"SELECT * FROM SP_SISETUHIKAKU_SISANHYO('02', '', 0, 0, 0)",
         {"1 1100 1101 現金 K=500 R05=300", "2 1300 1201 仮払消費税", "3 2100 2101 仮受消費税", "4 3100 - 資本金等 K=500",
          "5 4100 4101 医業収益 S05=300", "6 5100 5101 材料費"}},
        {"SELECT * FROM SP_SISETUHIKAKU_SISANHYO('', '', 0, 2, 0)",
         {"1 1100 1101 現金 S05=220", "2 1300 1201 仮払消費税", "3 2100 2101 仮受消費税", "4 3100 - 資本金等",
          "5 4100 4101 医業収益", "6 5100 5101 材料費 R05=220"}},
    });
}

// Data that begins with month 4 allocates the opening balance at the ratio of that month's
// period 5 (20 % here): 5001 -> FLOOR(1000.2 + 0.5) = 1000.
TEST_F(Procedures, MidYearDataAllocatesTheOpeningBalanceAtTheStartPeriodRatio) {
    auto& db = ordinary();
    statementstest::execAll(db, {QStringLiteral("UPDATE ACCDEF1 SET KAISINO = 4"),
                                 QStringLiteral("UPDATE KAMOKU_SZ SET HAIBUN05 = 20 WHERE BCODE = '01'")});
    const QStringList rows = resultRows(db, QStringLiteral("SELECT * FROM SP_SISANHYO_BUMON(0, 1, '', '01') WHERE HCODE = ''"),
                                        {QStringLiteral("KCODE")});
    statementstest::execAll(db, {QStringLiteral("UPDATE ACCDEF1 SET KAISINO = 1"),
                                 QStringLiteral("UPDATE KAMOKU_SZ SET HAIBUN05 = 50 WHERE BCODE = '01'")});
    EXPECT_EQ(rows.value(0), QStringLiteral("1101 K=1000 R01=1210 S02=165 S16=220"));
    EXPECT_EQ(rows.value(3), QStringLiteral("3101 K=1000"));
}

// The tax helper: given amounts (NULL counts as 0) plus the period taxes of the tax kind, over
// everything, one facility, or one facility and department, each FLOOR(0.5 + tax × rate).
TEST_F(Procedures, TaxAdditionByFacilityAndDepartment) {
    auto call = [](const char* scode, const char* bcode, int kind, const char* rate) {
        QStringList amounts, rates;
        for (int p = 1; p <= 16; ++p)
            rates << QString::fromLatin1(rate);
        for (int i = 0; i < 32; ++i)
            amounts << (i == 0 ? QStringLiteral("7") : QStringLiteral("NULL"));
        QStringList out;
        for (int p = 1; p <= 16; ++p)
            out << QStringLiteral("RKAR%1 AS KAR%1, RKAS%1 AS KAS%1").arg(p, 2, 10, QLatin1Char('0'));
        return QStringLiteral("SELECT %1, 0 AS KAISIZAN FROM SP_ZEIGAKU_ADD('%2', '%3', %4, %5, %6)")
            .arg(out.join(u','), QLatin1String(scode), QLatin1String(bcode))
            .arg(kind)
            .arg(amounts.join(u','), rates.join(u','));
    };
    const struct {
        QString sql;
        QStringList expected;
    } cases[] = {
        {call("", "", 1, "1"), {"R01=7 S01=110 S02=50"}},
        {call(" ", "", 2, "1"), {"R01=7 R02=30 R16=20"}},
        {call(" ", "01", 1, "1"), {"R01=7 S01=110"}},
        {call(" ", "02", 1, "0.33"), {"R01=7 S02=17"}},
        {call("", "", 1, "0.33"), {"R01=7 S01=36 S02=17"}},
        {call("XX", "", 1, "1"), {"R01=7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        EXPECT_EQ(resultRows(ordinary(), c.sql, {}), c.expected);
    }
}

// Each kind of data gets exactly its own set: the ordinary call form fails on medical data
// and the other way round.
TEST_F(Procedures, KindChoosesTheSet) {
    EXPECT_THROW(resultRows(medical(), QStringLiteral("SELECT * FROM SP_SISANHYO_KESSAN(0)"), {}), core::EIBError);
    EXPECT_THROW(resultRows(ordinary(), QStringLiteral("SELECT * FROM SP_SISANHYO_SISETU(' ', 0)"), {}), core::EIBError);
    EXPECT_THROW(resultRows(ordinary(), QStringLiteral("SELECT * FROM SP_SISANHYO('', 0, 0, 0)"), {}), core::EIBError);
}

} // namespace
