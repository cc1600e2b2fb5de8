#pragma once
// Kana mappings by table: hiragana and katakana, half-width and full-width, as the Windows
// locale mapping (LCMapString) gives them, for the readings that the edits capture from the
// input method.

#include <QString>

namespace core {

// Hiragana to full-width katakana; everything else unchanged.
QString ToKatakana(const QString& text);
// Full-width katakana to hiragana (ヷ-ヺ, which hiragana lacks, stay); everything else
// unchanged.
QString ToHiragana(const QString& text);
// Full-width katakana to half-width, a voiced letter becoming two (ガ to ｶﾞ); full-width ASCII
// and the ideographic space to ASCII. Katakana without a half-width form (ヮ, ヰ, ヱ, ヵ, ヶ)
// and hiragana stay.
QString ToHankaku(const QString& text);
// Half-width katakana to full-width, a letter with a following ﾞ or ﾟ becoming one (ｶﾞ to ガ);
// ASCII to full-width and the blank to the ideographic space.
QString ToZenkaku(const QString& text);

// True when the text is not empty and holds only kana: hiragana, katakana (with ー, ・ and the
// sound marks) or half-width katakana.
bool IsKanaOnly(const QString& text);

} // namespace core
