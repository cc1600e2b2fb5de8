#pragma once
// Moving the focus to the next or previous control of the form, as a Tab or Shift+Tab would:
// the form's own tab order decides, so a control never needs to know its neighbours.

#include <QKeyEvent>

class QWidget;

namespace controls {

// Next control in tab order (forward) or the previous one. A control that is itself a window
// has no form around it and moves nothing. Returns whether a move was asked of the form.
bool SelectNextControl(QWidget* from, bool forward);

// The keys that mean "Enter": the main Return key and the keypad's Enter.
inline bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The key and its character as two steps, the way the controls test them: first the key code
// (arrows, Enter, Tab) and then the character it types (Enter "\r", Tab "\t", Backspace "\b").
// Qt's Shift+Tab arrives as Backtab; it counts as Tab with Shift here.
int keyCodeOf(const QKeyEvent* event);
QChar keyCharOf(const QKeyEvent* event);

// Shift, Control, Alt and Meta: the shift state that must be empty for arrow moves. The
// keypad flag is not part of it.
Qt::KeyboardModifiers shiftStateOf(const QKeyEvent* event);

} // namespace controls
