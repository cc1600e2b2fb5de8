// The relay exchange and the FTP session against the fake relay and FTP services.
#include "core/net/FtpSession.h"
#include "core/net/NetError.h"
#include "core/net/RelayExchange.h"
#include "tests/support/FakeServices.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using core::net::FtpSession;
using core::net::NetError;
using core::net::NetFailure;
using core::net::RelayExchange;

namespace {

class NetTransport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fake = std::make_unique<testsupport::FakeServices>(); }
    static void TearDownTestSuite() { fake.reset(); }
    void SetUp() override { fake->Command(QStringLiteral("reset")); }

    static QByteArray Info(const char* id) { return QByteArray("/request.php?Scode=1720&sSno=TX0001&sFName=") + id; }

    // Expects the call to fail with the kind, within the 2-second time-outs and some slack.
    template <typename F>
    static void ExpectFailure(NetFailure kind, F call, int line = __builtin_LINE())
    {
        SCOPED_TRACE(line);
        QElapsedTimer clock;
        clock.start();
        try {
            call();
            ADD_FAILURE() << "no failure";
        } catch (const NetError& e) {
            EXPECT_EQ(int(e.failure()), int(kind)) << e.what();
        }
        EXPECT_LT(clock.elapsed(), 4000);
    }

    static std::unique_ptr<FtpSession> Ftp(const QString& id)
    {
        return std::make_unique<FtpSession>(QStringLiteral("127.0.0.1"), id, testsupport::FakeServices::FtpPassword(id),
                                            fake->Settings());
    }

    static inline std::unique_ptr<testsupport::FakeServices> fake;
};

TEST_F(NetTransport, RelayReplyIsReadRawByLines)
{
    fake->Command(QStringLiteral("leading-empty 2"));
    const QList<QByteArray> lines = RelayExchange(Info("ID1"), fake->Settings());
    ASSERT_GT(lines.size(), 8);
    EXPECT_EQ(lines[0], QByteArray());
    EXPECT_EQ(lines[1], QByteArray());
    EXPECT_EQ(lines[2], QByteArray("HTTP/1.0 200 OK"));
    EXPECT_EQ(lines[5], QByteArray()); // the empty line after the headers
    EXPECT_EQ(lines[6].mid(10, 3), QByteArray("000"));
    EXPECT_EQ(fake->LoggedRequests(), QStringList{QStringLiteral("GET /request.php?Scode=1720&sSno=TX0001&sFName=ID1 HTTP/1.0")});
}

TEST_F(NetTransport, RelayFailuresEndWithinTheTimeOuts)
{
    fake->Command(QStringLiteral("bad-cert"));
    ExpectFailure(NetFailure::Connect, [] { RelayExchange(Info("ID1"), fake->Settings()); });
    EXPECT_TRUE(fake->LoggedRequests().isEmpty());

    fake->Command(QStringLiteral("reset"));
    fake->Command(QStringLiteral("no-reply"));
    ExpectFailure(NetFailure::Timeout, [] { RelayExchange(Info("ID1"), fake->Settings()); });

    fake->Command(QStringLiteral("reset"));
    fake->Command(QStringLiteral("drop"));
    ExpectFailure(NetFailure::Transfer, [] { RelayExchange(Info("ID1"), fake->Settings()); });

    core::net::TNetSettings closed = fake->Settings();
    closed.RelayPort = fake->FtpPort; // no TLS there
    ExpectFailure(NetFailure::Connect, [&] { RelayExchange(Info("ID1"), closed); });
}

TEST_F(NetTransport, FtpStepsRoundTrip)
{
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("a.wen"));
    QByteArray bytes;
    for (int i = 0; i < 300000; ++i)
        bytes += char(i * 7);
    QFile out(local);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    auto ftp = Ftp(QStringLiteral("ID1"));
    ftp->Connect();
    ftp->CheckFolder(QStringLiteral("/03"));
    ExpectFailure(NetFailure::Refused, [&] { ftp->CheckFolder(QStringLiteral("/77")); });
    EXPECT_EQ(ftp->Size(QStringLiteral("/03/qmacc.wen")), -1);
    ftp->Put(local, QStringLiteral("/03/qmacc.wen"));
    EXPECT_EQ(ftp->Size(QStringLiteral("/03/qmacc.wen")), bytes.size());
    ftp->Rename(QStringLiteral("/03/qmacc.wen"), QStringLiteral("/03/qmacc.wenbak"));
    EXPECT_EQ(ftp->Size(QStringLiteral("/03/qmacc.wen")), -1);
    const QString back = dir.filePath(QStringLiteral("b.wen"));
    ftp->Get(QStringLiteral("/03/qmacc.wenbak"), back);
    QFile in(back);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), bytes);
    ftp->Delete(QStringLiteral("/03/qmacc.wenbak"));
    EXPECT_FALSE(QFile::exists(fake->ServerFile(QStringLiteral("ID1"), QStringLiteral("/03/qmacc.wenbak"))));
    ExpectFailure(NetFailure::Refused, [&] { ftp->Delete(QStringLiteral("/03/qmacc.wenbak")); });

    FtpSession wrong(QStringLiteral("127.0.0.1"), QStringLiteral("ID1"), QStringLiteral("nope"), fake->Settings());
    ExpectFailure(NetFailure::Connect, [&] { wrong.Connect(); });
}

TEST_F(NetTransport, FtpFaultsFailTheStep)
{
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("a.wen"));
    QFile out(local);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(200000, 'x'));
    out.close();

    auto ftp = Ftp(QStringLiteral("ID2"));
    ftp->Connect();
    ftp->Put(local, QStringLiteral("/01/qmacc.wen"));

    fake->Command(QStringLiteral("stor-abort 1000"));
    ExpectFailure(NetFailure::Transfer, [&] { ftp->Put(local, QStringLiteral("/02/qmacc.wen")); });
    fake->Command(QStringLiteral("retr-abort 1000"));
    ExpectFailure(NetFailure::Transfer, [&] { ftp->Get(QStringLiteral("/01/qmacc.wen"), dir.filePath(QStringLiteral("b"))); });
    fake->Command(QStringLiteral("rename-refuse"));
    ExpectFailure(NetFailure::Refused, [&] { ftp->Rename(QStringLiteral("/01/qmacc.wen"), QStringLiteral("/01/x")); });
}

} // namespace
