#include "controls/dates/EraList.h"

namespace controls {

namespace {

bool boundCounts(const QDateTime& bound) {
    return bound.isValid() && bound.date() > QDate(1873, 1, 2) && bound.date() < QDate(2101, 1, 1);
}

// The first entry that begins on or before the bound; `fallback` when none does or the bound
// does not count.
qsizetype firstStartingBy(const core::TGengoArray& table, const QDateTime& bound, qsizetype fallback) {
    if (!boundCounts(bound))
        return fallback;
    for (qsizetype i = 0; i < table.size(); ++i)
        if (table.at(i).startDate <= bound.date())
            return i;
    return fallback;
}

} // namespace

core::TGengoArray SystemEraList() {
    core::TGengoArray eras;
    for (const core::TGengo2Rec& era : core::kBuiltInGengo) {
        if (eras.size() == 7)
            break;
        core::TGengoRec rec;
        rec.name = QString::fromUtf8(era.name);
        rec.shortName = QString::fromUtf8(era.shortName);
        rec.startDate = QDate::fromString(QString::fromLatin1(era.startDate), QStringLiteral("yyyy/MM/dd"));
        rec.startYear = era.startYear;
        eras << rec;
    }
    return eras;
}

core::TGengoArray BuildEraList(const core::TGengoArray& table, const QDateTime& minDate, const QDateTime& maxDate) {
    if (table.isEmpty())
        return {};
    const qsizetype newest = firstStartingBy(table, maxDate, 0);
    const qsizetype oldest = firstStartingBy(table, minDate, table.size() - 1);
    if (newest > oldest)
        return table;
    return table.mid(newest, oldest - newest + 1);
}

int EraIndexOf(const core::TGengoArray& eras, const QDate& date) {
    for (qsizetype i = 0; i < eras.size(); ++i)
        if (eras.at(i).startDate <= date)
            return int(i);
    return int(eras.size()) - 1;
}

} // namespace controls
