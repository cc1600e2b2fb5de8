#include "core/errors/DetailMessage.h"

#include "core/text/SplitText.h"

#include <array>

namespace core {

void ShowMessageWithDetail(const QString& message, const QString& detail, MessageKind kind) {
    if (message.isEmpty() && detail.isEmpty())
        return;
    showMessageWithDetailText(kind, message, detail);
}

void ShowCommaMessage(const QString& text, MessageKind kind) {
    std::array<QString, 51> items;
    const int last = SplitText(text, QStringLiteral(","), items);
    QString shown;
    for (int i = 0; i <= last; ++i)
        shown += items[size_t(i)] + QLatin1Char('\r');
    showMessage(kind, shown, mbOK);
}

} // namespace core
