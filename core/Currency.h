#pragma once
// Money as the program keeps it: a 64-bit integer counting ten-thousandths, the Currency
// type of the stored data of the product line's Windows programs. Conversions that round live with the rules that need them.

#include <QString>
#include <QtGlobal>

#include <compare>

namespace core {

struct Currency {
    static constexpr qint64 scale = 10000;

    qint64 raw = 0;

    static constexpr Currency fromRaw(qint64 raw) { return Currency{raw}; }
    static constexpr Currency fromInt(qint64 units) { return Currency{units * scale}; }

    double toDouble() const { return double(raw) / double(scale); }
    // Shortest decimal form, as Delphi's CurrToStr: "12.5", "-0.0001", "3".
    QString toString() const;

    friend constexpr auto operator<=>(const Currency&, const Currency&) = default;
    friend constexpr Currency operator+(Currency a, Currency b) { return Currency{a.raw + b.raw}; }
    friend constexpr Currency operator-(Currency a, Currency b) { return Currency{a.raw - b.raw}; }
    friend constexpr Currency operator-(Currency a) { return Currency{-a.raw}; }
    constexpr Currency& operator+=(Currency b) { raw += b.raw; return *this; }
    constexpr Currency& operator-=(Currency b) { raw -= b.raw; return *this; }
};

} // namespace core
