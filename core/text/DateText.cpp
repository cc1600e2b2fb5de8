#include "core/text/DateText.h"

#include "core/text/DelphiDateFormat.h"

#include <QTime>

namespace core {

bool IsZeroDate(const QDateTime& value) {
    return !value.isValid() || (value.date() == QDate(1899, 12, 30) && value.time() == QTime(0, 0));
}

QString DateTimeToStrByKind(int kind, const QDateTime& value) {
    if (IsZeroDate(value))
        return {};
    switch (kind) {
    case 2: return formatDateTime(QStringLiteral("yy/mm/dd"), value);
    case 4: return formatDateTime(QStringLiteral("yyyy/mm/dd"), value);
    default: return formatDateTime(QStringLiteral("yyyy/mm/dd hh:nn"), value);
    }
}

QString DateTimeToStrByKind(int kind, const QDate& value) {
    return DateTimeToStrByKind(kind, value.isValid() ? QDateTime(value, QTime(0, 0)) : QDateTime());
}

QDate StrToDateDefZero(const QString& text) {
    return strToDateDef(text, QDate());
}

} // namespace core
