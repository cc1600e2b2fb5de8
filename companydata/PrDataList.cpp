// The data-list print: page layout of the registry's rows written into a print-data file.
#include "companydata/PrDataList.h"

#include "core/Globals.h"
#include "core/session/Vocabulary.h"

namespace companydata {

namespace {

const QString kLeft = QStringLiteral("LEFT");
const QString kCenter = QStringLiteral("CENTER");
const QString kRight = QStringLiteral("RIGHT");

constexpr int kBodySize = 9;
constexpr int kLeftEdge = 150;
constexpr int kNumberX = 170;
constexpr int kCodeX = 250;

int lineY(int line) {
    return line * 44 + 361;
}

} // namespace

QString TPrDataList::fontName() const {
    const int n = PrintRec.FontNo;
    const int plain = int(core::FontNames.size());
    if (n >= 0 && n < plain)
        return core::FontNames[size_t(n)];
    if (n >= plain && n < plain + int(core::PFontNames.size()))
        return core::PFontNames[size_t(n - plain)];
    return core::FontNames[0]; // a font number out of range takes the first face
}

void TPrDataList::text(int x, int y, const QString& value, int size, const QString& alignment) {
    PrintComp.PutText(x, y, value, fontName(), size, QString(), QStringLiteral("黒"), QStringLiteral("OFF"),
                      alignment, 0);
}

void TPrDataList::rule(int y, int width, int style) {
    PrintComp.PutLine(kLeftEdge, y, geometry_.right, y, width, style, QString::number(PrintComp.UserColor1), false);
}

void TPrDataList::PrintDataList(int print) {
    PrintRec.BodyFontSize = kBodySize;
    page_ = 1;
    line_ = 0;
    geometry_ = Orientation == 0 ? Geometry{2000, 2820, 55, 1050, 1350, 1600, 250}
                                 : Geometry{2820, 1945, 35, 1250, 1550, 1800, 450};

    PrintComp.SetTitle(QStringLiteral("印刷プレビュー"));
    PrintComp.SetDataFile(core::SystemDef.WorkDir + QStringLiteral("/データリスト.TMP"));
    PrintComp.SetFormFile(QString());
    PrintComp.SetPaperSize(9);
    PrintComp.SetOrientation(Orientation);
    PrintComp.SetTopMargin(0);
    PrintComp.SetLeftMargin(0);
    PrintComp.SetZoom(10);
    PrintComp.UserColor1 = 0;
    PrintComp.UserColor2 = 0;
    PrintComp.NetColor1 = core::SystemDef.NetColor1;
    PrintComp.NetColor2 = core::SystemDef.NetColor2;
    print::SetMonoPrintColors(PrintRec.ColorPrint, PrintComp);
    PrintComp.SetPrintFom(false);
    PrintComp.SetModeSw(0);
    PrintComp.SetPermit(true);

    PrintComp.OpenDataFile(true);
    try {
        PrintComp.WriteHeader();
        writeRows();
    } catch (...) {
        try {
            PrintComp.CloseDataFile();
        } catch (...) {
            // The first failure is the one the caller hears about.
        }
        throw;
    }
    PrintComp.CloseDataFile();

    if (print == 1)
        PrintComp.Print();
    else
        PrintComp.Preview();
}

void TPrDataList::writeRows() {
    for (qsizetype p = 0; p < DispOrder.size(); ++p) {
        const int index = DispOrder.at(p);
        if (index < 0 || index >= Rows.size())
            continue; // an index the dialog no longer holds prints nothing
        const TDataSentakuRec& row = Rows.at(index);
        advanceLine();
        const int number = ServerList == 0 ? row.Rec : int(p) + 1;
        writeRow(row, QString::asprintf("%3d", number), lineY(line_));
        for (const TDataListRec& child : row.Children) {
            advanceLine();
            writeRow(child, QString(), lineY(line_));
        }
    }
}

// One line: number (parents only), name (and code in landscape), year, period, folder and the
// row rule, which the last line of a page leaves to the bottom rule.
void TPrDataList::writeRow(const TDataListRec& row, const QString& number, int y) {
    if (!number.isNull())
        text(kNumberX, y, number, PrintRec.BodyFontSize, kLeft);
    if (Orientation == 0) {
        text(geometry_.nameX, y, row.DispName, PrintRec.BodyFontSize, kLeft);
    } else {
        text(kCodeX, y, row.DataCode, PrintRec.BodyFontSize, kLeft);
        text(geometry_.nameX, y, row.DispName, PrintRec.BodyFontSize, kLeft);
    }

    if (row.EntText.isEmpty()) {
        text(geometry_.yearX, y, QString(), PrintRec.BodyFontSize, kLeft);
        text(geometry_.periodX, y, QString(), PrintRec.BodyFontSize, kLeft);
    } else if (row.Nendo < 1) {
        text(geometry_.yearX, y, QString(), PrintRec.BodyFontSize, kCenter);
        text(geometry_.periodX, y, QString(), PrintRec.BodyFontSize, kCenter);
    } else {
        text(geometry_.yearX, y, QStringLiteral("%1 期").arg(row.Nendo), PrintRec.BodyFontSize, kCenter);
        text(geometry_.periodX, y, row.KikanText, PrintRec.BodyFontSize, kCenter);
    }

    QString folder = row.PasName;
    if (!core::SystemDef.DataRoot.isEmpty())
        folder.replace(core::SystemDef.DataRoot, QStringLiteral("~"), Qt::CaseInsensitive);
    text(geometry_.folderX, y, folder, PrintRec.BodyFontSize, kLeft);

    if (line_ < geometry_.linesPerPage)
        rule(y + 34, 0, 2);
}

// The next line; on the first line and after a full page, a new page with its title, page
// number, column heads and the head and bottom rules.
void TPrDataList::advanceLine() {
    if (line_ != 0 && line_ <= geometry_.linesPerPage - 1) {
        ++line_;
        return;
    }
    if (line_ > 0)
        PrintComp.NewPage();
    const QString title = ServerList == 0 ? QStringLiteral("データリスト") : QStringLiteral("共有データリスト");
    text(geometry_.right / 2, 150, title, PrintRec.TitleFontSize, kCenter);
    text(geometry_.right, 250, QString::asprintf("PAGE %4d", page_), PrintRec.HeadFontSize, kRight);
    rule(300, 4, 0);

    const int head = PrintRec.HeadFontSize;
    text(180, 325, QStringLiteral("No"), head, kLeft);
    if (Orientation == 0) {
        text(250, 325, QStringLiteral("データリスト名"), head, kLeft);
    } else {
        text(250, 325, QStringLiteral("コード"), head, kLeft);
        text(450, 325, QStringLiteral("データリスト名"), head, kLeft);
    }
    text(geometry_.yearX, 325, QStringLiteral("会計年度"), head, kCenter);
    text(geometry_.periodX, 325, QStringLiteral("会計期間"), head, kCenter);
    text(geometry_.folderX, 325, QStringLiteral("データフォルダ"), head, kLeft);

    rule(390, 4, 0);
    rule(geometry_.bottomRule, 4, 0);
    line_ = 1;
    ++page_;
}

} // namespace companydata
