#include "core/os/FullWidthUpperCase.h"

namespace core {

QString FullWidthUpperCase(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'ａ' && c <= u'ｚ')
            c = QChar(char16_t(c.unicode() - (u'ａ' - u'Ａ')));
    return out;
}

} // namespace core
