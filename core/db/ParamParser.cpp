#include "core/db/ParamParser.h"

namespace core {

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

ParsedSql parseParams(const QString& sql) {
    ParsedSql result;
    result.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;

    // Copies sql[i..end) unchanged and moves i past it.
    auto copyUpTo = [&](qsizetype end) {
        result.sql += QStringView(sql).mid(i, end - i);
        i = end;
    };

    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside closes and reopens, which copies the same text.
            qsizetype close = sql.indexOf(c, i + 1);
            copyUpTo(close < 0 ? n : close + 1);
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            qsizetype eol = sql.indexOf(QLatin1Char('\n'), i + 2);
            copyUpTo(eol < 0 ? n : eol + 1);
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            qsizetype close = sql.indexOf(QLatin1String("*/"), i + 2);
            copyUpTo(close < 0 ? n : close + 2);
        } else if (c == QLatin1Char(':') && i + 1 < n && sql.at(i + 1) == QLatin1Char(':')) {
            copyUpTo(i + 2);
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(sql.at(i + 1))) {
            qsizetype end = i + 2;
            while (end < n && isNamePart(sql.at(end)))
                ++end;
            result.names.append(sql.mid(i + 1, end - i - 1).toUpper());
            result.sql += QLatin1Char('?');
            i = end;
        } else {
            if (c == QLatin1Char('?'))
                result.names.append(QString());
            result.sql += c;
            ++i;
        }
    }
    return result;
}

} // namespace core
