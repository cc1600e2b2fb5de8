#pragma once
// Hints of a dialog's controls: "short|long". The short part is the tool tip; the long part
// goes into the dialog's hint memo while the control has the focus.

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace controls {

void SetHint(QWidget* control, const QString& hint);
QString HintOf(const QWidget* control);
// The part after "|", or the whole hint when it has no "|".
QString LongHintOf(const QString& hint);

// Shows the long hint of the focused control of `form` in `memo` whenever the focus moves.
void FollowFocusHints(QWidget* form, QPlainTextEdit* memo);

} // namespace controls
