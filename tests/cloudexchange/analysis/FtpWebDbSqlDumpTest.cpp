// The analysis-cloud upload end to end against the fake service on 127.0.0.1: the dump, the
// ZIP file, both HTTPS requests and the FTP put, and every status the client sets.

#include "cloudexchange/analysis/FtpWebDbSqlDump.h"
#include "core/Globals.h"
#include "core/net/NetSettings.h"
#include "core/settings/AccReg.h"
#include "platform/Cp932.h"
#include "tests/cloudexchange/analysis/DumpCompany.h"
#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <memory>

namespace {

using cloudexchange::TFtpWebDbSqlDump;

class Upload : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            fake_ = new testsupport::FakeServices;
        } catch (const std::exception& e) {
            startError_ = e.what();
        }
    }
    static void TearDownTestSuite() {
        delete fake_;
        fake_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(fake_) << startError_;
        fake_->Command(QStringLiteral("reset"));
        session_ = std::make_unique<dumptest::DumpSession>(dumptest::fixtureCompany());
        settings_ = core::net::NetSettings();
        core::net::SetNetSettings(fake_->Settings());
        appInfo_ = core::AppInfo;
        core::AppInfo.WebZebrikServer = QStringLiteral("127.0.0.1:%1").arg(fake_->HttpsPort);
    }
    void TearDown() override {
        core::AppInfo = appInfo_;
        core::net::SetNetSettings(settings_);
        session_.reset();
    }
    // The analysis requests logged: request line and User-Agent line, in pairs.
    static QStringList logged() { return fake_->LoggedRequests(); }

    static testsupport::FakeServices* fake_;
    static std::string startError_;
    std::unique_ptr<dumptest::DumpSession> session_;
    core::net::TNetSettings settings_;
    core::TAppInfoRec appInfo_;
};

testsupport::FakeServices* Upload::fake_ = nullptr;
std::string Upload::startError_;

// The dump and the packer replaced where a case needs it.
class ScriptedUpload : public TFtpWebDbSqlDump {
public:
    int dumpBytes = -1;  // >= 0: the dump step writes this many bytes instead of the dump
    int packResult = 0;  // the packer's result when zipBytes >= 0
    int zipBytes = -1;   // >= 0: the packer writes this many bytes instead of packing
protected:
    bool MakeDumpFile() override {
        if (dumpBytes < 0)
            return TFtpWebDbSqlDump::MakeDumpFile();
        QDir().mkpath(QFileInfo(Dump.DumpPath).absolutePath());
        QFile f(Dump.DumpPath);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(dumpBytes, 'x'));
        return true;
    }
    int Pack(const QString& options, const QString& zipPath, const QString& sourcePath) override {
        if (zipBytes < 0)
            return TFtpWebDbSqlDump::Pack(options, zipPath, sourcePath);
        QFile f(zipPath.mid(1, zipPath.size() - 2));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(zipBytes, 'z'));
        return packResult;
    }
};

TEST_F(Upload, AFullUploadStoresTheZipAndConfirmsIt) {
    TFtpWebDbSqlDump upload;
    EXPECT_EQ(upload.UploadDump(QStringLiteral("1234-5678-9012"), 3), QStringLiteral("000"));
    EXPECT_EQ(upload.DatabaseName, QStringLiteral("zebrik_d_123456789012_3"));
    const QStringList log = logged();
    ASSERT_EQ(log.size(), 4) << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("GET /request.php?pmd=1000&fnm=123456789012 HTTP/"))) << log[0].toStdString();
    EXPECT_EQ(log[1], QStringLiteral("User-Agent: Tessaro"));
    EXPECT_TRUE(log[2].startsWith(
        QStringLiteral("GET /request.php?pmd=1100&fnm=123456789012&dno=3&dvr=15.0.0&fpa=Nlsmoy0645 HTTP/")))
        << log[2].toStdString();
    EXPECT_EQ(log[3], QStringLiteral("User-Agent: Tessaro"));

    // The dump is gone, the ZIP stays beside it; the stored copy opens with the constant password.
    EXPECT_FALSE(QFile::exists(session_->dumpPath()));
    const QString stored = fake_->ServerFile(QStringLiteral("123456789012"), QStringLiteral("/03/qmacc.zip"));
    ASSERT_TRUE(QFile::exists(stored));
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), QStringLiteral("-P"), QStringLiteral("Nlsmoy0645"), stored,
                                          QStringLiteral("qmacc.sql")});
    unzip.waitForFinished(30000);
    EXPECT_EQ(unzip.exitCode(), 0);
    EXPECT_TRUE(unzip.readAllStandardOutput().startsWith("-- \r\n-- Web Zebrik DataBase Dump\r\n"));
    QProcess wrong;
    wrong.start(QStringLiteral("unzip"), {QStringLiteral("-p"), QStringLiteral("-P"), QStringLiteral("other"), stored});
    wrong.waitForFinished(30000);
    EXPECT_NE(wrong.exitCode(), 0);
}

TEST_F(Upload, ClientStatusesEndTheRunWhereTheyArise) {
    const struct {
        QString id;
        int number;
        int dumpBytes;
        int zipBytes;
        int packResult;
        QString command;
        QString status;
        int requests; // analysis requests sent
    } cases[] = {
        {QStringLiteral("---"), 3, -1, -1, 0, {}, QStringLiteral("801"), 0},
        {QStringLiteral("1234"), 0, -1, -1, 0, {}, QStringLiteral("802"), 0},
        {QStringLiteral("1234"), 11, -1, -1, 0, {}, QStringLiteral("802"), 0},
        {QStringLiteral("1234"), 3, 0, -1, 0, {}, QStringLiteral("812"), 0},
        {QStringLiteral("1234"), 3, 10, 30, -3, {}, QStringLiteral("813"), 0},
        {QStringLiteral("1234"), 3, 10, 22, 0, {}, QStringLiteral("814"), 0},
        {QStringLiteral("1234"), 3, 10, 23, 0, {}, QStringLiteral("000"), 2},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("analysis 1000 badpass"), QStringLiteral("821"), 1},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("analysis 1000 nofolders"), QStringLiteral("823"), 1},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("stor-abort 10"), QStringLiteral("824"), 1},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("analysis 1000 902"), QStringLiteral("902"), 1},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("analysis 1000 http500"), QStringLiteral("831"), 1},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("bad-cert"), QStringLiteral("831"), 0},
        {QStringLiteral("1234"), 3, -1, -1, 0, QStringLiteral("analysis 1100 none"), QString(), 2},
    };
    for (const auto& c : cases) {
        fake_->Command(QStringLiteral("reset"));
        if (!c.command.isEmpty())
            fake_->Command(c.command);
        ScriptedUpload upload;
        upload.dumpBytes = c.dumpBytes;
        upload.zipBytes = c.zipBytes;
        upload.packResult = c.packResult;
        EXPECT_EQ(upload.UploadDump(c.id, c.number), c.status) << c.command.toStdString() << " " << c.status.toStdString();
        EXPECT_EQ(logged().size(), 2 * c.requests) << c.status.toStdString();
        if (c.status == QStringLiteral("801") || c.status == QStringLiteral("802"))
            EXPECT_FALSE(QFile::exists(session_->dumpPath()));
    }
    EXPECT_EQ(TFtpWebDbSqlDump::StatusCodeMessage(QString()), QStringLiteral("原因不明のエラー発生"));
    EXPECT_EQ(TFtpWebDbSqlDump::StatusCodeMessage(QStringLiteral("824")), QStringLiteral("FTP アップロード失敗"));
}

TEST_F(Upload, UnreachableOrUnverifiedServicesGive831) {
    for (const QString& host : {QStringLiteral("127.0.0.1:1"), QStringLiteral("localhost:%1").arg(fake_->HttpsPort)}) {
        core::AppInfo.WebZebrikServer = host;
        TFtpWebDbSqlDump upload;
        EXPECT_EQ(upload.UploadDump(QStringLiteral("1234"), 1), QStringLiteral("831")) << host.toStdString();
    }
}

TEST_F(Upload, AMissingTemplateGives811AfterTheDumpsOwnMessage) {
    TFtpWebDbSqlDump upload;
    upload.Dump.DataTemplate = session_->folder() + QStringLiteral("/none.sql");
    EXPECT_EQ(upload.UploadDump(QStringLiteral("1234"), 1), QStringLiteral("811"));
    EXPECT_EQ(session_->messages.messages.size(), 1);
    EXPECT_FALSE(session_->dm.IBTransactionDAT.inTransaction());
    EXPECT_TRUE(logged().isEmpty());
}

TEST_F(Upload, HeaderValuesKeepTheirColons) {
    fake_->Command(QStringLiteral("analysis 1000 000 127.0.0.1:21"));
    TFtpWebDbSqlDump upload;
    EXPECT_EQ(upload.UploadDump(QStringLiteral("1234"), 1), QStringLiteral("821"));
    EXPECT_EQ(upload.FtpHost, QStringLiteral("127.0.0.1:21"));
}

TEST_F(Upload, DataVersionAndMeetingKeys) {
    const struct {
        int major, minor, release;
        const char* dvr;
    } versions[] = {{7, 5, 3, "dvr=8.0.0"}, {8, 0, 2, "dvr=8.0.0"}, {9, 1, 4, "dvr=9.1.0"}};
    for (const auto& v : versions) {
        fake_->Command(QStringLiteral("reset"));
        core::AccInf.DataMajor = v.major;
        core::AccInf.DataMinor1 = v.minor;
        core::AccInf.DataMinor2 = v.release;
        TFtpWebDbSqlDump upload;
        ASSERT_EQ(upload.UploadDump(QStringLiteral("1234"), 1), QStringLiteral("000"));
        EXPECT_TRUE(logged().value(2).contains(QLatin1String(v.dvr))) << logged().value(2).toStdString();
    }

    fake_->Command(QStringLiteral("reset"));
    const QString group = QStringLiteral("ＷＥＢ会議設定");
    core::funcPutAccReg(group, QStringLiteral("ＷＥＢ会議を行う"), QStringLiteral("整数"), 1);
    core::funcPutAccReg(group, QStringLiteral("開催日時を指定"), QStringLiteral("整数"), 1);
    core::funcPutAccReg(group, QStringLiteral("ＵＲＬ"), QStringLiteral("文字"), QStringLiteral("https://m.example/?a=1&b=#x"));
    core::funcPutAccReg(group, QStringLiteral("開催日時"), QStringLiteral("日時"), QDateTime(QDate(2024, 5, 31), QTime(14, 3)));
    TFtpWebDbSqlDump upload;
    ASSERT_EQ(upload.UploadDump(QStringLiteral("1234"), 1), QStringLiteral("000"));
    const QString request = logged().value(2);
    EXPECT_TRUE(request.contains(QStringLiteral("&meeting_url=https%3A%2F%2Fm.example%2F%3Fa%3D1%26b%3D%23x&meeting_date=")))
        << request.toStdString();
    const QByteArray date = platform::toCp932(QStringLiteral("5月31日　14：03")).toPercentEncoding();
    EXPECT_TRUE(request.contains(QStringLiteral("&meeting_date=") + QString::fromLatin1(date) + QStringLiteral(" HTTP/")))
        << request.toStdString();
}

} // namespace
