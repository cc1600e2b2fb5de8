#include "core/tax/RoundCurrency.h"

#include <limits>

namespace core {

Currency RoundCurrency(int mode, Currency value)
{
    // Work on whole yen and the remaining fraction (both carry the sign of the value).
    qint64 yen = value.raw / Currency::scale;
    const qint64 fraction = value.raw % Currency::scale;
    const qint64 away = value.raw < 0 ? -1 : 1;

    if (mode == 2) {
        if (fraction != 0)
            yen += away;
    } else if (mode != 0) {
        if (fraction >= Currency::scale / 2 || fraction <= -Currency::scale / 2)
            yen += away;
    }

    constexpr qint64 maxYen = std::numeric_limits<qint64>::max() / Currency::scale;
    yen = qBound(-maxYen, yen, maxYen);
    return Currency::fromInt(yen);
}

} // namespace core
