// The list print dialog (orientation kept with the operator's print style) and F8 of both data
// lists, printed into PDF files whose text is read back.

#include "tests/selection/ServerSentakuTestFixture.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/grid/TxGrid.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuList.h"
#include "selection/DataSentakuPrintDlg.h"
#include "print/PrintLibrary.h"
#include "print/Printing.h"

#include <QGroupBox>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

class DataSentakuPrintTest : public servertest::ServerSentakuTest<DataSentakuPrintTest> {
protected:
    static void SetUpTestSuite()
    {
        createRoot({SampleKind::Ordinary});
        static QTemporaryDir pdfs;
        qputenv("TAXLINK_PRINT_PDF_DIR", pdfs.path().toUtf8());
        pdfFolder = pdfs.path();
        print::InitPrintLibrary();
    }
    void SetUp() override
    {
        servertest::ServerSentakuTest<DataSentakuPrintTest>::SetUp();
        core::SystemDef.WorkDir = work.path();
        run({QStringLiteral("DELETE FROM STYLECOLOR"), QStringLiteral("DELETE FROM DATALIST WHERE REC>=2001")});
        for (const QString& f : QDir(pdfFolder).entryList({QStringLiteral("*.pdf")}))
            QFile::remove(pdfFolder + u'/' + f);
        print::TStartPrintDlg::RunDialog = [](print::TPrintRange&) { return true; };
    }
    void TearDown() override
    {
        print::TStartPrintDlg::RunDialog = nullptr;
        servertest::ServerSentakuTest<DataSentakuPrintTest>::TearDown();
    }

    // The text of the only PDF printed; empty when none or more were.
    static QString printedText()
    {
        const QStringList pdfs = QDir(pdfFolder).entryList({QStringLiteral("*.pdf")});
        if (pdfs.size() != 1)
            return QString();
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFolder + u'/' + pdfs.first(), QStringLiteral("-")});
        text.waitForFinished(30000);
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    // A dialog as a list opens it.
    struct Dialog {
        print::TDefaultPrintRec rec;
        TDataSentakuPrintDlg dlg;
        Dialog()
        {
            print::TPrintDlgBox::InitDefaultPrintRec(rec);
            rec.ReportName = QStringLiteral("DataSentakuList");
            dlg.PrintRec = &rec;
            dlg.PreviewSw = true;
            dlg.Prepare(1);
        }
    };

    static inline QString pdfFolder;
};

} // namespace

TEST_F(DataSentakuPrintTest, OrientationKeptPerOptionNameAndOperator)
{
    {
        Dialog first;
        EXPECT_TRUE(first.dlg.btnYousiTate->isChecked());
        EXPECT_EQ(first.dlg.Orientation, 0);
        EXPECT_TRUE(first.dlg.grpColor->isHidden());
        first.dlg.btnYousiYoko->setChecked(true);
        first.dlg.btnOK->Click();
        EXPECT_EQ(first.dlg.PrintAction, 1);
        EXPECT_EQ(first.dlg.Orientation, 1);
        EXPECT_TRUE(first.rec.OptionText.contains(QStringLiteral("P010=1\r\n")));
    }
    {
        Dialog again;
        EXPECT_TRUE(again.dlg.btnYousiYoko->isChecked());
        EXPECT_EQ(again.dlg.Orientation, 1);
    }
    const qint32 operatorCode = core::SystemDef.OPCODE;
    core::SystemDef.OPCODE = operatorCode + 1;
    {
        Dialog otherOperator;
        EXPECT_TRUE(otherOperator.dlg.btnYousiTate->isChecked());
    }
    core::SystemDef.OPCODE = operatorCode;
    run({QStringLiteral("UPDATE STYLECOLOR SET SSTR='C010=1'")});
    {
        Dialog withoutOrientation;
        EXPECT_EQ(withoutOrientation.dlg.Orientation, 0);
        EXPECT_TRUE(withoutOrientation.dlg.btnYousiTate->isChecked());
    }
}

// F8 of the data selection prints the rows the search leaves; with none it only says so.
TEST_F(DataSentakuPrintTest, DataSelectionPrintsTheShownRows)
{
    const int group = core::SystemDef.GROUPID;
    for (int rec : {2001, 2002})
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,"
                            "NENDO,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(%1,%2,'C%1','印刷会社%1','印刷会社%1',"
                            "'%3',0,1,1,5,15,1,0,'15.1.0')").arg(rec).arg(group).arg(folder(QString::number(rec)))});
    TDataSentakuBox box;
    box.SetModuleParams({QStringLiteral("SyoriType=0"), QStringLiteral("ManualFree=1")});
    box.Prepare(1);
    int opened = 0;
    box.ShowPrintDlg = [&](TDataSentakuPrintDlg& dlg) {
        ++opened;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("データリストの印刷"));
        dlg.btnOK->Click();
        return dlg.result();
    };
    box.List.Conditions.DATACODE = QStringLiteral("C2002");
    box.List.ApplySearch();
    box.ShowList(-1);
    box.PrintList();
    const QString text = printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("印刷会社2002"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("印刷会社2001")));

    box.List.Conditions.DATACODE = QStringLiteral("Z9");
    box.List.ApplySearch();
    box.ShowList(-1);
    messages.messages.clear();
    box.PrintList();
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages.first().text, QStringLiteral("データリストが絞り込みにより表示されていません。\r"));
    run({QStringLiteral("DELETE FROM DATALIST WHERE REC>=2001")});
}

// F8 of the shared-data selection: a notice without rows, else the list's areas.
TEST_F(DataSentakuPrintTest, SharedListPrintsItsAreas)
{
    auto empty = open(QStringLiteral("E"));
    empty->PrintList();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("共有データリストが表示されていません。")});

    area(QStringLiteral("sv0001"), 1);
    auto box = open();
    box->ShowPrintDlg = [&](TDataSentakuPrintDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("共有データリストの印刷"));
        dlg.btnOK->Click();
        return dlg.result();
    };
    box->PrintList();
    const QString text = printedText();
    EXPECT_TRUE(text.contains(QStringLiteral("共有データリスト"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("みなと商事"))) << text.toStdString();
}
