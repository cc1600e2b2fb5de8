#include "core/db/IBSQLParam.h"

#include "core/db/Sjis0208.h"

namespace core {

void IBSQLParam::setString(const QString& value) {
    bytes_ = toSjis0208(value);
    kind_ = Kind::Text;
}

void IBSQLParam::setInt64(qint64 value) {
    integer_ = value;
    scale_ = 0;
    kind_ = Kind::Integer;
}

void IBSQLParam::setDouble(double value) {
    double_ = value;
    kind_ = Kind::Double;
}

void IBSQLParam::setCurrency(Currency value) {
    integer_ = value.raw;
    scale_ = -4;
    kind_ = Kind::Integer;
}

void IBSQLParam::setBoolean(bool value) {
    integer_ = value ? 1 : 0;
    kind_ = Kind::Boolean;
}

void IBSQLParam::setDate(const QDate& value) {
    date_ = value;
    kind_ = value.isValid() ? Kind::Date : Kind::Null;
}

void IBSQLParam::setDateTime(const QDateTime& value) {
    date_ = value.date();
    time_ = value.time();
    kind_ = value.isValid() ? Kind::Timestamp : Kind::Null;
}

void IBSQLParam::setTime(const QTime& value) {
    time_ = value;
    kind_ = value.isValid() ? Kind::Time : Kind::Null;
}

void IBSQLParam::setBlob(const QByteArray& bytes) {
    bytes_ = bytes;
    kind_ = Kind::BinaryBlob;
}

void IBSQLParam::setBlobText(const QString& text) {
    bytes_ = toSjis0208(text);
    kind_ = Kind::TextBlob;
}

} // namespace core
