// The print component's writer: the print-data file's header block and records.
#include "print/Pagewerk.h"

#include "core/Exception.h"
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

qint32 greyOf(qint32 colour) {
    if (quint32(colour) > 0xFFFFFF) // a system colour keeps its number
        return colour;
    const int r = colour & 0xFF;
    const int g = (colour >> 8) & 0xFF;
    const int b = (colour >> 16) & 0xFF;
    const int grey = int(std::lround(0.299 * r + 0.587 * g + 0.114 * b));
    return grey | (grey << 8) | (grey << 16);
}

[[noreturn]] void ioFailure(const QString& action, const QFile& file) {
    throw core::Exception(QStringLiteral("印刷データファイルの%1に失敗しました。(%2: %3)")
                              .arg(action, file.fileName(), file.errorString()));
}

} // namespace

TPagewerk::TPagewerk() = default;
TPagewerk::~TPagewerk() = default;

void TPagewerk::SetCopie(qint32 n) {
    if (n >= 1 && n <= 99)
        copie_ = n;
}

void TPagewerk::SetZoom(qint32 n) {
    if (n >= 5 && n <= 20)
        zoom_ = n;
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
    writeLine(key("PAGENOFORMAT", text(PageBangoFormat)));
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

bool TPagewerk::output(Output kind) {
    CloseDataFile(); // the output reads the file; a caller that forgot to close loses nothing
    const int result = OutputHandler ? OutputHandler(*this, kind) : 0;
    PreviewCloseNum = kind == Output::Print ? (result != 0 ? 1 : 0) : result;
    if (DelFile && !DataFile.isEmpty() && QFile::exists(DataFile))
        QFile::remove(DataFile);
    PageBango = false;
    DocTitle.clear();
    return result != 0;
}

bool TPagewerk::Preview() {
    return output(Output::Preview);
}

bool TPagewerk::Print() {
    return output(Output::Print);
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
    component.NetColor1 = greyOf(component.NetColor1);
    component.NetColor2 = greyOf(component.NetColor2);
}

} // namespace print
