// Send and receive of whole data sets through the fake relay and FTP services: the archive's
// round trip, the put with its "bak" copy under faults, the cloud-share release, and the
// receive's early ends.
#include "RegistryTestFixture.h"
#include "communication/DataTusinCtl.h"
#include "companydata/BackupRestoreThread.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/net/NetSettings.h"
#include "tests/communication/RecordingView.h"
#include "tests/support/FakeServices.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

using communication::TDataTusinCtl;

namespace {

class Transfer : public registrytest::RegistryTest<Transfer> {
protected:
    static void SetUpTestSuite()
    {
        createRoot({schema::sample::SampleKind::Ordinary, schema::sample::SampleKind::Ordinary});
        fake = std::make_unique<testsupport::FakeServices>();
    }
    static void TearDownTestSuite()
    {
        fake.reset();
        RegistryTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        RegistryTest::SetUp();
        fake->Command(QStringLiteral("reset"));
        core::net::SetNetSettings(fake->Settings());
        core::EditionFlag = 0;
        core::SystemDef.Reserve4Switch9 = 0;
        core::SystemDef.WorkDir = folder(QStringLiteral("work"));
        core::SystemDef.TempDir = folder(QStringLiteral("temp"));
        Open(1);
    }

    // Makes the data set the open one, with the communication ID and password of the tests.
    void Open(int rec)
    {
        core::SystemDef.DataFolder = root_->dataFolder(rec);
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), core::SystemDef.DataFolder, 0));
        ASSERT_TRUE(dm.fnGetAccInfo());
        core::AccInf.WEB_HOLDER = QStringLiteral("ID1");
        core::AccInf.PASWORD = QStringLiteral("pw1");
    }

    std::unique_ptr<TDataTusinCtl> Ctl(int syoriType, int row)
    {
        auto ctl = std::make_unique<TDataTusinCtl>(view);
        ctl->SyoriType = syoriType;
        ctl->StepPauseMs = 0;
        view.selectedRow = row;
        return ctl;
    }

    // A relay send of the open data set into folder row + 1, answering Yes.
    int Send(int row)
    {
        auto ctl = Ctl(communication::stDataSend, row);
        if (!ctl->GetServerInfo())
            return -1;
        messages.answers = {core::mrYes};
        return ctl->SendData();
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList Scodes() const
    {
        QStringList codes;
        for (const QString& line : fake->LoggedRequests())
            codes << line.mid(QStringLiteral("GET /request.php?Scode=").size(), 4);
        return codes;
    }
    static bool NoWorkFiles()
    {
        for (const char* sub : {"ComS", "ComR"})
            if (!QDir(core::SystemDef.WorkDir + QLatin1Char('/') + QLatin1String(sub)).entryList(QDir::Files).isEmpty())
                return false;
        return QDir(core::SystemDef.TempDir).entryList(QDir::Files).isEmpty();
    }

    static inline std::unique_ptr<testsupport::FakeServices> fake;
    testsupport::RecordingView view;
};

TEST_F(Transfer, RelayRoundTripIntoASecondFolder)
{
    ASSERT_EQ(Send(2), 0) << messageText().toStdString();
    EXPECT_EQ(Scodes(), (QStringList{QStringLiteral("1720"), QStringLiteral("1820")}));
    const QString serverFile = fake->ServerFile(QStringLiteral("ID1"), QStringLiteral("/03/qmacc.wen"));
    EXPECT_GT(QFileInfo(serverFile).size(), 0);
    EXPECT_FALSE(QFile::exists(serverFile + QStringLiteral("bak")));
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nデータ送信処理が終了しました。\r\n "));
    EXPECT_TRUE(NoWorkFiles());

    // Into data set 2, renamed first so that the restore shows in its registry row.
    run({QStringLiteral("UPDATE DATALIST SET ENTTEXT='別名' WHERE REC=2")});
    Open(2);
    auto ctl = Ctl(communication::stDataReceive, 2);
    ASSERT_TRUE(ctl->GetServerInfo());
    ctl->Cells[2][1] = ctl->ServerInfo[22];
    messages.messages.clear();
    messages.answers = {core::mrYes};
    EXPECT_EQ(ctl->ReceiveData(), 0) << messageText().toStdString();
    EXPECT_EQ(Scodes().mid(2), (QStringList{QStringLiteral("1720"), QStringLiteral("1830")}));
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nデータ受信処理が終了しました。\r\n "));
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=2")),
              rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=1")));
    EXPECT_EQ(ctl->Restored, 1);
    EXPECT_FALSE(ctl->Cells[2][5].isEmpty());
    EXPECT_TRUE(NoWorkFiles());
}

TEST_F(Transfer, FailedPutKeepsThePreviousFile)
{
    ASSERT_EQ(Send(2), 0) << messageText().toStdString();
    const QString serverFile = fake->ServerFile(QStringLiteral("ID1"), QStringLiteral("/03/qmacc.wen"));
    const QByteArray previous = Bytes(serverFile);
    ASSERT_FALSE(previous.isEmpty());
    const struct {
        const char* fault;
        const char* message;
    } cases[] = {
        {"stor-abort 1000", "　\r\nデータの送信に失敗しました。\r\n "},
        {"short 10", "送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再度送信を行ってください。"},
        {"rename-refuse", "　\r\nデータの送信に失敗しました。\r\n "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        fake->Command(QLatin1String(c.fault));
        const int before = fake->LoggedRequests().size();
        messages.messages.clear();
        EXPECT_EQ(Send(2), 1);
        EXPECT_EQ(messages.texts().last(), QString::fromUtf8(c.message));
        EXPECT_EQ(Bytes(serverFile), previous);
        EXPECT_FALSE(QFile::exists(serverFile + QStringLiteral("bak")));
        EXPECT_EQ(fake->LoggedRequests().size(), before + 1); // the information request only
        EXPECT_TRUE(NoWorkFiles());
        // Clear the fault, keep the files.
        fake->Command(QStringLiteral("stor-abort 1000000000"));
        fake->Command(QStringLiteral("short 1000000000"));
    }
}

TEST_F(Transfer, CloudSendReleasesTheLineOnlyAfterItsCheckOut)
{
    core::AccInf.CLOUD_LINE = 4;
    auto ctl = Ctl(communication::stCloudSend, -1);
    ctl->CloudDataFolder = core::SystemDef.DataFolder;
    ASSERT_TRUE(ctl->ClearCloudLine(true));

    fake->Command(QStringLiteral("bad-cert"));
    EXPECT_EQ(ctl->SendData(), 1);
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nサーバーに接続出来ません。(送信開始処理)\r\n "));

    fake->Command(QStringLiteral("reset"));
    fake->Command(QStringLiteral("stor-abort 100"));
    EXPECT_EQ(ctl->SendData(), 1);
    EXPECT_EQ(Scodes(), (QStringList{QStringLiteral("1833"), QStringLiteral("1725"), QStringLiteral("1730")}));
    EXPECT_TRUE(NoWorkFiles());

    fake->Command(QStringLiteral("reset"));
    EXPECT_EQ(ctl->SendData(), 0) << messageText().toStdString();
    EXPECT_EQ(Scodes(), (QStringList{QStringLiteral("1833"), QStringLiteral("1725"), QStringLiteral("1823")}));
    EXPECT_GT(QFileInfo(fake->ServerFile(QStringLiteral("ID1"), QStringLiteral("/04/cpacc.wen"))).size(), 0);
}

TEST_F(Transfer, ReceiveEndsEarlyWithoutTouchingTheData)
{
    ASSERT_EQ(Send(2), 0) << messageText().toStdString();
    // A restore would write the received data's name into the registry row.
    run({QStringLiteral("UPDATE DATALIST SET ENTTEXT='目印' WHERE REC=1")});
    auto ctl = Ctl(communication::stDataReceive, 2);
    ASSERT_TRUE(ctl->GetServerInfo());
    ctl->Cells[2][1] = ctl->ServerInfo[22];

    // A password that differs: refused before any request.
    const int logged = fake->LoggedRequests().size();
    core::AccInf.PASWORD = QStringLiteral("other");
    EXPECT_EQ(ctl->ReceiveData(), 1);
    EXPECT_EQ(fake->LoggedRequests().size(), logged);
    core::AccInf.PASWORD = QStringLiteral("pw1");

    // A lost download: no restore.
    fake->Command(QStringLiteral("retr-abort 100"));
    messages.messages.clear();
    messages.answers = {core::mrYes};
    EXPECT_EQ(ctl->ReceiveData(), 1);
    EXPECT_FALSE(ctl->Restored);

    // An empty server file: one warning.
    fake->Command(QStringLiteral("retr-abort 1000000000"));
    QFile empty(fake->ServerFile(QStringLiteral("ID1"), QStringLiteral("/03/qmacc.wen")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly | QIODevice::Truncate));
    empty.close();
    messages.messages.clear();
    messages.answers = {core::mrYes};
    EXPECT_EQ(ctl->ReceiveData(), 1);
    EXPECT_EQ(messages.texts().mid(1), QStringList{QStringLiteral("　\r\nダウンロードファイルが見つかりません。\r\n ")});

    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=1")), QStringList{QStringLiteral("目印")});
    EXPECT_TRUE(NoWorkFiles());
    EXPECT_FALSE(Scodes().contains(QStringLiteral("1830")));
}

TEST_F(Transfer, CollationConsentAndFailedRestoreLeaveTheTarget)
{
    ASSERT_EQ(Send(0), 0) << messageText().toStdString();
    // The second data set under another trade name: the collation shows the difference.
    Open(2);
    dm.AccDatDisconnect(QString(), 0, 0);
    {
        core::TIBDatabase db;
        db.setDatabaseName(root_->dataFolder(2) + QStringLiteral("/qmacc.fdb"));
        db.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
        db.open();
        core::TIBTransaction t;
        t.addDatabase(&db);
        t.startTransaction();
        core::TIBSQL q(&db, &t);
        q.sql() << QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='別会社'");
        q.execSQL();
        t.commit();
        db.close();
    }
    Open(2);
    run({QStringLiteral("UPDATE DATALIST SET ENTTEXT='目印' WHERE REC=2")});
    auto ctl = Ctl(communication::stDataReceive, 0);
    ASSERT_TRUE(ctl->GetServerInfo());
    ctl->Cells[0][1] = ctl->ServerInfo[20];
    view.consentAnswer = false;
    messages.answers = {core::mrYes};
    EXPECT_EQ(ctl->ReceiveData(), 1);
    EXPECT_EQ(view.consentDetails.value(0), QStringLiteral("会社名に違いがありました。"));
    EXPECT_EQ(view.consentDetails.value(2), QStringLiteral("　【復元先】：別会社"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=2")), QStringList{QStringLiteral("目印")});
    EXPECT_TRUE(NoWorkFiles());

    // A received backup whose data are damaged behind a sound information block: the final
    // restore fails and the target database stays as it was.
    const QString comR = core::SystemDef.WorkDir + QStringLiteral("/ComR");
    QDir().mkpath(comR);
    const QString backup = comR + QStringLiteral("/qmacc.fbk");
    {
        QFile f(backup);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100000, 'x'));
    }
    companydata::TBackupRestoreThread zone(true);
    zone.ZoneShougou = QStringLiteral("別会社");
    zone.ZoneKishu = core::AccInf.KISHU.toString(QStringLiteral("yyyy/MM/dd"));
    zone.ZoneKimatu = core::AccInf.KIMATU.toString(QStringLiteral("yyyy/MM/dd"));
    zone.ZoneTotalSiwake = 10000000;
    ASSERT_TRUE(zone.WriteZoneInfo(backup));
    messages.messages.clear();
    EXPECT_FALSE(ctl->RestoreReceived());
    ASSERT_FALSE(messages.messages.isEmpty()); // the worker reports the failure; the restore shows its texts
    EXPECT_EQ(messages.messages.last().kind, core::MessageKind::Warning) << messageText().toStdString();
    QFile::remove(backup);
    dm.AccDatDisconnect(QString(), 0, 0);
    Open(2); // still a sound database with its own data
    EXPECT_EQ(core::AccInf.SHOUGOU, QStringLiteral("別会社"));
    EXPECT_TRUE(NoWorkFiles());
}

TEST_F(Transfer, CloudReceiveAndReceiveIntoANewFolder)
{
    core::AccInf.CLOUD_LINE = 4;
    auto send = Ctl(communication::stCloudSend, -1);
    send->CloudDataFolder = core::SystemDef.DataFolder;
    ASSERT_TRUE(send->ClearCloudLine(true));
    ASSERT_EQ(send->SendData(), 0) << messageText().toStdString();

    auto receive = Ctl(communication::stCloudReceive, -1);
    receive->CloudDataFolder = core::SystemDef.DataFolder;
    receive->BackupFileName = QStringLiteral("cpacc.fbk");
    ASSERT_TRUE(receive->GetServerInfo());
    fake->Command(QStringLiteral("retr-abort 100"));
    EXPECT_EQ(receive->ReceiveData(), 1);
    EXPECT_EQ(Scodes().mid(3), (QStringList{QStringLiteral("1725"), QStringLiteral("1833"), QStringLiteral("1730")}));
    fake->Command(QStringLiteral("retr-abort 1000000000"));
    // A check-out reply whose time line is too short: silently not done, and the line released.
    fake->Command(QStringLiteral("short-time"));
    messages.messages.clear();
    EXPECT_EQ(receive->ReceiveData(), 1);
    EXPECT_TRUE(messages.messages.isEmpty()) << messageText().toStdString();
    EXPECT_EQ(Scodes().mid(6), (QStringList{QStringLiteral("1833"), QStringLiteral("1730")}));
    fake->Command(QStringLiteral("reset"));
    ASSERT_EQ(send->SendData(), 0) << messageText().toStdString();
    ASSERT_TRUE(receive->GetServerInfo());
    EXPECT_EQ(receive->ReceiveData(), 0) << messageText().toStdString();
    EXPECT_EQ(Scodes().mid(4), QStringList{QStringLiteral("1833")});
    EXPECT_EQ(receive->Restored, 1);
    EXPECT_TRUE(NoWorkFiles());

    // The new-folder receive restores into "receive" of the temporary folder and keeps it there.
    auto fresh = Ctl(communication::stCloudReceiveNew, -1);
    fresh->CloudDataFolder = core::SystemDef.DataFolder;
    fresh->BackupFileName = QStringLiteral("cpacc.fbk");
    ASSERT_TRUE(fresh->GetServerInfo());
    EXPECT_EQ(fresh->ReceiveData(), 0) << messageText().toStdString();
    EXPECT_TRUE(QFile::exists(core::SystemDef.TempDir + QStringLiteral("/receive/qmacc.fdb")));
    EXPECT_TRUE(QDir(core::SystemDef.TempDir).entryList(QDir::Files).isEmpty());
}

TEST_F(Transfer, CashBookExchangeWithStandInClasses)
{
    core::AccInf.TusinHolder[1] = QStringLiteral("CB1");
    core::AccInf.TusinPassword[1] = QStringLiteral("cbpw");
    const QString notYet = communication::kNotYetAvailable;

    // Master send: the sender's preparation fails, nothing is written.
    auto master = Ctl(communication::stMasterSend, -1);
    master->Factories = communication::StandInFactories();
    ASSERT_TRUE(master->GetServerInfo());
    EXPECT_FALSE(master->CashBookSend());
    EXPECT_EQ(messages.texts(), (QStringList{notYet, QStringLiteral("　\r\nデータセンダーエラー1\r\n ")}));
    EXPECT_EQ(Scodes(), QStringList{QStringLiteral("1720")});
    EXPECT_FALSE(QFile::exists(fake->ServerFile(QStringLiteral("CB1"), QStringLiteral("/03/qmacc.wen"))));
    EXPECT_TRUE(NoWorkFiles());

    // Cash-book send: the file arrives, then the sender's completion fails and the send says so.
    auto send = Ctl(communication::stCashBookSend, -1);
    send->Factories = communication::StandInFactories();
    ASSERT_TRUE(send->GetServerInfo());
    messages.messages.clear();
    EXPECT_FALSE(send->CashBookSend());
    EXPECT_EQ(messages.texts(), (QStringList{notYet, QStringLiteral("　\r\nデータセンダーエラー2\r\n ")}));
    EXPECT_GT(QFileInfo(fake->ServerFile(QStringLiteral("CB1"), QStringLiteral("/02/qmacc.wen"))).size(), 0);
    EXPECT_EQ(Scodes().last(), QStringLiteral("1810"));

    // Receive of folder 02: restored into the temporary folder, refused by the stand-in take-in,
    // and the temporary database is gone afterwards.
    auto receive = Ctl(communication::stCashBookReceive, -1);
    receive->Factories = communication::StandInFactories();
    receive->ServerInfo = send->ServerInfo;
    messages.messages.clear();
    EXPECT_FALSE(receive->CashBookReceive(1)) << messageText().toStdString();
    EXPECT_EQ(receive->LoaderRefused, 1);
    EXPECT_EQ(receive->Restored, 1);
    EXPECT_TRUE(NoWorkFiles());

    // An unreachable server: False, and the take-in never said anything.
    receive->ServerInfo[communication::kServerInfoFtpPassword] = QStringLiteral("wrong");
    messages.messages.clear();
    EXPECT_FALSE(receive->CashBookReceive(1));
    EXPECT_EQ(receive->LoaderRefused, 0);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("　\r\nサーバーの接続に失敗しました。\r\n ")});
}

} // namespace
