#include "statements/KamokuGroup.h"

#include "core/Globals.h"
#include "core/session/MedicalLayout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace statements {

namespace {

constexpr int LineCount = 45;

// Row of each total line 1..45 in the medical layout (0: the layout has no such line).
constexpr std::array<int, LineCount + 1> MedicalRows = {
    19, // MedicalOnlyLine
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, // lines 1-10
    11, 12, 13, 0,  14, 15, 0,  0,  16, 0,  // lines 11-20
    0,  17, 21, 22, 0,  23, 24, 32, 0,  0,  // lines 21-30
    0,  0,  0,  0,  0,  32, 33, 42, 43, 44, // lines 31-40
    45, 46, 47, 48, 0,                      // lines 41-45
};

std::array<int, LineCount + 1> rowTable() {
    std::array<int, LineCount + 1> rows{};
    for (int line = 1; line <= LineCount; ++line)
        rows[size_t(line)] = line;
    return rows;
}

// Loaded by InitKamokuGroupTable; starts with the ordinary rows.
std::array<int, LineCount + 1> totalRows = rowTable();
bool medicalRowsLoaded = false;

// Half away from zero of num / den (den > 0).
__int128 divideRounded(__int128 num, __int128 den) {
    const bool negative = num < 0;
    const __int128 magnitude = negative ? -num : num;
    const __int128 q = (2 * magnitude + den) / (2 * den);
    return negative ? -q : q;
}

Currency tenthsToCurrency(__int128 tenths) {
    // One tenth is 1000 raw units; kept well inside the type's range.
    constexpr __int128 limit = 900'000'000'000'000;
    if (tenths > limit)
        tenths = limit;
    if (tenths < -limit)
        tenths = -limit;
    return Currency::fromRaw(qint64(tenths * 1000));
}

} // namespace

void InitKamokuGroupTable(bool medical) {
    core::SelectMedicalLayout(medical);
    totalRows = medical ? MedicalRows : rowTable();
    medicalRowsLoaded = medical;
}

int TotalRowIndex(int line) {
    // The data module selects core's layout flag whenever it opens a company database; follow it.
    if (core::MedicalLayoutSelected() != medicalRowsLoaded)
        InitKamokuGroupTable(core::MedicalLayoutSelected());
    if (line < 0 || line > LineCount)
        return 0;
    return totalRows[size_t(line)];
}

qint32 GetBalanceCount() {
    return core::AccInf.MedicalData ? 700 : 500;
}

void ClearBalance(TBALANCE& row) {
    TKMKREC& k = row.KMK;
    k = TKMKREC{};
    row.KAISIZAN = Currency{};
    row.KISHU0 = Currency{};
    row.HOJCNT = 0;
    row.KURIKOSI = Currency{};
    row.KARI = Currency{};
    row.KASI = Currency{};
    row.ZAN = Currency{};
    row.KOUSEIHI = Currency{};
    row.KAR.clear();
    row.KAS.clear();
    row.HASSEI.clear();
    row.ZANDAKA.clear();
    row.KOUSEIHI_P.clear();
}

void ClearBalanceArray(TBalanceArray& rows, qint32 last, TQSortArray& sorts) {
    if (last < 0)
        return;
    if (rows.size() <= last)
        rows.resize(last + 1);
    if (sorts.size() <= last)
        sorts.resize(last + 1);
    for (qint32 i = 0; i <= last; ++i) {
        ClearBalance(rows[i]);
        sorts[i] = TQSORT{HiddenSortKey, i};
    }
}

Currency RoundKingaku(Currency part, Currency whole) {
    if (whole.raw == 0)
        return Currency{};
    __int128 num = __int128(part.raw) * 1000;
    __int128 den = whole.raw;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return tenthsToCurrency(divideRounded(num, den));
}

Currency RoundKingaku(double ratio) {
    if (!std::isfinite(ratio))
        return Currency{};
    // Shortest decimal form that reads back as the same double, e.g. "5.005e-01".
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, ratio, std::chars_format::scientific);
    const std::string s(text, result.ptr);
    const size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    int exponent = std::atoi(s.c_str() + e + 1);
    const bool negative = !mantissa.empty() && mantissa[0] == '-';
    if (negative)
        mantissa.erase(0, 1);
    const size_t point = mantissa.find('.');
    if (point != std::string::npos) {
        exponent -= int(mantissa.size() - point - 1);
        mantissa.erase(point, 1);
    }
    __int128 digits = 0;
    for (char c : mantissa)
        digits = digits * 10 + (c - '0');
    // ratio × 1000 = digits × 10^(exponent + 3), rounded to a whole number of tenths.
    int shift = exponent + 3;
    if (shift >= 0) {
        if (shift > 18)
            shift = 18; // far beyond any ratio the statements print
        for (int i = 0; i < shift; ++i)
            digits *= 10;
    } else if (shift < -36) {
        digits = 0;
    } else {
        __int128 den = 1;
        for (int i = 0; i < -shift; ++i)
            den *= 10;
        digits = divideRounded(digits, den);
    }
    return tenthsToCurrency(negative ? -digits : digits);
}

} // namespace statements
