// The data-list print: the records written for a list, page breaks, children and the columns of
// both orientations.
#include "companydata/PrDataList.h"
#include "core/Globals.h"
#include "platform/Cp932.h"
#include "print/PgwDef.h"
#include "print/PlatformPrinter.h"
#include "print/Preview.h"
#include "print/PrintLibrary.h"
#include "print/Printing.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using companydata::TDataSentakuRec;
using companydata::TPrDataList;
using print::TPagewerk;

namespace {

enum class Output { Preview, Print };

class PrDataListTest : public testing::Test {
protected:
    // The print library prints into PDF job files of a folder of the suite.
    static void SetUpTestSuite() {
        static QTemporaryDir pdfs;
        qputenv("TAXLINK_PRINT_PDF_DIR", pdfs.path().toUtf8());
        pdfFolder = pdfs.path();
        print::InitPrintLibrary();
    }
    static inline QString pdfFolder;

    // The data file as the offscreen preview and the print dialog see it.
    void readDataFile(Output kind) {
        outputs << kind;
        dataFile = print::PgwDef.DataFile;
        QFile f(dataFile);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QStringList lines = platform::fromCp932(f.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        for (const QString& l : lines)
            (l.startsWith(u'*') ? header : records) << l;
    }

    void SetUp() override {
        savedSystemDef_ = core::SystemDef;
        core::SystemDef.WorkDir = dir.path();
        core::SystemDef.DataRoot = QStringLiteral("/Srv/TaxData");
        core::SystemDef.NetColor1 = 0xC0C0C0;
        core::SystemDef.NetColor2 = 0x808080;
        for (const QString& f : QDir(pdfFolder).entryList({QStringLiteral("*.pdf")}))
            QFile::remove(pdfFolder + u'/' + f);
        print::TImageDispForm::OnShown = [this](print::TImageDispForm& form) {
            readDataFile(Output::Preview);
            form.CloseButton->click();
        };
        print::TStartPrintDlg::RunDialog = [this](print::TPrintRange&) {
            readDataFile(Output::Print);
            return true;
        };
    }
    void TearDown() override {
        print::TImageDispForm::OnShown = nullptr;
        print::TStartPrintDlg::RunDialog = nullptr;
        core::SystemDef = savedSystemDef_;
    }

    static TDataSentakuRec row(int rec, const QString& name, int nendo, const QString& folder) {
        TDataSentakuRec r;
        r.Rec = rec;
        r.EntText = name;
        r.DispName = name;
        r.DataCode = QStringLiteral("C%1").arg(rec);
        r.Nendo = nendo;
        r.KikanText = nendo > 0 ? QStringLiteral("R6/04-R7/03") : QString();
        r.PasName = folder;
        return r;
    }
    // The records of one page (pages end with "E;").
    QStringList page(int n) const {
        QStringList out;
        int current = 1;
        for (const QString& l : records) {
            if (l == QStringLiteral("E;"))
                ++current;
            else if (current == n)
                out << l;
        }
        return out;
    }
    static int count(const QStringList& lines, const QString& prefix) {
        int n = 0;
        for (const QString& l : lines)
            n += l.startsWith(prefix) ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    QStringList header;
    QStringList records;
    QList<Output> outputs;
    QString dataFile;

private:
    core::TSystemDef savedSystemDef_;
};

TEST_F(PrDataListTest, FiftySixRowsInPortraitMakeTwoPages) {
    TPrDataList pr;
    pr.PrintRec.BodyFontSize = 12; // the list always prints its body in 9 points
    for (int i = 1; i <= 56; ++i) {
        pr.Rows << row(i, QStringLiteral("会社%1").arg(i), 5, QStringLiteral("/srv/taxdata/data/%1").arg(i, 4, 10, QChar(u'0')));
        pr.DispOrder << i - 1;
    }
    pr.PrintDataList(0);

    ASSERT_EQ(outputs, QList<Output>{Output::Preview});
    EXPECT_FALSE(QFile::exists(dataFile)) << "the temporary file is removed after output";
    EXPECT_TRUE(QFileInfo(dataFile).fileName().startsWith(u'~'));
    EXPECT_EQ(count(records, QStringLiteral("E;")), 1);
    EXPECT_TRUE(header.contains(QStringLiteral("*TITLE=印刷プレビュー")));
    EXPECT_TRUE(header.contains(QStringLiteral("*FORMPRINT=FALSE")));

    const QString font = QStringLiteral(";ＭＳ 明朝;");
    for (int n : {1, 2}) {
        const QStringList p = page(n);
        EXPECT_EQ(count(p, QStringLiteral("TEXT;1000;150;データリスト") + font + QStringLiteral("16;;黒;1;CENTER;0;0;")), 1);
        EXPECT_EQ(count(p, QStringLiteral("TEXT;2000;250;PAGE    %1").arg(n) + font + QStringLiteral("9;;黒;1;RIGHT;0;0;")), 1);
        for (int y : {300, 390, 2820})
            EXPECT_EQ(count(p, QStringLiteral("LINE;150;%1;2000;%1;4;0;0;").arg(y)), 1) << n << "/" << y;
        for (const char* head : {"TEXT;180;325;No;", "TEXT;250;325;データリスト名;", "TEXT;1600;325;データフォルダ;"})
            EXPECT_EQ(count(p, QString::fromUtf8(head)), 1) << head;
        EXPECT_EQ(count(p, QStringLiteral("TEXT;1050;325;会計年度") + font + QStringLiteral("9;;黒;1;CENTER;")), 1);
    }
    const QStringList first = page(1);
    EXPECT_EQ(count(first, QStringLiteral("TEXT;170;")), 55);
    EXPECT_EQ(count(first, QStringLiteral("LINE;150;")), 54 + 3) << "the 55th line has no row rule";
    EXPECT_EQ(count(first, QStringLiteral("TEXT;170;2781; 55;")), 1); // 55 × 44 + 361
    const QStringList firstRow = first.filter(QStringLiteral(";405;"));
    EXPECT_EQ(firstRow, (QStringList{
                            QStringLiteral("TEXT;170;405;  1") + font + QStringLiteral("9;;黒;1;LEFT;0;0;"),
                            QStringLiteral("TEXT;250;405;会社1") + font + QStringLiteral("9;;黒;1;LEFT;0;0;"),
                            QStringLiteral("TEXT;1050;405;5 期") + font + QStringLiteral("9;;黒;1;CENTER;0;0;"),
                            QStringLiteral("TEXT;1350;405;R6/04-R7/03") + font + QStringLiteral("9;;黒;1;CENTER;0;0;"),
                            QStringLiteral("TEXT;1600;405;~/data/0001") + font + QStringLiteral("9;;黒;1;LEFT;0;0;"),
                        }));
    EXPECT_EQ(count(first, QStringLiteral("LINE;150;439;2000;439;0;2;0;")), 1);

    const QStringList second = page(2);
    EXPECT_EQ(second.filter(QStringLiteral("TEXT;170;")), QStringList{QStringLiteral("TEXT;170;405; 56") + font +
                                                                      QStringLiteral("9;;黒;1;LEFT;0;0;")});
    EXPECT_EQ(count(second, QStringLiteral("LINE;150;439;2000;439;0;2;0;")), 1);
}

TEST_F(PrDataListTest, LandscapeServerListWithChildrenEmptyRowsAndYearZero) {
    TPrDataList pr;
    pr.ServerList = 1;
    pr.Orientation = 1;
    pr.PrintRec.FontNo = 3;
    pr.PrintRec.ColorPrint = 0; // black and white: the net colours turn grey
    core::SystemDef.NetColor1 = 0x0000FF;
    TDataSentakuRec empty = row(7, QString(), 0, QString());
    empty.DispName = QStringLiteral("（未使用）");
    TDataSentakuRec parent = row(9, QStringLiteral("合算"), 3, QStringLiteral("/srv/other/sv0001"));
    for (int i = 1; i <= 3; ++i) {
        TDataSentakuRec child = row(9, QStringLiteral("支店%1").arg(i), 3, QStringLiteral("/srv/other/sv0001/00%1").arg(i));
        parent.Children << child;
    }
    pr.Rows << empty << row(8, QStringLiteral("年度なし"), 0, QStringLiteral("/SRV/TAXDATA/x")) << parent;
    pr.DispOrder << 2 << 0 << 1 << 42; // an index the rows do not hold prints nothing
    pr.PrintDataList(1);

    ASSERT_EQ(outputs, QList<Output>{Output::Print});
    const QString f = QStringLiteral(";ＭＳ Ｐゴシック;9;;黒;1;");
    auto t = [&](int x, int y, const QString& text, const char* align) {
        return QStringLiteral("TEXT;%1;%2;").arg(x).arg(y) + text + f + QString::fromLatin1(align) +
               QStringLiteral(";0;0;");
    };
    auto rule = [](int y) { return QStringLiteral("LINE;150;%1;2820;%1;0;2;0;").arg(y); };
    QStringList body;
    for (const QString& l : records)
        if (l.section(u';', 2, 2).toInt() >= 405 && !l.startsWith(QStringLiteral("LINE;150;1945;")))
            body << l;
    QStringList expected = {
        t(170, 405, QStringLiteral("  1"), "LEFT"), t(250, 405, QStringLiteral("C9"), "LEFT"),
        t(450, 405, QStringLiteral("合算"), "LEFT"), t(1250, 405, QStringLiteral("3 期"), "CENTER"),
        t(1550, 405, QStringLiteral("R6/04-R7/03"), "CENTER"), t(1800, 405, QStringLiteral("/srv/other/sv0001"), "LEFT"),
        rule(439)};
    for (int i = 1; i <= 3; ++i) {
        const int y = 405 + 44 * i;
        expected << t(250, y, QStringLiteral("C9"), "LEFT") << t(450, y, QStringLiteral("支店%1").arg(i), "LEFT")
                 << t(1250, y, QStringLiteral("3 期"), "CENTER") << t(1550, y, QStringLiteral("R6/04-R7/03"), "CENTER")
                 << t(1800, y, QStringLiteral("/srv/other/sv0001/00%1").arg(i), "LEFT") << rule(y + 34);
    }
    expected << t(170, 581, QStringLiteral("  2"), "LEFT") << t(250, 581, QStringLiteral("C7"), "LEFT")
             << t(450, 581, QStringLiteral("（未使用）"), "LEFT") << t(1250, 581, QString(), "LEFT")
             << t(1550, 581, QString(), "LEFT") << t(1800, 581, QString(), "LEFT") << rule(615);
    expected << t(170, 625, QStringLiteral("  3"), "LEFT") << t(250, 625, QStringLiteral("C8"), "LEFT")
             << t(450, 625, QStringLiteral("年度なし"), "LEFT") << t(1250, 625, QString(), "CENTER")
             << t(1550, 625, QString(), "CENTER") << t(1800, 625, QStringLiteral("~/x"), "LEFT") << rule(659);
    EXPECT_EQ(body, expected);
    EXPECT_TRUE(records.contains(QStringLiteral("TEXT;1410;150;共有データリスト;ＭＳ Ｐゴシック;16;;黒;1;CENTER;0;0;")));
    EXPECT_TRUE(records.contains(QStringLiteral("TEXT;450;325;データリスト名;ＭＳ Ｐゴシック;9;;黒;1;LEFT;0;0;")));
    EXPECT_TRUE(header.contains(QStringLiteral("*ORIENTATION=1")));
    EXPECT_TRUE(header.contains(QStringLiteral("*NETC2=$808080")));
    EXPECT_TRUE(header.contains(QStringLiteral("*NETC1=$555555"))); // red: the mean of its three components
}

TEST_F(PrDataListTest, AnEmptyListWritesTheHeaderOnly) {
    TPrDataList pr;
    pr.Rows << row(1, QStringLiteral("会社"), 1, QString());
    pr.PrintDataList(0);
    ASSERT_EQ(outputs, QList<Output>{Output::Preview});
    EXPECT_TRUE(records.isEmpty()) << records.join(u'\n').toStdString();
    EXPECT_EQ(header.size(), 26);
}

TEST_F(PrDataListTest, AWorkFolderThatCannotBeWrittenReachesTheCaller) {
    core::SystemDef.WorkDir = dir.filePath(QStringLiteral("missing"));
    TPrDataList pr;
    EXPECT_THROW(pr.PrintDataList(0), std::exception);
    EXPECT_TRUE(outputs.isEmpty());
    EXPECT_FALSE(pr.PrintComp.isOpen());
}


TEST_F(PrDataListTest, ATwoPageListIsPrintedForReal) {
    TPrDataList pr;
    for (int i = 1; i <= 56; ++i) {
        pr.Rows << row(i, QStringLiteral("日本会社%1").arg(i), 5, QStringLiteral("/srv/taxdata/data/%1").arg(i));
        pr.DispOrder << i - 1;
    }
    pr.PrintDataList(1);
    ASSERT_EQ(outputs, QList<Output>{Output::Print});
    const QStringList pdfs = QDir(pdfFolder).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    const QString pdf = pdfFolder + u'/' + pdfs.first();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains(QStringLiteral("データリスト"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QRegularExpression(QStringLiteral("PAGE +1\\b"))));
    EXPECT_TRUE(words.contains(QRegularExpression(QStringLiteral("PAGE +2\\b"))));
    EXPECT_TRUE(words.contains(QStringLiteral("日本会社56")));
}

} // namespace
