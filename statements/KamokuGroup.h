#pragma once
// What the two statement paths (ordinary and medical-corporation data) share: the row of every
// total line addressed by role, the group-code constants, the length of the balance arrays,
// the clearing of rows and the rounding of composition ratios.

#include "statements/BalanceRows.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace statements {

// The caller's pair of parallel arrays. The readers grow both when a read returns more rows
// than they hold, so callers take the real size (size() - 1 as the last index) after a read.
using TBalanceArray = QList<TBALANCE>;
using TQSortArray = QList<TQSORT>;

// First account row of the ordinary layout (rows 1..50 are total lines).
inline constexpr int FirstAccountRow = 51;

// Fixed rows of the ordinary layout without an entry in TotalRowIndex.
inline constexpr int GenkaSubRow = 46;       // groups "5680" to "5688"
inline constexpr int GenkaSubtotalRow = 47;  // manufacturing subtotal
inline constexpr int WaribikiTegataRow = 48; // discounted notes
inline constexpr int UragakiTegataRow = 49;  // endorsed notes

// Group codes, the same in both layouts.
inline const QString KurikosiRiekiGroup = QStringLiteral("3340"); // retained earnings brought forward
inline const QString FirstPLGroup = QStringLiteral("4100");
inline const QString Group5580 = QStringLiteral("5580");
inline const QString Group5680 = QStringLiteral("5680");
inline const QString Group5688 = QStringLiteral("5688");
inline const QString Group5780 = QStringLiteral("5780");
inline const QString Group5790 = QStringLiteral("5790");
inline const QString Group5880 = QStringLiteral("5880");

// The key of the total line that only the medical layout has (row 19 there, the export reads it).
inline constexpr int MedicalOnlyLine = 0;

// Loads the medical or the ordinary rows of the total lines (and selects core's layout flag,
// which the data module sets whenever it opens a company database).
void InitKamokuGroupTable(bool medical);

// Row of total line 1..45 (or MedicalOnlyLine) in the current layout; 0 when the layout has no
// such line or the line number is unknown.
int TotalRowIndex(int line);

// Length of the balance arrays: 700 for medical-corporation data, else 500.
qint32 GetBalanceCount();

// Empties one row: master data, opening balances, range results and the period arrays. ZENKI,
// ADDCNT, MSTREC, SUBREC and the sub-account lines stay (HOJCNT 0 retires them).
void ClearBalance(TBALANCE& row);

// Clears rows 0..last and sets sort entries 0..last to ("ﾟ", i); both arrays grow to last + 1
// entries when shorter.
void ClearBalanceArray(TBalanceArray& rows, qint32 last, TQSortArray& sorts);

// A ratio as a percentage with one decimal, half away from zero, computed exactly:
// part / whole × 100 rounded to 0.1 (12344 / 100000 gives 12.3, 1 / 2 gives 50.0). A zero
// whole gives 0.
Currency RoundKingaku(Currency part, Currency whole);

// The same for a ratio already held as a double: the ratio is taken at its shortest decimal
// form (0.5005 is 0.5005 and gives 50.1), never at the binary value's noise.
Currency RoundKingaku(double ratio);

} // namespace statements
