#include "core/settings/SettingTypes.h"

#include "core/Currency.h"
#include "core/text/DateText.h"
#include "core/text/DelphiDateFormat.h"
#include "core/text/NumberText.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace core {

namespace {

const QString kDatePattern = QStringLiteral("yyyy/mm/dd");
const QString kDateTimePattern = QStringLiteral("yyyy/mm/dd hh:nn:ss");

// A date, optionally followed by a time "h:n" or "h:n:s"; a null QDateTime when it is not one.
QDateTime strToDateTimeDefZero(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    QDate date;
    if (!tryStrToDate(blank < 0 ? trimmed : trimmed.left(blank), date))
        return {};
    QTime time(0, 0);
    if (blank >= 0) {
        const QString timeText = trimmed.mid(blank + 1).trimmed();
        time = QTime::fromString(timeText, QStringLiteral("H:m:s"));
        if (!time.isValid())
            time = QTime::fromString(timeText, QStringLiteral("H:m"));
        if (!time.isValid())
            return {};
    }
    return QDateTime(date, time);
}

Currency toCurrency(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>();
    if (value.metaType() == QMetaType::fromType<double>())
        return StrToCurrDefZero(QString::number(value.toDouble(), 'f', 4));
    return StrToCurrDefZero(value.toString());
}

} // namespace

bool TrueFalseStrToBool(const QString& text) {
    return text.toUpper() == QLatin1String("TRUE");
}

bool IsSettingType(const QString& type, SettingStore store) {
    if (type == kTypeMoji || type == kTypeRonri || type == kTypeHiduke || type == kTypeSeisuu || type == kTypeKingaku)
        return true;
    return store == SettingStore::AccReg && (type == kTypeJissuu || type == kTypeNichiji);
}

QVariant SettingValueFromText(const QString& type, const QString& text, SettingStore store) {
    if (!IsSettingType(type, store))
        return kDataTypeError;
    if (type == kTypeMoji)
        return text;
    if (type == kTypeRonri)
        return TrueFalseStrToBool(text);
    if (type == kTypeHiduke)
        return StrToDateDefZero(text);
    if (type == kTypeSeisuu) {
        bool ok = false;
        const qint32 number = text.trimmed().toInt(&ok);
        return ok ? number : 0;
    }
    if (type == kTypeKingaku)
        return QVariant::fromValue(StrToCurrDefZero(text));
    if (type == kTypeJissuu) {
        bool ok = false;
        const double number = text.trimmed().toDouble(&ok);
        return ok ? number : 0.0;
    }
    return strToDateTimeDefZero(text); // 日時
}

std::optional<QString> SettingTextFromValue(const QString& type, const QVariant& value, SettingStore store) {
    if (!IsSettingType(type, store))
        return std::nullopt;
    if (type == kTypeMoji)
        return value.toString();
    if (type == kTypeRonri)
        return BoolToTrueFalseStr(value.toBool());
    if (type == kTypeHiduke) {
        const QDate date = value.toDate();
        return IsZeroDate(QDateTime(date, QTime(0, 0))) ? QString() : formatDateTime(kDatePattern, date);
    }
    if (type == kTypeSeisuu)
        return QString::number(value.toInt());
    if (type == kTypeKingaku)
        return toCurrency(value).toString();
    if (type == kTypeJissuu)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return formatDateTime(kDateTimePattern, value.toDateTime()); // 日時
}

} // namespace core
