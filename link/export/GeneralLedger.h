#pragma once
// The general ledger of the intermediate file (element HJ00780S): for every account with
// journal lines in the exported range, in account-list order, its name, group name, the
// balances before and at the end of the range, and one element per journal line with the
// running balance after it. Read through the loader's own read-committed transaction.
//
// Signs: the balances are shown as the balance sheet shows them (negated for natures 2 and 4),
// and every entry amount is signed the same way, so that the opening balance plus the entry
// amounts always gives the closing balance.

#include "core/Currency.h"
#include "link/export/XmlSaveDoc.h"

#include <QString>

#include <functional>

namespace core {
class TIBSQL;
class TIBTransaction;
} // namespace core

namespace taxreturn {

// The journal columns the ledger reads (only those it writes: the engine's cost of a fetched row
// grows with its columns) and the order of an account's lines, REC last so that lines equal in
// every other key come in the order they were entered.
inline const QString kLedgerEntryColumns =
    QStringLiteral("S.KCODE,S.TAISHAKU,S.DNUM,S.HIZUKE,S.NUK,S.ZEI,S.HNAME,S.R_KNAME,S.R_HNAME,S.TEKTEXT");
inline const QString kLedgerEntryOrder = QStringLiteral("S.HIZUKE,S.KESSAN,S.SCODE,S.SDAYNUM,S.SWKNO,S.TAISHAKU,S.REC");

inline const QString kSignKamoku = QStringLiteral("KAMOKU"); // an account balance
inline const QString kSignSiwake = QStringLiteral("SIWAKE"); // a journal-line amount

// The ledger's sign of an amount. kind "KAMOKU": the balance, negated for nature 2 or 4.
// kind "SIWAKE": the line's effect on that shown balance: positive for a debit line of
// nature 1 or 2 and for a credit line of nature 3 or 4, negative otherwise. side: 1 debit,
// 2 credit. Any other kind, nature or side leaves the amount as it is.
core::Currency SignedAmount(const QString& kind, int nature, int side, core::Currency amount);

// An account's running balance after a period index of the 16-period year (index 0: the
// balance at the start of the year), over every facility, department and sub-account, with the
// tax mode (0 tax included, 1 excluded).
using TLedgerBalanceFn = std::function<core::Currency(const QString& kcode, int periodIndex, int taxMode)>;

class TGeneralLedger {
public:
    // The transaction and the two statements are the loader's; the statements are rebound to
    // the transaction here.
    TGeneralLedger(core::TIBTransaction& transaction, core::TIBSQL& accountQuery, core::TIBSQL& entryQuery);

    int StartPeriod = 0; // first period slot of the range, 0-based
    int EndPeriod = 15;  // last period slot of the range
    int TaxMode = 0;     // 0 tax included, 1 tax excluded
    // The special accounts of the open data (AccInf's system accounts when left empty).
    QString MiscAccount;   // 諸口, never listed
    QString InputTaxAccount;  // 仮払消費税
    QString OutputTaxAccount; // 仮受消費税
    TLedgerBalanceFn BalanceAfter;

    // Appends HJ00780S under data and fills it. Starts the transaction when it is not active
    // and then commits it (rolls it back on an error). Errors propagate.
    void Write(TXmlSaveDoc& doc, IXMLNode data);

private:
    struct Account {
        QString kcode;
        QString name;
        QString groupName;
        int dac = 0;
    };
    QList<Account> readAccounts();
    QString accountCondition(const QString& kcode, const QString& prefix) const;
    bool isTaxLedger(const QString& kcode) const;
    void writeAccount(TXmlSaveDoc& doc, IXMLNode ledger, const Account& account);

    core::TIBTransaction& transaction_;
    core::TIBSQL& accountQuery_;
    core::TIBSQL& entryQuery_;
};

// The builder's step: writes the ledger and gives 1; on any failure shows the message
// "例外エラー（総勘定元帳の作成）" with the error's text as detail and gives 18.
int MakeGeneralLedger(TGeneralLedger& ledger, TXmlSaveDoc& doc, IXMLNode data);

} // namespace taxreturn
