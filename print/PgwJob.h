#pragma once
// Print jobs saved from the preview (".pgw"): the print-data file with its form, sub-forms and
// pictures copied beside it into one folder, and the header values read back when a job is
// opened.

#include <QString>
#include <QtGlobal>

namespace print {

// Writes the job of the data file (and its form, when given) into folder under the base name:
// folder/base.pgw, folder/base.pgf, folder/base_FORMAT-n.pgf, folder/base_<picture>. Existing
// files are replaced. A failure throws core::Exception.
void SavePrintJob(const QString& dataFile, const QString& formFile, const QString& folder, const QString& base);

// The header values an opened job brings.
struct TPrintJobHeader {
    QString FormFile;
    qint32 PaperSize = 9;
    qint32 OutPutPaper = 9;
    qint32 Orientation = 0;
    qint32 TopMargin = 0;
    qint32 LeftMargin = 0;
    qint32 NetColor1 = 0;
    qint32 NetColor2 = 0;
    qint32 UserColor1 = 0;
    qint32 UserColor2 = 0;
    bool PrintFom = false;
};

// Reads the keys of the job's header, each from the first line that begins with it.
TPrintJobHeader ReadPrintJobHeader(const QString& jobFile);

} // namespace print
