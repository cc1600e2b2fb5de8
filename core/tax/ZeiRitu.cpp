#include "core/tax/ZeiRitu.h"

#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dates/SerialDate.h"
#include "core/version/Version.h"

namespace core {

TZeiRituList ZeiRituTable;

namespace {

struct ZeiRituConstant {
    const char* name;
    qint32 rate;
    qint32 key;
    qint32 orderNo;
    const char* startDate;
    qint32 firstVersion;
    qint32 value2;
    quint8 flag;
    quint8 dateBound;
    qint32 usageIndex;
    quint8 usable;
};

// Company data of version 11.1.0 or later.
constexpr ZeiRituConstant kFiveRates[] = {
    {"10%", 10, 0, 4, "2019/10/01", 11, 1, 1, 1, 4, 1},
    {"8*%", 8, 4, 3, "2019/10/01", 11, 1, 1, 0, 3, 1},
    {"8%", 8, 3, 2, "2014/04/01", 6, 1, 0, 1, 2, 1},
    {"5%", 5, 2, 1, "1997/04/01", 1, 0, 0, 1, 1, 1},
    {"3%", 3, 1, 0, "1989/04/01", 1, 0, 0, 1, 0, 1},
};

// Older company data, before the 10 % rate.
constexpr ZeiRituConstant kThreeRates[] = {
    {"8%", 8, 0, 2, "2014/04/01", 6, 1, 1, 1, 2, 1},
    {"5%", 5, 2, 1, "1997/04/01", 1, 0, 0, 1, 1, 1},
    {"3%", 3, 1, 0, "1989/04/01", 1, 0, 0, 1, 0, 1},
};

template <size_t N>
TZeiRituList toList(const ZeiRituConstant (&rows)[N])
{
    TZeiRituList list;
    for (const ZeiRituConstant& row : rows) {
        TZeiRituRec rec;
        rec.Name = QString::fromLatin1(row.name);
        rec.Rate = Currency::fromInt(row.rate);
        rec.Key = row.key;
        rec.OrderNo = row.orderNo;
        rec.StartDate = QString::fromLatin1(row.startDate);
        rec.FirstVersion = row.firstVersion;
        rec.Value2 = row.value2;
        rec.Flag = row.flag;
        rec.DateBound = row.dateBound;
        rec.UsageIndex = row.usageIndex;
        rec.Usable = row.usable;
        list << rec;
    }
    return list;
}

void loadIfEmpty()
{
    if (ZeiRituTable.isEmpty())
        LoadZeiRituTable();
}

const TZeiRituRec* findKey(qint32 key)
{
    for (const TZeiRituRec& rec : ZeiRituTable)
        if (rec.Key == key)
            return &rec;
    return nullptr;
}

bool startsOnOrBefore(const TZeiRituRec& rec, const QDate& date)
{
    // A start date that does not read as a date counts as the zero date.
    return dateOrZeroDate(StrToDateFixed(rec.StartDate)) <= dateOrZeroDate(date);
}

} // namespace

void LoadZeiRituTable()
{
    const QString version =
        QStringLiteral("%1.%2.%3").arg(AccInf.DataMajor).arg(AccInf.DataMinor1).arg(AccInf.DataMinor2);
    ZeiRituTable = VersionGreaterOrEqual(version, QStringLiteral("11.1.0")) ? toList(kFiveRates) : toList(kThreeRates);
}

Currency GetZeiRitu(qint32 key, const QDate&)
{
    loadIfEmpty();
    if (const TZeiRituRec* rec = findKey(key))
        return rec->Rate;
    return ZeiRituTable.isEmpty() ? Currency{} : ZeiRituTable.first().Rate;
}

qint32 GetZeiRituCode(qint32 key, const QDate& date)
{
    loadIfEmpty();
    const TZeiRituRec* given = findKey(key);
    if (given && given->DateBound == 0)
        return key;

    qint32 candidate = 0;
    for (const TZeiRituRec& rec : ZeiRituTable) {
        if (startsOnOrBefore(rec, date)) {
            candidate = rec.Key;
            break;
        }
    }
    if (candidate == key)
        return key;
    if (given && startsOnOrBefore(*given, date))
        return key;
    return candidate;
}

} // namespace core
