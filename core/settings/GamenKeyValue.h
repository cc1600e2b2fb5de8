#pragma once
// One free text per operator and screen in STYLECOLOR of the system database, so that a dialog
// can restore what the operator last entered or chose. Every dialog on the base form owns one.
// The row: OPCODE = the operator's session code, STYLENAME = the screen key, every colour -1,
// the value in SSTR.

#include <QString>
#include <QtGlobal>

namespace core {

class TGamenKeyValue {
public:
    // OpCode from the login (SystemDef.OPCODE); 0 (nobody logged in) disables the store.
    TGamenKeyValue();

    qint32 OpCode = 0;
    QString KeyPrefix = QStringLiteral("020-");
    QString StyleName; // key of the current screen
    QString Value;     // the value last saved

    void ClearValue() { Value.clear(); }
    // StyleName := "020-" + the screen name, single-byte letters upper-cased, cut to 40 bytes
    // (a double-byte character cut in half becomes a blank) and trimmed.
    void SetGamenName(const QString& screenName);
    // Puts the screen's saved value into text; text stays as it is when there is none.
    void FukugenValue(const QString& screenName, QString& text);
    // Saves the text (trimmed, at most 1,024 bytes) as the screen's value.
    void HozonValue(const QString& screenName, const QString& text);
};

} // namespace core
