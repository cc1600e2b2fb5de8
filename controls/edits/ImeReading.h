#pragma once
// The reading (furigana) of what the user types through the input method. The Windows input
// method handed the reading of a finished composition to the edit; Linux input methods give
// only the text being composed (pre-edit) and the text committed. So the reading of a
// composition is the committed text when that is all kana, otherwise the last pre-edit text
// of the composition that was all kana (the kana before the conversion to kanji). Text that
// arrives without a composition (typed directly, or committed by an input method that is
// switched off) is its own reading.

#include <QString>

class QInputMethodEvent;

namespace controls {

class ImeReading {
public:
    struct Step {
        bool started = false;  // a composition began with this event
        bool ended = false;    // the composition ended with this event
        bool committed = false; // text was committed; `reading` holds its reading
        QString reading;
    };

    Step feed(const QInputMethodEvent* event);
    bool composing() const { return composing_; }

private:
    bool composing_ = false;
    QString lastKanaPreedit_;
};

// Cuts the text to at most `maxBytes` CP932 bytes without splitting a double-byte character.
QString CutToCp932Bytes(const QString& text, int maxBytes);

} // namespace controls
