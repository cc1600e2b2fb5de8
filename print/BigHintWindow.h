#pragma once
// The application's hint window once the print library has started: hints in the "System" face
// at the height of that face (16 pixels), larger than the platform's tool-tip font. Linux has no
// face of that name, so the Gothic face of the library stands in for it.

#include <QFont>

namespace print {

class TBigHintWindow {
public:
    static QFont HintFont();
    // Makes the hint window the application's: a hint showing now is taken down, so the next one
    // comes up in the new font.
    static void Install();
};

} // namespace print
