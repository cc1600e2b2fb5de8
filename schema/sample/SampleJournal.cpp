#include "schema/sample/SampleJournal.h"

namespace schema::sample {
namespace {

constexpr int taxSales = 11;
constexpr int taxPurchase = 21;

// A small linear congruential sequence, the same everywhere.
class Sequence {
public:
    explicit Sequence(quint64 seed) : state_(seed) {}
    quint32 next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state_ >> 33);
    }
    // A value in [low, high], rounded down to a multiple of step.
    qint64 amount(qint64 low, qint64 high, qint64 step = 100) {
        const qint64 v = low + qint64(next() % quint64(high - low + 1));
        return v / step * step;
    }
    int pick(int count) { return int(next() % quint32(count)); }

private:
    quint64 state_;
};

JournalSide plain(const QString& kcode, qint64 amount, const QString& hcode = QStringLiteral(" "),
                  const QString& bcode = QStringLiteral(" ")) {
    JournalSide s;
    s.kcode = kcode;
    s.hcode = hcode;
    s.bcode = bcode;
    s.net = amount;
    return s;
}

// The taxed side of a 10 % transaction of gross amount: net and tax apart.
JournalSide taxed(const QString& kcode, qint64 gross, int taxCode, const QString& bcode = QStringLiteral(" "),
                  const QString& hcode = QStringLiteral(" ")) {
    JournalSide s = plain(kcode, 0, hcode, bcode);
    s.tax = gross / 11;
    s.net = gross - s.tax;
    s.taxCode = taxCode;
    s.taxUh = taxCode == taxSales ? 1 : 2;
    return s;
}

class Builder {
public:
    Builder(const CompanyProfile& company, QList<JournalEntry>& out) : company_(company), out_(out) {}

    void add(const QDate& date, const JournalSide& debit, const JournalSide& credit, const QString& tekiyo,
             const QString& scode = QStringLiteral(" ")) {
        JournalEntry e;
        e.date = date;
        e.mnum = periodOfDate(company_.kishu, date);
        e.scode = scode;
        e.debit = debit;
        e.credit = credit;
        e.tekiyo = tekiyo;
        out_.append(e);
    }
    void yearEnd(const JournalSide& debit, const JournalSide& credit, const QString& tekiyo,
                 const QString& scode = QStringLiteral(" ")) {
        add(company_.kimatu, debit, credit, tekiyo, scode);
        out_.last().mnum = 16;
        out_.last().kessan = 1;
    }

private:
    const CompanyProfile& company_;
    QList<JournalEntry>& out_;
};

QString monthText(const QDate& d) { return QStringLiteral("%1月分").arg(d.month()); }

// The taxes on the profit of the entries so far (net amounts): about 30 % of the profit in
// whole hundreds, at least 70,000 yen (the per-capita levy of a small company).
qint64 corporateTax(const CompanyProfile& company, const QList<JournalEntry>& entries) {
    qint64 profit = 0;
    for (const JournalEntry& e : entries) {
        const Account* debit = company.account(e.debit.kcode);
        const Account* credit = company.account(e.credit.kcode);
        if (debit && debit->bpflg() == QLatin1String("P"))
            profit -= e.debit.net;
        if (credit && credit->bpflg() == QLatin1String("P"))
            profit += e.credit.net;
    }
    return qMax<qint64>(70'000, profit * 3 / 10 / 100 * 100);
}

} // namespace

int periodOfDate(const QDate& yearStart, const QDate& date) {
    const int months = (date.year() - yearStart.year()) * 12 + date.month() - yearStart.month();
    const int m = qBound(0, months, 11);
    return m + 1 + m / 3;
}

QList<JournalEntry> ordinaryJournal(const CompanyProfile& c, int tradeEntries) {
    QList<JournalEntry> out;
    Builder b(c, out);
    const QString bank = QStringLiteral("1103");
    const QString tokyo = QStringLiteral("01");
    const QString osaka = QStringLiteral("02");

    const qint64 openingStock = c.account(QStringLiteral("1201"))->opening;
    b.add(c.kishu, plain(QStringLiteral("5101"), openingStock), plain(QStringLiteral("1201"), openingStock),
          QStringLiteral("期首商品棚卸高の振替"));

    for (int m = 0; m < 12; ++m) {
        const QDate first = c.kishu.addMonths(m);
        const QDate payday = first.addDays(24);
        const QDate end = first.addMonths(1).addDays(-1);
        const QString month = monthText(first);
        b.add(payday, plain(QStringLiteral("6201"), 600'000, QStringLiteral(" "), tokyo),
              plain(bank, 600'000, QStringLiteral("001")), month + QStringLiteral("役員報酬"));
        b.add(payday, plain(QStringLiteral("6202"), 900'000, QStringLiteral(" "), tokyo),
              plain(bank, 900'000, QStringLiteral("001")), month + QStringLiteral("給与 東京"));
        b.add(payday, plain(QStringLiteral("6202"), 700'000, QStringLiteral(" "), osaka),
              plain(bank, 700'000, QStringLiteral("002")), month + QStringLiteral("給与 大阪"));
        b.add(payday, plain(QStringLiteral("6202"), 200'000, QStringLiteral(" "), tokyo),
              plain(QStringLiteral("2107"), 200'000), month + QStringLiteral("源泉所得税・住民税預り"));
        b.add(end, plain(QStringLiteral("6203"), 280'000, QStringLiteral(" "), tokyo),
              plain(bank, 280'000, QStringLiteral("001")), month + QStringLiteral("社会保険料"));
        b.add(first.addDays(9), plain(QStringLiteral("2107"), 200'000), plain(bank, 200'000, QStringLiteral("001")),
              QStringLiteral("源泉所得税納付"));
        b.add(first, taxed(QStringLiteral("6205"), 330'000, taxPurchase, tokyo), plain(bank, 330'000, QStringLiteral("001")),
              QStringLiteral("%1家賃（%2/1～%2/%3）").arg(month).arg(first.month()).arg(end.day()));
        b.add(first, taxed(QStringLiteral("6205"), 220'000, taxPurchase, osaka), plain(bank, 220'000, QStringLiteral("002")),
              month + QStringLiteral("大阪営業所家賃"));
        b.add(end, taxed(QStringLiteral("6209"), 44'000 + m % 3 * 5'500, taxPurchase, tokyo),
              plain(bank, 44'000 + m % 3 * 5'500, QStringLiteral("001")), month + QStringLiteral("電気・水道料"));
        b.add(end, taxed(QStringLiteral("6208"), 33'000, taxPurchase, tokyo), plain(bank, 33'000, QStringLiteral("001")),
              month + QStringLiteral("電話・インターネット"));
        b.add(end, plain(QStringLiteral("2202"), 200'000), plain(bank, 200'000, QStringLiteral("001")),
              month + QStringLiteral("長期借入金返済"));
        b.add(end, plain(QStringLiteral("7201"), 12'000), plain(bank, 12'000, QStringLiteral("001")),
              month + QStringLiteral("借入金利息"));
    }

    // Dividend and the taxes of the previous year, paid after the general meeting.
    const QDate june = QDate(c.kishu.year(), 6, 28);
    b.add(june, plain(QStringLiteral("3341"), 500'000), plain(bank, 500'000, QStringLiteral("001")),
          QStringLiteral("剰余金の配当"));
    b.add(june, plain(QStringLiteral("3341"), 50'000), plain(QStringLiteral("3301"), 50'000),
          QStringLiteral("利益準備金の積立"));
    b.add(june, plain(QStringLiteral("2106"), 400'000), plain(bank, 400'000, QStringLiteral("001")),
          QStringLiteral("法人税等納付"));
    b.add(june, plain(QStringLiteral("2109"), 350'000), plain(bank, 350'000, QStringLiteral("001")),
          QStringLiteral("消費税等納付"));

    // Trade: sales on credit and their collection, purchases and their payment, petty cash.
    Sequence seq(20240401);
    const QStringList customers = {QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("003")};
    const QStringList customerNames = {QStringLiteral("アルファ商会"), QStringLiteral("ベータ工業"),
                                       QStringLiteral("ガンマ産業")};
    const QStringList suppliers = {QStringLiteral("001"), QStringLiteral("002")};
    const QStringList supplierNames = {QStringLiteral("デルタ物産"), QStringLiteral("イプシロン商事")};
    const struct {
        const char* kcode;
        const char* text;
        qint64 low, high;
    } expenses[] = {{"6210", "事務用品", 1'100, 33'000},    {"6207", "交通費", 500, 22'000},
                    {"6213", "得意先接待", 5'500, 55'000}, {"6217", "雑費", 300, 11'000},
                    {"6211", "振込手数料", 330, 880},      {"6215", "広告掲載料", 11'000, 110'000}};
    const int days = c.kishu.daysTo(c.kimatu) + 1;
    for (int i = 0; i < tradeEntries; ++i) {
        const QDate date = c.kishu.addDays(qint64(i) * days / qMax(1, tradeEntries));
        const QString dept = i % 2 ? osaka : tokyo;
        switch (i % 6) {
        case 0: {
            const int k = seq.pick(customers.size());
            const qint64 gross = seq.amount(1'100'000, 3'190'000) / 11 * 11;
            b.add(date, plain(QStringLiteral("1122"), gross, customers[k]),
                  taxed(QStringLiteral("4101"), gross, taxSales, dept), customerNames[k] + QStringLiteral(" 商品売上"));
            break;
        }
        case 1: {
            const int k = seq.pick(customers.size());
            const qint64 amount = seq.amount(1'600'000, 2'600'000);
            b.add(date, plain(bank, amount, QStringLiteral("001")), plain(QStringLiteral("1122"), amount, customers[k]),
                  customerNames[k] + QStringLiteral(" 売掛金回収"));
            break;
        }
        case 2: {
            const int k = seq.pick(suppliers.size());
            const qint64 gross = seq.amount(990'000, 1'990'000) / 11 * 11;
            b.add(date, taxed(QStringLiteral("5102"), gross, taxPurchase),
                  plain(QStringLiteral("2102"), gross, suppliers[k]), supplierNames[k] + QStringLiteral(" 商品仕入"));
            break;
        }
        case 3: {
            const int k = seq.pick(suppliers.size());
            const qint64 amount = seq.amount(1'000'000, 1'850'000);
            b.add(date, plain(QStringLiteral("2102"), amount, suppliers[k]), plain(bank, amount, QStringLiteral("002")),
                  supplierNames[k] + QStringLiteral(" 買掛金支払"));
            break;
        }
        case 4: {
            const auto& e = expenses[seq.pick(int(std::size(expenses)))];
            const qint64 gross = seq.amount(e.low, e.high, 10);
            b.add(date, taxed(QString::fromUtf8(e.kcode), gross, taxPurchase, dept), plain(QStringLiteral("1101"), gross),
                  QString::fromUtf8(e.text));
            break;
        }
        default:
            b.add(date, plain(QStringLiteral("1101"), 50'000), plain(bank, 50'000, QStringLiteral("001")),
                  QStringLiteral("小口現金補充"));
            break;
        }
    }

    b.yearEnd(plain(QStringLiteral("6204"), 900'000, QStringLiteral(" "), tokyo), plain(QStringLiteral("1405"), 900'000),
              QStringLiteral("減価償却費の計上"));
    const qint64 closingStock = openingStock + 550'000; // a little more stock than a year ago
    b.yearEnd(plain(QStringLiteral("1201"), closingStock), plain(QStringLiteral("5301"), closingStock),
              QStringLiteral("期末商品棚卸高"));

    // The consumption tax of the year nets out: the tax paid on purchases against the tax
    // received on sales, the rest owed.
    qint64 salesTax = 0;
    qint64 purchaseTax = 0;
    for (const JournalEntry& e : out)
        for (const JournalSide* side : {&e.debit, &e.credit}) {
            if (side->taxUh == 1)
                salesTax += side->tax;
            else if (side->taxUh == 2)
                purchaseTax += side->tax;
        }
    b.yearEnd(plain(QStringLiteral("2108"), purchaseTax), plain(QStringLiteral("1307"), purchaseTax),
              QStringLiteral("仮払消費税の相殺"));
    b.yearEnd(plain(QStringLiteral("2108"), salesTax - purchaseTax), plain(QStringLiteral("2109"), salesTax - purchaseTax),
              QStringLiteral("未払消費税等の計上"));

    // Corporate taxes of about 30 % of the profit before them, at least the per-capita levy.
    const qint64 taxes = corporateTax(c, out);
    b.yearEnd(plain(QStringLiteral("8301"), taxes), plain(QStringLiteral("2106"), taxes), QStringLiteral("法人税等の計上"));
    return out;
}

QList<JournalEntry> medicalJournal(const CompanyProfile& c) {
    QList<JournalEntry> out;
    Builder b(c, out);
    const QString bank = QStringLiteral("1103");
    const QString hospital = QStringLiteral("01");
    const QString careHome = QStringLiteral("02");
    const QString nursing = QStringLiteral("03");
    Sequence seq(20240402);

    for (int m = 0; m < 12; ++m) {
        const QDate first = c.kishu.addMonths(m);
        const QDate end = first.addMonths(1).addDays(-1);
        const QString month = monthText(first);
        const struct {
            const QString& scode;
            const char* revenue;
            qint64 low, high;
            qint64 salary;
        } facilities[] = {{hospital, "4101", 28'000'000, 34'000'000, 18'000'000},
                          {careHome, "4103", 9'000'000, 11'000'000, 6'000'000},
                          {nursing, "4104", 2'000'000, 2'600'000, 1'500'000}};
        for (const auto& f : facilities) {
            const qint64 revenue = seq.amount(f.low, f.high, 1000);
            b.add(end, plain(QStringLiteral("1121"), revenue, QStringLiteral("001")),
                  plain(QString::fromUtf8(f.revenue), revenue), month + QStringLiteral("診療報酬請求"), f.scode);
            b.add(end, plain(QStringLiteral("6201"), f.salary), plain(bank, f.salary, QStringLiteral("001")),
                  month + QStringLiteral("職員給与"), f.scode);
            b.add(end, plain(QStringLiteral("6205"), f.salary / 7), plain(bank, f.salary / 7, QStringLiteral("001")),
                  month + QStringLiteral("社会保険料"), f.scode);
            b.add(end, taxed(QStringLiteral("6210"), seq.amount(330'000, 770'000, 110) / 11 * 11, taxPurchase),
                  plain(bank, 0, QStringLiteral("002")), month + QStringLiteral("電気・ガス・水道料"), f.scode);
            out.last().credit.net = out.last().debit.gross();
        }
        const qint64 outpatient = seq.amount(6'000'000, 8'000'000, 1000);
        b.add(end, plain(QStringLiteral("1121"), outpatient, QStringLiteral("002")),
              plain(QStringLiteral("4102"), outpatient), month + QStringLiteral("外来診療報酬請求"), hospital);
        const qint64 copay = seq.amount(900'000, 1'300'000, 10);
        b.add(end, plain(QStringLiteral("1101"), copay), plain(QStringLiteral("4102"), copay),
              month + QStringLiteral("外来窓口収入"), hospital);
        const qint64 room = 660'000;
        b.add(end, plain(QStringLiteral("1101"), room), taxed(QStringLiteral("4105"), room, taxSales),
              month + QStringLiteral("個室料"), hospital);
        b.add(end, plain(bank, 1'500'000, QStringLiteral("001")), plain(QStringLiteral("1101"), 1'500'000),
              QStringLiteral("窓口収入の預入れ"), hospital);
        const qint64 collected = seq.amount(38'000'000, 44'000'000, 1000);
        b.add(first.addDays(20), plain(bank, collected, QStringLiteral("001")),
              plain(QStringLiteral("1121"), collected, QStringLiteral("001")), QStringLiteral("支払基金入金"), hospital);
        const qint64 collected2 = seq.amount(5'500'000, 7'500'000, 1000);
        b.add(first.addDays(20), plain(bank, collected2, QStringLiteral("002")),
              plain(QStringLiteral("1121"), collected2, QStringLiteral("002")), QStringLiteral("国保連入金"), hospital);
        const qint64 drugs = seq.amount(3'300'000, 4'400'000, 110) / 11 * 11;
        b.add(end, taxed(QStringLiteral("5101"), drugs, taxPurchase), plain(QStringLiteral("2101"), drugs),
              month + QStringLiteral("医薬品仕入"), hospital);
        const qint64 materials = seq.amount(1'100'000, 1'650'000, 110) / 11 * 11;
        b.add(end, taxed(QStringLiteral("5102"), materials, taxPurchase), plain(QStringLiteral("2101"), materials),
              month + QStringLiteral("診療材料仕入"), hospital);
        b.add(first.addDays(9), plain(QStringLiteral("2101"), 5'000'000), plain(bank, 5'000'000, QStringLiteral("001")),
              QStringLiteral("買掛金支払"), hospital);
        b.add(end, taxed(QStringLiteral("6206"), 1'650'000, taxPurchase), plain(bank, 1'650'000, QStringLiteral("002")),
              month + QStringLiteral("給食・清掃委託費"), careHome);
        b.add(end, plain(QStringLiteral("2202"), 1'000'000), plain(bank, 1'000'000, QStringLiteral("001")),
              month + QStringLiteral("長期借入金返済"), hospital);
        b.add(end, plain(QStringLiteral("7201"), 180'000 - m * 1'000), plain(bank, 180'000 - m * 1'000, QStringLiteral("001")),
              month + QStringLiteral("借入金利息"), hospital);
    }
    b.add(QDate(c.kishu.year(), 5, 31), plain(QStringLiteral("2106"), 1'200'000), plain(bank, 1'200'000, QStringLiteral("001")),
          QStringLiteral("法人税等納付"), hospital);
    b.yearEnd(plain(QStringLiteral("6207"), 9'000'000), plain(QStringLiteral("1405"), 9'000'000),
              QStringLiteral("減価償却費（病院）"), hospital);
    b.yearEnd(plain(QStringLiteral("6207"), 3'000'000), plain(QStringLiteral("1405"), 3'000'000),
              QStringLiteral("減価償却費（老健）"), careHome);
    b.yearEnd(plain(QStringLiteral("6203"), 9'500'000), plain(QStringLiteral("2111"), 9'500'000),
              QStringLiteral("賞与引当金繰入"), hospital);
    b.yearEnd(plain(QStringLiteral("8301"), 2'000'000), plain(QStringLiteral("2106"), 2'000'000),
              QStringLiteral("法人税等の計上"), hospital);
    return out;
}

} // namespace schema::sample
