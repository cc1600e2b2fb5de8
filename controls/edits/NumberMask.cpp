#include "controls/edits/NumberMask.h"

#include "core/text/SjisText.h"

#include <QStringList>

namespace controls {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString trimLeadingZeros(QString digits) {
    qsizetype i = 0;
    while (i < digits.size() && digits.at(i) == u'0')
        ++i;
    return digits.mid(i);
}

QString trimTrailingZeros(QString digits) {
    while (!digits.isEmpty() && digits.back() == u'0')
        digits.chop(1);
    return digits;
}

// The format split into sections at ";" outside quotes.
QStringList splitSections(const QString& format) {
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections << QString();
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

// What a section asks for.
struct Section {
    QString prefix;      // literal text before the number
    QString suffix;      // literal text after it
    int minInteger = 0;  // integer digits always shown
    int minDecimals = 0; // decimals always shown
    int maxDecimals = 0; // decimals shown at most
    bool grouping = false;
};

Section parseSection(const QString& text) {
    Section s;
    bool seenPlaceholder = false;
    bool inFraction = false;
    bool firstZero = false;
    int integerAfterZero = 0;
    int fractionCount = 0;
    QChar quote;
    QString pending; // literal text since the last placeholder
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                pending += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        const bool placeholder = c == u'0' || c == u'#';
        if (placeholder || c == u'.' || c == u',') {
            if (!seenPlaceholder)
                s.prefix = pending;
            pending.clear(); // literals between the digits are not kept
            seenPlaceholder = true;
        }
        if (c == u'.' ) {
            inFraction = true;
        } else if (c == u',') {
            if (!inFraction)
                s.grouping = true;
        } else if (placeholder) {
            if (inFraction) {
                ++fractionCount;
                if (c == u'0')
                    s.minDecimals = fractionCount;
            } else {
                firstZero = firstZero || c == u'0';
                if (firstZero)
                    ++integerAfterZero;
            }
        } else {
            pending += c;
        }
    }
    if (seenPlaceholder)
        s.suffix = pending;
    else
        s.prefix = pending;
    s.minInteger = integerAfterZero;
    s.maxDecimals = fractionCount;
    return s;
}

// Rounds to `decimals` places, half away from zero, on the digits themselves.
void roundTo(DecimalText& value, int decimals) {
    if (value.fractionDigits.size() <= decimals)
        return;
    const bool up = value.fractionDigits.at(decimals) >= u'5';
    QString digits = value.integerDigits + value.fractionDigits.left(decimals);
    if (up) {
        qsizetype i = digits.size() - 1;
        while (i >= 0 && digits.at(i) == u'9') {
            digits[i] = u'0';
            --i;
        }
        if (i < 0)
            digits.prepend(u'1');
        else
            digits[i] = QChar(digits.at(i).unicode() + 1);
    }
    const qsizetype integerLength = digits.size() - decimals;
    value.integerDigits = trimLeadingZeros(digits.left(integerLength));
    value.fractionDigits = trimTrailingZeros(digits.mid(integerLength));
}

QString group(const QString& digits) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return out;
}

} // namespace

bool ParseDecimal(const QString& text, DecimalText& value) {
    const QString s = core::TrimBlanks(text);
    qsizetype i = 0;
    DecimalText v;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        v.negative = s.at(i++) == u'-';
    QString integer;
    QString fraction;
    while (i < s.size() && isDigit(s.at(i)))
        integer += s.at(i++);
    if (i < s.size() && s.at(i) == u'.') {
        ++i;
        while (i < s.size() && isDigit(s.at(i)))
            fraction += s.at(i++);
    }
    if (integer.isEmpty() && fraction.isEmpty())
        return false;
    int exponent = 0;
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
            expNegative = s.at(i++) == u'-';
        if (i == s.size() || !isDigit(s.at(i)))
            return false;
        while (i < s.size() && isDigit(s.at(i)))
            exponent = qMin(exponent * 10 + (s.at(i++).unicode() - u'0'), 4000);
        if (expNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        return false;
    // Move the point by the exponent.
    QString digits = integer + fraction;
    qsizetype point = integer.size() + exponent;
    if (point < 0) {
        digits.prepend(QString(-point, u'0'));
        point = 0;
    } else if (point > digits.size()) {
        digits.append(QString(point - digits.size(), u'0'));
    }
    v.integerDigits = trimLeadingZeros(digits.left(point));
    v.fractionDigits = trimTrailingZeros(digits.mid(point));
    value = v;
    return true;
}

bool WithinFixedPointRange(const DecimalText& value) {
    static const QString kMaxInteger = QStringLiteral("922337203685477");
    if (value.integerDigits.size() != kMaxInteger.size())
        return value.integerDigits.size() < kMaxInteger.size();
    return value.integerDigits <= kMaxInteger;
}

QString FormatDecimal(const QString& format, const DecimalText& value) {
    const QStringList sections = splitSections(format);
    const bool isZero = value.integerDigits.isEmpty() && value.fractionDigits.isEmpty();
    int index = 0;
    if (value.negative && !isZero && sections.size() >= 2 && !sections.at(1).isEmpty())
        index = 1;
    Section section = parseSection(sections.at(index));
    DecimalText v = value;
    roundTo(v, section.maxDecimals);
    const bool roundsToZero = v.integerDigits.isEmpty() && v.fractionDigits.isEmpty();
    if (roundsToZero && sections.size() >= 3 && !sections.at(2).isEmpty()) {
        index = 2;
        section = parseSection(sections.at(2));
    } else if (roundsToZero && index == 1) {
        index = 0;
        section = parseSection(sections.at(0));
    }

    QString integer = v.integerDigits;
    if (integer.size() < section.minInteger)
        integer.prepend(QString(section.minInteger - integer.size(), u'0'));
    if (section.grouping)
        integer = group(integer);
    QString fraction = v.fractionDigits;
    if (fraction.size() < section.minDecimals)
        fraction.append(QString(section.minDecimals - fraction.size(), u'0'));
    QString number = integer;
    if (!fraction.isEmpty())
        number += u'.' + fraction;
    const bool sign = index == 0 && v.negative && !roundsToZero;
    return (sign ? QStringLiteral("-") : QString()) + section.prefix + number + section.suffix;
}

} // namespace controls
