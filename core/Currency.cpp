#include "core/Currency.h"

namespace core {

QString Currency::toString() const {
    // Work on the magnitude as unsigned so that the most negative value has one too.
    const bool negative = raw < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(raw) : quint64(raw);
    QString text = QString::number(magnitude / quint64(scale));
    quint64 fraction = magnitude % quint64(scale);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace core
