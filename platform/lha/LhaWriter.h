#pragma once
// Packs one file into a new archive of one member: -lh5- when that shrinks the file, else -lh0-.

#include <QString>

namespace platform::lha {

// Writes the archive (replacing any file there only once it is complete). Files of 4 GiB or more
// are refused. Returns false with a message on failure.
bool packFile(const QString& archivePath, const QString& filePath, QString* message);

} // namespace platform::lha
