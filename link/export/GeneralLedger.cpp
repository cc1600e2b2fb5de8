#include "link/export/GeneralLedger.h"

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "link/export/IntermediateLayout.h"
#include "link/export/ValueFormats.h"

#include <QStringList>

namespace taxreturn {

namespace {

const int kDebit = 1;
const int kCredit = 2;

bool balanceShownNegated(int nature)
{
    return nature == 2 || nature == 4;
}

const QStringList kEntryColumns = {
    QStringLiteral("SELECT ") + kLedgerEntryColumns,
    QStringLiteral("FROM SIWAKE S"),
    QStringLiteral("INNER JOIN KAMOKUMST K1 ON (S.KCODE   = K1.KCODE)"),
    QStringLiteral("INNER JOIN KAMOKUMST K2 ON (S.R_KCODE = K2.KCODE)"),
    QStringLiteral("WHERE (S.DELFLG=0) AND (S.MNUM>=:MNUM1 AND S.MNUM<=:MNUM2)"),
};

} // namespace

core::Currency SignedAmount(const QString& kind, int nature, int side, core::Currency amount)
{
    if (nature < 1 || nature > 4)
        return amount;
    if (kind == kSignKamoku)
        return balanceShownNegated(nature) ? -amount : amount;
    if (kind != kSignSiwake)
        return amount;
    // The line's effect on the account's own balance: debit-natured accounts (1, 4) grow by
    // debits, the others by credits; then the same negation as the shown balance.
    const bool debitNatured = nature == 1 || nature == 4;
    core::Currency effect;
    if (side == kDebit)
        effect = debitNatured ? amount : -amount;
    else if (side == kCredit)
        effect = debitNatured ? -amount : amount;
    else
        return amount;
    return balanceShownNegated(nature) ? -effect : effect;
}

TGeneralLedger::TGeneralLedger(core::TIBTransaction& transaction, core::TIBSQL& accountQuery,
                               core::TIBSQL& entryQuery)
    : transaction_(transaction), accountQuery_(accountQuery), entryQuery_(entryQuery)
{
    accountQuery_.setTransaction(&transaction_);
    entryQuery_.setTransaction(&transaction_);
}

QList<TGeneralLedger::Account> TGeneralLedger::readAccounts()
{
    accountQuery_.close();
    accountQuery_.sql().clear();
    accountQuery_.sql() << QStringLiteral("SELECT KM.KCODE,KM.USERCODE,KM.KNAME,KM.DAC,A3.GROUPNAME")
                        << QStringLiteral("FROM KAMOKUMST KM")
                        << QStringLiteral("LEFT JOIN ACCDEF3 A3 ON (KM.GROUPM0=A3.KGROUP)")
                        << QStringLiteral("WHERE (KM.KCODE<>:KCODE)")
                        << QStringLiteral("ORDER BY KM.GROUPM0,KM.KCODE");
    accountQuery_.paramByName(QStringLiteral("KCODE")).setString(MiscAccount);
    accountQuery_.execQuery();
    QList<Account> accounts;
    for (; !accountQuery_.eof(); accountQuery_.next()) {
        accounts.append({accountQuery_.fieldByName(QStringLiteral("KCODE")).asString(),
                         accountQuery_.fieldByName(QStringLiteral("KNAME")).asString(),
                         accountQuery_.fieldByName(QStringLiteral("GROUPNAME")).asString(),
                         accountQuery_.fieldByName(QStringLiteral("DAC")).asInteger()});
    }
    accountQuery_.close();
    return accounts;
}

bool TGeneralLedger::isTaxLedger(const QString& kcode) const
{
    return TaxMode == 1 && (kcode == OutputTaxAccount || kcode == InputTaxAccount);
}

QString TGeneralLedger::accountCondition(const QString& kcode, const QString& prefix) const
{
    if (TaxMode == 1 && kcode == OutputTaxAccount)
        return QStringLiteral("AND ((%1KCODE=:KCODE) OR (%1TAXUH=1 AND %1ZEI>0))").arg(prefix);
    if (TaxMode == 1 && kcode == InputTaxAccount)
        return QStringLiteral("AND ((%1KCODE=:KCODE) OR (%1TAXUH=2 AND %1ZEI>0))").arg(prefix);
    return QStringLiteral("AND (%1KCODE=:KCODE)").arg(prefix);
}

void TGeneralLedger::writeAccount(TXmlSaveDoc& doc, IXMLNode ledger, const Account& account)
{
    const auto setRange = [this, &account](core::TIBSQL& query) {
        query.paramByName(QStringLiteral("MNUM1")).setInteger(StartPeriod + 1);
        query.paramByName(QStringLiteral("MNUM2")).setInteger(EndPeriod + 1);
        query.paramByName(QStringLiteral("KCODE")).setString(account.kcode);
    };

    entryQuery_.close();
    entryQuery_.sql() = kEntryColumns;
    entryQuery_.sql() << accountCondition(account.kcode, QStringLiteral("S."))
                      << QStringLiteral("ORDER BY ") + kLedgerEntryOrder;
    setRange(entryQuery_);
    entryQuery_.execQuery();
    // An account is written when the journal view holds lines for it. A line read above is such
    // a line; without one the view is counted, since a line whose account is missing from the
    // account master is in the view but not in the joined read. The count runs on the account
    // statement (free once the accounts are read), so each statement keeps its text and stays
    // prepared from one account to the next.
    if (entryQuery_.eof()) {
        entryQuery_.close();
        accountQuery_.close();
        accountQuery_.sql().clear();
        accountQuery_.sql() << QStringLiteral("SELECT COUNT(*) AS RECCNT FROM SIWAKE_VIEW")
                            << QStringLiteral("WHERE (DELFLG=0) AND (MNUM>=:MNUM1 AND MNUM<=:MNUM2)")
                            << accountCondition(account.kcode, QString());
        setRange(accountQuery_);
        accountQuery_.execQuery();
        const qint64 count = accountQuery_.fieldByName(QStringLiteral("RECCNT")).asInt64();
        accountQuery_.close();
        if (count == 0)
            return;
    }

    const core::Currency opening =
        SignedAmount(kSignKamoku, account.dac, 0, BalanceAfter(account.kcode, StartPeriod, TaxMode));
    const core::Currency closing =
        SignedAmount(kSignKamoku, account.dac, 0, BalanceAfter(account.kcode, EndPeriod + 1, TaxMode));

    IXMLNode element = doc.AddNode(ledger, QStringLiteral("HJ00780S01"), {}, {});
    doc.AddTextNode(element, QStringLiteral("HJ00780S0010"), {}, {}, account.name);
    doc.AddTextNode(element, QStringLiteral("HJ00780S0020"), {}, {}, account.groupName);
    doc.AddTextNode(element, QStringLiteral("HJ00780S0030"), {}, {}, FormatAmount(opening));
    doc.AddTextNode(element, QStringLiteral("HJ00780S0040"), {}, {}, FormatAmount(closing));

    const bool taxLedger = isTaxLedger(account.kcode);
    // The columns are looked up once; their values follow the cursor.
    const auto field = [this](const char* name) -> core::IBSQLField& {
        return entryQuery_.fieldByName(QLatin1String(name));
    };
    const core::IBSQLField& fNet = field("NUK");
    const core::IBSQLField& fTax = field("ZEI");
    const core::IBSQLField& fKcode = field("KCODE");
    const core::IBSQLField& fSide = field("TAISHAKU");
    const core::IBSQLField& fVoucher = field("DNUM");
    const core::IBSQLField& fDate = field("HIZUKE");
    const core::IBSQLField& fSubName = field("HNAME");
    const core::IBSQLField& fCounterName = field("R_KNAME");
    const core::IBSQLField& fCounterSubName = field("R_HNAME");
    const core::IBSQLField& fDescription = field("TEKTEXT");
    core::Currency running = opening;
    // Lines come in date order: the era date is formatted once per date.
    QDate shownDate;
    QString shownDateText;
    bool dateShown = false;
    for (; !entryQuery_.eof(); entryQuery_.next()) {
        const core::Currency net = fNet.asCurrency();
        const core::Currency tax = fTax.asCurrency();
        core::Currency amount;
        if (TaxMode == 0)
            amount = net + tax;
        else if (taxLedger && fKcode.asString() != account.kcode)
            amount = tax; // another account's line, in the ledger for its tax
        else
            amount = net;
        amount = SignedAmount(kSignSiwake, account.dac, fSide.asInteger(), amount);
        running += amount;

        IXMLNode line = doc.AddNode(element, QStringLiteral("HJ00780S02"), {}, {});
        doc.AddTextNode(line, QStringLiteral("HJ00780S0050"), {}, {}, QString::number(fVoucher.asInt64()));
        const QDate date = fDate.asDate();
        if (!dateShown || date != shownDate) {
            shownDate = date;
            shownDateText = FormatEraDate(date);
            dateShown = true;
        }
        doc.AddTextNode(line, QStringLiteral("HJ00780S0060"), {}, {}, shownDateText);
        doc.AddTextNode(line, QStringLiteral("HJ00780S0070"), {}, {}, fSubName.asString());
        doc.AddTextNode(line, QStringLiteral("HJ00780S0080"), {}, {}, fCounterName.asString());
        doc.AddTextNode(line, QStringLiteral("HJ00780S0090"), {}, {}, fCounterSubName.asString());
        doc.AddTextNode(line, QStringLiteral("HJ00780S0100"), {}, {}, fDescription.asString());
        doc.AddTextNode(line, QStringLiteral("HJ00780S0110"), {}, {}, FormatAmount(amount));
        doc.AddTextNode(line, QStringLiteral("HJ00780S0120"), {}, {}, FormatAmount(running));
    }
    entryQuery_.close();
}

void TGeneralLedger::Write(TXmlSaveDoc& doc, IXMLNode data)
{
    if (MiscAccount.isEmpty())
        MiscAccount = core::AccInf.SysKCode[core::skShokuchi];
    if (InputTaxAccount.isEmpty())
        InputTaxAccount = core::AccInf.SysKCode[core::skKaribaraiZei];
    if (OutputTaxAccount.isEmpty())
        OutputTaxAccount = core::AccInf.SysKCode[core::skKariukeZei];
    if (!BalanceAfter)
        throw std::logic_error("general ledger without a balance reader");

    IXMLNode ledger = doc.AddNode(data, kElemGeneralLedger, {}, {});
    core::TransactionScope own(transaction_);
    const QList<Account> accounts = readAccounts();
    for (const Account& account : accounts)
        writeAccount(doc, ledger, account);
    own.commit();
}

int MakeGeneralLedger(TGeneralLedger& ledger, TXmlSaveDoc& doc, IXMLNode data)
{
    try {
        ledger.Write(doc, data);
        return 1;
    } catch (const std::exception& error) {
        core::ShowMessageWithDetail(QStringLiteral("例外エラー（総勘定元帳の作成）"), core::exceptionText(error),
                                    core::MessageKind::Error);
        return 18;
    }
}

} // namespace taxreturn
