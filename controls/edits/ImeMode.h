#pragma once
// The input-method mode that a form gives an edit. Linux input methods take no mode from the
// application, so only imDisable has an effect: the control takes no input-method text. The
// other values are kept for the forms that set them.

#include <QWidget>

namespace controls {

enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata };

inline void applyImeMode(QWidget* widget, TImeMode mode) {
    widget->setAttribute(Qt::WA_InputMethodEnabled, mode != imDisable);
}

} // namespace controls
