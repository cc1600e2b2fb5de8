#include "selection/DataSentakuIncSearch.h"

#include <algorithm>

namespace selection {

QChar TIncSearch::KeyChar(const QString& keyText, bool keypad)
{
    if (keyText.size() != 1)
        return {};
    const QChar c = keyText.at(0);
    if (c.unicode() >= 0x80)
        return {};
    if (c.isDigit())
        return c;
    if (keypad)
        return QStringLiteral("*+,-./").contains(c) ? c : QChar();
    if (c.isLetter())
        return c.toUpper();
    return QStringLiteral(":;,-./@[\\]^").contains(c) ? c : QChar();
}

bool TIncSearch::AddKey(QChar c)
{
    if (Text.size() >= MaxLength)
        return false;
    Text += c;
    if (Interval < 2000)
        Interval += 500;
    Interval = std::min(Interval, 1000);
    return true;
}

} // namespace selection
