#pragma once
// The Roman numerals Ⅰ to Ⅶ of the statements' captions are CP932 extensions outside JIS X
// 0208, which the company databases store (SJIS_0208). The steps write them as full-width
// Latin capitals instead (Ｉ, ＩＩ, ＩＩＩ, ＩＶ, Ｖ, ＶＩ, ＶＩＩ).

#include <QString>

namespace dbupgrade {

// The text with every Roman numeral Ⅰ to Ⅶ replaced by its full-width Latin letters.
QString JisRomanNumerals(QString text);

} // namespace dbupgrade
