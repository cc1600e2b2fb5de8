#include "controls/dialogs/InputKeyFilter.h"

#include <QString>

namespace controls {

namespace {

bool isAsciiDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }
bool isAsciiLetter(QChar ch) { return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z'); }

} // namespace

bool InputKeyAccepted(int keyFilter, QChar ch) {
    if (ch == u'\r')
        return true;
    const bool backspace = ch == u'\b';
    switch (keyFilter) {
    case 10: return backspace || isAsciiDigit(ch) || ch == u'-' || ch == u'.';
    case 20: return backspace || isAsciiLetter(ch);
    case 30: return backspace || isAsciiDigit(ch) || isAsciiLetter(ch);
    case 40: return !QStringLiteral("\"*,/:;<>?\\|").contains(ch);
    default: return true;
    }
}

} // namespace controls
