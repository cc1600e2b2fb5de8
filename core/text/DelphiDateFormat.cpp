#include "core/text/DelphiDateFormat.h"

#include <QTime>

namespace core {

namespace {

char16_t upperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

qsizetype runLength(QStringView f, qsizetype i) {
    const char16_t u = upperAscii(f[i]);
    qsizetype n = 1;
    while (i + n < f.size() && upperAscii(f[i + n]) == u)
        ++n;
    return n;
}

QString number(int value, int digits) {
    return QString::number(value).rightJustified(digits, u'0');
}

bool startsWithIgnoreCase(QStringView f, qsizetype i, QStringView token) {
    return f.mid(i).startsWith(token, Qt::CaseInsensitive);
}

// An am/pm token anywhere after `from` (outside quoted text) makes the hour 12-hour.
bool amPmFollows(QStringView f, qsizetype from) {
    for (qsizetype i = from; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype close = f.indexOf(c, i + 1);
            if (close < 0)
                return false;
            i = close;
            continue;
        }
        if (upperAscii(c) == u'A' &&
            (startsWithIgnoreCase(f, i, u"am/pm") || startsWithIgnoreCase(f, i, u"a/p") ||
             startsWithIgnoreCase(f, i, u"ampm")))
            return true;
    }
    return false;
}

struct Moment {
    QDate date;
    QTime time;
};

// Delphi lets a format refer to the short or long date and time formats; two levels deep at most.
constexpr int kMaxNesting = 2;

void appendFormatted(QString& out, QStringView f, const Moment& v, int depth) {
    if (depth > kMaxNesting)
        return;
    const DelphiFormatSettings& fs = processFormatSettings();
    char16_t lastToken = 0;
    qsizetype i = 0;
    while (i < f.size()) {
        const QChar c = f[i];
        const char16_t token = upperAscii(c);
        const qsizetype n = runLength(f, i);
        switch (token) {
        case u'Y':
            out += n <= 2 ? number(v.date.year() % 100, 2) : number(v.date.year(), 4);
            break;
        case u'M':
            if (lastToken == u'H' && n <= 2)
                out += number(v.time.minute(), n == 1 ? 1 : 2);
            else if (n <= 2)
                out += number(v.date.month(), int(n));
            else
                out += (n == 3 ? fs.shortMonthNames : fs.longMonthNames).value(v.date.month() - 1);
            break;
        case u'D':
            if (n <= 2)
                out += number(v.date.day(), int(n));
            else if (n <= 4)
                out += (n == 3 ? fs.shortDayNames : fs.longDayNames).value(v.date.dayOfWeek() % 7);
            else
                appendFormatted(out, n == 5 ? fs.shortDateFormat : fs.longDateFormat, v, depth + 1);
            break;
        case u'H': {
            int hour = v.time.hour();
            if (amPmFollows(f, i + n)) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += number(hour, n == 1 ? 1 : 2);
            break;
        }
        case u'N':
            out += number(v.time.minute(), n == 1 ? 1 : 2);
            break;
        case u'S':
            out += number(v.time.second(), n == 1 ? 1 : 2);
            break;
        case u'Z':
            out += number(v.time.msec(), n == 1 ? 1 : 3);
            break;
        case u'T':
            appendFormatted(out, n == 1 ? fs.shortTimeFormat : fs.longTimeFormat, v, depth + 1);
            break;
        case u'C':
            appendFormatted(out, fs.shortDateFormat, v, depth + 1);
            if (v.time != QTime(0, 0)) {
                out += u' ';
                appendFormatted(out, fs.longTimeFormat, v, depth + 1);
            }
            break;
        default:
            break;
        }
        switch (token) {
        case u'Y': case u'M': case u'D': case u'H': case u'N': case u'S': case u'Z': case u'T': case u'C':
            lastToken = token;
            i += n;
            continue;
        default:
            break;
        }

        const bool pm = v.time.hour() >= 12;
        if (token == u'A' && startsWithIgnoreCase(f, i, u"am/pm")) {
            out += f.mid(pm ? i + 3 : i, 2); // "am" or "pm" as the pattern spells it
            i += 5;
        } else if (token == u'A' && startsWithIgnoreCase(f, i, u"a/p")) {
            out += f[pm ? i + 2 : i];
            i += 3;
        } else if (token == u'A' && startsWithIgnoreCase(f, i, u"ampm")) {
            out += pm ? fs.timePMString : fs.timeAMString;
            i += 4;
        } else if (c == u'/') {
            if (!fs.dateSeparator.isNull())
                out += fs.dateSeparator;
            ++i;
        } else if (c == u':') {
            if (!fs.timeSeparator.isNull())
                out += fs.timeSeparator;
            ++i;
        } else if (c == u'\'' || c == u'"') {
            const qsizetype close = f.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? f.size() : close;
            out += f.mid(i + 1, end - i - 1);
            i = close < 0 ? f.size() : close + 1;
        } else {
            out += c;
            ++i;
        }
    }
}

enum class DateOrder { YMD, MDY, DMY };

DateOrder dateOrder(const QString& format) {
    for (QChar c : format) {
        switch (upperAscii(c)) {
        case u'E': case u'Y': return DateOrder::YMD;
        case u'M': return DateOrder::MDY;
        case u'D': return DateOrder::DMY;
        default: break;
        }
    }
    return DateOrder::MDY;
}

class DateScanner {
public:
    explicit DateScanner(const QString& text) : s_(text) {}

    void skipBlanks() {
        while (pos_ < s_.size() && s_[pos_] == u' ')
            ++pos_;
    }
    // Up to four digits after optional blanks; `digits` receives how many were read.
    bool number(int& value, int& digits) {
        skipBlanks();
        value = 0;
        digits = 0;
        while (pos_ < s_.size() && digits < 4 && s_[pos_] >= u'0' && s_[pos_] <= u'9') {
            value = value * 10 + (s_[pos_].unicode() - u'0');
            ++digits;
            ++pos_;
        }
        return digits > 0;
    }
    bool separator(QChar sep) {
        skipBlanks();
        if (pos_ < s_.size() && s_[pos_] == sep) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool atEnd() {
        skipBlanks();
        return pos_ >= s_.size();
    }

private:
    const QString& s_;
    qsizetype pos_ = 0;
};

int windowedYear(int year, int digits, int window) {
    if (digits > 2)
        return year;
    const int currentYear = QDate::currentDate().year();
    const int base = currentYear - window;
    year += base / 100 * 100;
    if (window > 0 && year < base)
        year += 100;
    return year;
}

DelphiFormatSettings& settingsInstance() {
    static DelphiFormatSettings settings;
    return settings;
}

} // namespace

DelphiFormatSettings::DelphiFormatSettings() {
    for (int m = 1; m <= 12; ++m) {
        shortMonthNames << QStringLiteral("%1月").arg(m);
        longMonthNames << QStringLiteral("%1月").arg(m);
    }
    shortDayNames = {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                     QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};
    for (const QString& day : shortDayNames)
        longDayNames << day + QStringLiteral("曜日");
}

DelphiFormatSettings& processFormatSettings() {
    return settingsInstance();
}

void resetProcessFormatSettings() {
    settingsInstance() = DelphiFormatSettings();
}

QString formatDateTime(const QString& pattern, const QDateTime& value) {
    Moment moment{QDate(1899, 12, 30), QTime(0, 0)};
    if (value.isValid()) {
        moment.date = value.date();
        moment.time = value.time();
    }
    QString out;
    appendFormatted(out, pattern, moment, 0);
    return out;
}

QString formatDateTime(const QString& pattern, const QDate& value) {
    return formatDateTime(pattern, value.isValid() ? QDateTime(value, QTime(0, 0)) : QDateTime());
}

bool tryStrToDate(const QString& text, QDate& out) {
    const DelphiFormatSettings& fs = processFormatSettings();
    DateScanner scan(text);
    int n1 = 0, n2 = 0, n3 = 0;
    int l1 = 0, l2 = 0, l3 = 0;
    if (!scan.number(n1, l1) || !scan.separator(fs.dateSeparator) || !scan.number(n2, l2))
        return false;
    const bool threeParts = scan.separator(fs.dateSeparator);
    if (threeParts && !scan.number(n3, l3))
        return false;
    if (!scan.atEnd())
        return false;

    const DateOrder order = dateOrder(fs.shortDateFormat);
    int year = 0, month = 0, day = 0, yearDigits = 4;
    if (!threeParts) {
        year = QDate::currentDate().year();
        month = order == DateOrder::DMY ? n2 : n1;
        day = order == DateOrder::DMY ? n1 : n2;
    } else if (order == DateOrder::YMD) {
        year = n1, yearDigits = l1, month = n2, day = n3;
    } else if (order == DateOrder::MDY) {
        month = n1, day = n2, year = n3, yearDigits = l3;
    } else {
        day = n1, month = n2, year = n3, yearDigits = l3;
    }
    year = windowedYear(year, yearDigits, fs.twoDigitYearCenturyWindow);
    if (year < 1 || year > 9999)
        return false;
    const QDate date(year, month, day);
    if (!date.isValid())
        return false;
    out = date;
    return true;
}

QDate strToDateDef(const QString& text, const QDate& def) {
    QDate date;
    return tryStrToDate(text, date) ? date : def;
}

} // namespace core
