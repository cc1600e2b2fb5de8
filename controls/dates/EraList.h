#pragma once
// The eras a date edit offers: the part of an era table (newest era first) that the edit's
// date range allows, and the built-in eras that stand in for the operating system's list.

#include "core/dates/Gengo.h"

#include <QDateTime>

namespace controls {

// The built-in eras, newest first (at most seven, as the system list was read).
core::TGengoArray SystemEraList();

// The entries of `table` from the newest one that the range allows to the oldest one: the
// newest is the first entry that begins on or before maxDate, the oldest the first entry
// that begins on or before minDate. A bound counts only when it lies after 1873-01-02 and
// before 2101-01-01; without it (or when no entry qualifies) the table's newest or oldest
// entry is used. When the two cross, the whole table is used.
core::TGengoArray BuildEraList(const core::TGengoArray& table, const QDateTime& minDate, const QDateTime& maxDate);

// Position in `eras` (newest first) of the era the date lies in: the first entry that begins
// on or before it; the oldest entry when the date is before all of them; -1 for no eras.
int EraIndexOf(const core::TGengoArray& eras, const QDate& date);

} // namespace controls
