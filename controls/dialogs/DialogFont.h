#pragma once
// The font of the program's dialogs. The forms were designed with the Windows Japanese UI
// font; here the installed Japanese font of the same style stands in, so that every kanji and
// kana of a message has its glyph in the dialog's own font.

#include <QFont>

class QWidget;

namespace controls {

// The Japanese UI font with the given height in pixels (the design height of a form font).
QFont DialogFont(int pixelHeight = 12);

// The window a message or input box opens over: the active window, else the main form.
QWidget* DialogOwner();

} // namespace controls
