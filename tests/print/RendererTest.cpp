// The renderer on a recording device at 254 dpi, where one device unit is 0.1 mm: mapping, zoom,
// paper ratios, margins, the base point, text layouts, shapes, colours and a failing device.
#include "PrintTestFiles.h"
#include "RecordingPaintDevice.h"
#include "print/ErrorLog.h"
#include "tests/core/QtPrinters.h"
#include "print/Fonts.h"
#include "print/PgwDef.h"
#include "print/PgwFile.h"
#include "print/RenderState.h"
#include "print/Renderer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace print;
using printtest::num;

namespace {

const QString kGothic = QStringLiteral("ＭＳ ゴシック");

class RendererTest : public testing::Test {
protected:
    void SetUp() override {
        PgwDef = StartPgwDef();
        LeftOffset = TopOffset = EvenOffset = 0;
        PaperRatioV = PaperRatioH = 0;
        SetPrintErrorLogFolder(dir.path());
    }
    void TearDown() override {
        PgwDef = StartPgwDef();
        LeftOffset = TopOffset = EvenOffset = 0;
        PaperRatioV = PaperRatioH = 0;
    }

    // Draws the first page of the lines and returns what the device recorded.
    QStringList render(const QStringList& lines, TRenderCall call = dat(), int* result = nullptr,
                       const QString& failOnText = {}) {
        const QString path = printtest::writeLines(dir.filePath(QStringLiteral("page%1.TMP").arg(++files)), lines);
        TPgwFile file;
        EXPECT_TRUE(file.Open(path));
        printtest::RecordingDevice device;
        device.engine.failOnText = failOnText;
        QPainter painter(&device);
        const int r = RenderPage(file, painter, call);
        painter.end();
        if (result)
            *result = r;
        return device.engine.log;
    }
    static TRenderCall dat() {
        TRenderCall c;
        c.Kind = QStringLiteral("DAT");
        return c;
    }
    static QStringList only(const QStringList& log, const QString& kind) {
        QStringList out;
        for (const QString& l : log)
            if (l.startsWith(kind + u' '))
                out << l;
        return out;
    }
    // The Gothic face at the pixel size a 10-point text has at 254 dpi.
    static QFontMetricsF gothicMetrics(int pixels = 35) {
        printtest::RecordingDevice device;
        return QFontMetricsF(MakeFont(kGothic, pixels), &device);
    }
    QString errorLog() const {
        return platform::fromCp932(printtest::readBytes(dir.filePath(QStringLiteral("Pagewerk_Error.log"))));
    }

    QTemporaryDir dir;
    int files = 0;
};

TEST_F(RendererTest, MapsRecordsWithZoomOffsetsAndEvenPages) {
    const QStringList page{QStringLiteral("LINE;100;200;600;200;5;0;赤;"),
                           QStringLiteral("TEXT;200;300;ABC;ＭＳ ゴシック;10;;青;")};
    struct Case {
        const char* name;
        int zoom, left, top, even;
        bool evenPage;
        QStringList expected;
    };
    const Case cases[] = {
        {"one unit a pixel", 10, 0, 0, 0, false,
         {"line 100,200 600,200 w5 #ff0000", "text 200,300 35 #0000ff 'ABC'"}},
        {"zoom 20", 20, 0, 0, 0, false, {"line 200,400 1200,400 w10 #ff0000", "text 400,600 70 #0000ff 'ABC'"}},
        {"zoom 5", 5, 0, 0, 0, false, {"line 50,100 300,100 w2.5 #ff0000", "text 100,150 17.5 #0000ff 'ABC'"}},
        {"offsets", 10, 50, 30, 100, false, {"line 150,230 650,230 w5 #ff0000", "text 250,330 35 #0000ff 'ABC'"}},
        {"even page", 10, 50, 30, 100, true, {"line 250,230 750,230 w5 #ff0000", "text 350,330 35 #0000ff 'ABC'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LeftOffset = c.left;
        TopOffset = c.top;
        EvenOffset = c.even;
        TRenderCall call = dat();
        call.Zoom = c.zoom;
        call.EvenPage = c.evenPage;
        EXPECT_EQ(render(page, call), c.expected);
    }
}

TEST_F(RendererTest, PaperRatiosScaleCoordinatesAndTextHeights) {
    const QStringList page{QStringLiteral("LINE;1000;2000;2000;2000;1;"),
                           QStringLiteral("TEXT;1000;2000;ABC;ＭＳ ゴシック;10;")};
    PgwDef.PaperSize = 12; // B4 printed on A4
    SetPaperRatios(9);
    EXPECT_EQ(PaperRatioV, 839);
    EXPECT_EQ(PaperRatioH, 840);
    EXPECT_EQ(render(page), (QStringList{QStringLiteral("line 840,1678 1680,1678 w1 #000000"),
                                         QStringLiteral("text 840,1678 29 #000000 'ABC'")}));

    PgwDef.PaperSize = 9; // the same paper at 1000 per mille: nothing scaled
    SetPaperRatios(9);
    EXPECT_EQ(render(page), (QStringList{QStringLiteral("line 1000,2000 2000,2000 w1 #000000"),
                                         QStringLiteral("text 1000,2000 35 #000000 'ABC'")}));
}

TEST_F(RendererTest, MarginRecordsAndTheBasePointLastToTheEndOfThePage) {
    LeftOffset = 50;
    int result = -1;
    const QStringList log = render({QStringLiteral("TEXT;100;100;A;ＭＳ ゴシック;10;"), QStringLiteral("LEFTMARGIN;200;"),
                                    QStringLiteral("TEXT;100;200;B;ＭＳ ゴシック;10;"), QStringLiteral("BP;100;100;3;0;赤;"),
                                    QStringLiteral("LINEB;50;0;"), QStringLiteral("TEXT;10;400;C;ＭＳ ゴシック;10;"),
                                    QStringLiteral("LINE;0;0;10;0;1;"), QStringLiteral("E;"),
                                    QStringLiteral("TEXT;100;100;D;ＭＳ ゴシック;10;")},
                                   dat(), &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(log, (QStringList{QStringLiteral("text 150,100 35 #000000 'A'"), QStringLiteral("text 350,200 35 #000000 'B'"),
                                QStringLiteral("line 350,100 400,100 w3 #ff0000"),
                                QStringLiteral("text 360,500 35 #000000 'C'"),
                                QStringLiteral("line 350,100 360,100 w1 #000000")}));
    EXPECT_EQ(LeftOffset, 50);

    // The next page starts again from the offset in force and the page's own origin.
    EXPECT_EQ(render({QStringLiteral("TEXT;100;100;D;ＭＳ ゴシック;10;")}, dat(), &result),
              QStringList{QStringLiteral("text 150,100 35 #000000 'D'")});
    EXPECT_EQ(result, 1); // the file ended without "E"
}

TEST_F(RendererTest, TextLayouts) {
    const QFontMetricsF fm = gothicMetrics();
    ASSERT_EQ(fm.horizontalAdvance(u'A'), 17.5); // half-width Latin: padded texts line up
    ASSERT_EQ(fm.horizontalAdvance(u'日'), 35);
    const double h = fm.height();

    // Even pitch over 400: p = (400 − 17.5) ÷ 3 bytes; a double-byte character advances 2p.
    EXPECT_EQ(only(render({QStringLiteral("UTEXT;100;500;ABCD;ＭＳ ゴシック;10;;黒;OFF;LEFT;400;0;"),
                           QStringLiteral("UTEXT;100;600;A日B;ＭＳ ゴシック;10;;黒;OFF;LEFT;400;0;")}),
                   QStringLiteral("text")),
              (QStringList{"text 100,500 35 #000000 'A'", "text 228,500 35 #000000 'B'", "text 355,500 35 #000000 'C'",
                           "text 482,500 35 #000000 'D'", "text 100,600 35 #000000 'A'",
                           "text 228,600 35 #000000 '日'", "text 482,600 35 #000000 'B'"}));

    // Stacked over 300: pitch round((300 − height) ÷ 2); two characters: 300 − height; the long
    // vowel mark as a turned "一" one point smaller.
    const int p3 = int(std::nearbyint((300 - h) / 2));
    const QStringList vertical = only(render({QStringLiteral("VTEXT;1000;500;ABC;ＭＳ ゴシック;10;;黒;OFF;LEFT;300;0;"),
                                              QStringLiteral("VTEXT;1500;500;アー;ＭＳ ゴシック;10;;黒;OFF;LEFT;300;0;")}),
                                       QStringLiteral("text"));
    ASSERT_EQ(vertical.size(), 5);
    EXPECT_EQ(vertical.mid(0, 4),
              (QStringList{"text 1000,500 35 #000000 'A'", QStringLiteral("text 1000,%1 35 #000000 'B'").arg(500 + p3),
                           QStringLiteral("text 1000,%1 35 #000000 'C'").arg(500 + 2 * p3),
                           "text 1500,500 35 #000000 'ア'"}));
    EXPECT_TRUE(vertical.at(4).endsWith(QStringLiteral(" 32 #000000 rotated '一'"))) << vertical.at(4).toStdString();

    // Double underline: a run of blanks as long as the text in bytes, 0.4 mm lower, underlined.
    EXPECT_EQ(only(render({QStringLiteral("TEXT;100;800;日本;ＭＳ ゴシック;10;DU;黒;")}), QStringLiteral("text")),
              (QStringList{"text 100,804 35 #000000 U '    '", "text 100,800 35 #000000 U '日本'"}));

    // TAB: one part under the other at the whole text's height, inside a sub-form as well.
    EXPECT_EQ(only(render({QStringLiteral("TEXT;100;1000;ab\tcd\tef;ＭＳ ゴシック;10;")}), QStringLiteral("text")),
              (QStringList{"text 100,1000 35 #000000 'ab'", "text 100," + num(1000 + h) + " 35 #000000 'cd'",
                           "text 100," + num(1000 + 2 * h) + " 35 #000000 'ef'"}));
    const QString sub = printtest::writeLines(dir.filePath(QStringLiteral("sub.pgf")),
                                              {QStringLiteral("TEXT;10;20;ab\tcd;ＭＳ ゴシック;10;")});
    LeftOffset = 50;
    EXPECT_EQ(only(render({QStringLiteral("FORM;%1;FALSE;300;2000;").arg(sub)}), QStringLiteral("text")),
              (QStringList{"text 360,2020 35 #000000 'ab'", "text 360," + num(2020 + h) + " 35 #000000 'cd'"}));
}

TEST_F(RendererTest, MemoKeepsTheWholeLinesThatFit) {
    // 40 full-width characters in a box 500 wide and 80 high: 14 a line, two lines fit.
    const QString text = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらり");
    const QStringList log = render({QStringLiteral("MEMO;100;1200;600;1280;%1;0;ＭＳ ゴシック;10;;青;").arg(text)});
    const double h = gothicMetrics().height();
    ASSERT_LE(2 * h, 80);
    ASSERT_GT(3 * h, 80);
    EXPECT_EQ(log, (QStringList{QStringLiteral("rect 95,1195-605,1285 w0 #0000ff fill #ffffff"),
                                "text 100,1200 35 #0000ff '" + text.mid(0, 14) + u'\'',
                                "text 100," + num(1200 + h) + " 35 #0000ff '" + text.mid(14, 14) + u'\''}));
}

TEST_F(RendererTest, SeparatorLinesFillsAndColours) {
    PgwDef.NetColor1 = 0xC0C0C0;
    // Separators left of x spaced by the width of "000" (three half-width digits, 52.5).
    EXPECT_EQ(render({QStringLiteral("SLINE;1000;1400;1600;2;1;0;黒;ＭＳ ゴシック;10;")}),
              (QStringList{"line 946.5,1400 946.5,1600 w1 #000000", "line 894,1400 894,1600 w1 #000000"}));

    // Fills of modes 1 and 2 go under everything, wherever they stand; mode 0 in record order.
    EXPECT_EQ(render({QStringLiteral("TEXT;100;100;A;ＭＳ ゴシック;10;"), QStringLiteral("FRECT;600;600;700;700;赤;0;"),
                      QStringLiteral("FRECT;0;0;500;500;薄網掛;1;"), QStringLiteral("FRECT;10;10;20;20;黄;2;")}),
              (QStringList{"rect 0,0-500,500 w- #000000 fill #c0c0c0", "rect 10,10-20,20 w- #000000 fill #ffff00",
                           "text 100,100 35 #000000 'A'", "rect 600,600-700,700 w- #000000 fill #ff0000"}));

    const QStringList shapes{QStringLiteral("LINE;0;0;100;0;1;0;赤;"), QStringLiteral("FRECT;0;0;100;100;白;0;"),
                             QStringLiteral("CIRCLE;0;0;100;100;1;0;赤;青;0;"), QStringLiteral("LINE;0;0;100;0;1;0;黒;")};
    struct Case {
        const char* name;
        const char* kind;
        bool printForm, grey;
        QStringList expected;
    };
    const Case cases[] = {
        {"colours", "DAT", false, false,
         {"line 0,0 100,0 w1 #ff0000", "rect 0,0-100,100 w- #000000 fill #ffffff",
          "ellipse 0,0-100,100 w1 #ff0000 fill #0000ff", "line 0,0 100,0 w1 #000000"}},
        {"grey scale", "DAT", false, true,
         {"line 0,0 100,0 w1 #4c4c4c", "rect 0,0-100,100 w- #000000 fill #ffffff",
          "ellipse 0,0-100,100 w1 #4c4c4c fill #1d1d1d", "line 0,0 100,0 w1 #000000"}},
        {"form not printed: pale", "FOM", false, false,
         {"line 0,0 100,0 w1 #e6e6e6", "rect 0,0-100,100 w- #000000 fill #ffffff",
          "ellipse 0,0-100,100 w1 #e6e6e6 fill #0000ff", "line 0,0 100,0 w1 #e6e6e6"}},
        {"form printed", "FOM", true, false,
         {"line 0,0 100,0 w1 #ff0000", "rect 0,0-100,100 w- #000000 fill #ffffff",
          "ellipse 0,0-100,100 w1 #ff0000 fill #0000ff", "line 0,0 100,0 w1 #000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PgwDef.PrintFom = c.printForm;
        PgwDef.GrayScale = c.grey;
        TRenderCall call = dat();
        call.Kind = QString::fromLatin1(c.kind);
        EXPECT_EQ(render(shapes, call), c.expected);
    }
}

TEST_F(RendererTest, PicturesBarCodesAndAFailingDevice) {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString png = dir.filePath(QStringLiteral("pic.png"));
    ASSERT_TRUE(picture.save(png));
    EXPECT_EQ(render({QStringLiteral("IMAGE;100;100;300;200;%1;0;").arg(png), QStringLiteral("IMAGE;100;100;300;200;%1;1;").arg(png),
                      QStringLiteral("IMAGE;100;100;300;200;%1;0;").arg(dir.filePath(QStringLiteral("none.png")))}),
              (QStringList{"image 100,100-300,200 4x2 alpha 0", "image 100,100-300,200 4x2 alpha 1"}));

    // No bar-code face here: the digits come in the Gothic face, and the log says so.
    EXPECT_EQ(render({QStringLiteral("TEXT;100;100;4901234567894;JAN;10;")}),
              QStringList{QStringLiteral("text 100,100 35 #000000 '4901234567894'")});
    EXPECT_TRUE(errorLog().contains(QStringLiteral("ImageOut.(JAN):"))) << errorLog().toStdString();

    // The failure ends the page: logged with the record's kind, offsets restored, result 1.
    LeftOffset = 20;
    int result = -1;
    const QStringList log = render({QStringLiteral("LEFTMARGIN;100;"), QStringLiteral("TEXT;100;100;before;"),
                                    QStringLiteral("TEXT;100;200;FAIL;"), QStringLiteral("TEXT;100;300;after;"),
                                    QStringLiteral("E;")},
                                   dat(), &result, QStringLiteral("FAIL"));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(LeftOffset, 20);
    ASSERT_EQ(only(log, QStringLiteral("text")).size(), 1);
    EXPECT_TRUE(errorLog().endsWith(QStringLiteral("  ImageOut.(TEXT):device lost\r\n"))) << errorLog().toStdString();
}

} // namespace
