#pragma once
// The information block appended to a backup file: the line "## TessaroZone" followed by
// KEY=value lines, each ended by CR LF, in CP932, up to the end of the file. The backup data
// before it is binary and may itself hold the marker text, so the block is found from the end:
// walking back from the end of the file over KEY=value CR LF lines, the block begins at the
// marker that ends the line above them (the marker then runs straight into CR LF). Where a
// KEY=value line itself ends with the marker text, the block begins at the marker furthest up
// that still has only KEY=value lines below it. A file that does not end this way has no block.
// Blocks are searched for in the last kZoneSearchBytes of a file.

#include <QString>
#include <QtGlobal>

namespace core {

inline const QString kZoneMarker = QStringLiteral("## TessaroZone");
inline constexpr qint64 kZoneSearchBytes = 64 * 1024;

// The byte offset of the block's marker, or -1 when the file has none (or cannot be read).
// zoneText receives the block from the marker to the end of the file (empty without one).
qint64 FindTextInFile(const QString& fileName, const QString& marker, QString& zoneText);

// zoneText as FindTextInFile gives it. With cut, a block found after the start of the file is
// removed by truncating the file in place at the marker: the bytes before it are never moved
// or copied. True when a block was found and, with cut, the file was truncated.
bool ReadFileZone(const QString& fileName, const QString& marker, QString& zoneText, bool cut);

// The offset inside tail (the end of a file) where the block's marker begins, or -1.
qsizetype FindZoneInTail(const QByteArray& tail, const QByteArray& marker);

} // namespace core
