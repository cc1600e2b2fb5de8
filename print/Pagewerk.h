#pragma once
// The print component: a caller sets its properties, writes a print-data file record by record
// (header block, "TEXT;…;", "LINE;…;", "BOX;…;" lines and "E;" page ends, CP932 with CR LF)
// and then hands the file to the preview or the printer.

#include "print/PgwDef.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <utility>

class QFile;

namespace print {

class TPagewerk {
public:
    TPagewerk();
    ~TPagewerk();
    TPagewerk(const TPagewerk&) = delete;
    TPagewerk& operator=(const TPagewerk&) = delete;

    // Plain properties: stored as given.
    QString DataFile;
    QString FormFile;
    QString Title;
    QString DocTitle; // cleared after every Preview and Print
    QString PaperName = QStringLiteral("A4");
    qint32 Orientation = 0; // 0 portrait, 1 landscape
    qint32 PaperSize = 9;   // the platform's paper number; 9 is A4
    qint32 OutPutPaper = 0;
    qint32 LeftMargin = 0;
    qint32 TopMargin = 0;
    qint32 EvenLeftMargin = 0;
    qint32 LeftCorrect = 0;
    qint32 TopCorrect = 0;
    qint32 FormLeftMargin = 0;
    qint32 FormTopMargin = 0;
    qint32 PageNo = 1;
    qint32 PrinterNum = -1;
    qint32 BinNum = 0;      // not passed on
    bool PrintFom = true;
    bool PrnDlg = true;
    bool ModeSw = false;
    bool Permit = true;
    bool SizeChange = false;
    bool CurrentPage = true;
    bool ImageOut = false;
    bool GrayScale = false;
    qint32 PaperLength = 2970;
    qint32 PaperWidth = 2100;
    qint32 PosCenter = 0;    // not used
    qint32 LineMaxCount = 0; // not used
    bool DelFile = true;    // delete the data file after Preview or Print
    qint32 BlankPage = 0;   // non-zero: every page gets a tiny box so no page is empty
    qint32 NetColor1 = 0xC0C0C0;
    qint32 NetColor2 = 0xC0C0C0;
    qint32 UserColor1 = 0;
    qint32 UserColor2 = 0;
    qint32 OcrGreen = 0x2CBE00;
    qint32 OcrBlue = 0xAC661F;
    qint32 OcrBrown = 0x23234D;
    qint32 OcrPink = 0x7F02F0;
    qint32 OcrOrange = 0x41B3FE;
    qint32 OcrViolet = 0x903D57;
    qint32 OcrPurple = 0x741A82;
    bool PageBango = false; // switched off after every Preview and Print
    qint32 PageBangoLeft = 0;
    qint32 PageBangoTop = 0;
    qint32 PageBangoAlignment = 2; // 0 left, 1 centre, 2 right
    QString PageBangoFontName = QStringLiteral("ＭＳ 明朝");
    qint32 PageBangoFontSize = 10;
    bool PrevPaperButton = false;
    bool NextPaperButton = false;
    qint32 PreviewCloseNum = 0;    // result of the last Preview or Print

    // Properties with a rule on assignment.
    qint32 Copie() const { return copie_; }
    void SetCopie(qint32 n);        // 1 to 99
    qint32 Zoom() const { return zoom_; }
    void SetZoom(qint32 n);         // 5 to 20
    qint32 Scale() const { return scale_; }
    void SetScale(qint32 n);        // 50 to 150
    qint32 PrintQuality() const { return printQuality_; }
    void SetPrintQuality(qint32 n); // -4 to -1
    qint32 ColorMode() const { return colorMode_; }
    void SetColorMode(qint32 n);    // 0, 1 or 2; anything else 0
    qint32 Duplex() const { return duplex_; }
    void SetDuplex(qint32 n);       // 1 to 3
    qint32 Collate() const { return collate_; }
    void SetCollate(qint32 n);      // 0 or 1
    qint32 VRATIO() const { return vratio_; }
    void SetVRATIO(qint32 n);       // -50..50 a change from 1000, 950..1050 as given, else 1000
    qint32 HRATIO() const { return hratio_; }
    void SetHRATIO(qint32 n);
    const QString& OcrFontName() const { return ocrFontName_; }
    void SetOcrFontName(const QString& name); // an installed face; empty picks the OCR face
    const QString& PageBangoFormat() const { return pageBangoFormat_; }
    // A format with one or two integer placeholders that formats; else page numbers go off and
    // the format becomes "(%d/%d)".
    void SetPageBangoFormat(const QString& format);
    qint32 PageBangoPlaceholders() const { return placeholders_; }

    // Setters under the names callers of the component use.
    void SetDataFile(const QString& path) { DataFile = path; }
    void SetFormFile(const QString& path) { FormFile = path; }
    void SetTitle(const QString& text) { Title = text; }
    void SetOrientation(qint32 n) { Orientation = n; }
    void SetPaperSize(qint32 n) { PaperSize = n; }
    void SetLeftMargin(qint32 n) { LeftMargin = n; }
    void SetTopMargin(qint32 n) { TopMargin = n; }
    void SetPrintFom(bool on) { PrintFom = on; }
    void SetPrnDlg(bool on) { PrnDlg = on; }
    void SetModeSw(qint32 n) { ModeSw = n != 0; }
    void SetPermit(bool on) { Permit = on; }

    // Creates (or truncates) the data file and writes the header. With useTempFile the data
    // file becomes a fresh file named "~…" in the folder of DataFile. A file-system failure
    // throws core::Exception.
    void OpenDataFile(bool useTempFile);
    // The header block, once per opened file.
    void WriteHeader();
    void CloseDataFile();
    bool isOpen() const { return file_ != nullptr; }

    // Ends the page: "E;" (after a tiny box when BlankPage is set); PageNo + 1.
    void NewPage();
    // One TEXT record. ";" in the text becomes ":"; with a width (bytes) and an alignment other
    // than "CENTER" the text is padded with blanks to that many bytes (up to 126) or cut to
    // at most that many, never splitting a double-byte character. Background "OFF" is
    // written as "1".
    void PutText(qint32 x, qint32 y, const QString& text, const QString& fontName, qint32 fontSize,
                 const QString& style, const QString& colour, const QString& background, const QString& alignment,
                 qint32 width);
    // One LINE record (ELINE when fine: the width then counts 0.01 mm).
    void PutLine(qint32 x1, qint32 y1, qint32 x2, qint32 y2, qint32 width, qint32 style, const QString& colour,
                 bool fine);
    void PutBox(qint32 x1, qint32 y1, qint32 x2, qint32 y2, qint32 width, qint32 style, const QString& penColour,
                const QString& brushColour, qint32 brushStyle);

    // Hands the closed data file to the preview window or the printer, then deletes the file
    // when DelFile is on, switches page numbers off and clears DocTitle. The result is whether
    // the output returned non-zero.
    bool Preview();
    bool Print();

    // The library's entries, set when the library starts: the preview's close code, and the
    // print's -1 (sent) or 0.
    static inline std::function<int(TPGWDEF&)> PreviewEntry;
    static inline std::function<int(TPGWDEF&)> PrintEntry;
    // The platform printer's current index and copies, taken back after every job.
    static inline std::function<std::pair<qint32, qint32>()> PlatformPrinterState;

    // The text as PutText writes it (separators replaced, fitted to the width), in CP932.
    static QByteArray PreparedText(const QString& text, qint32 width, const QString& alignment);

private:
    void writeLine(const QByteArray& line);
    bool output(bool print);

    void fillRecord(TPGWDEF& def) const;
    void takePrinterBack();

    qint32 copie_ = 1;
    qint32 zoom_ = 10;
    qint32 scale_ = 100;
    qint32 printQuality_ = 0;
    qint32 colorMode_ = 0;
    qint32 duplex_ = 0;
    qint32 collate_ = 0;
    qint32 vratio_ = 1000;
    qint32 hratio_ = 1000;
    QString ocrFontName_;
    QString pageBangoFormat_ = QStringLiteral("(%d/%d)");
    qint32 placeholders_ = 2;
    std::unique_ptr<QFile> file_;
    bool headerWritten_ = false;
};

// Black-and-white printing (colour 0): user colours and OCR colours become black and the net
// colours their grey equivalents. Colour 1 changes nothing.
void SetMonoPrintColors(qint32 colour, TPagewerk& component);

} // namespace print
