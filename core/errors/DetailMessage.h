#pragma once
// Two small message routines of the error reporting: a message with a detail block, and a
// message built from comma-separated lines.

#include "core/ui/MessageService.h"

#include <QString>

namespace core {

// One dialog with an OK button: the message and, when the detail is not empty, the
// "[詳細情報]" block with the detail under it. Nothing when both texts are empty.
void ShowMessageWithDetail(const QString& message, const QString& detail, MessageKind kind);

// One dialog with an OK button whose text is every item of the text split at "," (at most 51
// items; "//" ends the text), each followed by CR.
void ShowCommaMessage(const QString& text, MessageKind kind);

} // namespace core
