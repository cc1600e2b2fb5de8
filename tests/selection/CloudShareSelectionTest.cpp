// The button "ｸﾗｳﾄﾞ" of the data selection: the refusals before the cloud-share settings, and
// what the settings' answer (given by a double of the settings dialog) writes into the row and
// the folder's information file. Also the take-out or bring-back choice dialog.

#include "tests/companydata/RegistryTestFixture.h"

#include "communication/DataTusin.h"
#include "communication/TusinSettei.h"
#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/modules/ModuleRegistry.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"
#include "selection/WhichDataSetBox.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace selection;

namespace {

// The settings dialog's answer, as the test sets it; counts its runs.
class SetteiDouble : public communication::TfrmTusinSettei {
public:
    int Answer = 0;
    int Line = 0;
    bool Empty = false;
    int Runs = 0;
    int ExecuteCloudShareSettei(const QString&) override
    {
        ++Runs;
        NewCloudLine = Line;
        LineEmpty = Empty;
        return Answer;
    }
};

// The cloud send's answers in turn (then 0); records the folders sent.
class SendDouble : public communication::TfmDataTusin {
public:
    QList<int> Answers;
    QStringList Sent;
    int CloudShareSend(const QString& dataFolder, const QString&, int) override
    {
        Sent << dataFolder;
        return Answers.isEmpty() ? 0 : Answers.takeFirst();
    }
};

class CloudShareSelectionTest : public registrytest::RegistryTest<CloudShareSelectionTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    void SetUp() override
    {
        registrytest::RegistryTest<CloudShareSelectionTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.AutoShare = 0;
        core::SystemDef.LocalAdmin = 1;
        core::SystemDef.JobLevel = 3;
        core::DataCheckHook = nullptr;
        run({QStringLiteral("DELETE FROM DATALIST"), QStringLiteral("DELETE FROM JOBCONTROL2")});
    }

    // A row of the given version and kind whose folder holds its information file only.
    QString addRow(int rec, const QString& version, int gassan, int cloud)
    {
        const QString path = folder(QString::number(rec));
        companydata::TDataInfomationRec info;
        companydata::ClearDataInfoRec(info);
        info.Shougou = QStringLiteral("社");
        info.CloudShare = quint8(cloud);
        companydata::TDataInfomation().WriteIniFile(path, QString(), info);
        const QStringList v = version.split(u'.');
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,NENDO,VER_MAJOR,"
                            "VER_MINOR1,VER_MINOR2,VER_TEXT,GASSAN,CLOUD) VALUES(%1,%2,'C','名','社','%3',0,1,%4,%5,%6,'%7',%8,%9)")
                 .arg(rec)
                 .arg(core::SystemDef.GROUPID)
                 .arg(path, v[0], v[1], v[2], version)
                 .arg(gassan)
                 .arg(cloud)});
        return path;
    }

    std::unique_ptr<TDataSentakuBox> open(int rec)
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(QStringLiteral("SyoriType=0\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return int(core::mrOk);
        };
        box->Prepare(1);
        box->List.CloudShareMode = true;
        for (int r = 0; r < box->Grid->RowCount(); ++r)
            if (box->Grid->RowValue(r) == rec)
                box->Grid->SetRow(r);
        return box;
    }

    QString cloudOf(int rec) { return rows(QStringLiteral("SELECT CLOUD FROM DATALIST WHERE REC=%1").arg(rec)).value(0); }
    static QString cloudShareOf(const QString& path)
    {
        companydata::TDataInfomationRec info;
        companydata::TDataInfomation().ReadIni(path, info);
        return QString::number(info.CloudShare);
    }

    QStringList boxes;
};

} // namespace

TEST_F(CloudShareSelectionTest, RefusalsAndTheSettingsAnswer)
{
    struct Case {
        const char* name;
        QString version;
        int gassan;
        bool jobControlled; // the operator's level may not run the settings
        int answer, line;
        QString refusal;    // first line of the refusal box; empty: the settings ran
        QString cloud;      // CLOUD and CLOUD_SHARE afterwards
    };
    const Case cases[] = {
        {"11.0.0 refused", "11.0.0", 0, false, 0, 3,
         QStringLiteral("データバージョンが \"Ver11.0.1\" に達していないため、クラウドシェアはご利用できません。"), "1"},
        {"consolidated refused", "15.1.0", 1, false, 0, 3, QStringLiteral("合算・分散データはクラウドシェアの設定はおこなえません。"), "1"},
        {"job level refused", "15.1.0", 0, true, 0, 3,
         QStringLiteral("ログインしたオペレータの処理レベルでは起動が認められていません。"), "1"},
        {"11.0.1 saved without a line", "11.0.1", 0, false, 0, 0, QString(), "0"},
        {"saved with a line", "15.1.0", 0, false, 0, 4, QString(), "1"},
        {"settings cancelled", "15.1.0", 0, false, 9, 0, QString(), "1"},
    };
    int rec = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        run({QStringLiteral("DELETE FROM JOBCONTROL2")});
        if (c.jobControlled)
            run({QStringLiteral("INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION) VALUES(3,'VxOther','')")});
        const QString path = addRow(rec, c.version, c.gassan, 1);
        auto box = open(rec);
        auto* settei = new SetteiDouble;
        settei->Answer = c.answer;
        settei->Line = c.line;
        box->TusinSettei.reset(settei);
        boxes.clear();
        box->btnCloudShareClick();
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
            EXPECT_EQ(settei->Runs, 1);
        } else {
            EXPECT_EQ(boxes.value(0), c.refusal);
            EXPECT_EQ(settei->Runs, 0);
        }
        EXPECT_EQ(cloudOf(rec), c.cloud);
        EXPECT_EQ(cloudShareOf(path), c.cloud);
        ++rec;
    }
}

// A new line without data is sent at once; a failed send opens the settings again.
TEST_F(CloudShareSelectionTest, AFailedSendOpensTheSettingsAgain)
{
    const QString path = addRow(1, QStringLiteral("15.1.0"), 0, 0);
    auto box = open(1);
    auto* settei = new SetteiDouble;
    settei->Line = 4;
    settei->Empty = true;
    box->TusinSettei.reset(settei);
    auto* send = new SendDouble;
    send->Answers = {1};
    box->CloudTusin.reset(send);
    box->btnCloudShareClick();
    EXPECT_EQ(settei->Runs, 2);
    EXPECT_EQ(send->Sent, (QStringList{path, path}));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("クラウドシェア送信処理でエラーが発生しました。設定画面を開きます。")});
    EXPECT_TRUE(box->Grid->isEnabled());
    EXPECT_EQ(cloudOf(1), QStringLiteral("1"));
    EXPECT_EQ(cloudShareOf(path), QStringLiteral("1"));
}

TEST(WhichDataSetBox, ChoicesByTheTakenOutState)
{
    struct Case {
        int takenOut, bringBack;
        bool clickBringBack;
        int expected;
        bool takeOutEnabled;
    } cases[] = {
        {0, 0, false, 0, true},  // take-out preselected
        {0, 0, true, 1, true},   // bring-back chosen
        {0, 1, false, 1, true},  // bring-back preselected by the opener
        {1, 0, false, 1, false}, // taken out: only bring-back
    };
    for (const Case& c : cases) {
        TWhichDataSetBox box;
        box.TakenOut = c.takenOut;
        box.BringBack = c.bringBack;
        box.Prepare(1);
        EXPECT_EQ(box.btnMochidashi->isEnabled(), c.takeOutEnabled);
        if (c.clickBringBack)
            box.btnMochikaeri->setChecked(true);
        box.OkClicked();
        EXPECT_EQ(box.result(), int(core::mrOk));
        EXPECT_EQ(box.BringBack, c.expected) << c.takenOut << c.bringBack;
    }
    // Cancel leaves the opener's value.
    TWhichDataSetBox box;
    box.BringBack = 0;
    box.Prepare(1);
    box.btnCancel->click();
    EXPECT_EQ(box.result(), int(core::mrCancel));
    EXPECT_EQ(box.BringBack, 0);
}
