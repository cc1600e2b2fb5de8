#pragma once
// Deterministic journal entries for the sample companies: the same arguments give the same
// entries on every machine (own pseudo-random sequence, no library distributions).

#include "schema/sample/CompanyProfile.h"
#include "schema/sample/JournalEntry.h"

namespace schema::sample {

// A full fiscal year of the trading company: the fixed monthly entries (salaries, rent,
// utilities, loan repayment, dividends, tax payments), trade entries (sales on credit,
// collections, purchases, payments, petty cash expenses) spread over the year, and the year-end
// entries (depreciation, closing inventory, the consumption tax netted into what is owed,
// corporate tax of about 30 % of the profit). With the sample's number of trade entries the
// year reads as a small trading company's: sales above costs, a modest profit, money in the
// bank. tradeEntries sets how many trade entries there are; the total is that plus about 140.
QList<JournalEntry> ordinaryJournal(const CompanyProfile& company, int tradeEntries);
// The trade entries of the ordinary sample data set.
inline constexpr int kOrdinaryTradeEntries = 400;

// A fiscal year of the medical corporation, its entries booked to its three facilities.
QList<JournalEntry> medicalJournal(const CompanyProfile& company);

} // namespace schema::sample
