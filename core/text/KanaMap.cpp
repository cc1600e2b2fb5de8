#include "core/text/KanaMap.h"

namespace core {

namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width letters, position for position.
const char16_t kHalf[] = u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
const char16_t kFull[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
// Voiced and semi-voiced letters: the letter, its base letter and the mark.
struct Voiced {
    char16_t letter;
    char16_t base;
    char16_t mark; // u'ﾞ' or u'ﾟ'
};
const Voiced kVoiced[] = {
    {u'ガ', u'カ', u'ﾞ'}, {u'ギ', u'キ', u'ﾞ'}, {u'グ', u'ク', u'ﾞ'}, {u'ゲ', u'ケ', u'ﾞ'}, {u'ゴ', u'コ', u'ﾞ'},
    {u'ザ', u'サ', u'ﾞ'}, {u'ジ', u'シ', u'ﾞ'}, {u'ズ', u'ス', u'ﾞ'}, {u'ゼ', u'セ', u'ﾞ'}, {u'ゾ', u'ソ', u'ﾞ'},
    {u'ダ', u'タ', u'ﾞ'}, {u'ヂ', u'チ', u'ﾞ'}, {u'ヅ', u'ツ', u'ﾞ'}, {u'デ', u'テ', u'ﾞ'}, {u'ド', u'ト', u'ﾞ'},
    {u'バ', u'ハ', u'ﾞ'}, {u'ビ', u'ヒ', u'ﾞ'}, {u'ブ', u'フ', u'ﾞ'}, {u'ベ', u'ヘ', u'ﾞ'}, {u'ボ', u'ホ', u'ﾞ'},
    {u'パ', u'ハ', u'ﾟ'}, {u'ピ', u'ヒ', u'ﾟ'}, {u'プ', u'フ', u'ﾟ'}, {u'ペ', u'ヘ', u'ﾟ'}, {u'ポ', u'ホ', u'ﾟ'},
    {u'ヴ', u'ウ', u'ﾞ'}, {u'ヷ', u'ワ', u'ﾞ'}, {u'ヺ', u'ヲ', u'ﾞ'},
};

constexpr qsizetype kHalfCount = sizeof(kHalf) / sizeof(kHalf[0]) - 1;
static_assert(sizeof(kHalf) == sizeof(kFull), "the two kana rows must match");

bool isHiragana(char16_t c) { return c >= 0x3041 && c <= 0x3096; }
bool isKatakanaWithHiragana(char16_t c) { return c >= 0x30A1 && c <= 0x30F6; }

qsizetype indexIn(const char16_t* row, char16_t c) {
    for (qsizetype i = 0; i < kHalfCount; ++i)
        if (row[i] == c)
            return i;
    return -1;
}

} // namespace

QString ToKatakana(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (isHiragana(u))
            c = QChar(char16_t(u + 0x60));
        else if (u == 0x309D || u == 0x309E) // ゝ ゞ
            c = QChar(char16_t(u + 0x60));
    }
    return out;
}

QString ToHiragana(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (isKatakanaWithHiragana(u) || u == 0x30FD || u == 0x30FE)
            c = QChar(char16_t(u - 0x60));
    }
    return out;
}

QString ToHankaku(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) {
            out += QChar(char16_t(u - 0xFEE0));
            continue;
        }
        if (u == 0x3000) {
            out += u' ';
            continue;
        }
        const qsizetype i = indexIn(kFull, u);
        if (i >= 0) {
            out += QChar(kHalf[i]);
            continue;
        }
        bool voiced = false;
        for (const Voiced& v : kVoiced) {
            if (v.letter == u) {
                out += QChar(kHalf[indexIn(kFull, v.base)]);
                out += QChar(v.mark);
                voiced = true;
                break;
            }
        }
        if (!voiced)
            out += c;
    }
    return out;
}

QString ToZenkaku(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t u = text.at(k).unicode();
        if (u >= 0x21 && u <= 0x7E) {
            out += QChar(char16_t(u + 0xFEE0));
            continue;
        }
        if (u == u' ') {
            out += QChar(char16_t(0x3000));
            continue;
        }
        const qsizetype i = indexIn(kHalf, u);
        if (i < 0) {
            out += text.at(k);
            continue;
        }
        const char16_t full = kFull[i];
        // A sound mark after the letter joins it when the joined letter exists.
        if (k + 1 < text.size()) {
            const char16_t mark = text.at(k + 1).unicode();
            bool joined = false;
            for (const Voiced& v : kVoiced) {
                if (v.base == full && v.mark == mark) {
                    out += QChar(v.letter);
                    ++k;
                    joined = true;
                    break;
                }
            }
            if (joined)
                continue;
        }
        out += QChar(full);
    }
    return out;
}

bool IsKanaOnly(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool kana = (u >= 0x3041 && u <= 0x309F)    // hiragana and the sound marks
                          || (u >= 0x30A0 && u <= 0x30FF) // katakana with ー and ・
                          || (u >= 0xFF66 && u <= 0xFF9F); // half-width katakana
        if (!kana)
            return false;
    }
    return true;
}

} // namespace core
