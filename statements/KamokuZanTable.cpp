#include "statements/KamokuZanTable.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "statements/KamokuZan.h"

#include <stdexcept>

namespace statements {

namespace {

// The engine compares codes as if the shorter were padded with blanks.
QString codeKey(const QString& code) {
    qsizetype end = code.size();
    while (end > 0 && code.at(end - 1) == QLatin1Char(' '))
        --end;
    return code.left(end);
}

} // namespace

TKamokuZanTable::TKamokuZanTable(qint32 mode) : mode_(mode) {}

Currency TKamokuZanTable::Balance(const QString& KCODE, qint32 period, qint32 mode) {
    const QString code = trimCode(KCODE);
    const auto account = mode == mode_ && load() ? accounts_.constFind(code) : accounts_.constEnd();
    if (account == accounts_.constEnd())
        return GetKamokuZan(QString(), QString(), KCODE, QString(), period, mode);

    TPeriodArray kar = account->kar;
    TPeriodArray kas = account->kas;
    if (mode_ == 1) {
        if (const int taxKind = taxGroupOf(code); taxKind != 0) {
            for (int p = 1; p <= 16; ++p) {
                kar[p] += taxKar_[taxKind][p];
                kas[p] += taxKas_[taxKind][p];
            }
        }
    }
    TPeriodArray hassei;
    TPeriodArray zandaka;
    computePeriodBalances(account->dac, account->opening, kar, kas, hassei, zandaka);
    return inPeriodRange(period) ? zandaka[period] : Currency{};
}

bool TKamokuZanTable::load() {
    if (state_ != State::NotRead)
        return state_ == State::Read;
    if (!core::DM)
        throw std::logic_error("no data module");
    core::TransactionScope scope(core::DM->IBTransactionDAT);
    try {
        readAccounts();
        readOpenings();
        readSums();
        if (mode_ == 1) {
            for (int kind : {1, 2})
                readConsumptionTax(kind, taxKar_[kind], taxKas_[kind]);
        }
        scope.commit();
        state_ = State::Read;
    } catch (const core::EIBError&) {
        // Left to the per-account reads, which fail (and report) only for the accounts at fault.
        accounts_.clear();
        state_ = State::Failed;
    }
    return state_ == State::Read;
}

void TKamokuZanTable::readAccounts() {
    auto query = companyQuery();
    query->sql() << QStringLiteral("SELECT KCODE,DAC FROM KAMOKUMST");
    query->execQuery();
    const core::IBSQLField& kcode = query->fieldByName(QStringLiteral("KCODE"));
    const core::IBSQLField& dac = query->fieldByName(QStringLiteral("DAC"));
    for (; !query->eof(); query->next())
        accounts_[codeKey(kcode.asString())].dac = dac.asInteger();
    query->close();
}

void TKamokuZanTable::readOpenings() {
    auto query = companyQuery();
    query->sql() << (mode_ != 0 ? QStringLiteral("SELECT KCODE,SUM(KISHU_NUKI) FROM KAMOKU_SZ GROUP BY KCODE")
                                : QStringLiteral("SELECT KCODE,SUM(KISHU_KOMI) FROM KAMOKU_SZ GROUP BY KCODE"));
    query->execQuery();
    const core::IBSQLField& kcode = query->fields(0);
    const core::IBSQLField& opening = query->fields(1);
    for (; !query->eof(); query->next()) {
        const auto account = accounts_.find(codeKey(kcode.asString()));
        if (account != accounts_.end())
            account->opening = opening.asCurrency();
    }
    query->close();
}

void TKamokuZanTable::readSums() {
    auto query = companyQuery();
    query->sql() << QStringLiteral("SELECT KCODE,MNUM,") + monthSumColumns() +
                        QStringLiteral(" FROM KAMOKU_MS GROUP BY KCODE,MNUM");
    query->execQuery();
    const auto field = [&](const char* name) -> const core::IBSQLField& {
        return query->fieldByName(QLatin1String(name));
    };
    const core::IBSQLField& kcode = field("KCODE");
    const core::IBSQLField& mnum = field("MNUM");
    const core::IBSQLField& debitNet = field("LNUK");
    const core::IBSQLField& debitTax = field("LTAX");
    const core::IBSQLField& creditNet = field("RNUK");
    const core::IBSQLField& creditTax = field("RTAX");
    const core::IBSQLField& debitBulk = field("LIKKATSU");
    const core::IBSQLField& creditBulk = field("RIKKATSU");
    for (; !query->eof(); query->next()) {
        const int m = mnum.asInteger();
        if (!inPeriodRange(m))
            continue;
        const auto account = accounts_.find(codeKey(kcode.asString()));
        if (account == accounts_.end())
            continue;
        if (mode_ == 0) {
            account->kar[m] += debitNet.asCurrency() + debitTax.asCurrency();
            account->kas[m] += creditNet.asCurrency() + creditTax.asCurrency();
        } else {
            account->kar[m] += debitNet.asCurrency() - debitBulk.asCurrency();
            account->kas[m] += creditNet.asCurrency() - creditBulk.asCurrency();
        }
    }
    query->close();
}

void TKamokuZanTable::readConsumptionTax(int kind, TPeriodArray& kar, TPeriodArray& kas) {
    auto query = companyQuery();
    query->sql() << taxQueryFor(false, false, kind);
    for (query->execQuery(); !query->eof(); query->next()) {
        const int m = query->fields(0).asInteger();
        if (!inPeriodRange(m))
            continue;
        kar[m] += query->fields(1).asCurrency();
        kas[m] += query->fields(2).asCurrency();
    }
    query->close();
}

} // namespace statements
