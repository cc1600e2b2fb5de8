// Whole pages drawn on an image at 127 dpi and compared with reviewed reference images in
// data/: a data-list page and a page with every record kind. A few pixels may differ (glyph
// edges); on a failure the drawn page and a picture of the differences are kept in
// print-image-diffs/ of the test's working folder. TAXLINK_UPDATE_REFERENCE_IMAGES=1 writes the
// references anew, to be looked at before they are committed.
#include "PrintTestFiles.h"
#include "print/Fields.h"
#include "print/PgwDef.h"
#include "print/PgwFile.h"
#include "print/RenderState.h"
#include "print/Renderer.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace print;

namespace {

constexpr int kDpi = 127;

QImage drawPage(const QString& dataFile, const QString& formFile = {}) {
    QImage image(1050, 1485, QImage::Format_RGB32); // A4
    image.setDotsPerMeterX(5000);
    image.setDotsPerMeterY(5000);
    image.fill(Qt::white);
    QPainter painter(&image);
    TRenderCall call;
    call.Fx = call.Fy = kDpi / 254.0;
    call.Resolution = kDpi;
    if (!formFile.isEmpty()) {
        TPgwFile form;
        EXPECT_TRUE(form.Open(formFile) && form.FindPage(1, true));
        call.Kind = QStringLiteral("FOM");
        RenderPage(form, painter, call);
    }
    TPgwFile data;
    EXPECT_TRUE(data.Open(dataFile));
    call.Kind = QStringLiteral("DAT");
    RenderPage(data, painter, call);
    painter.end();
    return image;
}

// Compares with the reference; a pixel differs when a channel is more than 48 apart.
void expectLikeReference(const QImage& drawn, const QString& name) {
    const QString reference = QStringLiteral(TAXLINK_PRINT_TEST_DATA "/") + name + QStringLiteral(".png");
    if (qEnvironmentVariableIntValue("TAXLINK_UPDATE_REFERENCE_IMAGES") == 1)
        ASSERT_TRUE(drawn.save(reference));
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no reference " << reference.toStdString();
    ASSERT_EQ(expected.size(), drawn.size());
    QImage diff(drawn.size(), QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = expected.pixel(x, y);
            const bool apart = std::abs(qRed(a) - qRed(b)) > 48 || std::abs(qGreen(a) - qGreen(b)) > 48 ||
                               std::abs(qBlue(a) - qBlue(b)) > 48;
            differing += apart ? 1 : 0;
            const int pale = 191 + qGray(b) / 4;
            diff.setPixel(x, y, apart ? qRgb(255, 0, 0) : qRgb(pale, pale, pale));
        }
    const qint64 allowed = 200; // glyph edges; a title moved by 1 mm differs in some 900
    if (differing > allowed) {
        const QString kept = QDir::current().filePath(QStringLiteral("print-image-diffs"));
        QDir().mkpath(kept);
        drawn.save(kept + u'/' + name + QStringLiteral("-drawn.png"));
        diff.save(kept + u'/' + name + QStringLiteral("-diff.png"));
        ADD_FAILURE() << differing << " pixels differ from " << reference.toStdString() << " (allowed " << allowed
                      << "); kept in " << kept.toStdString();
    }
}

class ReferenceImageTest : public testing::Test {
protected:
    void SetUp() override {
        PgwDef = StartPgwDef();
        LeftOffset = TopOffset = EvenOffset = 0;
        PaperRatioV = PaperRatioH = 0;
        NumberingPage = 1;
    }
    void TearDown() override {
        PgwDef = StartPgwDef();
        HensuuYomikomi(QString(), 0, 0);
    }
    QString write(const QString& name, const QStringList& lines) {
        return printtest::writeLines(dir.filePath(name), lines);
    }
    QTemporaryDir dir;
};

TEST_F(ReferenceImageTest, DataListPage) {
    QStringList lines = printtest::header();
    auto text = [&](int x, int y, const QString& t, int size, const char* alignment) {
        lines << QStringLiteral("TEXT;%1;%2;%3;ＭＳ 明朝;%4;;黒;OFF;%5;0;0;").arg(x).arg(y).arg(t).arg(size).arg(
            QLatin1String(alignment));
    };
    auto rule = [&](int y) { lines << QStringLiteral("LINE;150;%1;1950;%1;4;0;0;").arg(y); };
    text(975, 150, QStringLiteral("データリスト"), 16, "CENTER");
    text(1950, 250, QStringLiteral("PAGE    1"), 9, "RIGHT");
    rule(300);
    text(180, 325, QStringLiteral("No"), 9, "LEFT");
    text(250, 325, QStringLiteral("データリスト名"), 9, "LEFT");
    text(1150, 325, QStringLiteral("会計年度"), 9, "CENTER");
    text(1400, 325, QStringLiteral("会計期間"), 9, "CENTER");
    text(1650, 325, QStringLiteral("データフォルダ"), 9, "LEFT");
    rule(390);
    const char* names[] = {"株式会社日本門商事", "有限会社山田工務店", "高橋水産株式会社", "大月一人事務所"};
    for (int i = 0; i < 4; ++i) {
        const int y = 420 + i * 80;
        text(180, y, QString::number(i + 1), 9, "LEFT");
        text(250, y, QString::fromUtf8(names[i]), 9, "LEFT");
        text(1150, y, QStringLiteral("%1 期").arg(20 + i), 9, "CENTER");
        text(1400, y, QStringLiteral("R05/04/01-R06/03/31"), 9, "CENTER");
        text(1650, y, QStringLiteral("/data/D%1").arg(1001 + i), 9, "LEFT");
        lines << QStringLiteral("LINE;150;%1;1950;%1;1;2;0;").arg(y + 60);
    }
    rule(2800);
    expectLikeReference(drawPage(write(QStringLiteral("list.TMP"), lines)), QStringLiteral("datalist-page"));
}

TEST_F(ReferenceImageTest, EveryRecordKind) {
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter pp(&picture);
    pp.fillRect(0, 0, 20, 20, QColor(0, 0, 200));
    pp.fillRect(20, 10, 20, 10, QColor(200, 150, 0));
    pp.end();
    const QString png = dir.filePath(QStringLiteral("pic.png"));
    ASSERT_TRUE(picture.save(png));
    const QString sub = write(QStringLiteral("sub.pgf"), {QStringLiteral("BOX;0;0;400;150;2;0;濃紺;白;1;"),
                                                          QStringLiteral("TEXT;20;20;副様式;ＭＳ ゴシック;10;;濃紺;"),
                                                          QStringLiteral("&;20;80;SUBFIELD;ＭＳ ゴシック;9;;赤;OFF;LEFT;0;0;0;")});
    const QString form = write(QStringLiteral("form.pgf"),
                               {QStringLiteral("BOX;100;100;2000;2850;3;0;緑;白;1;"),
                                QStringLiteral("TEXT;150;120;様式の見出し;ＭＳ 明朝;14;;赤;"),
                                QStringLiteral("&;1200;200;NAME;ＭＳ ゴシック;12;B;青;OFF;LEFT;0;0;0;"),
                                QStringLiteral("&;1200;360;AMOUNT;ＭＳ ゴシック;10;;黒;OFF;LEFT;500;0;0;"),
                                QStringLiteral("&;0;0;行間;;;;;;;60;"), QStringLiteral("$;1;1;TOTAL;")});
    HensuuYomikomi(form, 0, 0);
    PgwDef.PrintFom = false; // the form shows pale
    PgwDef.NetColor1 = 0xE0E0FF;
    PgwDef.NetColor2 = 0x808080;
    PgwDef.UserColor1 = 0x008000;

    QStringList lines = printtest::header();
    lines << QStringLiteral("FRECT;150;1900;1950;2000;薄網掛;1;")
          << QStringLiteral("TEXT;200;200;明朝 Mincho 12;ＭＳ 明朝;12;;黒;")
          << QStringLiteral("TEXT;200;260;ゴシック Bold;ＭＳ ゴシック;12;B;赤;")
          << QStringLiteral("TEXT;200;320;Italic Underline;ＭＳ Ｐ明朝;12;IU;青;")
          << QStringLiteral("TEXT;200;380;取消線 Strike;ＭＳ Ｐゴシック;12;S;緑;")
          << QStringLiteral("TEXT;200;440;二重下線;ＭＳ 明朝;12;DU;黒;")
          << QStringLiteral("TEXT;200;500;白地 ON;ＭＳ ゴシック;12;;黒;ON;")
          << QStringLiteral("TEXT;200;560;黄の地;ＭＳ ゴシック;12;;濃紺;黄;")
          << QStringLiteral("TEXT;1000;620;中央揃え;ＭＳ 明朝;12;;黒;OFF;CENTER;")
          << QStringLiteral("TEXT;1000;680;右揃え;ＭＳ 明朝;12;;黒;OFF;RIGHT;")
          << QStringLiteral("TEXT;0;0; 続き;ＭＳ 明朝;12;;赤;")
          << QStringLiteral("NTEXT;200;740;1234567890 OCR;OCR-B;12;;黒;")
          << QStringLiteral("TEXT;200;800;4901234567894;JAN;12;;黒;")
          << QStringLiteral("UTEXT;200;860;均等割付;ＭＳ 明朝;12;;黒;OFF;LEFT;600;0;")
          << QStringLiteral("TEXT;200;920;圧縮された長い文字列;ＭＳ 明朝;12;C;黒;OFF;LEFT;300;0;")
          << QStringLiteral("VTEXT;1900;400;縦書きテキスト;ＭＳ 明朝;12;;黒;OFF;LEFT;600;0;")
          << QStringLiteral("TEXT;200;980;一行目\t二行目\t三行目;ＭＳ 明朝;10;;暗青緑;")
          << QStringLiteral("TEXT;700;1000;中心;ＭＳ ゴシック;10;;赤紫;OFF;LEFT;0;1;")
          << QStringLiteral("@;NAME;山田太郎;") << QStringLiteral("@;NAME;鈴木花子;")
          << QStringLiteral("@;AMOUNT;12,345;")
          << QStringLiteral("MEMO;1000;1000;1500;1150;メモ欄に収まらない長い文章はここで折り返され、入りきらない行は捨てられます。;2;ＭＳ 明朝;10;;栗;")
          << QStringLiteral("LINE;200;1200;900;1200;3;0;黒;") << QStringLiteral("LINE;200;1230;900;1230;3;1;赤;")
          << QStringLiteral("LINE;200;1260;900;1260;3;2;青;") << QStringLiteral("ELINE;200;1290;900;1290;15;0;UCOLOR1;")
          << QStringLiteral("BOX;200;1320;500;1500;2;0;黒;空;0;") << QStringLiteral("BOX;550;1320;850;1500;2;0;黒;灰;6;")
          << QStringLiteral("RRECT;900;1320;1200;1500;60;60;2;0;紫;銀;0;")
          << QStringLiteral("CIRCLE;1250;1320;1450;1500;2;0;黒;黄緑;4;")
          << QStringLiteral("MARUMOJI;1600;1410;150;済;ＭＳ 明朝;12;B;赤;")
          << QStringLiteral("FRECT;200;1550;600;1650;濃網掛;0;") << QStringLiteral("FRECT;650;1550;1050;1650;黄;2;")
          << QStringLiteral("SLINE;1900;1550;1650;3;1;0;黒;ＭＳ ゴシック;10;")
          << QStringLiteral("TEXT;1900;1580;1234567890;ＭＳ ゴシック;10;;黒;OFF;RIGHT;")
          << QStringLiteral("IMAGE;800;1700;1200;1800;%1;0;").arg(png)
          << QStringLiteral("FORM;%1;TRUE;1300;1700;").arg(sub) << QStringLiteral("@;SUBFIELD;副様式の欄;")
          << QStringLiteral("LEFTMARGIN;100;") << QStringLiteral("TOPMARGIN;100;")
          << QStringLiteral("TEXT;100;2700;余白を移した行;ＭＳ 明朝;10;;黒;") << QStringLiteral("CHART;x;0;0;10;10;0;")
          << QStringLiteral("BP;100;1850;4;0;赤;") << QStringLiteral("LINEB;300;0;") << QStringLiteral("LINEB;600;-100;")
          << QStringLiteral("TEXT;700;-100;基点から;ＭＳ 明朝;10;;赤;")
          << QStringLiteral("E;");
    expectLikeReference(drawPage(write(QStringLiteral("all.TMP"), lines), form), QStringLiteral("all-kinds-page"));
}

} // namespace
