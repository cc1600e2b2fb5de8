#pragma once
// The records of print-data and form files as the readers see them, and the value vocabularies
// of their fields: colours, backgrounds, styles, alignments.

#include "print/PgwDef.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace print {

// A record line made ready for reading: double quotes deleted, a ";" appended when the line
// does not end with one.
QString NormalizeRecordLine(const QString& line);

// The kind of a record line: its first field with the ASCII letters upper-cased.
QString RecordKind(const QString& line);

struct TPgwRecord {
    QString Kind;        // upper-case
    QStringList Fields;  // the fields after the kind

    explicit TPgwRecord(const QString& normalizedLine);
    // Field i after the kind (0-based); empty beyond the end of the line.
    QString Text(int i) const;
    // A decimal integer, or hexadecimal after "$"; the default when empty or not a number.
    int Number(int i, int defaultValue = 0) const;
};

// Parses a numeric field as the readers do.
int ParseNumber(const QString& text, int defaultValue = 0);

// A colour field: a name of the colour table, a user or OCR colour name, a code or a value.
// Unknown names give black.
qint32 ResolveColour(const QString& field, const TPGWDEF& def);
// A background field: "1" and "OFF" none (1), "ON" white, else a colour.
qint32 ResolveBackground(const QString& field, const TPGWDEF& def);
// A resolved background above 15 fills behind the text.
bool DrawsBackground(qint32 background);

struct TTextStyle {
    bool Compressed = false;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool DoubleUnderline = false;
};
// "C" anywhere (compressed), then exactly one of the letter sets in B, I, U, S order or "DU".
TTextStyle ParseStyle(const QString& style);

// "CENTER"/"1" centre (1), "RIGHT"/"2"/"BOTTOM" right (2), anything else left (0).
int ParseAlignment(const QString& alignment);

// The first ten characters of the first line are "*PAGEWERK*".
bool IsSignatureLine(const QString& firstLine);
// The line ends a page: its first two characters, upper-cased, are "E;".
bool IsPageEndLine(const QString& line);

} // namespace print
