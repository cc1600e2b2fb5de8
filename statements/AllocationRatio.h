#pragma once
// Allocation ratios of the common department "00", kept as exact decimals: a ratio read as
// 0.333 shares out 333 of 1000, where the binary double 0.333 × 1000 = 332.99999999999994
// would be cut to 332.

#include "core/Currency.h"

#include <QString>
#include <QtGlobal>

namespace statements {

struct AllocationRatio {
    qint64 units = 1; // the ratio is units / 10^decimals
    int decimals = 0;

    static AllocationRatio one() { return {}; }
    // A decimal text as the database gives a NUMERIC ("0.333000", "-1", "1.5"); anything else
    // (an empty or NULL value) counts as 0.
    static AllocationRatio fromText(const QString& text);
};

// amount × ratio, truncated toward zero to a whole currency unit.
core::Currency allocate(core::Currency amount, AllocationRatio ratio);

} // namespace statements
