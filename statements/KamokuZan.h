#pragma once
// Single balances read straight from the company's account tables: the balance of one account
// (optionally of one facility, department or sub-account) at the end of a period. Used by the
// general ledger of the export.
//
// Every routine here runs on the company transaction IBTransactionDAT, starts it only when it
// is not active and finishes only what it started. A database error is reported (and logged)
// and then passed on, so that a caller never takes a half-read balance for a whole one.

#include "core/settings/QueryFactory.h"
#include "statements/BalanceRows.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace statements {

// Codes that the conditions of a balance read bind as :SCODE, :BCODE, :HCODE and :KCODE.
struct TKamokuKeys {
    QString SCODE;
    QString BCODE;
    QString HCODE;
    QString KCODE;
};

// code without the blanks and control characters at either end, as the balance reads take it.
QString trimCode(const QString& code);

// A new query on the company database (ACCDAT); throws when no data module is up.
std::unique_ptr<core::TIBQuery> companyQuery();

// true for the months a balance row holds (TPeriodArray's range).
bool inPeriodRange(int m);

// The consumption-tax group whose sums a tax-excluded balance of the account takes in:
// 2 for 仮払消費税, 1 for 仮受消費税, 0 for every other account.
int taxGroupOf(const QString& KCODE);

// The column list of the month sums of KAMOKU_MS (LNUK, LTAX, RNUK, RTAX, LIKKATSU, RIKKATSU).
QString monthSumColumns();

// The consumption-tax sums (columns MNUM, KAR, KAS, a row per facility and department) of the
// tax group k (1 仮受消費税, 2 仮払消費税), under the facility (s) and department (b) codes when given.
QString taxQueryFor(bool s, bool b, int k);

// Loads the master row of the account into row.KMK; false when the account does not exist.
bool fnGetKamokuRec_Sub(const QString& KCODE, TBALANCE& row);

// row.KAISIZAN := the opening balance of KAMOKU_SZ under the condition (tax-excluded opening
// when taxExcluded is not 0).
void pub_pcGetKaisiZan(TBALANCE& row, const QString& condition, const TKamokuKeys& keys, qint32 taxExcluded);

// Fills KAR, KAS, HASSEI and ZANDAKA 0..16 of the row from the sums query (and, in mode 1, the
// consumption-tax query when it is not empty).
void pubpcGetKamokuZan(TBALANCE& row, qint32 mode, const QString& sumsQuery, const QString& taxQuery,
                       const TKamokuKeys& keys);

// The balance of the account at the end of the period (0 the opening balance); 0 when the
// account does not exist. mode 0 tax included, 1 tax excluded with the consumption tax added
// to the two tax accounts, any other value tax excluded.
Currency fnGetKamokuZan(TBALANCE& row, const QString& SCODE, const QString& BCODE, qint32 mode, qint32 period,
                        const QString& HCODE, const QString& KCODE);

// fnGetKamokuZan on a fresh row, with the four codes trimmed.
Currency GetKamokuZan(const QString& SCODE, const QString& BCODE, const QString& KCODE, const QString& HCODE,
                      qint32 period, qint32 mode);

} // namespace statements
