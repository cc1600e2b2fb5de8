#pragma once
// Dates as display text, in calendar form or in era form. The operator's era display switch
// (SYSDEF Reserve4 bit 10, kept in SystemDef) decides the form for GetKikanText, FormatDateText
// and FormatDateTextNen; FormatWarekiText always writes era form.
//
// The kind chooses the era name in front of an era date: 0 none (and the result trimmed),
// 1 the era name, 2 the short name; FormatDateText also knows 3 (short name, then every
// half-width and full-width blank removed). Other kinds give the era name.

#include <QDate>
#include <QString>

namespace core {

// The text as a date read as "yyyy/MM/dd" with "/" whatever the process-wide formats say;
// a null date when it is not one.
QDate StrToDateFixed(const QString& text);

// The operator's era display switch (SystemDef.Reserve4Switch9 is 1).
bool EraDisplayOn();

// The routines without an eraDisplay argument follow the operator's switch; the others serve
// callers that decide the form themselves.

// "start ～ end": each date as "R 06/04/01" in era form, else as "2024/04/01".
QString GetKikanText(const QDate& start, const QDate& end);
QString GetKikanText(const QDate& start, const QDate& end, bool eraDisplay);

// Format keys with "/" ("yyyy/mm/dd", "yy/m/d", "yy2/mm/dd" …); in calendar form an unknown key
// is a date format pattern, in era form it gives an empty text.
QString FormatDateText(const QString& format, int kind, const QDate& date);
QString FormatDateText(const QString& format, int kind, const QDate& date, bool eraDisplay);

// Format keys with 年月日 ("yyyy年mm月dd日", "y年 m月 d日" …), likewise.
QString FormatDateTextNen(const QString& format, int kind, const QDate& date);
QString FormatDateTextNen(const QString& format, int kind, const QDate& date, bool eraDisplay);

// Era form by format key ("gg ee年", "ggeemmdd", "ee.mm.dd" …); an empty format is "gg ee年",
// an unknown key gives an empty text.
QString FormatWarekiText(const QString& format, int kind, const QDate& date);

} // namespace core
