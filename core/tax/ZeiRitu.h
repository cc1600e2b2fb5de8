#pragma once
// The consumption-tax rates and the rate keys that journal entries store. The program holds
// one rate table, ZeiRituTable, newest rate first; it follows the version of the open company
// data: data of version 11.1.0 or later knows the five rates up to 10 % and the reduced 8 %,
// older data only the three rates up to 8 %, where key 0 means 8 %.

#include "core/Currency.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace core {

struct TZeiRituRec {
    QString Name;         // "10%", "8*%" (the reduced rate, shown as "軽減8%") …
    Currency Rate;        // in percent
    qint32 Key = 0;       // the rate key stored in journal entries
    qint32 OrderNo = 0;
    QString StartDate;    // "yyyy/mm/dd"
    qint32 FirstVersion = 0;
    qint32 Value2 = 0;
    quint8 Flag = 0;
    quint8 DateBound = 0; // 0: chosen by the goods (the reduced rate), not by the date
    qint32 UsageIndex = 0; // slot of AccInf.TaxRateUse
    quint8 Usable = 0;
};

using TZeiRituList = QList<TZeiRituRec>;

extern TZeiRituList ZeiRituTable;

// Fills ZeiRituTable afresh by the version of the open company data (AccInf.DataMajor,
// DataMinor1, DataMinor2). The data module calls it whenever it opens a company data set.
void LoadZeiRituTable();

// The rate in percent of the key; an unknown key gives the newest rate. The key alone decides:
// callers pass the entry date along, but it takes no part. Loads an empty table first; should
// the table still be empty, the rate is 0.
Currency GetZeiRitu(qint32 key, const QDate& date = QDate());

// The rate key to use for an entry of the given date: the reduced rate's key as given; else the
// given key when it is the newest rate in force on the date or its rate had begun by then;
// otherwise the key of the newest rate in force on the date (0 when none was). Loads an empty
// table first.
qint32 GetZeiRituCode(qint32 key, const QDate& date);

} // namespace core
