#pragma once
// The consumption tax of a journal entry: each side's amount without tax, tax and rate from
// the entry's amount, tax mode (TAXCALCU: 0 tax included, 1 tax added, 2 no tax), automatic
// flag (AUTCALCU: 0 takes ZEIGAKU as given) and rate key, with the company's rounding modes.
// A side's account is recognised by its user code (KCODE) in the system-account slots of
// AccInf.

#include "core/session/SharedRecords.h"

namespace core {

// Fills the side's TAXUH (taxable kind), TAXDC (side class), NUK, ZEI and RIT; reads the
// record's amount, tax amount, modes and rate key. An amount whose tax leaves the money range
// shows "仕訳の消費税額が計算できません。" and gives false.
bool CalcSwkSideTax(const TSWKREC& rec, TSwkBalance& side);

// The whole entry: amounts cut to whole yen, both sides computed, the record's rate key taken
// from the side that carries a rate, with tax added the smaller side evened up to the larger,
// and ZEIGAKU set to the larger of the two sides' taxes. A specific-purchase code on either
// side switches the entry to no tax. False when a side cannot be computed.
bool CalcSwkRecTax(TSWKREC& rec);

} // namespace core
