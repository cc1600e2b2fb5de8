#pragma once
// One journal entry of a sample as it goes into SIWAKE: a debit line and a credit line.
// Amounts are whole yen; the net amount and the tax are kept apart on the side that carries
// the tax (tax-excluded bookkeeping), the other side carries the gross amount.

#include <QDate>
#include <QList>
#include <QString>

namespace schema::sample {

struct JournalSide {
    QString kcode;
    QString hcode = QStringLiteral(" ");
    QString bcode = QStringLiteral(" ");
    qint64 net = 0;   // NUK
    qint64 tax = 0;   // ZEI
    int taxCode = 0;
    int taxUh = 0;    // 1 sales tax (仮受), 2 purchase tax (仮払), 0 none

    qint64 gross() const { return net + tax; }
};

struct JournalEntry {
    QDate date;
    int mnum = 0;    // period 1-16
    int kessan = 0;  // 1: year-end entry (period 16)
    QString scode = QStringLiteral(" ");
    JournalSide debit;
    JournalSide credit;
    QString tekiyo;
};

// Period number of a date in a fiscal year starting at yearStart: months take the periods
// 1-3, 5-7, 9-11, 13-15; 4, 8, 12 and 16 are the quarterly adjustment periods.
int periodOfDate(const QDate& yearStart, const QDate& date);

} // namespace schema::sample
