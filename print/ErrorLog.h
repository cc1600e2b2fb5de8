#pragma once
// The print library's error log: "Pagewerk_Error.log" in the user's documents folder, one line
// per failure, "yy/mm/dd hh:nn:ss  " and the text, in CP932.

#include <QString>

namespace print {

void WritePrintErrorLog(const QString& text);
// The log's folder: the documents folder, or what a test sets here.
QString PrintErrorLogFolder();
void SetPrintErrorLogFolder(const QString& folder);

} // namespace print
