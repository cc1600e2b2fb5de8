#include "core/text/MojiBunkatu.h"

#include "core/text/StringList2.h"

namespace core {

namespace {

// Characters from 1 to the blank: skipped between items, and in mode 0 they end an item.
bool isBlankOrControl(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }

// The delimited-text rules of the usual string list: an item is either quoted (doubled quotes
// stand for one, an unclosed quote runs to the end) or the run up to the first blank, control
// character or delimiter; a delimiter as the last character adds an empty item.
TMojiArray splitDelimited(const QString& text, QChar delimiter) {
    TMojiArray items;
    // A NUL ends the text, as it ends the character buffer the items were once read from.
    const qsizetype nul = text.indexOf(QChar(0));
    const QStringView s = QStringView(text).left(nul >= 0 ? nul : text.size());
    const QChar quote = u'"';
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < s.size() && isBlankOrControl(s[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < s.size()) {
        QString item;
        if (s[pos] == quote) {
            ++pos;
            while (pos < s.size()) {
                if (s[pos] != quote) {
                    item += s[pos++];
                } else if (pos + 1 < s.size() && s[pos + 1] == quote) {
                    item += quote;
                    pos += 2;
                } else {
                    ++pos;
                    break;
                }
            }
        } else {
            const qsizetype start = pos;
            while (pos < s.size() && !isBlankOrControl(s[pos]) && s[pos] != delimiter)
                ++pos;
            item = s.mid(start, pos - start).toString();
        }
        items.push_back(item);
        skipBlanks();
        if (pos < s.size() && s[pos] == delimiter) {
            if (pos == s.size() - 1)
                items.emplace_back();
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

} // namespace

void TMojiBunkatu::Split(const QString& text) {
    if (Mode == 1) {
        TStringList2 list;
        list.TrimItems = true;
        list.Delimiter = Delimiter;
        list.SetDelimitedText(text);
        Items.assign(list.cbegin(), list.cend());
    } else {
        Items = splitDelimited(text, Delimiter);
    }
    if (Items.empty())
        Items.emplace_back();
    Count = qint32(Items.size());
}

QString TMojiBunkatu::GetItem(int index) const {
    return index >= 0 && index < Count && index < int(Items.size()) ? Items[size_t(index)] : QString();
}

void TMojiBunkatu::Clear() {
    Items.clear();
    Count = 0;
}

} // namespace core
