#pragma once
// Case-insensitive comparison the way Windows compares section, key and registry names here:
// only the ASCII letters A-Z fold; full-width and kana characters compare exactly.

#include <QString>

namespace platform {

constexpr char16_t asciiFold(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 0x20) : c; }

inline QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        c = QChar(asciiFold(c.unicode()));
    return out;
}

inline bool asciiEqualsIgnoreCase(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiFold(a[i].unicode()) != asciiFold(b[i].unicode()))
            return false;
    return true;
}

inline bool asciiStartsWithIgnoreCase(QStringView text, QStringView prefix) {
    return text.size() >= prefix.size() && asciiEqualsIgnoreCase(text.first(prefix.size()), prefix);
}

} // namespace platform
