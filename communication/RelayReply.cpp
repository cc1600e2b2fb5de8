#include "communication/RelayReply.h"

#include "platform/Cp932.h"

#include <stdexcept>

namespace communication {

TRelayReply::TRelayReply(QList<QByteArray> lines)
{
    qsizetype first = 0;
    while (first < lines.size() && lines[first].isEmpty())
        ++first;
    lines_ = lines.mid(first);
}

const QByteArray& TRelayReply::Line(int n) const
{
    if (n < 1 || n > lines_.size())
        throw std::runtime_error("the relay reply ended before line " + std::to_string(n));
    return lines_[n - 1];
}

const QByteArray& TRelayReply::Next()
{
    return Line(next_++);
}

QString ResultCode(const QByteArray& line)
{
    return QString::fromLatin1(line.mid(10, 3));
}

QString ValueFrom(const QByteArray& line, int position)
{
    return platform::fromCp932(line.mid(position - 1));
}

QString SeparatedTimeText(const QString& v)
{
    return v.mid(0, 4) + QLatin1Char('/') + v.mid(5, 2) + QLatin1Char('/') + v.mid(8, 2) + QLatin1Char(' ') + v.mid(11, 2)
           + QLatin1Char(':') + v.mid(14, 2) + QLatin1Char(':') + v.mid(17, 2);
}

QString CompactTimeText(const QString& v)
{
    return v.mid(0, 4) + QLatin1Char('/') + v.mid(4, 2) + QLatin1Char('/') + v.mid(6, 2) + QLatin1Char(' ') + v.mid(8, 2)
           + QLatin1Char(':') + v.mid(10, 2) + QLatin1Char(':') + v.mid(12, 2);
}

QDateTime TimeOfText(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

} // namespace communication
