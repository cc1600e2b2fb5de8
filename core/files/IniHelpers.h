#pragma once
// One-call INI file helpers over platform::TIniFile (CP932, CRLF, names case-insensitive).
// File errors (platform::IniFileError, platform::EncodingError) pass to the caller.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace core {

// Deletes the key when deleteKey is set, else writes the value's text (a Boolean as "True" or
// "False"). The file is on disk when it returns; then waits 10 ms, also after a failure.
void WriteIniFileValue(const QString& fileName, const QString& section, const QString& key, bool deleteKey,
                       const QVariant& value);

// Every "name=value" line of the section, each followed by CR LF; "" when the file name or
// the section is empty.
QString ReadIniFileSection(const QString& fileName, const QString& section);

// Erases the section and writes it again from the name=value lines: for each line its name and
// the value of the first line with that name (names compared ignoring case). Lines without a
// name are skipped. Nothing when the file name or the section is empty.
void WriteIniFileSection(const QString& fileName, const QString& section, const QStringList& lines);

} // namespace core
