#pragma once
// Conversion between the program's text (QString) and CP932 (Windows Shift-JIS) bytes,
// the encoding of every file and database edge. glibc's "CP932" table is used on purpose:
// its "SHIFT_JIS" table maps 0x8160 to U+301C instead of U+FF5E and breaks round trips.

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace platform {

// Raised when a text holds a character that has no CP932 code. The message names it.
class EncodingError : public std::runtime_error {
public:
    EncodingError(const QString& character, qsizetype position);
    QString character() const { return character_; }
    qsizetype position() const { return position_; }

private:
    QString character_;
    qsizetype position_;
};

// Encodes text as CP932; throws EncodingError on the first character CP932 cannot hold.
QByteArray toCp932(const QString& text);

// Decodes CP932 bytes; a byte sequence that is not CP932 becomes U+FFFD.
QString fromCp932(const QByteArray& bytes);
QString fromCp932(const char* data, qsizetype size);

// Appends the CP932 bytes of the text to out and gives true; false, with out as it was, when a
// character has no CP932 code (toCp932 names it).
bool appendCp932(QStringView text, QByteArray& out);

// Shift-JIS byte classes.
constexpr bool isSjisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isSjisTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Length of the text in CP932 bytes (a character CP932 cannot hold counts as one byte "?").
qsizetype cp932Length(const QString& text);

} // namespace platform
