#pragma once
// Checks of a journal-entry side's tax code against its account, for the journal-entry
// validation and the cash-book import. The accounts are given by their user codes and are
// recognised by the system-account slots of the open company data (AccInf.SysUserCode:
// 仮払消費税, 仮受消費税, 諸口). The checks never raise: they answer true or false and leave
// the message for the caller to show; a check that passes clears the message or leaves it
// as it was, as noted.

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace core {

// The tax-paid account 仮払消費税 takes the 700s, 810 and 910; a 700s code needs that
// account; the 600s belong to the tax-received account 仮受消費税, which under principle or
// simplified taxation takes its base or business-class codes (with a warning in the message
// for the codes of the other taxation), 810 and 910.
bool CheckKamokuTaxCode(QString& message, const QString& accountCode, qint32 taxCode);

// On a 仮受消費税 or 仮払消費税 side the other side's code must be 810 or 910; otherwise it
// becomes 810 and the result is false.
bool CheckAiteTaxCode(QString& message, const QString& accountCode, qint32& counterTaxCode);

// The sundry account 諸口 takes only 810 and 910; another code becomes 810 and the result is
// false.
bool CheckSyokutiTaxCode(QString& message, const QString& accountCode, qint32& taxCode);

// A specific-purchase code (551-553, 581-583) cannot be used before 2015/10/01 nor with the
// rates 3 %, 5 % and reduced 8 %; the rate message replaces the date message when both apply.
// The code is not changed.
bool CheckTokuteiSiireTaxCode(QString& message, qint32& taxCode, qint32 rateKey, const QDate& date);

} // namespace core
