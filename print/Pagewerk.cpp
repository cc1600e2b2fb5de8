// The print component's writer: the print-data file's header block and records.
#include "print/Pagewerk.h"

#include "core/Exception.h"
#include "core/os/ColorToGray.h"
#include "print/Fonts.h"
#include "print/PageBangoFormat.h"
#include "platform/Cp932.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cmath>

namespace print {

namespace {

constexpr int kMaxPaddedWidth = 126;

QByteArray number(qint64 n) {
    return QByteArray::number(n);
}

// "$%6.6x": at least six upper-case hexadecimal digits of the 32-bit colour value.
QByteArray colourHex(qint32 colour) {
    return "$" + QByteArray::number(quint32(colour), 16).toUpper().rightJustified(6, '0');
}

QByteArray flag(bool on) {
    return on ? QByteArrayLiteral("TRUE") : QByteArrayLiteral("FALSE");
}

// Byte length of the CP932 character that starts at index i.
int charLength(const QByteArray& bytes, qsizetype i) {
    return platform::isSjisLeadByte(static_cast<unsigned char>(bytes.at(i))) && i + 1 < bytes.size() ? 2 : 1;
}

// The first bytes of the text up to width, never splitting a double-byte character.
QByteArray headBytes(const QByteArray& bytes, qsizetype width) {
    qsizetype end = 0;
    while (end < bytes.size()) {
        const int n = charLength(bytes, end);
        if (end + n > width)
            break;
        end += n;
    }
    return bytes.left(end);
}

// The last bytes of the text up to width, starting on a character boundary.
QByteArray tailBytes(const QByteArray& bytes, qsizetype width) {
    const qsizetype firstWanted = bytes.size() - width;
    qsizetype start = 0;
    while (start < firstWanted)
        start += charLength(bytes, start);
    return bytes.mid(start);
}

[[noreturn]] void ioFailure(const QString& action, const QFile& file) {
    throw core::Exception(QStringLiteral("印刷データファイルの%1に失敗しました。(%2: %3)")
                              .arg(action, file.fileName(), file.errorString()));
}

} // namespace

TPagewerk::TPagewerk() {
    SetOcrFontName(QString());
}
TPagewerk::~TPagewerk() = default;

void TPagewerk::SetCopie(qint32 n) {
    if (n >= 1 && n <= 99)
        copie_ = n;
}

void TPagewerk::SetZoom(qint32 n) {
    if (n >= 5 && n <= 20)
        zoom_ = n;
}

void TPagewerk::SetScale(qint32 n) {
    if (n >= 50 && n <= 150)
        scale_ = n;
}

void TPagewerk::SetPrintQuality(qint32 n) {
    if (n >= -4 && n <= -1)
        printQuality_ = n;
}

void TPagewerk::SetColorMode(qint32 n) {
    colorMode_ = n >= 0 && n <= 2 ? n : 0;
}

void TPagewerk::SetDuplex(qint32 n) {
    if (n >= 1 && n <= 3)
        duplex_ = n;
}

void TPagewerk::SetCollate(qint32 n) {
    if (n == 0 || n == 1)
        collate_ = n;
}

namespace {
qint32 ratioOf(qint32 n) {
    if (n >= -50 && n <= 50)
        return 1000 + n;
    if (n >= 950 && n <= 1050)
        return n;
    return 1000;
}
} // namespace

void TPagewerk::SetVRATIO(qint32 n) {
    vratio_ = ratioOf(n);
}

void TPagewerk::SetHRATIO(qint32 n) {
    hratio_ = ratioOf(n);
}

void TPagewerk::SetOcrFontName(const QString& name) {
    if (name.isEmpty()) {
        if (FontInstalled(QStringLiteral("OCR-B")))
            ocrFontName_ = QStringLiteral("OCR-B");
        else if (FontInstalled(QStringLiteral("OCRB")))
            ocrFontName_ = QStringLiteral("OCRB");
        else
            ocrFontName_ = QStringLiteral("ＭＳ ゴシック");
    } else if (FontInstalled(name)) {
        ocrFontName_ = name;
    }
}

void TPagewerk::SetPageBangoFormat(const QString& format) {
    placeholders_ = CountPagePlaceholders(format);
    if (placeholders_ == 1 || placeholders_ == 2) {
        const QList<int> ones = placeholders_ == 1 ? QList<int>{1} : QList<int>{1, 1};
        if (FormatPageNumber(format, ones)) {
            pageBangoFormat_ = format;
            return;
        }
    }
    PageBango = false;
    pageBangoFormat_ = QStringLiteral("(%d/%d)");
}

void TPagewerk::OpenDataFile(bool useTempFile) {
    CloseDataFile();
    if (DocTitle.isEmpty())
        DocTitle = QFileInfo(DataFile).completeBaseName();
    if (useTempFile) {
        QTemporaryFile temp(QFileInfo(DataFile).absolutePath() + QStringLiteral("/~XXXXXX.tmp"));
        temp.setAutoRemove(false);
        if (!temp.open())
            ioFailure(QStringLiteral("作成"), temp);
        DataFile = temp.fileName();
    }
    auto file = std::make_unique<QFile>(DataFile);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        ioFailure(QStringLiteral("作成"), *file);
    file_ = std::move(file);
    headerWritten_ = false;
    WriteHeader();
}

void TPagewerk::WriteHeader() {
    if (headerWritten_)
        return;
    auto key = [](const char* name, const QByteArray& value) { return QByteArray("*") + name + "=" + value; };
    auto text = [](const QString& value) { return platform::toCp932(value); };
    writeLine("*PAGEWERK" + QByteArray(61, '*'));
    writeLine("*[SETTING]");
    writeLine(key("PATH", text(QFileInfo(DataFile).absolutePath())));
    writeLine(key("VERSION", text(PgwVersion)));
    writeLine(key("DATE", QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")).toLatin1()));
    writeLine(key("TITLE", text(Title)));
    writeLine(key("FORMFILE", text(FormFile)));
    writeLine(key("PAPERSIZE", number(PaperSize)));
    writeLine(key("OUTPUTPAPER", number(OutPutPaper)));
    writeLine(key("ORIENTATION", number(Orientation)));
    writeLine(key("TOPMARGIN", number(TopMargin)));
    writeLine(key("LEFTMARGIN", number(LeftMargin)));
    writeLine(key("FORMTOPMARGIN", number(FormTopMargin)));
    writeLine(key("FORMLEFTMARGIN", number(FormLeftMargin)));
    writeLine(key("NETC1", colourHex(NetColor1)));
    writeLine(key("NETC2", colourHex(NetColor2)));
    writeLine(key("USERC1", colourHex(UserColor1)));
    writeLine(key("USERC2", colourHex(UserColor2)));
    writeLine(key("FORMPRINT", flag(PrintFom)));
    writeLine(key("COPIES", number(copie_)));
    writeLine(key("PAGENOSWITCH", flag(PageBango)));
    writeLine(key("PAGENOLEFT", number(PageBangoLeft)));
    writeLine(key("PAGENOTOP", number(PageBangoTop)));
    writeLine(key("PAGENOALIGNMENT", number(PageBangoAlignment)));
    writeLine(key("PAGENOFORMAT", text(pageBangoFormat_)));
    writeLine(QByteArray(61, '*') + "PAGEWERK*");
    headerWritten_ = true;
}

void TPagewerk::CloseDataFile() {
    headerWritten_ = false;
    if (!file_)
        return;
    std::unique_ptr<QFile> file = std::move(file_);
    file->close();
    if (file->error() != QFileDevice::NoError)
        ioFailure(QStringLiteral("書き込み"), *file);
}

void TPagewerk::writeLine(const QByteArray& line) {
    if (!file_)
        throw core::Exception(QStringLiteral("印刷データファイルが開かれていません。"));
    const QByteArray bytes = line + "\r\n";
    if (file_->write(bytes) != bytes.size())
        ioFailure(QStringLiteral("書き込み"), *file_);
}

void TPagewerk::NewPage() {
    ++PageNo;
    if (BlankPage != 0)
        PutBox(100, 100, 101, 101, 0, 0, QStringLiteral("黒"), QStringLiteral("白"), 1);
    writeLine("E;");
}

QByteArray TPagewerk::PreparedText(const QString& text, qint32 width, const QString& alignment) {
    QString separatorFree = text;
    separatorFree.replace(u';', u':');
    const QByteArray bytes = platform::toCp932(separatorFree);
    const QString align = alignment.toUpper();
    if (width == 0 || align == QStringLiteral("CENTER"))
        return bytes;
    if (bytes.size() > width) {
        // A cut that would split a double-byte character keeps one byte less.
        return align == QStringLiteral("RIGHT") ? tailBytes(bytes, width) : headBytes(bytes, width);
    }
    if (width > kMaxPaddedWidth)
        return bytes;
    return align == QStringLiteral("RIGHT") ? bytes.rightJustified(width, ' ') : bytes.leftJustified(width, ' ');
}

void TPagewerk::PutText(qint32 x, qint32 y, const QString& text, const QString& fontName, qint32 fontSize,
                        const QString& style, const QString& colour, const QString& background,
                        const QString& alignment, qint32 width) {
    const QString back = background == QStringLiteral("OFF") ? QStringLiteral("1") : background;
    QByteArray line = "TEXT;" + number(x) + ";" + number(y) + ";" + PreparedText(text, width, alignment) + ";";
    line += platform::toCp932(fontName) + ";" + number(fontSize) + ";" + platform::toCp932(style) + ";";
    line += platform::toCp932(colour) + ";" + platform::toCp932(back) + ";" + platform::toCp932(alignment.toUpper());
    line += ";0;0;";
    writeLine(line);
}

void TPagewerk::PutLine(qint32 x1, qint32 y1, qint32 x2, qint32 y2, qint32 width, qint32 style,
                        const QString& colour, bool fine) {
    QByteArray line = fine ? QByteArrayLiteral("ELINE;") : QByteArrayLiteral("LINE;");
    line += number(x1) + ";" + number(y1) + ";" + number(x2) + ";" + number(y2) + ";";
    line += number(width) + ";" + number(style) + ";" + platform::toCp932(colour) + ";";
    writeLine(line);
}

void TPagewerk::PutBox(qint32 x1, qint32 y1, qint32 x2, qint32 y2, qint32 width, qint32 style,
                       const QString& penColour, const QString& brushColour, qint32 brushStyle) {
    QByteArray line = "BOX;" + number(x1) + ";" + number(y1) + ";" + number(x2) + ";" + number(y2) + ";";
    line += number(width) + ";" + number(style) + ";" + platform::toCp932(penColour) + ";";
    line += platform::toCp932(brushColour) + ";" + number(brushStyle) + ";";
    writeLine(line);
}

void TPagewerk::fillRecord(TPGWDEF& def) const {
    def.FormFile = FitPath(FormFile);
    def.DataFile = FitPath(DataFile);
    def.Title = FitName(Title);
    def.PaperName = FitName(PaperName);
    QString docName = DocTitle.isEmpty() ? Title : DocTitle;
    if (docName.isEmpty())
        docName = QStringLiteral("PAGEWERK-") + PgwVersion;
    def.DocTitle = FitName(docName);
    def.PrinterNum = PrinterNum;
    def.PaperSize = PaperSize;
    def.OutPutPaper = OutPutPaper;
    def.Orientation = Orientation;
    def.Scale = scale_;
    def.Copies = copie_;
    def.PrintQuality = printQuality_;
    def.ColorMode = colorMode_;
    def.Duplex = duplex_;
    def.Collate = collate_;
    def.TopMargin = TopMargin;
    def.LeftMargin = LeftMargin;
    def.EvenLeftOffset = EvenLeftMargin == 0 ? 0 : EvenLeftMargin - LeftMargin;
    def.TopCorrect = TopCorrect;
    def.LeftCorrect = LeftCorrect;
    def.FormTopMargin = FormTopMargin;
    def.FormLeftMargin = FormLeftMargin;
    def.NetColor1 = NetColor1;
    def.NetColor2 = NetColor2;
    def.UserColor1 = UserColor1;
    def.UserColor2 = UserColor2;
    def.OcrGreen = OcrGreen;
    def.OcrBlue = OcrBlue;
    def.OcrBrown = OcrBrown;
    def.OcrPink = OcrPink;
    def.OcrOrange = OcrOrange;
    def.OcrViolet = OcrViolet;
    def.OcrPurple = OcrPurple;
    def.PrintFom = PrintFom;
    def.PrnDlg = PrnDlg;
    def.Zoom = zoom_;
    def.SizeChange = SizeChange;
    def.ModeSw = ModeSw;
    def.PaperLength = PaperLength;
    def.PaperWidth = PaperWidth;
    def.Permit = Permit;
    def.ImageOut = ImageOut;
    def.CurrentPage = CurrentPage;
    def.VRATIO = vratio_;
    def.HRATIO = hratio_;
    def.GrayScale = GrayScale;
    def.PrevPaperButton = PrevPaperButton;
    def.NextPaperButton = NextPaperButton;
    def.PageNoSettings.Switch = PageBango;
    def.PageNoSettings.Left = PageBangoLeft;
    def.PageNoSettings.Top = PageBangoTop;
    def.PageNoSettings.Alignment = PageBangoAlignment;
    def.PageNoSettings.Format = pageBangoFormat_;
    def.PageNoSettings.FontName = PageBangoFontName;
    def.PageNoSettings.FontSize = PageBangoFontSize;
    def.PageNoSettings.PlaceholderCount = placeholders_;
}

// After a job: the printer and copies the user chose stay for the next one.
void TPagewerk::takePrinterBack() {
    if (PlatformPrinterState) {
        const auto [printer, copies] = PlatformPrinterState();
        PgwDef.PrinterNum = printer;
        PgwDef.Copies = copies;
        PrinterNum = printer;
        copie_ = copies;
    }
}

bool TPagewerk::output(bool print) {
    CloseDataFile(); // the output reads the file; a caller that forgot to close loses nothing
    int result = 0;
    if (!print) {
        fillRecord(PgwDef);
        if (PreviewEntry)
            result = PreviewEntry(PgwDef);
    } else {
        TPGWDEF def; // a fresh record of the job's own
        fillRecord(def);
        if (PrintEntry)
            result = PrintEntry(def);
        result = result != 0 ? 1 : 0;
    }
    PreviewCloseNum = result;
    if (DelFile && !DataFile.isEmpty() && QFile::exists(DataFile))
        QFile::remove(DataFile);
    const QString chart = QFileInfo(PgwDef.DataFile).absolutePath() + QStringLiteral("/CHART.WMF");
    if (DelFile && !PgwDef.DataFile.isEmpty() && QFile::exists(chart))
        QFile::remove(chart);
    takePrinterBack();
    PageBango = false;
    DocTitle.clear();
    return result != 0;
}

bool TPagewerk::Preview() {
    return output(false);
}

bool TPagewerk::Print() {
    return output(true);
}

void SetMonoPrintColors(qint32 colour, TPagewerk& component) {
    if (colour != 0)
        return;
    component.UserColor1 = 0;
    component.UserColor2 = 0;
    component.OcrGreen = 0;
    component.OcrBlue = 0;
    component.OcrBrown = 0;
    component.OcrPink = 0;
    component.OcrOrange = 0;
    component.OcrViolet = 0;
    component.OcrPurple = 0;
    component.NetColor1 = core::ColorToGray(component.NetColor1);
    component.NetColor2 = core::ColorToGray(component.NetColor2);
}

} // namespace print
