#pragma once
// One column of the current row of a statement (or an output of EXECUTE PROCEDURE), read in
// the type the caller asks for. NULL reads as "", 0, false or an invalid date. CHAR values keep
// the trailing blanks the database pads them with; text BLOBs read as text.

#include "core/Currency.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace core {

class TIBSQL;

class IBSQLField {
public:
    QString name() const { return name_; }
    unsigned sqlType() const { return type_; }
    int sqlScale() const { return scale_; }
    int sqlSubType() const { return subType_; }

    bool isNull() const;
    QString asString() const;
    int asInteger() const;
    qint64 asInt64() const;
    double asDouble() const;
    Currency asCurrency() const;
    bool asBoolean() const;
    QDate asDate() const;
    QDateTime asDateTime() const;
    QTime asTime() const;
    QByteArray asBytes() const; // BLOB contents, or the bytes of a text column

private:
    friend class TIBSQL;

    const unsigned char* value() const; // nullptr when NULL or when there is no current row
    qint64 integer(const unsigned char* v) const;
    double floating(const unsigned char* v) const;
    QByteArray rawText(const unsigned char* v) const;
    QByteArray blob(const unsigned char* v) const;
    [[noreturn]] void conversionError(const QString& target) const;

    const TIBSQL* owner_ = nullptr;
    QString name_;
    unsigned type_ = 0;
    int subType_ = 0;
    int scale_ = 0;
    unsigned length_ = 0;
    unsigned offset_ = 0;
    unsigned nullOffset_ = 0;
};

} // namespace core
