// A cloud-share area as the copy source of the shared-data selection, against the fake relay
// and FTP services: the copy fetches the newest cloud copy of the area's data set (through the
// working copy registered for the area) and the paste copies from it, its cloud line cleared; a
// cloud area is no paste target; a fetched copy that is gone by the paste, and a failed fetch,
// leave the target and both states as they were.

#include "ServerSentakuTestFixture.h"

#include "communication/DataTusin.h"
#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/db/IBSQL.h"
#include "core/net/NetSettings.h"
#include "tests/support/FakeServices.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

class ServerSentakuCloudTest : public servertest::ServerSentakuTest<ServerSentakuCloudTest> {
protected:
    static void SetUpTestSuite()
    {
        createRoot({SampleKind::Ordinary});
        fake = std::make_unique<testsupport::FakeServices>();
    }
    static void TearDownTestSuite()
    {
        fake.reset();
        ServerSentakuTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        ServerSentakuTest::SetUp();
        if (HasFatalFailure())
            return;
        fake->Command(QStringLiteral("reset"));
        core::net::SetNetSettings(fake->Settings());
        core::EditionFlag = 0; // the cloud-share rules apply
        core::SystemDef.Reserve4Switch9 = 0;
        core::SystemDef.WorkDir = folder(QStringLiteral("work"));
        core::SystemDef.TempDir = folder(QStringLiteral("temp"));
        core::SystemDef.JobLevel = 9;
    }

    // One statement on the company database of the folder, committed; the data stays closed.
    QString companyValue(const QString& dataFolder, const QString& sql, bool query)
    {
        EXPECT_TRUE(dm.fnAccDatConnected(QString(), dataFolder, 0)) << messageText().toStdString();
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << sql;
        QString value;
        if (query) {
            q.execQuery();
            value = q.fields(0).asString().trimmed() + QLatin1Char(' ') + q.fields(1).asString().trimmed();
            q.close();
        } else {
            q.execSQL();
        }
        dm.IBTransactionDAT.commit();
        dm.AccDatDisconnect(QString(), 0, 0);
        return value;
    }
    QString holderAndLine(const QString& dataFolder)
    {
        return companyValue(dataFolder, QStringLiteral("SELECT WEB_HOLDER,CLOUD_LINE FROM ACCDEF1"), true);
    }

    static void markCloud(const QString& areaFolder)
    {
        companydata::TDataInfomation().WriteIniValue(areaFolder, companydata::kSectionDataInfo, false, 1,
                                                     QStringLiteral("CLOUD_SHARE"));
    }
    static int status(const QString& areaFolder)
    {
        companydata::TDataInfomationRec rec;
        companydata::TDataInfomation().ReadIni(areaFolder, rec);
        return rec.Status;
    }

    static inline std::unique_ptr<testsupport::FakeServices> fake;
};

} // namespace

TEST_F(ServerSentakuCloudTest, ACloudSourceIsPastedFromItsFetchedCopy)
{
    // The area holds an older copy; the working copy registered for it holds the cloud line and
    // sends the newest state to the cloud.
    const QString a = area(QStringLiteral("sv0001"), 1);
    const QString free = area(QStringLiteral("sv0002"));
    const QString cloudTarget = area(QStringLiteral("sv0003"), 1);
    markCloud(a);
    markCloud(cloudTarget);
    const QString working = root_->dataFolder(1);
    companyValue(working, QStringLiteral("UPDATE ACCDEF1 SET WEB_HOLDER='ID1', PASWORD='pw1', CLOUD_LINE=4, CLOUD_TIME=NULL"),
                 false);
    {
        communication::TfmDataTusin sender;
        sender.Control().StepPauseMs = 0;
        ASSERT_EQ(sender.CloudShareSend(working, QString(), 1), 0) << messageText().toStdString();
    }
    ASSERT_NE(holderAndLine(a), QStringLiteral("ID1 4"));
    run({QStringLiteral("UPDATE DATALIST SET PASNAME='%1', NETDRIVE=1 WHERE REC=1").arg(a)});

    auto box = open();
    ASSERT_EQ(box->Grid->RowCount(), 3);
    box->CloudTusinForm().Control().StepPauseMs = 0;
    auto press = [&](const QString& folder) {
        box->Grid->SetCurrentCell(scName, rowOfFolder(*box, folder));
        box->SetFKeyCaptions();
        return box->CopyPaste();
    };
    const QString received = core::SystemDef.TempDir + QStringLiteral("/receive");

    // A cloud area is no paste target.
    ASSERT_EQ(press(a), 1) << messageText().toStdString();
    EXPECT_EQ(box->CloudSourceFolder, received);
    EXPECT_EQ(status(a), companydata::kDataCopy);
    EXPECT_EQ(press(cloudTarget), 0);
    EXPECT_EQ(boxes.value(0), QStringLiteral("クラウドシェアデータのため貼り付け処理は行えません。"));
    EXPECT_EQ(status(a), companydata::kDataNormal);

    // The fetched copy gone by the paste: refused, the free area untouched.
    const QStringList registryBefore = rows(QStringLiteral("SELECT PASNAME,ENTTEXT FROM SERVERDATALIST ORDER BY PASNAME"));
    ASSERT_EQ(press(a), 1) << messageText().toStdString();
    QDir(received).removeRecursively();
    messages.messages.clear();
    EXPECT_EQ(press(free), 0);
    EXPECT_EQ(messageText(), QStringLiteral("データの貼り付けに失敗しました。"));
    EXPECT_EQ(QDir(free).entryList(QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT PASNAME,ENTTEXT FROM SERVERDATALIST ORDER BY PASNAME")), registryBefore);
    EXPECT_EQ(status(a), companydata::kDataNormal);

    // Fetched and pasted: the cloud's state, its line cleared, under the copy's name.
    ASSERT_EQ(press(a), 1) << messageText().toStdString();
    EXPECT_EQ(press(free), 1) << messageText().toStdString();
    EXPECT_EQ(holderAndLine(free), QStringLiteral("ID1 0"));
    companydata::TDataInfomationRec pasted;
    companydata::TDataInfomation().ReadIni(free, pasted);
    EXPECT_TRUE(pasted.DataListName.endsWith(QStringLiteral("～コピー")));
    EXPECT_EQ(pasted.CloudShare, 0);
    EXPECT_EQ(box->Grid->CellInt(scCloud, rowOfFolder(*box, free)), 0);
    EXPECT_EQ(status(a), companydata::kDataNormal);
    EXPECT_EQ(status(free), companydata::kDataNormal);

    // A failed fetch ends the copy before anything is marked.
    fake->Command(QStringLiteral("retr-abort 100"));
    messages.messages.clear();
    EXPECT_EQ(press(a), 0);
    EXPECT_EQ(box->CopyMode, 0);
    EXPECT_TRUE(box->CloudSourceFolder.isEmpty());
    EXPECT_EQ(status(a), companydata::kDataNormal);
    EXPECT_NE(box->Keys[fkF2]->text(), QStringLiteral("F2:貼り付け"));
}
