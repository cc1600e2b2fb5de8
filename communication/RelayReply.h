#pragma once
// A relay reply read by line and byte position. Empty lines before the first line are skipped;
// lines are then numbered from 1 (the status line). A line that the reply does not hold is a
// read failure (std::runtime_error), as a connection that ends early is.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace communication {

class TRelayReply {
public:
    explicit TRelayReply(QList<QByteArray> lines);
    // Line n (1-based).
    const QByteArray& Line(int n) const;
    // Reads the lines in order: the next call gives the line after the last one read.
    const QByteArray& Next();
    void SkipTo(int n) { next_ = n; }

private:
    QList<QByteArray> lines_;
    int next_ = 1;
};

// Characters 11 to 13 (bytes) of a result line: the result code; "000" is success.
QString ResultCode(const QByteArray& line);
// The line from byte position (1-based) to its end, read as CP932.
QString ValueFrom(const QByteArray& line, int position);
// "yyyy/mm/dd hh:nn:ss" of a separated time (digits at 1-4, 6-7, 9-10, 12-13, 15-16, 18-19).
QString SeparatedTimeText(const QString& value);
// "yyyy/mm/dd hh:nn:ss" of a compact time (yyyymmddhhnnss).
QString CompactTimeText(const QString& value);
// The date-time of "yyyy/mm/dd hh:nn:ss"; invalid when the text is not one.
QDateTime TimeOfText(const QString& text);

} // namespace communication
