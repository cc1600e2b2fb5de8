#pragma once
// The character filters of the input box's text field, by filter number:
//   10 Backspace, "0"-"9", "-", "."
//   20 Backspace, "A"-"Z", "a"-"z"
//   30 Backspace, "0"-"9", "A"-"Z", "a"-"z"
//   40 everything except the eleven characters  " * , / : ; < > ? \ |
//   other numbers: everything.
// Enter always passes.

#include <QChar>

namespace controls {

bool InputKeyAccepted(int keyFilter, QChar ch);

} // namespace controls
