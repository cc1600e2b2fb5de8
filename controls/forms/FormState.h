#pragma once
// Two values that the program's controls hand to the form they sit on: the modal result that
// ends a modal dialog, and the form's Tag through which function-key panels say which key they
// stand for. Both live as properties of the form's window, so any form class can carry them.
//
// A button sets the modal result, runs its click handler (which may set it back to mrNone to
// keep the dialog open) and then applies it: a modal QDialog ends with a non-zero result.

#include <QWidget>

namespace controls {

int FormModalResult(const QWidget* form);
void SetFormModalResult(QWidget* form, int modalResult);
// Ends the modal dialog `form` with its modal result when that is not mrNone. A form that is
// not a modal dialog only keeps the value.
void ApplyFormModalResult(QWidget* form);

int FormTag(const QWidget* form);
void SetFormTag(QWidget* form, int tag);

} // namespace controls
