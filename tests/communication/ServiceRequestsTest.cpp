// The service requests of the relay service against the fake: request lines, the information
// reply and the server information table, and the failures.
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/dates/DateTexts.h"
#include "tests/communication/CommFixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>

using communication::TDataTusinCtl;
using communication::TRelayRequest;
using testsupport::CommFixture;

namespace {

const QString kCannotConnect = QStringLiteral("　\r\nサーバーに接続出来ません。\r\n ");

TEST(RequestText, NamesAndPlainValuesAreEncoded)
{
    EXPECT_EQ(communication::EncodeRequestName(QStringLiteral("テスト")), QStringLiteral("g2WDWINn"));
    EXPECT_EQ(communication::EncodeRequestName(QStringLiteral("経理")), QStringLiteral("jG%2bXnQ%3d%3d"));
    EXPECT_EQ(communication::EncodeRequestName(QStringLiteral("ab?")), QStringLiteral("YWI/"));
    EXPECT_EQ(communication::FolderText(3), QStringLiteral("03"));
    EXPECT_EQ(communication::FolderText(10), QStringLiteral("10"));
    TRelayRequest request(QStringLiteral("1820"), QStringLiteral("TX0001"), QStringLiteral("AB CD"));
    request.Plain("fPa", QStringLiteral("p&w=1")).Plain("fNe", QStringLiteral("12"));
    EXPECT_EQ(request.Target(), QByteArray("/request.php?Scode=1820&sSno=TX0001&sFName=AB%20CD&fPa=p%26w%3D1&fNe=12"));
}

class ServiceRequests : public CommFixture {
protected:
    // Puts a data set into a relay folder as a completed send does.
    static void FillRelayFolder(int folder, const QString& name)
    {
        TRelayRequest r(QStringLiteral("1820"), QStringLiteral("TX0001"), QStringLiteral("ID1"));
        r.Plain("fSname", communication::FolderText(folder)).Encoded("fSg", communication::EncodeRequestName(name));
        r.Plain("fNe", QStringLiteral("7")).Plain("fKis", QStringLiteral("202404010000"));
        r.Plain("fKie", QStringLiteral("202503310000")).Plain("fPa", QStringLiteral("pw1")).Plain("fYobi", QStringLiteral("1101"));
        Request(r.Target());
    }
};

TEST_F(ServiceRequests, InformationRequestLinesByOperationType)
{
    struct Case {
        int syoriType;
        quint8 silent;
        quint8 edition;
        const char* line;
    };
    const Case cases[] = {
        {communication::stDataSend, 0, 0, "Scode=1720&sSno=TX0001&sFName=ID1 "},
        {communication::stServerCheck, 0, 0, "Scode=1720&sSno=TX0001&sFName=CB1&sTRKubn=2 "},
        {communication::stCloudSend, 1, 0, "Scode=1725&sSno=TX0001&sFName=ID1&sRendou=1 "},
        {communication::stCloudReceive, 0, 0, "Scode=1725&sSno=TX0001&sFName=ID1&sRendou=0 "},
        {communication::stDataReceive, 0, 1, "Scode=1720&sSno=TX0001&sFName=ID1&sTRKubn=10 "},
        {communication::stCloudSetting, 0, 2, "Scode=1725&sSno=TX0001&sFName=ID1&sTRKubn=10 "},
    };
    for (const Case& c : cases) {
        fake->Command(QStringLiteral("reset"));
        core::EditionFlag = c.edition;
        TDataTusinCtl ctl(view);
        ctl.SyoriType = c.syoriType;
        ctl.Silent = c.silent;
        EXPECT_TRUE(ctl.GetServerInfo()) << c.line;
        EXPECT_EQ(fake->LoggedRequests(),
                  QStringList{QStringLiteral("GET /request.php?") + QLatin1String(c.line) + QStringLiteral("HTTP/1.0")});
        EXPECT_EQ(ctl.ServerInfo[communication::kServerInfoFtpHost], QStringLiteral("127.0.0.1"));
        EXPECT_EQ(ctl.ServerInfo[communication::kServerInfoFtpPassword], testsupport::FakeServices::FtpPassword(
            c.syoriType == communication::stServerCheck ? QStringLiteral("CB1") : QStringLiteral("ID1")));
    }
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(ServiceRequests, RelayTableKeepsBlocksAlignedAndShowsTimes)
{
    FillRelayFolder(3, QStringLiteral("経理"));
    FillRelayFolder(10, QStringLiteral("テスト"));
    TRelayRequest received(QStringLiteral("1830"), QStringLiteral("TX0001"), QStringLiteral("ID1"));
    Request(received.Plain("fSname", QStringLiteral("10")).Target());

    fake->Command(QStringLiteral("leading-empty 3"));
    TDataTusinCtl ctl(view);
    ctl.SyoriType = communication::stDataReceive;
    ASSERT_TRUE(ctl.GetServerInfo());
    const auto& info = ctl.ServerInfo;
    EXPECT_EQ(info[2], QStringLiteral("03"));
    EXPECT_EQ(info[20], QString());
    EXPECT_EQ(info[22], QStringLiteral("経理"));
    EXPECT_EQ(info[29], QStringLiteral("テスト"));
    EXPECT_EQ(info[32], QStringLiteral("7"));
    EXPECT_EQ(info[42], QStringLiteral("2024/04/01 00:00"));
    EXPECT_EQ(info[52], info[42]);
    EXPECT_EQ(info[62], QStringLiteral("2025/03/31 00:00"));
    EXPECT_TRUE(info[82].contains(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$")))) << info[82].toStdString();
    EXPECT_EQ(info[122], QStringLiteral("pw1"));
    EXPECT_EQ(info[132], QStringLiteral("1101"));
    EXPECT_EQ(info[112], QStringLiteral("-")); // never received: not later than the send
    EXPECT_EQ(info[119], info[109]);           // received after the send
    EXPECT_TRUE(info[109].contains(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$")))) << info[109].toStdString();
    EXPECT_EQ(info[33], QString()); // empty folders keep their entries empty
    EXPECT_EQ(info[communication::kServerInfoSerial], QStringLiteral("TX0001"));

    core::SystemDef.Reserve4Switch9 = 1; // era display
    ASSERT_TRUE(ctl.GetServerInfo());
    EXPECT_EQ(ctl.ServerInfo[52], core::FormatDateText(QStringLiteral("yy/mm/dd"), 2, QDate(2024, 4, 1), true));
    EXPECT_EQ(ctl.ServerInfo[42], QStringLiteral("2024/04/01 00:00"));
    EXPECT_TRUE(ctl.ServerInfo[92].endsWith(QLatin1Char(' ') + ctl.ServerInfo[82].mid(11, 5)))
        << ctl.ServerInfo[92].toStdString();
}

TEST_F(ServiceRequests, CloudTableReadsStateOperatorAndLineTimes)
{
    TRelayRequest checkout(QStringLiteral("1833"), QStringLiteral("TX0001"), QStringLiteral("ID1"));
    checkout.Plain("fSname", QStringLiteral("02"));
    checkout.Encoded("fOpName", communication::EncodeRequestName(QStringLiteral("0012山田")));
    checkout.Encoded("fPcName", communication::EncodeRequestName(QStringLiteral("PC-1")));
    Request(checkout.Target());
    TRelayRequest sent(QStringLiteral("1823"), QStringLiteral("TX0001"), QStringLiteral("ID1"));
    sent.Plain("fSname", QStringLiteral("04")).Encoded("fSg", communication::EncodeRequestName(QStringLiteral("本社")));
    sent.Plain("fKis", QStringLiteral("202404010000")).Plain("fPa", QStringLiteral("pw1"));
    Request(sent.Target());

    TDataTusinCtl ctl(view);
    ctl.SyoriType = communication::stCloudSetting;
    ASSERT_TRUE(ctl.GetServerInfo());
    // The check-out of an empty line marks it in use without a data name: nothing is stored.
    EXPECT_EQ(ctl.ServerInfo[141], QString());
    EXPECT_EQ(ctl.ServerInfo[23], QStringLiteral("本社"));
    EXPECT_EQ(ctl.ServerInfo[143], QStringLiteral("1"));
    EXPECT_EQ(ctl.ServerInfo[153], QString());
    EXPECT_TRUE(ctl.LineTime[4].contains(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$"))))
        << ctl.LineTime[4].toStdString();
    EXPECT_TRUE(communication::TimeOfText(ctl.LineTime[4]).isValid());

    // Now with a data name on line 4, check it out: the operator text and computer are read.
    TRelayRequest take(QStringLiteral("1833"), QStringLiteral("TX0001"), QStringLiteral("ID1"));
    take.Plain("fSname", QStringLiteral("04"));
    take.Encoded("fOpName", communication::EncodeRequestName(QStringLiteral("0012山田")));
    take.Encoded("fPcName", communication::EncodeRequestName(QStringLiteral("PC-1")));
    Request(take.Target());
    ASSERT_TRUE(ctl.GetServerInfo());
    EXPECT_EQ(ctl.ServerInfo[143], QStringLiteral("2"));
    EXPECT_EQ(ctl.ServerInfo[153], QStringLiteral("0012山田"));
    EXPECT_EQ(ctl.ServerInfo[163], QStringLiteral("PC-1"));
    EXPECT_NE(ctl.ServerInfo[113], QStringLiteral("-"));
}

TEST_F(ServiceRequests, FailuresLeaveAnEmptyTable)
{
    FillRelayFolder(1, QStringLiteral("経理"));
    TDataTusinCtl ctl(view);
    ctl.SyoriType = communication::stDataSend;
    ASSERT_TRUE(ctl.GetServerInfo());
    ASSERT_EQ(ctl.ServerInfo[20], QStringLiteral("経理"));

    // 4 header lines, the result line, lines 6-8 and six whole blocks: the reply ends in block 7.
    fake->Command(QStringLiteral("cut-lines 65"));
    EXPECT_FALSE(ctl.GetServerInfo());
    EXPECT_EQ(ctl.ServerInfo[20], QString());
    EXPECT_EQ(ctl.ServerInfo[communication::kServerInfoFtpHost], QString());
    EXPECT_EQ(ctl.ServerInfo[communication::kServerInfoSerial], QStringLiteral("TX0001"));
    EXPECT_EQ(messages.texts(), QStringList{kCannotConnect});
    EXPECT_TRUE(view.calls.contains(QStringLiteral("Keys 0 0")));

    struct Case {
        const char* fault;
        QString message;
    };
    const Case cases[] = {
        {"code 1720 920", QStringLiteral("　\r\nサーバーに接続出来ません、通信IDを確認して下さい。\r\n ")},
        {"code 1720 512", QStringLiteral("　\r\nサーバーエラー(512)\r\n ")},
        {"extra-header", QStringLiteral("　\r\nサーバーエラー()\r\n ")}, // line 5 is then the empty line
        {"drop", kCannotConnect},
        {"bad-cert", kCannotConnect},
        {"no-reply", kCannotConnect},
    };
    for (const Case& c : cases) {
        fake->Command(QStringLiteral("reset"));
        fake->Command(QLatin1String(c.fault));
        messages.messages.clear();
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(ctl.GetServerInfo()) << c.fault;
        EXPECT_LT(clock.elapsed(), 4000) << c.fault;
        EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.fault;
        EXPECT_EQ(ctl.ServerInfo[20], QString());
        if (QLatin1String(c.fault) == QLatin1String("bad-cert"))
            EXPECT_TRUE(fake->LoggedRequests().isEmpty());
    }
}

} // namespace
