// Deleting relay folders, cloud-share lines and cash-book folders; release and check-out.
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/net/NetError.h"
#include "tests/communication/CommFixture.h"

using communication::TDataTusinCtl;
using communication::TRelayRequest;
using testsupport::CommFixture;

namespace {

// The ctl with the local cloud time recorded instead of written to a database.
class CloudTimeCtl : public TDataTusinCtl {
public:
    using TDataTusinCtl::TDataTusinCtl;
    QList<QDateTime> cloudTimes;
    bool cloudTimeResult = true;
    bool SetCloudTime(const QDateTime& time) override
    {
        cloudTimes << time;
        return cloudTimeResult;
    }
};

class ServerFolders : public CommFixture {
protected:
    static QString Logged(const char* query) { return QStringLiteral("GET /request.php?") + QLatin1String(query) + QStringLiteral(" HTTP/1.0"); }
};

TEST_F(ServerFolders, RelayFolderDeletion)
{
    TDataTusinCtl ctl(view);
    ctl.SyoriType = communication::stDataSend;
    view.selectedRow = 9;
    ctl.DeleteServerData(); // empty row
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("　\r\n選択したフォルダには、データは存在しません。\r\n ")});
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());

    for (int c = 1; c < 8; ++c)
        ctl.Cells[9][c] = QStringLiteral("x");
    messages.messages.clear();
    messages.answers = {core::mrNo};
    ctl.DeleteServerData();
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());

    messages.answers = {core::mrYes};
    ctl.DeleteServerData();
    EXPECT_EQ(fake->LoggedRequests(), QStringList{Logged("Scode=1750&sSno=TX0001&sFName=ID1&fSname=10")});
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\n中継サーバーのデータを削除しました。\r\n "));
    for (int c = 1; c <= 6; ++c)
        EXPECT_TRUE(ctl.Cells[9][c].isEmpty()) << c;
    EXPECT_EQ(ctl.Cells[9][7], QStringLiteral("x"));

    fake->Command(QStringLiteral("code 1750 300"));
    ctl.Cells[9][1] = QStringLiteral("x");
    messages.answers = {core::mrYes};
    ctl.DeleteServerData();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nサーバーエラー(300)\r\n "));
    EXPECT_EQ(ctl.Cells[9][1], QStringLiteral("x"));
}

TEST_F(ServerFolders, CloudLineDeletionChecksUseAndPassword)
{
    TDataTusinCtl ctl(view);
    ctl.SyoriType = communication::stCloudSetting;
    view.selectedRow = 2;
    core::AccInf.CLOUD_LINE = 3;
    ctl.OwnLineDataName = QStringLiteral("本社");
    ctl.Cells[2][2] = QStringLiteral("本社");
    ctl.ServerInfo[142] = QStringLiteral("2");
    ctl.ServerInfo[152] = QStringLiteral("0012山田");
    ctl.ServerInfo[162] = QStringLiteral("PC-1");
    ctl.DeleteServerData();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("現在使用中のため削除できません。\r\nオペレータコード: [ 12 ]\r\n"
                                                           "オペレータ名:     [ 山田 ]\r\nコンピュータ名:   [ PC-1 ]")});
    ctl.ServerInfo[152].clear();
    ctl.DeleteServerData();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("現在使用中のため削除できません。 "));
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());

    ctl.ServerInfo[142] = QStringLiteral("1");
    ctl.ServerInfo[122] = QStringLiteral("pw9");
    view.passwordAnswer = false;
    ctl.DeleteServerData();
    EXPECT_EQ(view.expectedPassword, QStringLiteral("pw9"));
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());

    view.passwordAnswer = true;
    ctl.DeleteServerData();
    EXPECT_EQ(fake->LoggedRequests(), QStringList{Logged("Scode=1753&sSno=TX0001&sFName=ID1&fSname=03")});
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nクラウドシェアのデータを削除しました。\r\n "));
    EXPECT_TRUE(ctl.Cells[2][7].isEmpty());
    EXPECT_TRUE(ctl.OwnLineDataName.isEmpty());
}

TEST_F(ServerFolders, CashBookFolderDeletion)
{
    TDataTusinCtl ctl(view);
    ctl.SyoriType = communication::stCashBookReceive; // from a flow: no list, no message
    ctl.DeleteCashBookFolder(2);
    EXPECT_EQ(fake->LoggedRequests(), QStringList{Logged("Scode=1750&sSno=TX0001&sFName=CB1&fSname=03")});
    EXPECT_TRUE(messages.messages.isEmpty());

    fake->Command(QStringLiteral("bad-cert"));
    ctl.DeleteCashBookFolder(0);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("　\r\nサーバーに接続出来ません。\r\n ")});
}

TEST_F(ServerFolders, ReleaseAndCheckOut)
{
    CloudTimeCtl ctl(view);
    ctl.SyoriType = communication::stCloudRelease;
    ctl.OpNameEnc = communication::EncodeRequestName(QStringLiteral("テスト"));
    ctl.PcNameEnc = communication::EncodeRequestName(QStringLiteral("経理"));
    EXPECT_TRUE(ctl.SetCloudShareFlag(3, 1));
    EXPECT_EQ(fake->LoggedRequests(),
              QStringList{Logged("Scode=1730&sSno=TX0001&sFName=ID1&fSname=03&fShare=1&fOpName=g2WDWINn&fPcName=jG%2bXnQ%3d%3d")});
    fake->Command(QStringLiteral("code 1730 920"));
    EXPECT_FALSE(ctl.SetCloudShareFlag(3, 1));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("　\r\nサーバーに接続出来ません、通信IDを確認して下さい。\r\n ")});
    fake->Command(QStringLiteral("drop"));
    EXPECT_THROW(ctl.SetCloudShareFlag(3, 1), std::exception); // passes to the caller

    fake->Command(QStringLiteral("reset"));
    messages.messages.clear();
    core::AccInf.CLOUD_LINE = 10;
    EXPECT_TRUE(ctl.CloudShareCheckOut());
    EXPECT_EQ(fake->LoggedRequests().value(0).left(60), Logged("Scode=1833&sSno=TX0001&sFName=ID1&fSname=10&").left(60));
    ASSERT_EQ(ctl.cloudTimes.size(), 1);
    EXPECT_TRUE(ctl.SrvTime.isValid());
    EXPECT_EQ(ctl.cloudTimes[0], ctl.SrvTime);
    EXPECT_EQ(ctl.LineTime[0], ctl.SrvTime.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));

    ctl.cloudTimeResult = false;
    EXPECT_TRUE(ctl.CloudShareCheckOut());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("ローカルデータの最終更新日付更新エラー")});

    fake->Command(QStringLiteral("code 1833 401"));
    EXPECT_FALSE(ctl.CloudShareCheckOut());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\n完了処理サーバーエラー(401)\r\n "));
    fake->Command(QStringLiteral("bad-cert"));
    EXPECT_FALSE(ctl.CloudShareCheckOut());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("　\r\nサーバーに接続出来ません。(完了処理)\r\n "));
}

} // namespace
