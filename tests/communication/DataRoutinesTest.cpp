// The registry rows of communicated data and the small facts of a data folder's company
// database, on a sample data root.
#include "RegistryTestFixture.h"
#include "communication/DataTusinCtl.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBSQLField.h"
#include "tests/communication/RecordingView.h"

using communication::TDataTusinCtl;

namespace {

class DataRoutines : public registrytest::RegistryTest<DataRoutines> {
protected:
    static void SetUpTestSuite() { createRoot({schema::sample::SampleKind::Ordinary}); }

    void SetUp() override
    {
        RegistryTest::SetUp();
        core::SystemDef.DataFolder = root_->dataFolder(1);
        ctl.SyoriType = communication::stDataReceive;
    }

    // Runs statements on the sample data set's company database, each committed; returns the
    // first column of the last statement's first row when it has one.
    QString company(const QStringList& statements)
    {
        core::TIBDatabase db;
        db.setDatabaseName(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"));
        db.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
        db.open();
        QString value;
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(&db);
            t.startTransaction();
            core::TIBSQL q(&db, &t);
            q.sql() << sql;
            q.execQuery();
            value = (q.fieldCount() > 0 && !q.eof()) ? q.fields(0).asString() : QString();
            q.close();
            t.commit();
        }
        db.close();
        return value;
    }

    testsupport::RecordingView view;
    TDataTusinCtl ctl{view};
};

TEST(VersionLabel, ByMajorAndMinor)
{
    const struct {
        int major, minor;
        const char* label;
    } cases[] = {{11, 1, "19消改版"}, {11, 0, "19版"}, {6, 1, "14消改版"}, {3, 0, "11版"}, {12, 2, "12.2"}, {1, 0, "09版"}, {2, 0, "10版"}};
    for (const auto& c : cases)
        EXPECT_EQ(TDataTusinCtl::GetVersionLabel(c.major, c.minor), QString::fromUtf8(c.label)) << c.major << "." << c.minor;
}

TEST_F(DataRoutines, ConsolidationSettingAndApprovals)
{
    EXPECT_TRUE(ctl.ReadGassanSetting());
    EXPECT_EQ(ctl.GassanKbn, QStringLiteral("0"));
    EXPECT_EQ(ctl.GassanCount, QString()); // no row: empty, and nothing is inserted on write
    ctl.GassanKbn = QStringLiteral("10");
    ctl.GassanCount = QStringLiteral("3");
    EXPECT_TRUE(ctl.WriteGassanSetting());
    ctl.GassanKbn.clear();
    EXPECT_TRUE(ctl.ReadGassanSetting());
    EXPECT_EQ(ctl.GassanKbn, QStringLiteral("10"));
    EXPECT_EQ(ctl.GassanCount, QString());

    EXPECT_FALSE(ctl.HasApprovedJournals());
    company({QStringLiteral("INSERT INTO SIWAKE_SHONIN (SWKREC, SHONIN_OPCODE) SELECT FIRST 1 SWKREC, 12 FROM SIWAKE")});
    EXPECT_TRUE(ctl.HasApprovedJournals());
    EXPECT_TRUE(messages.messages.isEmpty()) << messageText().toStdString();
}

TEST_F(DataRoutines, CloudLineAndTimeFromVersion11_0_1)
{
    const QDateTime time(QDate(2024, 5, 6), QTime(10, 20, 30));
    company({QStringLiteral("UPDATE ACCVERSION SET MAJOR=11, MINOR1=0, MINOR2=0 WHERE REC=1"),
             QStringLiteral("UPDATE ACCDEF1 SET CLOUD_LINE=3, CLOUD_TIME=NULL WHERE REC=1")});
    EXPECT_TRUE(ctl.ClearCloudLine(true));
    EXPECT_EQ(ctl.DataVersion, (std::array<int, 3>{11, 0, 0}));
    EXPECT_TRUE(ctl.ClearCloudLine(false));
    EXPECT_TRUE(ctl.SetCloudTime(time));
    EXPECT_EQ(company({QStringLiteral("SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1")}), QStringLiteral("3"));
    EXPECT_EQ(company({QStringLiteral("SELECT COUNT(*) FROM ACCDEF1 WHERE REC=1 AND CLOUD_TIME IS NULL")}), QStringLiteral("1"));

    company({QStringLiteral("UPDATE ACCVERSION SET MINOR2=1 WHERE REC=1")});
    EXPECT_TRUE(ctl.ClearCloudLine(false));
    EXPECT_TRUE(ctl.SetCloudTime(time));
    EXPECT_EQ(company({QStringLiteral("SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1")}), QStringLiteral("0"));
    EXPECT_EQ(company({QStringLiteral("SELECT COUNT(*) FROM ACCDEF1 WHERE REC=1 AND CLOUD_TIME='2024-05-06 10:20:30'")}),
              QStringLiteral("1"));
    EXPECT_TRUE(ctl.ClearCloudLine(false)); // already 0: no row touched, still a success

    core::SystemDef.DataFolder = work.path(); // no database there
    EXPECT_THROW(ctl.SetCloudTime(time), std::exception);
}

TEST_F(DataRoutines, RegistryRowsReadAndWrittenBack)
{
    // Every row of the group, the empty ones of the standard list too.
    ASSERT_EQ(ctl.GetDataListRecord(), schema::DataRoot::listCapacity);
    const companydata::TDataSentakuRec row = ctl.DataList[0];
    EXPECT_EQ(row.Rec, 1);
    EXPECT_FALSE(row.EntText.isEmpty());
    EXPECT_TRUE(row.KikanText.contains(QStringLiteral(" ～ ")));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    ctl.DataList[0].EntText = QStringLiteral("受信データ");
    ctl.DataList[0].Shougou = QStringLiteral("受信商事");
    ctl.DataList[0].Nendo = 9;
    ctl.UpdateDataListRecord(0);
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT, SHOUGOU, NENDO FROM DATALIST WHERE REC=1")),
              QStringList{QStringLiteral("受信データ 受信商事 9")});

    // Client/server: the row is found by its folder path.
    core::ConnectMode = 1;
    ctl.DataList[0].EntText = QStringLiteral("サーバー側");
    ctl.UpdateDataListRecord(0);
    core::ConnectMode = 0;
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=1")), QStringList{QStringLiteral("サーバー側")});

    ctl.DataList[0].PasName = QStringLiteral(" 　 ");
    EXPECT_THROW(ctl.UpdateDataListRecord(0), std::runtime_error);
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
}

TEST_F(DataRoutines, ConsolidationChildRows)
{
    run({QStringLiteral("INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME) VALUES (1, 1, 10000, 'A', 'C:\\d\\0001\\03')"),
         QStringLiteral("INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME) VALUES (1, 2, 10000, 'B', 'C:\\d\\0001\\103')")});
    ASSERT_EQ(ctl.GetDataListRecord(), schema::DataRoot::listCapacity);
    ctl.GassanKbn = QStringLiteral("10");
    const struct {
        const char* folder;
        const char* expected;
    } cases[] = {{"C:\\d\\0001\\03", "1 子03"}, {"C:\\d\\0001\\103", "2 子103"}};
    for (const auto& c : cases) {
        ctl.DataList[0].PasName = QString::fromUtf8(c.folder);
        ctl.DataList[0].EntText = QStringLiteral("子") + ctl.DataList[0].PasName.section(QLatin1Char('\\'), -1);
        ctl.UpdateDataListRecord(0);
        EXPECT_TRUE(rows(QStringLiteral("SELECT ROWNO, ENTTEXT FROM CHILD_DATALIST")).contains(QString::fromUtf8(c.expected))) << c.folder;
    }
    ctl.DataList[0].PasName = QStringLiteral("C:\\d\\0001\\1234");
    ctl.UpdateDataListRecord(0);
    ctl.DataList[0].PasName = QStringLiteral("C:\\d\\0001\\09");
    ctl.UpdateDataListRecord(0);
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("C_DATALISTが更新出来ません。(1)"), QStringLiteral("C_DATALISTが更新出来ません。(2)")}));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
}

} // namespace
