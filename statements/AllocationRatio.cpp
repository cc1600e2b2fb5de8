#include "statements/AllocationRatio.h"

namespace statements {

AllocationRatio AllocationRatio::fromText(const QString& text) {
    const QString t = text.trimmed();
    AllocationRatio zero{0, 0};
    if (t.isEmpty())
        return zero;
    int pos = 0;
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative || t.startsWith(QLatin1Char('+')))
        pos = 1;
    qint64 units = 0;
    int decimals = 0;
    bool afterPoint = false;
    bool digits = false;
    for (; pos < t.size(); ++pos) {
        const QChar c = t.at(pos);
        if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9')
            return zero;
        if (afterPoint && decimals >= 12)
            continue; // beyond any scale the database gives; dropping it cannot matter
        units = units * 10 + (c.unicode() - '0');
        digits = true;
        if (afterPoint)
            ++decimals;
    }
    if (!digits)
        return zero;
    return {negative ? -units : units, decimals};
}

core::Currency allocate(core::Currency amount, AllocationRatio ratio) {
    __int128 divisor = core::Currency::scale; // to whole units
    for (int i = 0; i < ratio.decimals; ++i)
        divisor *= 10;
    const __int128 whole = __int128(amount.raw) * ratio.units / divisor; // truncates toward zero
    return core::Currency::fromInt(qint64(whole));
}

} // namespace statements
