#include "core/dates/Gengo.h"

#include "core/dates/SerialDate.h"

namespace core {

const TGengo2Rec kBuiltInGengo[5] = {
    {"令和", "R", "2019/05/01", 2019},
    {"平成", "H", "1989/01/08", 1989},
    {"昭和", "S", "1926/12/25", 1926},
    {"大正", "T", "1912/07/30", 1912},
    {"明治", "M", "1868/09/08", 1868},
};

TGengoArray GengoTable;

void InitGengoTable()
{
    GengoTable.clear();
    for (const TGengo2Rec& era : kBuiltInGengo) {
        TGengoRec rec;
        rec.name = QString::fromUtf8(era.name);
        rec.shortName = QString::fromUtf8(era.shortName);
        // The constants are written "yyyy/MM/dd", whatever the process-wide formats say.
        rec.startDate = QDate::fromString(QString::fromLatin1(era.startDate), QStringLiteral("yyyy/MM/dd"));
        rec.startYear = rec.startDate.year();
        GengoTable.append(rec);
    }
}

void FillGengoTable(const TGengoArray& rows)
{
    if (rows.isEmpty())
        InitGengoTable();
    else
        GengoTable = rows;
}

TWarekiRec DateToWareki(const QDate& date)
{
    const QDate day = dateOrZeroDate(date);
    TWarekiRec wareki;
    wareki.year = qint16(day.year());
    if (day > zeroDate()) {
        for (const TGengoRec& era : std::as_const(GengoTable)) {
            if (era.name.isEmpty())
                break;
            wareki.name = era.name;
            wareki.shortName = era.shortName;
            wareki.year = qint16(day.year() - era.startYear + 1);
            if (day >= era.startDate)
                break;
        }
    }
    wareki.month = qint16(day.month());
    wareki.day = qint16(day.day());
    return wareki;
}

QDate WarekiToDate(const TWarekiRec& wareki)
{
    if ((wareki.name.isEmpty() && wareki.shortName.isEmpty()) || wareki.year == 0)
        return QDate();
    for (const TGengoRec& era : std::as_const(GengoTable)) {
        const bool sameName = !wareki.name.isEmpty() && era.name == wareki.name;
        const bool sameShortName = !wareki.shortName.isEmpty() && era.shortName == wareki.shortName;
        if (!sameName && !sameShortName)
            continue;
        const int year = era.startYear + wareki.year - 1;
        if (year < 1 || year > 9999)
            return QDate();
        return QDate(year, wareki.month, wareki.day); // null when the day does not exist
    }
    // An unknown era has no calendar year; the zero date's year would pass for a real date.
    return QDate();
}

} // namespace core
