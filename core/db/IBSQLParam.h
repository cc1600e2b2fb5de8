#pragma once
// One named parameter of a statement. The value keeps the type it was given; the statement
// sends it as that type and the server converts to the column's type (a text into an INTEGER
// column, a Currency into NUMERIC(16,4)). Text is checked against SJIS_0208 when it is set.

#include "core/Currency.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace core {

class IBSQLParam {
public:
    explicit IBSQLParam(const QString& name = QString()) : name_(name) {}

    QString name() const { return name_; }
    bool isNull() const { return kind_ == Kind::Null; }

    void setString(const QString& value);
    void setInteger(int value) { setInt64(value); }
    void setInt64(qint64 value);
    void setDouble(double value);
    void setCurrency(Currency value);
    void setBoolean(bool value);
    void setDate(const QDate& value);         // invalid date: NULL
    void setDateTime(const QDateTime& value); // invalid: NULL; local time as it reads
    void setTime(const QTime& value);         // invalid time: NULL
    void setBlob(const QByteArray& bytes);    // binary BLOB (sub_type 0)
    void setBlobText(const QString& text);    // text BLOB (sub_type 1)
    void setNull() { kind_ = Kind::Null; }
    void clear() { setNull(); }

private:
    friend class TIBSQL;
    enum class Kind { Null, Text, Integer, Double, Boolean, Date, Time, Timestamp, BinaryBlob, TextBlob };

    QString name_;
    Kind kind_ = Kind::Null;
    QByteArray bytes_; // Text and BLOBs: CP932 or raw bytes
    qint64 integer_ = 0;
    int scale_ = 0;
    double double_ = 0;
    QDate date_;
    QTime time_;
};

} // namespace core
