#include "core/dates/DateTexts.h"

#include "core/Globals.h"
#include "core/dates/Gengo.h"
#include "core/dates/SerialDate.h"
#include "core/text/DelphiDateFormat.h"
#include "core/text/SjisText.h"

#include <QList>
#include <QStringList>

#include <initializer_list>

namespace core {

namespace {

// Delphi's Format for the few directives the date texts use: "%s" and "%Ns" take the text
// (right-aligned to N), "%d", "%Nd" (blank-padded to N) and "%.Nd" (zero-padded to N digits)
// take the numbers in order.
QString formatFields(const QString& pattern, const QString& text, std::initializer_list<int> numbers)
{
    QString out;
    auto number = numbers.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%') {
            out += pattern[i];
            continue;
        }
        bool precision = false;
        int size = 0;
        ++i;
        if (i < pattern.size() && pattern[i] == u'.') {
            precision = true;
            ++i;
        }
        while (i < pattern.size() && pattern[i].isDigit())
            size = size * 10 + pattern[i++].digitValue();
        if (i >= pattern.size())
            break;
        if (pattern[i] == u's') {
            out += text.rightJustified(size, u' ');
        } else if (pattern[i] == u'd' && number != numbers.end()) {
            const int value = *number++;
            QString digits = QString::number(qAbs(qint64(value)));
            if (precision)
                digits = digits.rightJustified(size, u'0');
            if (value < 0)
                digits.prepend(u'-');
            out += precision ? digits : digits.rightJustified(size, u' ');
        }
    }
    return out;
}

QString eraNameByKind(const TWarekiRec& wareki, int kind)
{
    switch (kind) {
    case 0:
        return QString();
    case 2:
    case 3:
        return wareki.shortName;
    default:
        return wareki.name;
    }
}

struct KeyedPattern {
    QStringList keys;
    QString pattern;
};

const KeyedPattern* findKey(const QList<KeyedPattern>& table, const QString& format)
{
    for (const KeyedPattern& entry : table)
        if (entry.keys.contains(format))
            return &entry;
    return nullptr;
}

// Calendar-form keys that have a pattern of their own; "yy" in the key means a two-digit year.
struct CalendarPattern {
    QStringList keys;
    QString pattern;
    bool twoDigitYear;
};

QString calendarText(const QList<CalendarPattern>& table, const QString& format, const QDate& date)
{
    const QDate day = dateOrZeroDate(date);
    for (const CalendarPattern& entry : table)
        if (entry.keys.contains(format)) {
            const int year = entry.twoDigitYear ? day.year() % 100 : day.year();
            return formatFields(entry.pattern, QString(), {year, day.month(), day.day()});
        }
    return formatDateTime(format, date);
}

QString eraText(const QList<KeyedPattern>& table, const QString& format, int kind, const QDate& date)
{
    const TWarekiRec wareki = DateToWareki(date);
    const KeyedPattern* entry = findKey(table, format);
    if (!entry)
        return QString();
    return formatFields(entry->pattern, eraNameByKind(wareki, kind), {wareki.year, wareki.month, wareki.day});
}

} // namespace

QDate StrToDateFixed(const QString& text)
{
    // Read under the program's own formats, then give the process its formats back.
    DelphiFormatSettings& process = processFormatSettings();
    const DelphiFormatSettings saved = process;
    process.dateSeparator = u'/';
    process.timeSeparator = u':';
    process.shortDateFormat = QStringLiteral("yyyy/MM/dd");
    process.longDateFormat = QStringLiteral("yyyy年MM月dd日");
    process.shortTimeFormat = QStringLiteral("hh:mm");
    process.longTimeFormat = QStringLiteral("hh:mm:ss");
    QDate date;
    const bool ok = tryStrToDate(text, date);
    process = saved;
    return ok ? date : QDate();
}

bool EraDisplayOn()
{
    return SystemDef.Reserve4Switch9 == 1;
}

QString GetKikanText(const QDate& start, const QDate& end)
{
    return GetKikanText(start, end, EraDisplayOn());
}

QString FormatDateText(const QString& format, int kind, const QDate& date)
{
    return FormatDateText(format, kind, date, EraDisplayOn());
}

QString FormatDateTextNen(const QString& format, int kind, const QDate& date)
{
    return FormatDateTextNen(format, kind, date, EraDisplayOn());
}

QString GetKikanText(const QDate& start, const QDate& end, bool eraDisplay)
{
    auto dateText = [eraDisplay](const QDate& date) {
        if (!eraDisplay)
            return formatDateTime(QStringLiteral("yyyy/mm/dd"), date);
        const TWarekiRec w = DateToWareki(date);
        return formatFields(QStringLiteral("%s %.2d/%.2d/%.2d"), w.shortName, {w.year, w.month, w.day});
    };
    return dateText(start) + QStringLiteral(" ～ ") + dateText(end);
}

QString FormatDateText(const QString& format, int kind, const QDate& date, bool eraDisplay)
{
    if (!eraDisplay) {
        static const QList<CalendarPattern> calendar = {
            {{QStringLiteral("yyyy/m/d")}, QStringLiteral("%4d/%2d/%2d"), false},
            {{QStringLiteral("yy/m/d"), QStringLiteral("y/m/d")}, QStringLiteral("%2d/%2d/%2d"), true},
            {{QStringLiteral("yyyy/m")}, QStringLiteral("%4d/%2d"), false},
            {{QStringLiteral("yy/m"), QStringLiteral("y/m")}, QStringLiteral("%2d/%2d"), true},
        };
        if (format == QStringLiteral("yy2/mm/dd"))
            return formatDateTime(QStringLiteral("yy/mm/dd"), date);
        return calendarText(calendar, format, date);
    }

    static const QList<KeyedPattern> era = {
        {{QStringLiteral("yyyy/mm/dd"), QStringLiteral("yy/mm/dd")}, QStringLiteral("%s %.2d/%.2d/%.2d")},
        {{QStringLiteral("yyyy/mm"), QStringLiteral("yy/mm")}, QStringLiteral("%s %.2d/%.2d")},
        {{QStringLiteral("yyyy"), QStringLiteral("yy")}, QStringLiteral("%s %.2d")},
        {{QStringLiteral("yyyy/m/d"), QStringLiteral("yy/m/d"), QStringLiteral("y/m/d")}, QStringLiteral("%s %2d/%2d/%2d")},
        {{QStringLiteral("yyyy/m"), QStringLiteral("yy/m"), QStringLiteral("y/m")}, QStringLiteral("%s %2d/%2d")},
        {{QStringLiteral("y")}, QStringLiteral("%s %2d")},
        {{QStringLiteral("yy2/mm/dd")}, QStringLiteral("%s%.2d/%.2d/%.2d")},
    };
    const QString text = eraText(era, format, kind, date);
    if (kind == 0)
        return TrimBlanks(text);
    if (kind == 3)
        return DeleteAllSpaces(text);
    return text;
}

QString FormatDateTextNen(const QString& format, int kind, const QDate& date, bool eraDisplay)
{
    if (!eraDisplay) {
        static const QList<CalendarPattern> calendar = {
            {{QStringLiteral("yyyy年m月d日")}, QStringLiteral("%4d年%2d月%2d日"), false},
            {{QStringLiteral("yy年m月d日"), QStringLiteral("y年m月d日")}, QStringLiteral("%2d年%2d月%2d日"), true},
            {{QStringLiteral("yyyy年m月")}, QStringLiteral("%4d年%2d月"), false},
            {{QStringLiteral("yy年m月"), QStringLiteral("y年m月")}, QStringLiteral("%.2d年%2d月"), true},
            {{QStringLiteral("y年"), QStringLiteral("y")}, QStringLiteral("%4d年"), false},
            {{QStringLiteral("yyyy年 m月 d日")}, QStringLiteral("%4d年 %d月 %d日"), false},
            {{QStringLiteral("yyyy年 m月")}, QStringLiteral("%4d年 %d月"), false},
            {{QStringLiteral("yy年 m月 d日"), QStringLiteral("y年 m月 d日")}, QStringLiteral("%.2d年 %d月 %d日"), true},
            {{QStringLiteral("yy年 m月"), QStringLiteral("y年 m月")}, QStringLiteral("%.2d年 %d月"), true},
        };
        return calendarText(calendar, format, date);
    }

    static const QList<KeyedPattern> era = {
        {{QStringLiteral("yyyy年mm月dd日"), QStringLiteral("yy年mm月dd日")}, QStringLiteral("%s %.2d年%.2d月%.2d日")},
        {{QStringLiteral("yyyy年mm月"), QStringLiteral("yy年mm月")}, QStringLiteral("%s %.2d年%.2d月")},
        {{QStringLiteral("yyyy年"), QStringLiteral("yy年")}, QStringLiteral("%s %.2d年")},
        {{QStringLiteral("yyyy年m月d日"), QStringLiteral("yy年m月d日"), QStringLiteral("y年m月d日")},
         QStringLiteral("%s %2d年%2d月%2d日")},
        {{QStringLiteral("yyyy年m月"), QStringLiteral("yy年m月"), QStringLiteral("y年m月")}, QStringLiteral("%s %2d年%2d月")},
        {{QStringLiteral("y年"), QStringLiteral("y")}, QStringLiteral("%s %d年")},
        {{QStringLiteral("yyyy年 m月 d日"), QStringLiteral("yy年 m月 d日"), QStringLiteral("y年 m月 d日")},
         QStringLiteral("%s %2d年 %d月 %d日")},
        {{QStringLiteral("yyyy年 m月"), QStringLiteral("yy年 m月"), QStringLiteral("y年 m月")}, QStringLiteral("%s %2d年 %d月")},
        {{QStringLiteral("yyyy年 mm月 dd日"), QStringLiteral("yy年 mm月 dd日")}, QStringLiteral("%s %.2d年 %.2d月 %.2d日")},
        {{QStringLiteral("yyyy年 mm月"), QStringLiteral("yy年 mm月")}, QStringLiteral("%s %.2d年 %.2d月")},
    };
    // Kind 3 has no meaning of its own here: it gives the era name like any other kind.
    const QString text = eraText(era, format, kind == 3 ? 1 : kind, date);
    return kind == 0 ? TrimBlanks(text) : text;
}

QString FormatWarekiText(const QString& format, int kind, const QDate& date)
{
    enum class ZeroDate { Formatted, Empty, Blanks };
    struct WarekiKey {
        QString key;
        QString pattern;
        bool removeBlanks;
        ZeroDate zeroDate;
        QString zeroPattern; // of empty texts, for ZeroDate::Blanks
    };
    static const QList<WarekiKey> keys = {
        {QStringLiteral("gg ee年"), QStringLiteral("%s %.2d年"), false, ZeroDate::Formatted, {}},
        {QStringLiteral("ggee年"), QStringLiteral("%s %.2d年"), true, ZeroDate::Formatted, {}},
        {QStringLiteral("gg 2e年"), QStringLiteral("%s %2d年"), false, ZeroDate::Formatted, {}},
        {QStringLiteral("gg2e年"), QStringLiteral("%s %2d年"), true, ZeroDate::Formatted, {}},
        {QStringLiteral("gg e年"), QStringLiteral("%s %d年"), false, ZeroDate::Formatted, {}},
        {QStringLiteral("gge年"), QStringLiteral("%s %d年"), true, ZeroDate::Formatted, {}},
        {QStringLiteral("gg ee年mm月dd日"), QStringLiteral("%s %.2d年%.2d月%.2d日"), false, ZeroDate::Formatted, {}},
        {QStringLiteral("ggee年mm月dd日"), QStringLiteral("%s %.2d年%.2d月%.2d日"), true, ZeroDate::Formatted, {}},
        {QStringLiteral("gg e年 m月 d日"), QStringLiteral("%s %d年 %d月 %d日"), false, ZeroDate::Formatted, {}},
        {QStringLiteral("gge年m月d日"), QStringLiteral("%s %d年 %d月 %d日"), true, ZeroDate::Formatted, {}},
        {QStringLiteral("e"), QStringLiteral("%d"), false, ZeroDate::Empty, {}},
        {QStringLiteral("ee"), QStringLiteral("%.2d"), false, ZeroDate::Empty, {}},
        {QStringLiteral("ggee･mm･dd"), QStringLiteral("%s%.2d･%.2d･%.2d"), false, ZeroDate::Blanks,
         QStringLiteral("%3s･%2s･%2s")},
        {QStringLiteral("ggee.mm.dd"), QStringLiteral("%s%.2d.%.2d.%.2d"), false, ZeroDate::Blanks,
         QStringLiteral("%3s.%2s.%2s")},
        {QStringLiteral("ggeemmdd"), QStringLiteral("%s%.2d.%.2d.%.2d"), false, ZeroDate::Blanks,
         QStringLiteral("%3s.%2s.%2s")},
        {QStringLiteral("ee.mm.dd"), QStringLiteral("%.2d.%.2d.%.2d"), false, ZeroDate::Blanks,
         QStringLiteral("%2s.%2s.%2s")},
        {QStringLiteral("gg"), QStringLiteral("%s"), false, ZeroDate::Formatted, {}},
        {QStringLiteral("ee mm"), QStringLiteral("%.2d %.2d"), false, ZeroDate::Empty, {}},
    };

    const QString key = format.isEmpty() ? QStringLiteral("gg ee年") : format;
    QString text;
    for (const WarekiKey& entry : keys) {
        if (entry.key != key)
            continue;
        const bool isZeroDate = dateToSerial(date) == 0;
        if (isZeroDate && entry.zeroDate == ZeroDate::Empty) {
            text.clear();
        } else if (isZeroDate && entry.zeroDate == ZeroDate::Blanks) {
            text = formatFields(entry.zeroPattern, QString(), {});
        } else {
            const TWarekiRec w = DateToWareki(date);
            const QString name = kind == 3 ? w.name : eraNameByKind(w, kind);
            text = formatFields(entry.pattern, name, {w.year, w.month, w.day});
        }
        if (entry.removeBlanks)
            text = DeleteAllSpaces(text);
        if (key == QStringLiteral("ggeemmdd"))
            text.remove(u'.');
        break;
    }
    return kind == 0 ? TrimBlanks(text) : text;
}

} // namespace core
