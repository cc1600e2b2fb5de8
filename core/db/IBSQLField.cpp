#include "core/db/IBSQLField.h"

#include "core/db/FbStatus.h"
#include "core/db/FbValue.h"
#include "core/db/IBSQL.h"
#include "platform/Cp932.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace core {

namespace {

template <typename T>
T load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

qint64 power10(int n) {
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

bool isInteger(unsigned type) {
    return type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64;
}

bool isText(unsigned type) {
    return type == SQL_TEXT || type == SQL_VARYING;
}

// Delphi's "zero date" for a time without one.
const QDate timeOnlyDate(1899, 12, 30);

} // namespace

const unsigned char* IBSQLField::value() const {
    const unsigned char* row = owner_->currentRow();
    if (!row || type_ == SQL_NULL || load<ISC_SHORT>(row + nullOffset_) != 0)
        return nullptr;
    return row + offset_;
}

bool IBSQLField::isNull() const {
    return value() == nullptr;
}

qint64 IBSQLField::integer(const unsigned char* v) const {
    switch (type_) {
    case SQL_SHORT:
        return load<ISC_SHORT>(v);
    case SQL_LONG:
        return load<ISC_LONG>(v);
    default:
        return load<ISC_INT64>(v);
    }
}

double IBSQLField::floating(const unsigned char* v) const {
    return type_ == SQL_FLOAT ? double(load<float>(v)) : load<double>(v);
}

QByteArray IBSQLField::rawText(const unsigned char* v) const {
    if (type_ == SQL_VARYING)
        return QByteArray(reinterpret_cast<const char*>(v) + 2, load<ISC_USHORT>(v));
    return QByteArray(reinterpret_cast<const char*>(v), qsizetype(length_));
}

QByteArray IBSQLField::blob(const unsigned char* v) const {
    return owner_->readBlob(load<ISC_QUAD>(v));
}

void IBSQLField::conversionError(const QString& target) const {
    throw layerError(isc::convert_error,
                     QStringLiteral("フィールド「%1」の値「%2」を%3に変換できません。").arg(name_, asString(), target));
}

QString IBSQLField::asString() const {
    const unsigned char* v = value();
    if (!v)
        return QString();
    switch (type_) {
    case SQL_TEXT:
        return platform::fromCp932(reinterpret_cast<const char*>(v), qsizetype(length_));
    case SQL_VARYING:
        return platform::fromCp932(reinterpret_cast<const char*>(v) + 2, load<ISC_USHORT>(v));
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return fbvalue::scaledToString(integer(v), scale_);
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QString::number(floating(v), 'g', 15);
    case SQL_TYPE_DATE:
        return asDate().toString(QStringLiteral("yyyy/MM/dd"));
    case SQL_TYPE_TIME:
        return asTime().toString(QStringLiteral("hh:mm:ss"));
    case SQL_TIMESTAMP: {
        const QDateTime dt = asDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy/MM/dd"));
        return dt.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    }
    case SQL_BOOLEAN:
        return *v ? QStringLiteral("True") : QStringLiteral("False");
    case SQL_BLOB:
        return platform::fromCp932(blob(v));
    default:
        throw layerError(isc::convert_error,
                         QStringLiteral("フィールド「%1」の型(%2)は読めません。").arg(name_).arg(type_));
    }
}

qint64 IBSQLField::asInt64() const {
    const unsigned char* v = value();
    if (!v)
        return 0;
    if (isInteger(type_)) {
        const qint64 n = integer(v);
        if (scale_ < 0)
            return n / power10(-scale_); // truncates toward zero
        qint64 r = 0;
        if (__builtin_mul_overflow(n, power10(scale_), &r))
            conversionError(QStringLiteral("整数"));
        return r;
    }
    if (type_ == SQL_FLOAT || type_ == SQL_DOUBLE || type_ == SQL_D_FLOAT) {
        const double d = std::trunc(floating(v));
        if (!(d >= -9.2233720368547758e18 && d < 9.2233720368547758e18))
            conversionError(QStringLiteral("整数"));
        return qint64(d);
    }
    if (type_ == SQL_BOOLEAN)
        return *v ? 1 : 0;
    if (isText(type_) || type_ == SQL_BLOB) {
        bool ok = false;
        const qint64 n = asString().trimmed().toLongLong(&ok);
        if (!ok)
            conversionError(QStringLiteral("整数"));
        return n;
    }
    conversionError(QStringLiteral("整数"));
}

int IBSQLField::asInteger() const {
    const qint64 n = asInt64();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        conversionError(QStringLiteral("32ビット整数"));
    return int(n);
}

double IBSQLField::asDouble() const {
    const unsigned char* v = value();
    if (!v)
        return 0;
    if (isInteger(type_)) {
        const double n = double(integer(v));
        return scale_ < 0 ? n / double(power10(-scale_)) : n * double(power10(scale_));
    }
    if (type_ == SQL_FLOAT || type_ == SQL_DOUBLE || type_ == SQL_D_FLOAT)
        return floating(v);
    if (type_ == SQL_BOOLEAN)
        return *v ? 1 : 0;
    if (isText(type_) || type_ == SQL_BLOB) {
        bool ok = false;
        const double d = asString().trimmed().toDouble(&ok);
        if (!ok)
            conversionError(QStringLiteral("数値"));
        return d;
    }
    conversionError(QStringLiteral("数値"));
}

Currency IBSQLField::asCurrency() const {
    const unsigned char* v = value();
    if (!v)
        return Currency{};
    std::optional<Currency> c;
    if (isInteger(type_)) {
        c = fbvalue::scaledToCurrency(integer(v), scale_);
    } else if (type_ == SQL_FLOAT || type_ == SQL_DOUBLE || type_ == SQL_D_FLOAT) {
        // Rounded to the nearest ten-thousandth, ties to even, as Delphi assigns a double.
        const double scaled = std::nearbyint(floating(v) * double(Currency::scale));
        if (scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18)
            c = Currency::fromRaw(qint64(scaled));
    } else if (isText(type_) || type_ == SQL_BLOB) {
        c = fbvalue::parseCurrency(asString());
    } else if (type_ == SQL_BOOLEAN) {
        c = Currency::fromInt(*v ? 1 : 0);
    }
    if (!c)
        conversionError(QStringLiteral("金額"));
    return *c;
}

bool IBSQLField::asBoolean() const {
    const unsigned char* v = value();
    if (!v)
        return false;
    if (type_ == SQL_BOOLEAN)
        return *v != 0;
    if (isText(type_)) {
        const QString s = asString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return asInt64() != 0;
}

QDate IBSQLField::asDate() const {
    const unsigned char* v = value();
    if (!v)
        return QDate();
    switch (type_) {
    case SQL_TYPE_DATE:
        return fbvalue::decodeDate(load<ISC_DATE>(v));
    case SQL_TIMESTAMP:
        return fbvalue::decodeDate(load<ISC_TIMESTAMP>(v).timestamp_date);
    case SQL_TEXT:
    case SQL_VARYING: {
        const QString s = asString().trimmed();
        for (const auto* format : {"yyyy/MM/dd", "yyyy-MM-dd", "yyyy.MM.dd"}) {
            const QDate d = QDate::fromString(s, QLatin1String(format));
            if (d.isValid())
                return d;
        }
        break;
    }
    default:
        break;
    }
    conversionError(QStringLiteral("日付"));
}

QTime IBSQLField::asTime() const {
    const unsigned char* v = value();
    if (!v)
        return QTime();
    if (type_ == SQL_TYPE_TIME)
        return fbvalue::decodeTime(load<ISC_TIME>(v));
    if (type_ == SQL_TIMESTAMP)
        return fbvalue::decodeTime(load<ISC_TIMESTAMP>(v).timestamp_time);
    if (type_ == SQL_TYPE_DATE)
        return QTime(0, 0);
    conversionError(QStringLiteral("時刻"));
}

QDateTime IBSQLField::asDateTime() const {
    const unsigned char* v = value();
    if (!v)
        return QDateTime();
    switch (type_) {
    case SQL_TIMESTAMP: {
        const auto ts = load<ISC_TIMESTAMP>(v);
        return QDateTime(fbvalue::decodeDate(ts.timestamp_date), fbvalue::decodeTime(ts.timestamp_time));
    }
    case SQL_TYPE_DATE:
        return QDateTime(asDate(), QTime(0, 0));
    case SQL_TYPE_TIME:
        return QDateTime(timeOnlyDate, asTime());
    case SQL_TEXT:
    case SQL_VARYING: {
        const QString s = asString().trimmed();
        for (const auto* format : {"yyyy/MM/dd hh:mm:ss", "yyyy-MM-dd hh:mm:ss", "yyyy/MM/dd", "yyyy-MM-dd"}) {
            const QDateTime dt = QDateTime::fromString(s, QLatin1String(format));
            if (dt.isValid())
                return dt;
        }
        break;
    }
    default:
        break;
    }
    conversionError(QStringLiteral("日時"));
}

QByteArray IBSQLField::asBytes() const {
    const unsigned char* v = value();
    if (!v)
        return QByteArray();
    if (type_ == SQL_BLOB)
        return blob(v);
    if (isText(type_))
        return rawText(v);
    return QByteArray(reinterpret_cast<const char*>(v), qsizetype(length_));
}

} // namespace core
