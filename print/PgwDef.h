#pragma once
// The settings of one print or preview job, and the library's one program-wide instance that the
// preview, the renderer and the printing loop read while a job runs.

#include <QString>
#include <QtGlobal>

namespace print {

// The library's version text, written into every header.
inline const QString PgwVersion = QStringLiteral("VCL.2.5");

// Automatic page numbers of data pages.
struct TPAGEBANGO {
    bool Switch = false;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Alignment = 2; // 0 left, 1 centre, 2 right
    QString FontName;
    qint32 FontSize = 0;
    QString Format;       // one or two "%d": the page, or the page and the page count
    qint32 PlaceholderCount = 0;
};

struct TPGWDEF {
    QString FormFile;
    QString DataFile;
    QString Title;
    QString DeviceName;
    QString FormName;
    QString DocTitle;
    qint32 PrinterNum = 0;
    qint32 PaperSize = 0;
    qint32 OutPutPaper = 0;
    qint32 VRATIO = 0;
    qint32 HRATIO = 0;
    QString PaperName;
    qint32 Orientation = 0;
    qint32 TopMargin = 0;
    qint32 LeftMargin = 0;
    qint32 EvenLeftOffset = 0;
    qint32 TopCorrect = 0;
    qint32 LeftCorrect = 0;
    qint32 FormTopMargin = 0;
    qint32 FormLeftMargin = 0;
    qint32 BinNum = 0;
    qint32 NetColor1 = 0;
    qint32 NetColor2 = 0;
    qint32 UserColor1 = 0;
    qint32 UserColor2 = 0;
    qint32 OcrGreen = 0;
    qint32 OcrBlue = 0;
    qint32 OcrBrown = 0;
    qint32 OcrPink = 0;
    qint32 OcrOrange = 0;
    qint32 OcrViolet = 0;
    qint32 OcrPurple = 0;
    bool PrintFom = false;
    bool PrnDlg = false;
    qint32 Zoom = 0;
    bool SizeChange = false;
    bool ImageOut = false;
    bool CurrentPage = false;
    bool PrevPaperButton = false;
    bool NextPaperButton = false;
    bool ModeSw = false;
    qint32 PaperLength = 0;
    qint32 PaperWidth = 0;
    qint32 Scale = 0;
    qint32 Copies = 0;
    qint32 PrintQuality = 0;
    qint32 ColorMode = 0;
    qint32 Duplex = 0;
    qint32 Collate = 0;
    qint32 YResolution = 0;
    bool Permit = false;
    bool GrayScale = false;
    quint32 DevModeFields = 0;
    TPAGEBANGO PageNoSettings;
};

// The record as the library starts with it.
TPGWDEF StartPgwDef();

// The job settings of the whole run.
extern TPGWDEF PgwDef;

// The record's text fields are fixed-width: paths keep 127 characters, names 63.
QString FitPath(const QString& text);
QString FitName(const QString& text);

} // namespace print
