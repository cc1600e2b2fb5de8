#include "core/text/StringList2.h"

#include "core/text/SjisText.h"

namespace core {

namespace {

bool isControl(QChar c) { return c.unicode() >= 1 && c.unicode() <= 31; }

// Text between the quote at `pos` and its closing quote, with doubled quotes made single.
// Leaves `pos` after the closing quote, or at the end when there is none.
QString takeQuoted(QStringView text, qsizetype& pos, QChar quote) {
    QString item;
    ++pos; // opening quote
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c != quote) {
            item += c;
            ++pos;
            continue;
        }
        if (pos + 1 < text.size() && text[pos + 1] == quote) {
            item += quote;
            pos += 2;
            continue;
        }
        ++pos; // closing quote
        break;
    }
    return item;
}

} // namespace

void TStringList2::SetCommaText(const QString& text) {
    Delimiter = u',';
    QuoteChar = u'"';
    SetDelimitedText(text);
}

void TStringList2::SetDelimitedText(const QString& text) {
    clear();
    // A NUL ends the text, as it ends the character buffer the items were once read from.
    const qsizetype nul = text.indexOf(QChar(0));
    const QStringView s = QStringView(text).left(nul >= 0 ? nul : text.size());
    qsizetype pos = 0;
    auto skipControls = [&] {
        while (pos < s.size() && isControl(s[pos]))
            ++pos;
    };
    skipControls();
    while (pos < s.size()) {
        QString item;
        if (s[pos] == QuoteChar) {
            item = takeQuoted(s, pos, QuoteChar);
        } else {
            const qsizetype start = pos;
            while (pos < s.size() && !isControl(s[pos]) && s[pos] != Delimiter)
                ++pos;
            item = s.mid(start, pos - start).toString();
        }
        append(TrimItems ? TrimBlanks(item) : item);
        skipControls();
        if (pos < s.size() && s[pos] == Delimiter) {
            if (pos == s.size() - 1)
                append(QString());
            ++pos;
            skipControls();
        }
    }
}

} // namespace core
