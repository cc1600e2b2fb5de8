#pragma once
// The header gbak puts before each part of a backup split into several files, here for a
// backup of one part ("file No. 1 of 1").
//
// A restore reading a plain backup file that ends early asks for the next volume on the
// standard input and output of the process running gbak. In the database server those
// descriptors may belong to other connections or database files: the question goes into
// them and the reply is read from them, breaking whatever they are (a session's connection
// then fails with "Error reading data from the connection"). A file that starts with this
// header is read as the only part of a split backup, whose early end is a plain error of the
// restore. The header is written before a backup file that a server restores.

#include <QByteArray>
#include <QString>

namespace core {

inline constexpr int kSplitHeaderSize = 100;

// The header; fileName (its last 27 characters) is only a note for readers.
QByteArray singlePartSplitHeader(const QString& fileName);

} // namespace core
