// The print component's writer: header block, records, text fitting and the hand-over to the
// preview or the printer.
#include "platform/Cp932.h"
#include "print/Pagewerk.h"
#include "print/PgwDef.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using print::TPagewerk;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The lines of a print-data file, decoded; the file must use CR LF throughout.
QStringList fileLines(const QString& path) {
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = platform::fromCp932(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString& l : lines)
        EXPECT_FALSE(l.contains(u'\n') || l.contains(u'\r')) << l.toStdString();
    return lines;
}

class PagewerkTest : public testing::Test {
protected:
    void SetUp() override {
        savedPreview_ = TPagewerk::PreviewEntry;
        savedPrint_ = TPagewerk::PrintEntry;
    }
    void TearDown() override {
        TPagewerk::PreviewEntry = savedPreview_;
        TPagewerk::PrintEntry = savedPrint_;
    }
    std::function<int(print::TPGWDEF&)> savedPreview_, savedPrint_;
    QTemporaryDir dir;
};

TEST_F(PagewerkTest, WritesTheHeaderOnceAndTheRecordsInCp932) {
    TPagewerk pw;
    pw.DataFile = dir.filePath(QStringLiteral("list.TMP"));
    pw.Title = QStringLiteral("印刷プレビュー");
    pw.Orientation = 1;
    pw.UserColor2 = 0xFF;
    pw.SetCopie(3);
    pw.OpenDataFile(false);
    pw.WriteHeader(); // a second header call writes nothing
    pw.PutText(170, 405, QStringLiteral("A;B表"), QStringLiteral("ＭＳ 明朝"), 9, QString(), QStringLiteral("黒"),
               QStringLiteral("OFF"), QStringLiteral("center"), 0);
    pw.PutText(10, 20, QStringLiteral("x"), QString(), 9, QStringLiteral("B"), QStringLiteral("黒"),
               QStringLiteral("ON"), QStringLiteral("Left"), 0);
    pw.PutLine(150, 300, 2000, 300, 4, 0, QStringLiteral("0"), false);
    pw.PutLine(1, 2, 3, 4, 5, 6, QStringLiteral("赤"), true);
    pw.NewPage();
    pw.BlankPage = 1;
    pw.NewPage();
    pw.CloseDataFile();
    EXPECT_EQ(pw.PageNo, 3);
    EXPECT_EQ(pw.DocTitle, QStringLiteral("list"));

    const QStringList expected = {
        QStringLiteral("*PAGEWERK") + QString(61, u'*'),
        QStringLiteral("*[SETTING]"),
        QStringLiteral("*PATH=") + QDir(dir.path()).absolutePath(),
        QStringLiteral("*VERSION=VCL.2.5"),
        QStringLiteral("*DATE=") + QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")),
        QStringLiteral("*TITLE=印刷プレビュー"),
        QStringLiteral("*FORMFILE="),
        QStringLiteral("*PAPERSIZE=9"),
        QStringLiteral("*OUTPUTPAPER=0"),
        QStringLiteral("*ORIENTATION=1"),
        QStringLiteral("*TOPMARGIN=0"),
        QStringLiteral("*LEFTMARGIN=0"),
        QStringLiteral("*FORMTOPMARGIN=0"),
        QStringLiteral("*FORMLEFTMARGIN=0"),
        QStringLiteral("*NETC1=$C0C0C0"),
        QStringLiteral("*NETC2=$C0C0C0"),
        QStringLiteral("*USERC1=$000000"),
        QStringLiteral("*USERC2=$0000FF"),
        QStringLiteral("*FORMPRINT=TRUE"),
        QStringLiteral("*COPIES=3"),
        QStringLiteral("*PAGENOSWITCH=FALSE"),
        QStringLiteral("*PAGENOLEFT=0"),
        QStringLiteral("*PAGENOTOP=0"),
        QStringLiteral("*PAGENOALIGNMENT=2"),
        QStringLiteral("*PAGENOFORMAT=(%d/%d)"),
        QString(61, u'*') + QStringLiteral("PAGEWERK*"),
        QStringLiteral("TEXT;170;405;A:B表;ＭＳ 明朝;9;;黒;1;CENTER;0;0;"),
        QStringLiteral("TEXT;10;20;x;;9;B;黒;ON;LEFT;0;0;"),
        QStringLiteral("LINE;150;300;2000;300;4;0;0;"),
        QStringLiteral("ELINE;1;2;3;4;5;6;赤;"),
        QStringLiteral("E;"),
        QStringLiteral("BOX;100;100;101;101;0;0;黒;白;1;"),
        QStringLiteral("E;"),
    };
    EXPECT_EQ(fileLines(pw.DataFile), expected);
    EXPECT_EQ(expected.first().size(), 70);
    EXPECT_TRUE(fileBytes(pw.DataFile).contains(platform::toCp932(QStringLiteral("A:B表"))));
}

TEST_F(PagewerkTest, FitsTextToTheWidthWithoutSplittingADoubleByteCharacter) {
    struct Case {
        const char* text;
        int width;
        const char* alignment;
        const char* expected;
    };
    const Case cases[] = {
        {"abc漢", 4, "left", "abc"},   // the 4th byte begins 漢: three bytes
        {"abcd漢", 4, "LEFT", "abcd"},
        {"ab", 4, "RIGHT", "  ab"},
        {"ab", 4, "LEFT", "ab  "},
        {"漢字a", 4, "RIGHT", "字a"},  // the last four bytes would begin with a trail byte
        {"abcdef", 4, "RIGHT", "cdef"},
        {"a;b", 0, "LEFT", "a:b"},
        {"abcdefgh", 0, "LEFT", "abcdefgh"},
        {"abcdefgh", 4, "CENTER", "abcdefgh"},
        {"ab", 127, "LEFT", "ab"},     // no padding beyond 126 bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::fromCp932(TPagewerk::PreparedText(QString::fromUtf8(c.text), c.width,
                                                              QString::fromUtf8(c.alignment))),
                  QString::fromUtf8(c.expected))
            << c.text << " / " << c.width << " / " << c.alignment;
    EXPECT_EQ(TPagewerk::PreparedText(QStringLiteral("ab"), 126, QStringLiteral("LEFT")).size(), 126);
}

TEST_F(PagewerkTest, RangedPropertiesKeepTheirValueAndMonoColoursTurnGrey) {
    TPagewerk pw;
    pw.SetCopie(100);
    pw.SetZoom(4);
    EXPECT_EQ(pw.Copie(), 1);
    EXPECT_EQ(pw.Zoom(), 10);
    pw.SetCopie(99);
    pw.SetZoom(20);
    EXPECT_EQ(pw.Copie(), 99);
    EXPECT_EQ(pw.Zoom(), 20);

    pw.NetColor1 = 0x0000FF; // red
    pw.NetColor2 = 0xFFFFFF;
    pw.UserColor1 = 0x123456;
    print::SetMonoPrintColors(1, pw);
    EXPECT_EQ(pw.NetColor1, 0x0000FF);
    EXPECT_EQ(pw.UserColor1, 0x123456);
    print::SetMonoPrintColors(0, pw);
    EXPECT_EQ(pw.NetColor1, 0x555555); // the mean of red, green and blue
    EXPECT_EQ(pw.NetColor2, 0xFFFFFF);
    EXPECT_EQ(pw.UserColor1, 0);
    EXPECT_EQ(pw.OcrGreen, 0);
}

TEST_F(PagewerkTest, TemporaryFileIsHandedToTheOutputAndDeletedAfterwards) {
    TPagewerk pw;
    pw.DataFile = dir.filePath(QStringLiteral("データリスト.TMP"));
    pw.PageBango = true;
    pw.OpenDataFile(true);
    const QString temp = pw.DataFile;
    EXPECT_NE(temp, dir.filePath(QStringLiteral("データリスト.TMP")));
    EXPECT_TRUE(QFileInfo(temp).fileName().startsWith(u'~')) << temp.toStdString();
    EXPECT_EQ(QFileInfo(temp).absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(pw.DocTitle, QStringLiteral("データリスト"));
    pw.CloseDataFile();

    QStringList calls;
    QByteArray seen;
    TPagewerk::PreviewEntry = [&](print::TPGWDEF& d) {
        calls << QStringLiteral("preview");
        seen = fileBytes(d.DataFile);
        return 7;
    };
    TPagewerk::PrintEntry = [&](print::TPGWDEF& d) {
        calls << QStringLiteral("print");
        EXPECT_NE(&d, &print::PgwDef); // printing works on a record of its own
        return -1;
    };
    EXPECT_TRUE(pw.Preview());
    EXPECT_EQ(pw.PreviewCloseNum, 7);
    EXPECT_TRUE(seen.startsWith("*PAGEWERK*"));
    EXPECT_FALSE(QFile::exists(temp));
    EXPECT_FALSE(pw.PageBango);
    EXPECT_TRUE(pw.DocTitle.isEmpty());

    pw.DelFile = false;
    pw.OpenDataFile(false);
    pw.CloseDataFile();
    EXPECT_TRUE(pw.Print());
    EXPECT_EQ(pw.PreviewCloseNum, 1);
    EXPECT_TRUE(QFile::exists(pw.DataFile));
    EXPECT_EQ(calls, (QStringList{QStringLiteral("preview"), QStringLiteral("print")}));
}

TEST_F(PagewerkTest, AFolderThatCannotBeWrittenRaisesAnError) {
    TPagewerk pw;
    pw.DataFile = dir.filePath(QStringLiteral("missing/list.TMP"));
    EXPECT_THROW(pw.OpenDataFile(true), std::exception);
    EXPECT_THROW(pw.OpenDataFile(false), std::exception);
    EXPECT_FALSE(pw.isOpen());
}


TEST_F(PagewerkTest, PropertiesKeepTheirRulesOnAssignment) {
    TPagewerk pw;
    pw.SetCopie(100);
    pw.SetZoom(4);
    pw.SetScale(151);
    pw.SetPrintQuality(0);
    pw.SetDuplex(4);
    pw.SetCollate(2);
    EXPECT_EQ(pw.Copie(), 1);
    EXPECT_EQ(pw.Zoom(), 10);
    EXPECT_EQ(pw.Scale(), 100);
    EXPECT_EQ(pw.PrintQuality(), 0);
    EXPECT_EQ(pw.Duplex(), 0);
    EXPECT_EQ(pw.Collate(), 0);
    pw.SetPrintQuality(-3);
    pw.SetColorMode(2);
    EXPECT_EQ(pw.PrintQuality(), -3);
    EXPECT_EQ(pw.ColorMode(), 2);
    pw.SetColorMode(7);
    EXPECT_EQ(pw.ColorMode(), 0);
    const std::pair<int, int> ratios[] = {{30, 1030}, {-50, 950}, {990, 990}, {900, 1000}, {51, 1000}};
    for (const auto& [given, stored] : ratios) {
        pw.SetVRATIO(given);
        EXPECT_EQ(pw.VRATIO(), stored) << given;
    }
    EXPECT_EQ(pw.OcrFontName(), QStringLiteral("OCR-B")); // the OCR face is installed
    pw.SetOcrFontName(QStringLiteral("No Such Face"));
    EXPECT_EQ(pw.OcrFontName(), QStringLiteral("OCR-B"));
    pw.SetOcrFontName(QStringLiteral("ipagothic"));
    EXPECT_EQ(pw.OcrFontName(), QStringLiteral("ipagothic"));
}

TEST_F(PagewerkTest, PageNumberFormatsNeedOneOrTwoIntegerPlaceholders) {
    struct Case {
        const char* format;
        bool kept;
        int count;
    } cases[] = {{"- %d / %d -", true, 2}, {"Page %D", true, 1}, {"%3d頁", false, 0}, // only "%d" itself counts as a placeholder
                 {"%s/%d", false, 1}, {"%d/%d/%d", false, 3}, {"none", false, 0}};
    for (const Case& c : cases) {
        TPagewerk pw;
        pw.PageBango = true;
        pw.SetPageBangoFormat(QString::fromUtf8(c.format));
        EXPECT_EQ(pw.PageBangoFormat(), c.kept ? QString::fromUtf8(c.format) : QStringLiteral("(%d/%d)")) << c.format;
        EXPECT_EQ(pw.PageBango, c.kept) << c.format;
        EXPECT_EQ(pw.PageBangoPlaceholders(), c.count) << c.format;
    }
}

TEST_F(PagewerkTest, PreviewFillsTheLibraryRecordAndNamesTheJob) {
    TPagewerk pw;
    pw.DataFile = dir.filePath(QStringLiteral("list.TMP"));
    pw.FormFile = QStringLiteral("/forms/a.pgf");
    pw.LeftMargin = 100;
    pw.EvenLeftMargin = 160;
    pw.SetZoom(12);
    pw.SetVRATIO(20);
    pw.PageBango = true;
    pw.PageBangoTop = 2850;
    pw.SetCopie(3);
    pw.OpenDataFile(false);
    pw.CloseDataFile();
    print::TPGWDEF seen;
    TPagewerk::PreviewEntry = [&](print::TPGWDEF& d) {
        seen = d;
        return 0;
    };
    pw.DocTitle.clear();
    pw.Preview();
    EXPECT_EQ(seen.DataFile, pw.DataFile);
    EXPECT_EQ(seen.FormFile, QStringLiteral("/forms/a.pgf"));
    EXPECT_EQ(seen.EvenLeftOffset, 60);
    EXPECT_EQ(seen.Zoom, 12);
    EXPECT_EQ(seen.VRATIO, 1020);
    EXPECT_EQ(seen.Copies, 3);
    EXPECT_TRUE(seen.PageNoSettings.Switch);
    EXPECT_EQ(seen.PageNoSettings.Top, 2850);
    EXPECT_EQ(seen.PageNoSettings.Format, QStringLiteral("(%d/%d)"));
    EXPECT_EQ(seen.DocTitle, QStringLiteral("PAGEWERK-VCL.2.5")); // neither document name nor title
    pw.Title = QStringLiteral("一覧");
    pw.Preview();
    EXPECT_EQ(seen.DocTitle, QStringLiteral("一覧"));
}

} // namespace
