#include "core/files/FolderHistory.h"

#include "core/files/IniHelpers.h"

namespace core {

QString HistoryIniPath(const QString& iniDir) {
    return iniDir + u'/' + kHistoryIniFile;
}

QStringList ReadFolderHistory(const QString& fileName, const QString& section) {
    QStringList folders;
    for (const QString& line : ReadIniFileSection(fileName, section).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        folders << line.mid(line.indexOf(u'=') + 1);
    return folders;
}

QStringList PutFolderFirst(const QStringList& history, const QString& folder) {
    QStringList result = history;
    result.removeAll(folder);
    result.prepend(folder);
    return result.mid(0, kFolderHistoryMax);
}

void WriteFolderHistory(const QString& fileName, const QString& section, const QStringList& history) {
    QStringList lines;
    for (int i = 0; i < history.size() && i < kFolderHistoryMax; ++i)
        lines << QStringLiteral("HIST%1=%2").arg(i + 1).arg(history[i]);
    WriteIniFileSection(fileName, section, lines);
}

} // namespace core
