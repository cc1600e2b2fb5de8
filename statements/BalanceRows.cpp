#include "statements/BalanceRows.h"

#include <stdexcept>

namespace statements {

int TPeriodArray::slot(int period) {
    if (period < Low || period > High)
        throw std::out_of_range("period index outside -32..19: " + std::to_string(period));
    return period - Low;
}

bool isDebitNature(qint32 dac) { return dac == 1 || dac == 4; }

Currency netChange(qint32 dac, Currency debit, Currency credit) {
    return isDebitNature(dac) ? debit - credit : credit - debit;
}

void computePeriodBalances(qint32 dac, Currency opening, const TPeriodArray& kar, const TPeriodArray& kas,
                           TPeriodArray& hassei, TPeriodArray& zandaka) {
    hassei[0] = opening;
    zandaka[0] = opening;
    for (int p = 1; p <= 16; ++p) {
        hassei[p] = netChange(dac, kar[p], kas[p]);
        zandaka[p] = zandaka[p - 1] + hassei[p];
    }
}

} // namespace statements
