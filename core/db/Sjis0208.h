#pragma once
// What a database column in SJIS_0208 can hold: ASCII, half-width katakana and the
// double-byte codes of JIS X 0208. CP932 adds rows of its own (NEC specials such as ① and ㈱,
// NEC-selected and IBM extensions such as 髙) that SJIS_0208 refuses, so text is checked here
// before it is sent.

#include <QByteArray>
#include <QString>

namespace core {

// True when every character of the CP932 bytes is one SJIS_0208 holds. Lead-byte aware: a
// trail byte 0x5C or 0x7C is part of its character.
bool fitsSjis0208(const QByteArray& cp932);

// Converts text to CP932 for the database. Throws EIBError (isc::transliteration_failed)
// naming the first character that SJIS_0208 cannot hold, including one CP932 has no code for.
QByteArray toSjis0208(const QString& text);

// The same check without the conversion result.
void checkSjis0208(const QString& text);

} // namespace core
