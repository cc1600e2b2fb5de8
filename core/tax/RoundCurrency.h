#pragma once
// Rounding of money to whole yen, for consumption tax and for statement amounts. The modes are
// the company's rounding settings (AccInf.TAXU_HASUU, TAXH_HASUU): 0 cuts the fraction towards
// zero, 2 rounds the magnitude up, any other value rounds half away from zero.

#include "core/Currency.h"

namespace core {

// Never fails: where rounding away from zero would leave the money range (only within one yen
// of its ends), the result is the last whole yen inside it.
Currency RoundCurrency(int mode, Currency value);

} // namespace core
