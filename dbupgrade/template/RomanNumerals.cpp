#include "dbupgrade/template/RomanNumerals.h"

#include <utility>

namespace dbupgrade {

QString JisRomanNumerals(QString text)
{
    static const std::pair<QChar, const char16_t*> numerals[] = {
        {QChar(0x2160), u"Ｉ"},   {QChar(0x2161), u"ＩＩ"}, {QChar(0x2162), u"ＩＩＩ"}, {QChar(0x2163), u"ＩＶ"},
        {QChar(0x2164), u"Ｖ"},   {QChar(0x2165), u"ＶＩ"}, {QChar(0x2166), u"ＶＩＩ"},
    };
    for (const auto& [numeral, letters] : numerals)
        text.replace(numeral, QString::fromUtf16(letters));
    return text;
}

} // namespace dbupgrade
