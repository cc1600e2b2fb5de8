#pragma once
// The incremental search of the data list: keys typed in the grid collect up to eight
// characters; a timer that waits 500 ms after the first key and 1000 ms after later ones then
// moves to the first row whose code starts with them.

#include <QString>

namespace selection {

struct TIncSearch {
    static constexpr int MaxLength = 8;
    QString Text;
    int Interval = 0; // the timer's interval in ms, 0 while stopped

    // The character a key gives to the search, or a null character for a key that is not
    // taken: digits, letters (upper-cased) and the punctuation keys ":;,-./@[\]^", and on the
    // keypad digits and "*+,-./".
    static QChar KeyChar(const QString& keyText, bool keypad);
    // Appends the character and re-arms the timer; false when the text is full (the key is
    // swallowed all the same).
    bool AddKey(QChar c);
    void Reset()
    {
        Text.clear();
        Interval = 0;
    }
};

} // namespace selection
