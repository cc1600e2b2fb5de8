#pragma once
// The folders used last, kept in an INI section as "HIST1=…" (newest) to "HIST8=…" without
// gaps: the backup folders are kept in "history.ini" of the ini folder, section
// [DataBackFolder].

#include <QString>
#include <QStringList>

namespace core {

inline const QString kHistoryIniFile = QStringLiteral("history.ini");
inline const QString kDataBackFolderSection = QStringLiteral("DataBackFolder");
inline constexpr int kFolderHistoryMax = 8;

// iniDir + "/history.ini".
QString HistoryIniPath(const QString& iniDir);

// The values of the section's lines in file order.
QStringList ReadFolderHistory(const QString& fileName, const QString& section);

// The history with the folder moved (or, when new, inserted) to the top, cut to eight.
// Folders compare exactly.
QStringList PutFolderFirst(const QStringList& history, const QString& folder);

// Rewrites the section with the first eight folders as HIST1…HIST8 (erasing it first).
void WriteFolderHistory(const QString& fileName, const QString& section, const QStringList& history);

} // namespace core
