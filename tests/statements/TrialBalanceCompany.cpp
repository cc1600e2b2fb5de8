#include "tests/statements/TrialBalanceCompany.h"

#include "core/Currency.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"

#include <array>

namespace statementstest {
namespace {

using core::Currency;

// Account: KCODE, name, GROUPM1, GROUPR1, GROUPM3, DAC, BPFLG, statement line.
struct Account {
    const char* kcode;
    const char* name;
    const char* groupm1;
    const char* groupr1;
    const char* groupm3;
    int dac;
    const char* bpflg;
    int line;
};

// Journal line pair: period, facility, department, debit and credit side, net amount, tax.
struct Entry {
    int mnum;
    const char* scode;
    const char* bcode;
    const char* debitK;
    const char* debitH;
    const char* creditK;
    const char* creditH;
    int net;
    int tax;
    int taxSide; // 1 the credit side carries the tax (sales, kind 1), 2 the debit side (purchases, kind 2)
};

QString q(const char* text) { return QLatin1Char('\'') + QString::fromUtf8(text) + QLatin1Char('\''); }

void insertAccounts(QStringList& sql, const std::initializer_list<Account>& accounts) {
    for (const Account& a : accounts)
        sql << QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, GROUPR1, GROUPR2, GROUPM3, KNAME, "
                              "USE, DAC, BPFLG, EXT1_A4, EXT1_A3, EXT1_KS) VALUES (%1, %1, %2, %2, %3, %3, %4, %5, 1, %6, %7, "
                              "%8, %8, %8)")
                   .arg(q(a.kcode), q(a.groupm1), q(a.groupr1), q(a.groupm3), q(a.name))
                   .arg(a.dac)
                   .arg(q(a.bpflg))
                   .arg(a.line);
}

// Statement lines 1..7 in EXTERA4, EXTERA3 and EXTERKS alike.
void insertLines(QStringList& sql, const std::array<const char*, 7>& names) {
    static const char* groups[7] = {"1110", "1300", "2100", "3100", "4100", "5100", "9000"};
    for (const char* table : {"EXTERA4", "EXTERA3", "EXTERKS"})
        for (int i = 0; i < 7; ++i)
            sql << QStringLiteral("INSERT INTO %1 (REC, KGROUP, SUBREC, KNAME1) VALUES (%2, %3, 1, %4)")
                       .arg(QLatin1String(table))
                       .arg(i + 1)
                       .arg(q(groups[i]), q(names[i]));
}

// The 16 KAMOKU_MS rows of every balance row, the KAMOKU_TAX rows of every facility and
// department, and the past-year balance rows -31..16.
QString periodRows() {
    return QStringLiteral(
        "EXECUTE BLOCK AS DECLARE M INTEGER; BEGIN M = 1; WHILE (M <= 16) DO BEGIN "
        "INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM) SELECT SCODE, KCODE, HCODE, BCODE, :M FROM KAMOKU_SZ; "
        "INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM) SELECT DISTINCT SCODE, BCODE, 1, :M FROM KAMOKU_SZ; "
        "INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM) SELECT DISTINCT SCODE, BCODE, 2, :M FROM KAMOKU_SZ; "
        "M = M + 1; END "
        "M = -31; WHILE (M <= 16) DO BEGIN "
        "INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM) SELECT SCODE, KCODE, HCODE, BCODE, :M FROM KAMOKU_SZ; "
        "M = M + 1; END END");
}

void insertJournal(QStringList& sql, const std::initializer_list<Entry>& entries) {
    int rec = 0;
    for (const Entry& e : entries) {
        ++rec;
        const int debitTax = e.taxSide == 2 ? e.tax : 0;
        const int creditTax = e.taxSide == 1 ? e.tax : 0;
        const int debitNet = e.taxSide == 2 ? e.net : e.net + e.tax;
        const int creditNet = e.taxSide == 1 ? e.net : e.net + e.tax;
        const QString row = QStringLiteral(
            "INSERT INTO SIWAKE (REC, SWKREC, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, HCODE, BCODE, NUK, ZEI, TAXUH) "
            "VALUES (%1, %2, 0, %3, '2024-04-01', %4, %5, %6, %7, %8, %9, %10, %11)");
        sql << row.arg(rec * 2 - 1).arg(rec).arg(1).arg(e.mnum)
                   .arg(q(e.scode), q(e.debitK), q(e.debitH), q(e.bcode))
                   .arg(debitNet).arg(debitTax).arg(debitTax ? 2 : 0)
            << row.arg(rec * 2).arg(rec).arg(2).arg(e.mnum)
                   .arg(q(e.scode), q(e.creditK), q(e.creditH), q(e.bcode))
                   .arg(creditNet).arg(creditTax).arg(creditTax ? 1 : 0);
    }
}

// Balance rows of the given accounts and sub-accounts in one facility and department, with one
// allocation ratio for all sixteen periods.
void insertBalanceRows(QStringList& sql, const char* scode, const char* bcode, int ratio, const QStringList& keys) {
    QStringList ratios;
    for (int p = 1; p <= 16; ++p)
        ratios << QString::number(ratio);
    for (const QString& key : keys) {
        const QStringList kh = key.split(QLatin1Char('/'));
        sql << QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN, HAIBUN01, HAIBUN02, HAIBUN03, "
                              "HAIBUN04, HAIBUN05, HAIBUN06, HAIBUN07, HAIBUN08, HAIBUN09, HAIBUN10, HAIBUN11, HAIBUN12, "
                              "HAIBUN13, HAIBUN14, HAIBUN15, HAIBUN16) VALUES (%1, '%2', '%3', %4, 0, %5)")
                   .arg(q(scode), kh[0], kh.size() > 1 ? kh[1] : QStringLiteral(" "), q(bcode), ratios.join(u','));
    }
}

std::unique_ptr<core::TIBDatabase> createCompany(const QString& dir, const QStringList& data, const QString& kind) {
    const QString path = dir + QStringLiteral("/qmacc.fdb");
    auto db = schema::createSchemaDatabase(schema::DbAccount{}, path, schema::DatabaseKind::Company);
    execAll(*db, data);
    for (const QString& script : schema::trialBalanceScripts(kind))
        schema::runScript(*db, script.mid(QStringLiteral(":/schema/").size()), schema::readScript(script));
    return db;
}

} // namespace

void execAll(core::TIBDatabase& db, const QStringList& statements) {
    for (const QString& text : statements) {
        core::TIBTransaction t;
        t.addDatabase(&db);
        t.startTransaction();
        core::TIBSQL sql(&db, &t);
        sql.setParamCheck(false);
        sql.sql() << text;
        sql.execQuery();
        t.commit();
    }
}

std::unique_ptr<core::TIBDatabase> createOrdinaryCompany(const QString& dir) {
    QStringList sql;
    sql << QStringLiteral("INSERT INTO ACCDEF1 (REC, DATATYPE, KAISINO, SITEN, BUMON) VALUES (1, 1, 1, 0, 2)")
        << QStringLiteral("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1201', '仮払消費税')")
        << QStringLiteral("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2101', '仮受消費税')")
        << QStringLiteral("INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', '')")
        << QStringLiteral("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('4101', '001', 'Ａ商店')")
        << QStringLiteral("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('4101', '002', 'Ｂ商店')")
        << QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '01')")
        << QStringLiteral("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '02')");
    insertAccounts(sql, {{"1101", "現金", "1110", "1110", "1100", 1, "B", 1},
                         {"1201", "仮払消費税", "1300", "1300", "1300", 1, "B", 2},
                         {"2101", "仮受消費税", "2100", "2100", "2100", 2, "B", 3},
                         {"3101", "資本金", "3100", "3100", "3100", 2, "B", 4},
                         {"4101", "売上高", "4100", "4100", "4100", 2, "P", 5},
                         {"5101", "仕入高", "5100", "5100", "5100", 1, "P", 6},
                         {"6101", "旅費交通費", "6100", "6100", "6100", 1, "P", 6}});
    // Line 3 is captioned with its account's own name, line 4 with another name, line 6
    // gathers two accounts, line 7 has none.
    insertLines(sql, {"", "", "仮受消費税", "資本金等", "", "仕入・経費", "未使用"});
    const QStringList keys = {QStringLiteral("1101"), QStringLiteral("1201"), QStringLiteral("2101"),
                              QStringLiteral("3101"), QStringLiteral("4101"), QStringLiteral("4101/001"),
                              QStringLiteral("4101/002"), QStringLiteral("5101"), QStringLiteral("6101")};
    insertBalanceRows(sql, " ", "00", 10, keys);
    insertBalanceRows(sql, " ", "01", 50, keys);
    insertBalanceRows(sql, " ", "02", 40, keys);
    sql << periodRows()
        << QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 5001 WHERE KCODE IN ('1101', '3101') AND HCODE = ' ' AND BCODE = '00'")
        // Past year of the cash: 4000 through period -2, 4500 at -1, 5001 at the year end.
        << QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN = IIF(MNUM = 0, 5001, IIF(MNUM = -1, 4500, 4000)) "
                          "WHERE KCODE = '1101' AND HCODE = ' ' AND BCODE = '00' AND MNUM BETWEEN -16 AND 0")
        << QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN = 900, ZEIGAKU = 90 "
                          "WHERE KCODE = '5101' AND HCODE = ' ' AND BCODE = '00' AND MNUM = -1");
    insertJournal(sql, {{1, " ", "01", "1101", " ", "4101", "001", 1000, 100, 1},
                        {1, " ", "01", "1101", " ", "4101", " ", 100, 10, 1},
                        {2, " ", "02", "1101", " ", "4101", "002", 500, 50, 1},
                        {2, " ", "00", "5101", " ", "1101", " ", 300, 30, 2},
                        {16, " ", "01", "6101", " ", "1101", " ", 200, 20, 2}});
    return createCompany(dir, sql, QStringLiteral("houjin"));
}

std::unique_ptr<core::TIBDatabase> createMedicalCompany(const QString& dir) {
    QStringList sql;
    sql << QStringLiteral("INSERT INTO ACCDEF1 (REC, DATATYPE, CODETYPE, KAISINO, SITEN, BUMON) VALUES (1, 3, 1, 1, 1, 2)")
        << QStringLiteral("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1201', '仮払消費税')")
        << QStringLiteral("INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2101', '仮受消費税')")
        << QStringLiteral("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU) VALUES ('01', '病院', 8)")
        << QStringLiteral("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU) VALUES ('02', '老健', 4)")
        << QStringLiteral("INSERT INTO SISETUMST (SCODE, SNAME, MB_JIGYOU) VALUES ('03', '訪問看護', 2)")
        << QStringLiteral("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', '01')")
        << QStringLiteral("INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', '02')")
        << QStringLiteral("INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('4101', '001', '入院')");
    insertAccounts(sql, {{"1101", "現金", "1110", "1115", "1100", 1, "B", 1},
                         {"1201", "仮払消費税", "1300", "1300", "1300", 1, "B", 2},
                         {"2101", "仮受消費税", "2100", "2100", "2100", 2, "B", 3},
                         {"3101", "資本金", "3110", "3110", "3100", 2, "B", 4},
                         {"4101", "医業収益", "4110", "4120", "4100", 2, "P", 5},
                         {"5101", "材料費", "5100", "5200", "5100", 1, "P", 6}});
    insertLines(sql, {"", "", "", "資本金等", "", "", "未使用"});
    const QStringList keys = {QStringLiteral("1101"), QStringLiteral("1201"), QStringLiteral("2101"),
                              QStringLiteral("3101"), QStringLiteral("4101"), QStringLiteral("4101/001"),
                              QStringLiteral("5101")};
    insertBalanceRows(sql, "01", "00", 25, keys);
    insertBalanceRows(sql, "01", "01", 75, keys);
    insertBalanceRows(sql, "02", " ", 0, keys);
    insertBalanceRows(sql, "03", " ", 0, keys);
    sql << periodRows()
        << QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 1000 WHERE SCODE = '01' AND KCODE IN ('1101', '3101') "
                          "AND HCODE = ' ' AND BCODE = '00'")
        << QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 500 WHERE SCODE = '02' AND KCODE IN ('1101', '3101') AND HCODE = ' '")
        << QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN = IIF(MNUM = 0, 1000, IIF(MNUM = -1, 900, 800)) "
                          "WHERE SCODE = '01' AND KCODE = '1101' AND HCODE = ' ' AND BCODE = '00' AND MNUM BETWEEN -16 AND 0");
    insertJournal(sql, {{1, "01", "01", "1101", " ", "4101", "001", 1000, 100, 1},
                        {5, "02", " ", "1101", " ", "4101", " ", 300, 0, 1},
                        {5, "03", " ", "5101", " ", "1101", " ", 200, 20, 2},
                        {2, "01", "00", "5101", " ", "1101", " ", 400, 40, 2}});
    return createCompany(dir, sql, QStringLiteral("iryou"));
}

QStringList resultRows(core::TIBDatabase& db, const QString& sql, const QStringList& columns) {
    core::TIBTransaction t;
    t.addDatabase(&db);
    t.startTransaction();
    core::TIBSQL query(&db, &t);
    query.sql() << sql;
    query.execQuery();
    QStringList settlement = {QStringLiteral("KISHU1")};
    for (int k = 15; k >= 0; --k)
        settlement << QStringLiteral("ZANM%1").arg(k, 2, 10, QLatin1Char('0'));
    settlement << QStringLiteral("KISHU0");
    for (int p = 1; p <= 15; ++p)
        settlement << QStringLiteral("ZANP%1").arg(p, 2, 10, QLatin1Char('0'));
    QStringList rows;
    for (; !query.eof(); query.next()) {
        QStringList parts;
        for (const QString& c : columns)
            parts << query.fieldByName(c).asString();
        auto add = [&](const QString& label, const QString& column) {
            const Currency v = query.fieldByName(column).asCurrency();
            if (v != Currency{})
                parts << label + QLatin1Char('=') + v.toString();
        };
        add(QStringLiteral("K"), QStringLiteral("KAISIZAN"));
        for (int p = 1; p <= 16; ++p) {
            const QString nn = QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0'));
            add(QLatin1Char('R') + nn, QStringLiteral("KAR") + nn);
            add(QLatin1Char('S') + nn, QStringLiteral("KAS") + nn);
        }
        for (const QString& c : settlement)
            if (query.fieldExists(c))
                add(c, c);
        rows << parts.join(QLatin1Char(' '));
    }
    t.commit();
    return rows;
}

QStringList unbalancedPeriods(core::TIBDatabase& db, const QString& sql) {
    core::TIBTransaction t;
    t.addDatabase(&db);
    t.startTransaction();
    core::TIBSQL query(&db, &t);
    query.sql() << sql;
    query.execQuery();
    std::array<Currency, 17> debit{}, credit{};
    for (; !query.eof(); query.next()) {
        if (query.fieldExists(QStringLiteral("HCODE")) && !query.fieldByName(QStringLiteral("HCODE")).asString().isEmpty())
            continue;
        const int dac = query.fieldByName(QStringLiteral("TAISHAKU")).asInteger();
        const Currency opening = query.fieldByName(QStringLiteral("KAISIZAN")).asCurrency();
        (dac == 1 || dac == 4 ? debit[0] : credit[0]) += opening;
        for (int p = 1; p <= 16; ++p) {
            const QString nn = QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0'));
            debit[p] += query.fieldByName(QStringLiteral("KAR") + nn).asCurrency();
            credit[p] += query.fieldByName(QStringLiteral("KAS") + nn).asCurrency();
        }
    }
    t.commit();
    QStringList unbalanced;
    for (int p = 0; p <= 16; ++p)
        if (debit[p] != credit[p])
            unbalanced << QStringLiteral("%1 %2/%3")
                              .arg(p == 0 ? QStringLiteral("K") : QStringLiteral("P%1").arg(p, 2, 10, QLatin1Char('0')),
                                   debit[p].toString(), credit[p].toString());
    return unbalanced;
}

} // namespace statementstest
