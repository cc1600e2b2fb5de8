#include "schema/sample/SampleLateStart.h"

#include "core/Currency.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <stdexcept>

namespace schema::sample {
namespace {

// The months before the data begins: each account's fiscal-year opening and its net change
// (by its nature) in periods 1-4. Its opening at the start month is their sum, so the two
// openings cannot disagree.
struct BeforeStart {
    const char* kcode;
    const char* name;
    const char* group;
    int dac;
    qint64 kishu0;
    qint64 change[4];
};

const BeforeStart accountsBeforeStart[] = {
    {"1101", "現金", "1110", 1, 300'000, {0, 0, 100'000, 0}},
    {"1103", "普通預金", "1110", 1, 2'000'000, {-200'000, 600'000, -300'000, 0}},
    {"1122", "売掛金", "1150", 1, 800'000, {500'000, -600'000, 0, 0}},
    {"1401", "建物", "1400", 1, 3'000'000, {0, 0, 0, 0}},
    {"2102", "買掛金", "2100", 3, 600'000, {0, 300'000, -300'000, 0}},
    {"2103", "短期借入金", "2100", 3, 1'000'000, {0, 0, 0, 0}},
    {"3101", "資本金", "3100", 3, 3'000'000, {0, 0, 0, 0}},
    {"3341", "繰越利益剰余金", "3340", 3, 1'500'000, {0, 0, 0, 0}},
    {"4101", "売上高", "4100", 3, 0, {500'000, 0, 100'000, 0}},
    {"5102", "仕入高", "5100", 1, 0, {0, 300'000, 0, 0}},
    {"6202", "給料手当", "6100", 1, 0, {200'000, 0, 0, 0}},
    {"9901", "諸口", "9900", 1, 0, {0, 0, 0, 0}},
};

constexpr int periodsBeforeStart = 4; // periods 1-4 lie before the fourth month

qint64 openingAtStart(const BeforeStart& a) {
    qint64 balance = a.kishu0;
    for (qint64 c : a.change)
        balance += c;
    return balance;
}

JournalSide plain(const char* kcode, qint64 amount) {
    JournalSide side;
    side.kcode = QString::fromUtf8(kcode);
    side.net = amount;
    return side;
}

} // namespace

CompanyProfile lateStartCompany() {
    CompanyProfile p;
    p.kindScript = QStringLiteral("houjin");
    p.dataType = 1;
    p.entName = QStringLiteral("さくら工房 期中開始");
    p.shougou = QStringLiteral("株式会社さくら工房");
    p.kana = QStringLiteral("サクラコウボウ");
    p.code = QStringLiteral("1002");
    p.nendo = 3;
    p.kishu = QDate(2024, 4, 1);
    p.kimatu = QDate(2025, 3, 31);
    p.yakumei1 = QStringLiteral("代表取締役");
    p.yakumei2 = QStringLiteral("取締役");
    p.yakumei3 = QStringLiteral("監査役");

    qint64 debit = 0;
    qint64 credit = 0;
    for (const BeforeStart& b : accountsBeforeStart) {
        Account a;
        a.kcode = QString::fromUtf8(b.kcode);
        a.name = QString::fromUtf8(b.name);
        a.groupM1 = QString::fromUtf8(b.group);
        a.dac = b.dac;
        a.opening = openingAtStart(b);
        (a.debitNature() ? debit : credit) += a.opening;
        p.accounts.append(a);
    }
    if (debit != credit)
        throw std::logic_error("late-start sample openings do not balance");

    const char* system[][2] = {{"現金", "1101"}, {"繰越利益剰余金", "3341"}, {"諸口", "9901"}};
    for (const auto& s : system)
        p.systemAccounts.append({QString::fromUtf8(s[0]), QString::fromUtf8(s[1])});
    return p;
}

QList<JournalEntry> lateStartJournal(const CompanyProfile& company) {
    struct Line {
        QDate date;
        const char* debit;
        const char* credit;
        qint64 amount;
        const char* tekiyo;
    };
    const Line lines[] = {
        {QDate(2024, 7, 10), "1122", "4101", 400'000, "7月分 売上"},
        {QDate(2024, 7, 25), "6202", "1103", 200'000, "7月分 給料"},
        {QDate(2024, 8, 20), "1103", "1122", 500'000, "売掛金 回収"},
        {QDate(2024, 9, 15), "5102", "2102", 150'000, "材料 仕入"},
        {QDate(2024, 10, 5), "1101", "4101", 50'000, "店頭 現金売上"},
    };
    QList<JournalEntry> entries;
    for (const Line& l : lines) {
        JournalEntry e;
        e.date = l.date;
        e.mnum = periodOfDate(company.kishu, l.date);
        e.debit = plain(l.debit, l.amount);
        e.credit = plain(l.credit, l.amount);
        e.tekiyo = QString::fromUtf8(l.tekiyo);
        entries.append(e);
    }
    return entries;
}

void writeLateStartOpening(core::TIBDatabase& company, const CompanyProfile& profile) {
    core::TIBTransaction t;
    t.addDatabase(&company);
    t.startTransaction();

    core::TIBSQL start(&company, &t);
    start.sql() << QStringLiteral("UPDATE ACCDEF1 SET KAISINO=:KAISINO, KAISI=:KAISI WHERE REC=1");
    start.paramByName(QStringLiteral("KAISINO")).setInteger(lateStartMonth);
    start.paramByName(QStringLiteral("KAISI")).setDate(profile.kishu.addMonths(lateStartMonth - 1));
    start.execSQL();

    // Balances (not changes) of periods 0-4; the whole-company rows, no sub-accounts, no tax.
    core::TIBSQL pz(&company, &t);
    pz.sql() << QStringLiteral("UPDATE KAMOKU_PZ SET NUKIZAN=:ZAN, KOMIZAN=:ZAN, ZEIGAKU=0 ")
             << QStringLiteral("WHERE SCODE=' ' AND KCODE=:KCODE AND HCODE=' ' AND BCODE=' ' AND MNUM=:MNUM");
    for (const BeforeStart& b : accountsBeforeStart) {
        qint64 balance = b.kishu0;
        for (int period = 0; period <= periodsBeforeStart; ++period) {
            if (period > 0)
                balance += b.change[period - 1];
            pz.paramByName(QStringLiteral("ZAN")).setCurrency(core::Currency::fromInt(balance));
            pz.paramByName(QStringLiteral("KCODE")).setString(QString::fromUtf8(b.kcode));
            pz.paramByName(QStringLiteral("MNUM")).setInteger(period);
            pz.execSQL();
        }
    }
    t.commit();
}

} // namespace schema::sample
