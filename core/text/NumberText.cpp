#include "core/text/NumberText.h"

#include "core/text/SjisText.h"

#include <algorithm>
#include <limits>

namespace core {

QString IntToCommaStr(qint64 value) {
    const bool negative = value < 0;
    // The magnitude as unsigned, so that the smallest int64 has one too.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    const QString digits = QString::number(magnitude);
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return negative ? u'-' + out : out;
}

quint16 ComposeWord(int high, int low, int factor) {
    return quint16(quint32(low) + quint32(high) * quint32(factor));
}

bool TryStrToCurr(const QString& text, Currency& value) {
    const QString s = TrimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    QString digits;    // every mantissa digit, without the point
    int pointShift = 0; // digits after the point
    bool anyDigit = false;
    while (i < s.size() && s[i].unicode() >= u'0' && s[i].unicode() <= u'9') {
        digits += s[i++];
        anyDigit = true;
    }
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && s[i].unicode() >= u'0' && s[i].unicode() <= u'9') {
            digits += s[i++];
            ++pointShift;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return false;
    int exponent = 0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            expNegative = s[i++] == u'-';
        bool expDigit = false;
        while (i < s.size() && s[i].unicode() >= u'0' && s[i].unicode() <= u'9') {
            exponent = qMin(exponent * 10 + (s[i++].unicode() - u'0'), 100000);
            expDigit = true;
        }
        if (!expDigit)
            return false;
        if (expNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        return false;

    // value = digits × 10^(exponent - pointShift); raw = value × 10^4.
    const int shift = exponent - pointShift + 4;
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    QString whole = digits;
    QString dropped;
    if (shift >= 0) {
        if (digits != QStringLiteral("0"))
            whole += QString(shift, u'0');
    } else {
        const qsizetype keep = digits.size() + shift;
        whole = keep > 0 ? digits.left(keep) : QStringLiteral("0");
        dropped = keep > 0 ? digits.mid(keep) : QString(-keep, u'0') + digits;
    }
    if (whole.size() > 19)
        return false;
    bool ok = false;
    quint64 raw = whole.toULongLong(&ok);
    if (!ok)
        return false;
    if (!dropped.isEmpty()) {
        const QChar first = dropped.front();
        const QStringView rest = QStringView(dropped).mid(1);
        const bool restNonZero = std::any_of(rest.begin(), rest.end(), [](QChar c) { return c != u'0'; });
        const bool roundUp = first > u'5' || (first == u'5' && (restNonZero || (raw % 2) == 1));
        if (roundUp)
            ++raw;
    }
    const quint64 limit = quint64(std::numeric_limits<qint64>::max());
    if (raw > limit)
        return false;
    value = Currency::fromRaw(negative ? -qint64(raw) : qint64(raw));
    return true;
}

Currency StrToCurrDefZero(const QString& text) {
    Currency value;
    return TryStrToCurr(text, value) ? value : Currency{};
}

void SetFlagBit(int& value, int n) {
    if (n >= 1 && n <= 24)
        value = int(quint32(value) | (quint32(1) << (n - 1)));
}

int IsFlagBitSet(int value, int n) {
    if (n < 1 || n > 32)
        return 0;
    return int((quint32(value) >> (n - 1)) & 1u);
}

} // namespace core
