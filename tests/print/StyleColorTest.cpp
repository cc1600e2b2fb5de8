// The print dialog's and the colour dialog's rows in STYLECOLOR of a real system database: colours
// stored as differences from the environment, options saved and restored, the row written on
// Cancel, and the operator's custom colours.
#include "DmTestSupport.h"

#include "controls/buttons/TxPlButton.h"
#include "core/db/IBSQL.h"
#include "print/PrintDlgBox.h"
#include "print/PrnColorSetBox.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::SystemDef;
using print::TDefaultPrintRec;
using print::TPrintDlgBox;

// One system database for the suite; each test keeps to an operator code of its own.
class StyleColorTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        try {
            QDir().mkpath(dir_->filePath(QStringLiteral("data")));
            const QString file = dir_->filePath(QStringLiteral("data/qmaccdef.fdb"));
            auto db = schema::createSchemaDatabase(schema::DbAccount{}, file, schema::DatabaseKind::System);
            schema::finishDatabase(std::move(db), schema::DbAccount{}, file);
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        SystemDef.USER = QStringLiteral("TALLEK");
        SystemDef.PASSWORD = QStringLiteral("vorbin");
        SystemDef.SYSDIR = dir_->filePath(QStringLiteral("data"));
        SystemDef.LogDir = work.path();
        SystemDef.ProgramRoot = work.path();
        SystemDef.PLineColor1 = 0x111111;
        SystemDef.PLineColor2 = 0x222222;
        SystemDef.NetColor1 = 0x333333;
        SystemDef.NetColor2 = 0x444444;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
    }

    // Rows of the operator, "STYLENAME|LINECOLOR1..5|NETCOLOR1|NETCOLOR2|SSTR", on a connection of its own.
    QStringList rowsOf(int opCode) {
        const std::unique_ptr<core::TIBDatabase> db =
            schema::openDatabase(schema::DbAccount{}, dir_->filePath(QStringLiteral("data/qmaccdef.fdb")));
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << QStringLiteral("SELECT STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,LINECOLOR5,NETCOLOR1,"
                                  "NETCOLOR2,SSTR FROM STYLECOLOR WHERE OPCODE=%1 ORDER BY STYLENAME")
                       .arg(opCode);
        QStringList out;
        for (q.execQuery(); !q.eof(); q.next()) {
            QStringList cols;
            for (int i = 0; i < q.fieldCount(); ++i)
                cols << q.fields(i).asString();
            out << cols.join(u'|');
        }
        return out;
    }

    // A dialog on the record for the report, with the colour and both-sides choices shown.
    std::unique_ptr<TPrintDlgBox> dialog(TDefaultPrintRec& rec, bool styleColours = true, bool colourSwitch = true) {
        auto box = std::make_unique<TPrintDlgBox>();
        box->PrintRec = &rec;
        box->StyleColorSw = styleColours;
        box->ColorSw = colourSwitch;
        box->BothSw = true;
        box->Prepare(1);
        return box;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString setupError_;

    dmtest::ScopedSession session;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    core::TDM dm;
};

TEST_F(StyleColorTest, PrintDialogKeepsColoursAndOptionsPerReport) {
    SystemDef.OPCODE = 310;
    TDefaultPrintRec rec;
    TPrintDlgBox::InitDefaultPrintRec(rec);
    rec.ReportName = QStringLiteral("Kamoku一覧");
    auto box = dialog(rec);
    EXPECT_EQ(box->StyleName, QStringLiteral("020-KAMOKU一覧"));
    rec.LineColor1 = 0x0000FF; // differs from the environment; the other three equal it
    box->btnColor->setChecked(true);
    box->btnCancelClick(); // Cancel writes the record as it is: the options were not taken
    EXPECT_EQ(rowsOf(310), QStringList{QStringLiteral("020-KAMOKU一覧|255|-1|-1|-1|-1|-1|-1|")});

    box = dialog(rec);
    box->btnColor->setChecked(true);
    box->chkBoth->setChecked(true);
    box->btnOK->Click();
    EXPECT_EQ(rowsOf(310), QStringList{QStringLiteral("020-KAMOKU一覧|255|-1|-1|-1|-1|-1|-1|C010=1\r\nC020=1\r\n")});

    // A fresh record gets the stored colour and options; the colours stored as -1 follow a later
    // change of the environment.
    SystemDef.PLineColor2 = 0x999999;
    TDefaultPrintRec again;
    TPrintDlgBox::InitDefaultPrintRec(again);
    again.ReportName = rec.ReportName;
    box = dialog(again);
    EXPECT_EQ(again.LineColor1, 0x0000FF);
    EXPECT_EQ(again.LineColor2, 0x999999);
    EXPECT_EQ(again.NetColor1, 0x333333);
    EXPECT_EQ(again.ColorPrint, 1);
    EXPECT_TRUE(again.BothSides);
    EXPECT_TRUE(box->btnColor->isChecked());
    EXPECT_TRUE(box->chkBoth->isChecked());
    box->btnCancelClick();

    // With the colour choice hidden the stored "C010=1" is not restored, and OK saves only "C020=1".
    TDefaultPrintRec hidden;
    TPrintDlgBox::InitDefaultPrintRec(hidden);
    hidden.ReportName = rec.ReportName;
    box = dialog(hidden, true, false);
    EXPECT_EQ(hidden.ColorPrint, 0);
    EXPECT_FALSE(box->btnColor->isChecked());
    box->btnOK->Click();
    EXPECT_EQ(hidden.OptionText, QStringLiteral("C020=1\r\n"));
    EXPECT_EQ(rowsOf(310).size(), 1); // the same row updated

    // Without the style switch, or without a report name, the table is left alone.
    TDefaultPrintRec other;
    TPrintDlgBox::InitDefaultPrintRec(other);
    other.ReportName = QStringLiteral("Other");
    box = dialog(other, false);
    other.LineColor1 = 0x00FF00;
    box->btnOK->Click();
    TDefaultPrintRec unnamed;
    TPrintDlgBox::InitDefaultPrintRec(unnamed);
    box = dialog(unnamed);
    box->btnOK->Click();
    EXPECT_EQ(rowsOf(310).size(), 1);
    EXPECT_EQ(unnamed.LineColor1, 0x111111);
}

TEST_F(StyleColorTest, CustomColoursPerOperatorInTheStoredColourForm) {
    SystemDef.OPCODE = 320;
    {
        print::TPrnColorSetBox box;
        box.Prepare(1);
        EXPECT_EQ(box.CustomColours().size(), 16); // nothing stored: sixteen white colours
        EXPECT_EQ(box.CustomColours().last(), QStringLiteral("ColorP=FFFFFF"));
        EXPECT_EQ(QColorDialog::customColor(15), QColor(Qt::white));
        QColorDialog::setCustomColor(0, QColor(255, 0, 0));
        box.btnCancel->click(); // stored on every close, Cancel included
    }
    const QStringList rows = rowsOf(320);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows.first().startsWith(QStringLiteral("Pallet_CustomColor|-1|-1|-1|-1|-1|-1|-1|ColorA=0000FF\rColorB=FFFFFF\r")))
        << rows.first().toStdString();

    QColorDialog::setCustomColor(0, QColor(Qt::white));
    print::TPrnColorSetBox reopened;
    reopened.Prepare(1);
    EXPECT_EQ(reopened.CustomColours().first(), QStringLiteral("ColorA=0000FF")); // $BBGGRR: red
    EXPECT_EQ(QColorDialog::customColor(0), QColor(255, 0, 0));
    reopened.btnCancel->click();
}

} // namespace
