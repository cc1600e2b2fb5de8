#pragma once
// Small helpers on single files.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace core {

// The size of the file; 0 when it does not exist (or is not a regular file); -1 when the
// query fails for another reason (no permission on a folder on the way …).
qint64 GetFileSizeByName(const QString& fileName);

// Appends the text's CP932 bytes to the end of an existing file. False when the file does
// not exist or cannot be written, or when the text holds a character CP932 cannot hold
// (nothing is written then).
bool AppendTextToFile(const QString& fileName, const QString& text);
bool AppendBytesToFile(const QString& fileName, const QByteArray& bytes);

// The first count bytes of a and b are equal.
bool BytesEqual(const void* a, const void* b, qsizetype count);

} // namespace core
