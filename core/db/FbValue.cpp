#include "core/db/FbValue.h"

#include <cstdlib>
#include <limits>

namespace core::fbvalue {

namespace {

// Firebird counts days from 1858-11-17 (the Modified Julian Day).
constexpr qint64 mjdOffset = 2400001;

constexpr qint64 pow10(int n) {
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// value / divisor rounded half to even (divisor > 0).
qint64 divideHalfEven(qint64 value, qint64 divisor) {
    qint64 q = value / divisor;
    const qint64 r = value % divisor;
    const qint64 twice = 2 * std::llabs(r);
    if (twice > divisor || (twice == divisor && (q % 2) != 0))
        q += value < 0 ? -1 : 1;
    return q;
}

} // namespace

ISC_DATE encodeDate(const QDate& date) {
    return ISC_DATE(date.toJulianDay() - mjdOffset);
}

QDate decodeDate(ISC_DATE date) {
    return QDate::fromJulianDay(qint64(date) + mjdOffset);
}

ISC_TIME encodeTime(const QTime& time) {
    return ISC_TIME(time.msecsSinceStartOfDay()) * 10;
}

QTime decodeTime(ISC_TIME time) {
    return QTime::fromMSecsSinceStartOfDay(int(time / 10));
}

QString scaledToString(qint64 value, int scale) {
    const bool negative = value < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    if (scale > 0) {
        if (magnitude != 0)
            digits += QString(scale, QLatin1Char('0'));
    } else if (scale < 0) {
        const int places = -scale;
        if (digits.size() <= places)
            digits = digits.rightJustified(places + 1, QLatin1Char('0'));
        QString fraction = digits.right(places);
        digits.chop(places);
        while (fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
        if (!fraction.isEmpty())
            digits += QLatin1Char('.') + fraction;
    }
    return negative && magnitude != 0 ? QLatin1Char('-') + digits : digits;
}

std::optional<Currency> scaledToCurrency(qint64 value, int scale) {
    const int shift = 4 + scale; // places to move left to reach ten-thousandths
    if (shift >= 0) {
        if (shift > 18)
            return value == 0 ? std::optional(Currency{}) : std::nullopt;
        qint64 raw = 0;
        if (__builtin_mul_overflow(value, pow10(shift), &raw))
            return std::nullopt;
        return Currency::fromRaw(raw);
    }
    if (-shift > 18)
        return Currency{};
    return Currency::fromRaw(divideHalfEven(value, pow10(-shift)));
}

std::optional<Currency> parseCurrency(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    qint64 value = 0;
    int scale = 0;
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        digits = true;
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10) {
            if (!point)
                return std::nullopt;
            continue; // a fraction digit beyond int64 precision
        }
        value = value * 10 + (c.unicode() - '0');
        if (point)
            --scale;
    }
    if (!digits)
        return std::nullopt;
    return scaledToCurrency(negative ? -value : value, scale);
}

} // namespace core::fbvalue
