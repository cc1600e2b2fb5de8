// Printing to PDF job files and the offscreen preview, checked with poppler's tools.
#include "PrintTestFiles.h"
#include "print/BigHintWindow.h"
#include "print/ErrorLog.h"
#include "print/PgwJob.h"
#include "print/Fields.h"
#include "print/Pagewerk.h"
#include "print/PgwDef.h"
#include "print/PlatformPrinter.h"
#include "print/Preview.h"
#include "print/PrintLibrary.h"
#include "print/Printing.h"
#include "print/VDBPrint.h"
#include "tests/support/RecordingMessageService.h"

#include <QDir>
#include <QPrinter>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace print;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString pdfText(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

class PrintingTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static QTemporaryDir pdfs;
        qputenv("TAXLINK_PRINT_PDF_DIR", pdfs.path().toUtf8());
        pdfFolder = pdfs.path();
        InitPrintLibrary();
    }
    void SetUp() override {
        SetPrintErrorLogFolder(dir.path());
        PgwDef = StartPgwDef();
        for (const QString& f : QDir(pdfFolder).entryList({QStringLiteral("*.pdf")}))
            QFile::remove(pdfFolder + u'/' + f);
        TStartPrintDlg::RunDialog = nullptr;
        TNowPrintingdlg::AfterPage = nullptr;
        TImageDispForm::OnShown = nullptr;
        TImageDispForm::AskSaveJobPath = nullptr;
        TImageDispForm::AskOpenJobPath = nullptr;
    }
    QStringList jobs() const {
        QStringList out;
        for (const QString& f : QDir(pdfFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
            out << pdfFolder + u'/' + f;
        return out;
    }
    // A data file of n pages, each with "日本 門 page k" near the top left.
    QString dataFile(int pages, const QStringList& extraFirstPage = {}) {
        QStringList lines = printtest::header();
        for (int k = 1; k <= pages; ++k) {
            if (k > 1)
                lines << QStringLiteral("E;");
            if (k == 1)
                lines << extraFirstPage;
            lines << QStringLiteral("TEXT;200;300;日本 門 page%1;ＭＳ 明朝;12;;黒;1;LEFT;0;0;").arg(k);
        }
        return printtest::writeLines(dir.filePath(QStringLiteral("data.TMP")), lines);
    }
    TPGWDEF job(const QString& data) {
        TPGWDEF d = StartPgwDef();
        d.DataFile = data;
        d.PrnDlg = false;
        return d;
    }

    static inline QString pdfFolder;
    QTemporaryDir dir;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scoped{messages};
};

TEST_F(PrintingTest, PrintsEveryPageWithItsTextWherePlaced) {
    TPGWDEF d = job(dataFile(3));
    d.PageNoSettings.Switch = true;
    d.PageNoSettings.Left = 1800;
    d.PageNoSettings.Top = 200;
    EXPECT_EQ(PrintFile(d), -1);
    ASSERT_EQ(jobs().size(), 1);
    EXPECT_EQ(pdfPages(jobs().first()), 3);
    const QString text = pdfText(jobs().first());
    EXPECT_TRUE(text.contains(QStringLiteral("日本 門 page2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("(1/3)")));
    EXPECT_TRUE(text.contains(QStringLiteral("(3/3)")));

    // The word's box: x 200, y 300 in 0.1 mm is 56.7 pt, 85 pt (the cell's top), within 1 mm.
    const QString bbox = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                                          QStringLiteral("-l"), QStringLiteral("1"), jobs().first(), QStringLiteral("-")});
    const qsizetype at = bbox.indexOf(QStringLiteral(">日本<"));
    ASSERT_GE(at, 0) << bbox.toStdString();
    const QString tag = bbox.left(at).section(u'<', -1);
    const double xMin = tag.section(QStringLiteral("xMin=\""), 1).section(u'"', 0, 0).toDouble();
    const double yMin = tag.section(QStringLiteral("yMin=\""), 1).section(u'"', 0, 0).toDouble();
    EXPECT_NEAR(xMin, 200 * 72 / 254.0, 72 / 25.4);
    EXPECT_NEAR(yMin, 300 * 72 / 254.0, 72 / 25.4);
}

TEST_F(PrintingTest, CopiesRangesBreaksAndCancel) {
    const QString data = dataFile(6);
    TPGWDEF d = job(data);
    d.Copies = 3;
    d.Collate = 1; // collated: every copy a job of its own
    EXPECT_EQ(PrintFile(d), -1);
    EXPECT_EQ(jobs().size(), 3);

    SetUp();
    d = job(data);
    d.Copies = 3; // uncollated: one job, the printer's copy count 3
    EXPECT_EQ(PrintFile(d), -1);
    EXPECT_EQ(jobs().size(), 1);
    EXPECT_EQ(PlatformPrinter().copyCount(), 3);

    SetUp();
    d = job(data);
    d.PrnDlg = true;
    TStartPrintDlg::RunDialog = [](TPrintRange& r) {
        r.PageNumbers = true;
        r.FromPage = 3;
        r.ToPage = 4;
        return true;
    };
    EXPECT_EQ(PrintFile(d), -1);
    ASSERT_EQ(jobs().size(), 1);
    EXPECT_EQ(pdfPages(jobs().first()), 2);
    EXPECT_TRUE(pdfText(jobs().first()).contains(QStringLiteral("page3")));

    SetUp();
    d = job(data);
    TNowPrintingdlg::AfterPage = [](TNowPrintingdlg& dlg, int page) {
        if (page == 2)
            dlg.CancelButtonClick();
    };
    messages.answers = {core::mrYes};
    EXPECT_EQ(PrintFile(d), 0);
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("印刷を中止しますか？")));

    SetUp();
    const QString broken = dataFile(3, {QStringLiteral("ORIENTATION;0;")});
    QStringList lines = printtest::header();
    lines << QStringLiteral("TEXT;100;100;one;") << QStringLiteral("MESSAGE;用紙を替えてください") << QStringLiteral("E;")
          << QStringLiteral("TEXT;100;100;two;") << QStringLiteral("E;") << QStringLiteral("ORIENTATION;1;")
          << QStringLiteral("TEXT;100;100;three;");
    d = job(printtest::writeLines(dir.filePath(QStringLiteral("breaks.TMP")), lines));
    EXPECT_EQ(PrintFile(d), -1);
    EXPECT_EQ(jobs().size(), 3); // the message and the orientation each begin a new job
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("用紙を替えてください")));
    (void)broken;
}

TEST_F(PrintingTest, ChecksAndPermit) {
    TPGWDEF d = job(dir.filePath(QStringLiteral("none.TMP")));
    EXPECT_EQ(PrintFile(d), 0);
    d = job(printtest::writeLines(dir.filePath(QStringLiteral("bad.TMP")), {QStringLiteral("*PAGEWERKX")}));
    EXPECT_EQ(PrintFile(d), 0);
    d = job(printtest::writeLines(dir.filePath(QStringLiteral("empty.TMP")), {}));
    EXPECT_EQ(PrintFile(d), 0); // an empty file is a failure, not a job sent
    EXPECT_EQ(messages.texts().mid(0, 2),
              (QStringList{QStringLiteral("<%1> が見つかりません。").arg(dir.filePath(QStringLiteral("none.TMP"))),
                           QStringLiteral("<PAGEWERK>印刷データではありません。")}));
    EXPECT_TRUE(jobs().isEmpty());

    d = job(dataFile(1));
    d.Permit = false; // the preview instead
    bool shown = false;
    TImageDispForm::OnShown = [&](TImageDispForm& f) {
        shown = true;
        EXPECT_FALSE(f.PrintButton->isEnabled());
        EXPECT_FALSE(f.CurrentPage->isEnabled());
        f.CloseButton->click();
    };
    EXPECT_EQ(PrintFile(d), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(jobs().isEmpty());

    TVDBPrint none(true);
    EXPECT_EQ(none.GetPaper(), 9);
    EXPECT_EQ(none.GetPaperNumber(QString(), 2970, 2100, 5), 0);
    TVDBPrint pdf(false);
    EXPECT_EQ(pdf.GetPaperNumber(QStringLiteral("無い紙"), 2970, 2100, 5), 9);
    EXPECT_EQ(pdf.GetPaperNumber(QString(), 2980, 2100, 5), 5);
}

TEST_F(PrintingTest, PreviewPagesJumpsZoomsAndPrints) {
    QStringList extra{QStringLiteral("ORIENTATION;0;")};
    QStringList lines = printtest::header();
    lines << QStringLiteral("TEXT;100;100;page1;") << QStringLiteral("E;") << QStringLiteral("TEXT;100;100;page2;")
          << QStringLiteral("E;") << QStringLiteral("ORIENTATION;1;") << QStringLiteral("TEXT;100;100;page3;");
    PgwDef.DataFile = printtest::writeLines(dir.filePath(QStringLiteral("p.TMP")), lines);
    PgwDef.Zoom = 25; // out of range: 100 %
    TStartPrintDlg::RunDialog = [](TPrintRange&) { return true; }; // the preview's print always asks
    QStringList seen;
    TImageDispForm::OnShown = [&](TImageDispForm& f) {
        seen << f.WherePage->text();
        f.FinalPage();
        f.FollowingPage(); // 3 of 3 stays
        seen << f.WherePage->text();
        EXPECT_EQ(PrinterOrientation(), 1); // a landscape page turns the printer
        messages.textAnswers = {QStringLiteral("abc"), QStringLiteral("9")};
        f.JumpPage();
        seen << f.WherePage->text();
        f.FollowingPage();
        f.JumpPage(); // beyond the total: the page stays
        seen << f.WherePage->text();
        f.Zoom100();
        seen << f.DispZoom->text();
        f.ZoomIn();
        seen << f.DispZoom->text();
        const QImage grab = f.ImagePaintBox->grab().toImage();
        bool ink = false;
        for (int y = 0; y < grab.height() / 4 && !ink; ++y)
            for (int x = 2; x < grab.width() / 4 && !ink; ++x)
                ink = qGray(grab.pixel(x, y)) < 100;
        EXPECT_TRUE(ink);
        f.PrintShownPage();
        f.PrintAll();
        f.close(); // the close box of a single document
    };
    EXPECT_EQ(PreviewFile(PgwDef), 1);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("1/3"), QStringLiteral("3/3"), QStringLiteral("1/3"),
                                 QStringLiteral("2/3"), QStringLiteral("100%"), QStringLiteral("110%")}));
    ASSERT_EQ(jobs().size(), 3); // the shown page, then all pages with the orientation break
    EXPECT_EQ(pdfPages(jobs().at(0)), 1);
    EXPECT_TRUE(pdfText(jobs().at(0)).contains(QStringLiteral("page2")));

    PgwDef.PrevPaperButton = true;
    TImageDispForm::OnShown = [](TImageDispForm& f) { f.PrevPaper->click(); };
    EXPECT_EQ(PreviewFile(PgwDef), -1);
    TImageDispForm::OnShown = [](TImageDispForm& f) { f.close(); };
    EXPECT_EQ(PreviewFile(PgwDef), 0);
    PgwDef.PrevPaperButton = false;
    PgwDef.NextPaperButton = true;
    TImageDispForm::OnShown = [](TImageDispForm& f) { f.NextPaper->click(); };
    EXPECT_EQ(PreviewFile(PgwDef), 1);
}

TEST_F(PrintingTest, PreviewSavesOpensAndCancelsJobs) {
    EXPECT_EQ(QToolTip::font().families().value(0), QStringLiteral("System")); // the library's hint window
    EXPECT_EQ(QToolTip::font().pixelSize(), 16);

    PgwDef.DataFile = dataFile(3);
    PgwDef.Title = QStringLiteral("月次.一覧.TMP");
    QStringList other = printtest::header(QStringLiteral("*PAPERSIZE=9"));
    other << QStringLiteral("TEXT;100;100;other;");
    const QString otherData = printtest::writeLines(dir.filePath(QStringLiteral("other.TMP")), other);
    SavePrintJob(otherData, QString(), dir.path(), QStringLiteral("other"));
    const QString notAJob = printtest::writeLines(dir.filePath(QStringLiteral("plain.pgw")), {QStringLiteral("TEXT;1;1;x;")});

    QString proposed;
    QStringList seen;
    TImageDispForm::OnShown = [&](TImageDispForm& f) {
        EXPECT_TRUE(f.ImageOut->isHidden());
        TImageDispForm::AskSaveJobPath = [&](const QString&, const QString& p) {
            proposed = p;
            return QString(); // cancelled: nothing written
        };
        f.ImageOutClick();
        TImageDispForm::AskSaveJobPath = [&](const QString&, const QString&) { return dir.filePath(QStringLiteral("kept.pgw")); };
        f.ImageOutClick();

        QString answer = dir.filePath(QStringLiteral("other.pgw"));
        TImageDispForm::AskOpenJobPath = [&](const QString&) { return answer; };
        f.ImageOpenClick();
        seen << f.WherePage->text() << (f.ImageOpenCancel->isEnabled() ? QStringLiteral("cancel on") : QStringLiteral("cancel off"));
        f.CancelOpenJob();
        seen << f.WherePage->text() << (f.ImageOpenCancel->isEnabled() ? QStringLiteral("cancel on") : QStringLiteral("cancel off"));
        answer = notAJob;
        f.ImageOpenClick();
        answer.clear();
        f.ImageOpenClick(); // cancelled
        seen << f.WherePage->text();
        f.close();
    };
    PreviewFile(PgwDef);
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/月次.一覧.pgw"))) << proposed.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("kept.pgw"))));
    EXPECT_TRUE(printtest::readBytes(dir.filePath(QStringLiteral("kept.pgw"))).contains("page3"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("1/1"), QStringLiteral("cancel on"), QStringLiteral("1/3"),
                                 QStringLiteral("cancel off"), QStringLiteral("1/3")}));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("[PAGEWERK]印刷ファイルではありません。")});
}

TEST(FieldsTest, FieldSetsPitchOnceAndPageNumbers) {
    QTemporaryDir dir;
    PgwDef = StartPgwDef();
    QStringList form{QStringLiteral("&;100;200;NAME;;0;;黒;OFF;LEFT;0;0;0;"), QStringLiteral("&;1;1;行間;;;;;;;50;"),
                     QStringLiteral("&;300;400;ONCE;;9;;;;;0;1;0;"), QStringLiteral("E;"),
                     QStringLiteral("&;500;600;NAME;;9;"), QStringLiteral("$;1;2;SUM;"), QStringLiteral("$;1;2;SUM;;9;")};
    for (int i = 0; i < 160; ++i)
        form.insert(3 + i, QStringLiteral("&;0;0;F%1;").arg(i));
    const QString formFile = printtest::writeLines(dir.filePath(QStringLiteral("f.pgf")), form);
    HensuuYomikomi(formFile, 10, 20);
    EXPECT_EQ(FieldSetCount, 1);
    EXPECT_EQ(FindField(MainFields, 0, QStringLiteral("name")), 1);
    EXPECT_EQ(FindField(MainFields, 0, QStringLiteral("F150")), 153); // every defined slot is found
    EXPECT_EQ(MainFields.Sets[0].Slots[1].Size, 12);
    EXPECT_TRUE(MainFields.Sets[1].Totals.at(0).Matched);
    EXPECT_EQ(FieldSetOfPage(1), 0);
    EXPECT_EQ(FieldSetOfPage(4), 1);

    ResetFieldFills(0);
    EXPECT_EQ(FillField(0, QStringLiteral("NAME"), 297).Field.Y, 220);
    EXPECT_EQ(FillField(0, QStringLiteral("NAME"), 297).Field.Y, 270); // one pitch lower
    for (int i = 0; i < 60; ++i)
        FillField(0, QStringLiteral("NAME"), 297);
    EXPECT_EQ(FillField(0, QStringLiteral("NAME"), 297).Field.Y, 2870); // 10 mm above the edge
    EXPECT_FALSE(FillField(0, QStringLiteral("ONCE"), 297).Blank);
    EXPECT_TRUE(FillField(0, QStringLiteral("ONCE"), 297).Blank);
    ResetFieldFills(0);
    EXPECT_FALSE(FillField(0, QStringLiteral("ONCE"), 297).Blank);
    EXPECT_EQ(FillField(1, QStringLiteral("NAME"), 297).Field.X, 510);

    // Sub-form fields are found first for the rest of the page; the main sets stay intact.
    const QString sub = printtest::writeLines(dir.filePath(QStringLiteral("s.pgf")), {QStringLiteral("&;5;5;NAME;")});
    HensuuYomikomi(sub, 1000, 0, SubFormFields);
    SubFormFieldsActive = true;
    EXPECT_EQ(FillField(0, QStringLiteral("NAME"), 297).Field.X, 1005);
    SubFormFieldsActive = false;
    EXPECT_EQ(FillField(0, QStringLiteral("NAME"), 297).Field.X, 110);

    // Page numbers: a page holding only a "LINE" gets none and does not advance the numbering.
    PgwDef.PageNoSettings.Switch = true;
    const QString data = printtest::writeLines(dir.filePath(QStringLiteral("d.TMP")),
        {QStringLiteral("TEXT;1;1;a;"), QStringLiteral("E;"), QStringLiteral("LINE;0;0;1;1;"), QStringLiteral("E;"),
         QStringLiteral("TEXT;1;1;c;")});
    EXPECT_EQ(CountPages(data, true), 3);
    EXPECT_EQ(PageNumberList, (QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("2")}));
    NumberingPage = 2;
    EXPECT_EQ(PageNumberLine(), QStringLiteral("*"));
    NumberingPage = 3;
    EXPECT_TRUE(PageNumberLine().startsWith(QStringLiteral("TEXT;0;0;(2/2);ＭＳ 明朝;10;;黒;OFF;2;0;0;*AUTO*")));

    PgwDef.FormFile = printtest::writeLines(dir.filePath(QStringLiteral("two.pgf")), {QStringLiteral("A;"), QStringLiteral("E;"), QStringLiteral("B;")});
    PgwDef.DataFile = printtest::writeLines(dir.filePath(QStringLiteral("five.TMP")),
        {QStringLiteral("1"), QStringLiteral("E;"), QStringLiteral("2"), QStringLiteral("E;"), QStringLiteral("3"),
         QStringLiteral("E;"), QStringLiteral("4"), QStringLiteral("E;"), QStringLiteral("5"), QStringLiteral("E;")});
    CountDocumentPages();
    EXPECT_EQ(PageTotal, 6);
    EXPECT_EQ(PageOrientations(data, 1), (QList<int>{1, 1, 1}));
    PgwDef = StartPgwDef();
}

} // namespace
