#pragma once
// A corporation whose data begins in the fourth month of its fiscal year (ACCDEF1.KAISINO 4):
// the books of April to June were kept elsewhere, so the data set carries two openings that
// agree with each other — the fiscal-year opening (KAMOKU_PZ period 0, read as KISHU0) with the
// balances at the end of periods 1 to 4 (KAMOKU_PZ 1-4, read as ZANP01-ZANP04), and the balance
// at the start month (KAMOKU_SZ KAISIZAN/KISHU_KOMI/KISHU_NUKI, profit-and-loss accounts with
// their amounts of April to June). Its own journal runs from July (period 5) on.

#include "schema/sample/CompanyProfile.h"
#include "schema/sample/JournalEntry.h"

namespace core {
class TIBDatabase;
}

namespace schema::sample {

// Month of the fiscal year with which the data begins (July of a year starting in April).
constexpr int lateStartMonth = 4;

// 株式会社さくら工房: fiscal year 2024/04/01-2025/03/31, no departments, no consumption tax.
// Account openings are the balances at the start month.
CompanyProfile lateStartCompany();

// Five entries from July to October.
QList<JournalEntry> lateStartJournal(const CompanyProfile& company);

// After writeCompany: KAISINO and KAISI of ACCDEF1, and the fiscal-year opening with the
// balances of periods 1-4 in KAMOKU_PZ.
void writeLateStartOpening(core::TIBDatabase& company, const CompanyProfile& profile);

} // namespace schema::sample
