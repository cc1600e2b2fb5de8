#pragma once
// The contents of a sample company: its settings, facilities, departments and chart of
// accounts with opening balances. Amounts are whole yen.

#include <QDate>
#include <QList>
#include <QString>

namespace schema::sample {

struct SubAccount {
    QString hcode;
    QString name;
    qint64 opening = 0;
};

struct Account {
    QString kcode;       // internal code, also the user code
    QString name;
    QString groupM1;     // statement group ("1110" cash and deposits, "4100" sales, …)
    int dac = 1;         // nature: 1 debit, 2 credit, 3 credit (capital, revenue), 4 debit contra
    int bldac = 0;       // nature of the settlement line it may join; 0: the same as dac
    int taxCode = 0;     // default tax code (TAXMST) on its natural side
    bool departments = false; // profit and loss account kept by department
    qint64 opening = 0;  // opening balance of the account itself (sub-account ' ')
    QList<SubAccount> subs;

    QString bpflg() const { return groupM1 < QLatin1String("4000") ? QStringLiteral("B") : QStringLiteral("P"); }
    bool debitNature() const { return dac == 1 || dac == 4; }
    qint64 totalOpening() const;
};

struct Facility {
    QString scode;
    QString name;
    int jigyou = 0; // medical business kind: 8 hospital/clinic, 4 geriatric care, 2 home nursing, 1 other
};

struct Department {
    QString bcode;
    QString name;
};

struct SystemAccount {
    QString name; // "現金", "仮払消費税", … as the program looks them up
    QString kcode;
};

struct CompanyProfile {
    QString kindScript;    // company/kind/<name>.sql
    int dataType = 1;      // 1 法人, 3 医療法人
    int codeType = 1;
    QString entName;       // registered name of the data list
    QString shougou;
    QString kana;
    QString code;          // company code (SCODE1)
    int nendo = 0;
    QDate kishu;
    QDate kimatu;
    int bumon = 0;         // 0 none, 1 profit and loss only, 2 every account
    int siten = 0;         // facilities in use when > 0
    QString openingFacility = QStringLiteral(" "); // facility holding the opening balances
    QList<Facility> facilities; // without the whole-company row ' '
    QList<Department> departments;
    QList<Account> accounts;
    QList<SystemAccount> systemAccounts;
    QString yakumei1, yakumei2, yakumei3; // officer titles

    const Account* account(const QString& kcode) const;
};

// 株式会社みなと商事: a trading company, fiscal year 2024/04/01-2025/03/31, two sales offices
// as departments, tax-excluded bookkeeping.
CompanyProfile ordinaryCompany();

// 医療法人社団けやき会: a hospital, a geriatric care facility and a home-nursing station as
// facilities, same fiscal year.
CompanyProfile medicalCompany();

} // namespace schema::sample
