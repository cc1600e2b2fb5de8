// The print-data format: records and vocabularies, pages, and saved print jobs.
#include "PrintTestFiles.h"
#include "print/PgwDef.h"
#include "print/PgwFile.h"
#include "print/PgwFormat.h"
#include "print/PgwJob.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace print;

namespace {

TEST(PgwFormatTest, RecordLinesReadTheSameWithAndWithoutClosingSeparator) {
    const TPgwRecord a(NormalizeRecordLine(QStringLiteral("text;10;20;\"ab\"c")));
    EXPECT_EQ(a.Kind, QStringLiteral("TEXT"));
    EXPECT_EQ(a.Text(2), QStringLiteral("abc")); // the quotes are deleted
    EXPECT_EQ(a.Text(7), QString());           // beyond the line: empty
    EXPECT_EQ(a.Number(3, 10), 10);            // empty numeric field: the default
    const TPgwRecord b(NormalizeRecordLine(QStringLiteral("TEXT;10;20;abc;")));
    EXPECT_EQ(a.Fields, b.Fields);
    EXPECT_EQ(ParseNumber(QStringLiteral("$1F")), 31);
    EXPECT_EQ(ParseNumber(QStringLiteral("x"), 7), 7);
    EXPECT_EQ(RecordKind(QStringLiteral("ｅ;")), QStringLiteral("ｅ")); // double-byte letters stay
    EXPECT_TRUE(IsPageEndLine(QStringLiteral("e;")));
    EXPECT_TRUE(IsPageEndLine(QStringLiteral("E;")));
    EXPECT_FALSE(IsPageEndLine(QStringLiteral("E")));
}

TEST(PgwFormatTest, ColourAndBackgroundVocabulary) {
    TPGWDEF def = StartPgwDef();
    def.NetColor1 = 0x123456;
    def.UserColor2 = 0x654321;
    struct Case {
        const char16_t* field;
        quint32 colour;
    } cases[] = {
        {u"赤", 0x0000FF}, {u"9", 0x0000FF}, {u"255", 0x0000FF}, {u"16", 0xFF000001}, {u"35", 0xFF000014},
        {u"薄網掛", 0x123456}, {u"40", 0x123456}, {u"43", 0x654321}, {u"ucolor2", 0x654321},
        {u"OcrGreen", 0x2CBE00}, {u"", 0}, {u"桃", 0}, {u"$FF00", 0xFF00}, {u"白", 0xFFFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quint32(ResolveColour(QString::fromUtf16(c.field), def)), c.colour)
            << QString::fromUtf16(c.field).toStdString();
    EXPECT_EQ(ResolveBackground(QStringLiteral("ON"), def), 0xFFFFFF);
    for (const char16_t* none : {u"OFF", u"1", u"黒"})
        EXPECT_FALSE(DrawsBackground(ResolveBackground(QString::fromUtf16(none), def)));
    EXPECT_TRUE(DrawsBackground(ResolveBackground(QStringLiteral("黄"), def)));
}

TEST(PgwFormatTest, StylesAndAlignments) {
    EXPECT_FALSE(ParseStyle(QStringLiteral("UB")).Bold); // letters in the order B, I, U, S only
    EXPECT_FALSE(ParseStyle(QStringLiteral("UB")).Underline);
    const TTextStyle cb = ParseStyle(QStringLiteral("CB"));
    EXPECT_TRUE(cb.Bold && cb.Compressed);
    const TTextStyle bis = ParseStyle(QStringLiteral("BIS"));
    EXPECT_TRUE(bis.Bold && bis.Italic && bis.StrikeOut && !bis.Underline);
    EXPECT_TRUE(ParseStyle(QStringLiteral("DU")).DoubleUnderline);
    EXPECT_EQ(ParseAlignment(QStringLiteral("CENTER")), 1);
    EXPECT_EQ(ParseAlignment(QStringLiteral("1")), 1);
    EXPECT_EQ(ParseAlignment(QStringLiteral("BOTTOM")), 2);
    EXPECT_EQ(ParseAlignment(QStringLiteral("center")), 0);
}

class PgwFileTest : public testing::Test {
protected:
    QString file(const QString& name, const QStringList& lines) { return printtest::writeLines(dir.filePath(name), lines); }
    QTemporaryDir dir;
};

TEST_F(PgwFileTest, SignatureNeedsTheTenthAsterisk) {
    EXPECT_TRUE(FileHasSignature(file(QStringLiteral("a.TMP"), printtest::header())));
    EXPECT_FALSE(FileHasSignature(file(QStringLiteral("b.TMP"), {QStringLiteral("*PAGEWERKX****")})));
    EXPECT_FALSE(FileHasSignature(file(QStringLiteral("c.TMP"), {})));
    EXPECT_FALSE(FileHasSignature(dir.filePath(QStringLiteral("none"))));
}

TEST_F(PgwFileTest, PagesAreCountedAndFoundWithAndWithoutWrap) {
    // Three pages, the last not ended; a trailing "E;" would count one page more.
    const QString data = file(QStringLiteral("d.TMP"), {QStringLiteral("P1"), QStringLiteral("E;"), QStringLiteral("P2"),
                                                        QStringLiteral("e;"), QStringLiteral("P3")});
    EXPECT_EQ(CountFilePages(data), 3);
    EXPECT_EQ(CountFilePages(file(QStringLiteral("e.TMP"), {QStringLiteral("P1"), QStringLiteral("E;")})), 2);
    EXPECT_EQ(CountFilePages(QString()), 1);
    EXPECT_EQ(CountFilePages(dir.filePath(QStringLiteral("missing"))), 1);

    TPgwFile f;
    ASSERT_TRUE(f.Open(data));
    ASSERT_TRUE(f.FindPage(3, false));
    EXPECT_EQ(f.ReadLine(), QStringLiteral("P3"));
    EXPECT_FALSE(f.FindPage(4, false));
    ASSERT_TRUE(f.FindPage(4, true)); // wraps: page 4 of a three-page form is its first page
    EXPECT_EQ(f.ReadLine(), QStringLiteral("P1"));
    ASSERT_TRUE(f.FindPage(8, true));
    EXPECT_EQ(f.ReadLine(), QStringLiteral("P2"));
}

TEST_F(PgwFileTest, ASavedJobCarriesItsFormSubFormAndPictureAndOpensAgain) {
    const QString form = file(QStringLiteral("main.pgf"), {QStringLiteral("LINE;0;0;100;100;")});
    const QString sub = file(QStringLiteral("sub.pgf"), {QStringLiteral("BOX;0;0;10;10;")});
    const QString picture = file(QStringLiteral("logo.bmp"), {QStringLiteral("BM")});
    QStringList lines = printtest::header(QStringLiteral("*FORMFILE=%1\n*PAPERSIZE=12\n*ORIENTATION= 1\n*NETC1=$00FF00\n*FORMPRINT=TRUE").arg(form)).join(u'\n').split(u'\n');
    lines << QStringLiteral("FORM;%1;TRUE;10;20;").arg(sub) << QStringLiteral("IMAGE;1;2;3;4;%1;1;").arg(picture)
          << QStringLiteral("CHART;ref;5;6;7;8;0;") << QStringLiteral("TEXT;1;1;日本;");
    const QString data = file(QStringLiteral("job.TMP"), lines);

    QDir(dir.path()).mkdir(QStringLiteral("out"));
    const QString out = dir.filePath(QStringLiteral("out"));
    SavePrintJob(data, form, out, QStringLiteral("月次"));
    const QString job = out + QStringLiteral("/月次.pgw");
    TPgwFile saved;
    ASSERT_TRUE(saved.Open(job));
    QStringList savedLines;
    while (!saved.AtEnd())
        savedLines << saved.ReadLine();
    EXPECT_TRUE(savedLines.contains(QStringLiteral("*FORMFILE=%1/月次.pgf").arg(out)));
    EXPECT_TRUE(savedLines.contains(QStringLiteral("FORM;%1/月次_FORMAT-1.pgf;TRUE;10;20;").arg(out)));
    EXPECT_TRUE(savedLines.contains(QStringLiteral("IMAGE;1;2;3;4;%1/月次_logo.bmp;0;").arg(out)));
    EXPECT_TRUE(savedLines.contains(QStringLiteral("IMAGE;5;6;7;8;%1/月次_CHART.WMF;0;").arg(out)));
    EXPECT_TRUE(savedLines.contains(QStringLiteral("TEXT;1;1;日本;")));
    EXPECT_EQ(printtest::readBytes(out + QStringLiteral("/月次.pgf")), printtest::readBytes(form));
    EXPECT_EQ(printtest::readBytes(out + QStringLiteral("/月次_FORMAT-1.pgf")), printtest::readBytes(sub));
    EXPECT_TRUE(QFileInfo::exists(out + QStringLiteral("/月次_logo.bmp")));

    const TPrintJobHeader h = ReadPrintJobHeader(job);
    EXPECT_EQ(h.FormFile, out + QStringLiteral("/月次.pgf"));
    EXPECT_EQ(h.PaperSize, 12);
    EXPECT_EQ(h.OutPutPaper, 9); // absent: 9
    EXPECT_EQ(h.Orientation, 1);
    EXPECT_EQ(h.NetColor1, 0x00FF00);
    EXPECT_TRUE(h.PrintFom);

    SavePrintJob(data, QString(), out, QStringLiteral("no-form")); // without a form: the key alone
    TPgwFile noForm;
    ASSERT_TRUE(noForm.Open(out + QStringLiteral("/no-form.pgw")));
    bool found = false;
    while (!noForm.AtEnd())
        found = noForm.ReadLine() == u"*FORMFILE=" || found;
    EXPECT_TRUE(found);
}

} // namespace
