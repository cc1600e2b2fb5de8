// The take-in with the open data through the loopback server: the one transaction spans the
// received file (embedded engine) and the company database on the server, and the prepared
// file reaches the server through the file-management transfer before the swap.
#include "CashBookMergeFixture.h"
#include "tests/support/TestEnvironment.h"

using namespace cashbooktest;

namespace {

class CashBookServerTest : public testing::Test {
protected:
    void SetUp() override {
        TAXLINK_REQUIRE_SERVER(server);
        host = server.host;
        root = std::make_unique<schema::DataRoot>(schema::DbAccount{server.host, server.user, server.password},
                                                  work.filePath(QStringLiteral("root")));
        const QString error = testsupport::createSampleRoot(*root, {schema::sample::SampleKind::Ordinary});
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        openFolder = root->dataFolder(1);
        openFile = QDir(openFolder).filePath(QStringLiteral("qmacc.fdb"));
        ASSERT_TRUE(normalizeTaxCodes(openFile).isEmpty());
        receivedFile = work.filePath(QStringLiteral("temp/qmacc.fdb"));
        QDir().mkpath(work.filePath(QStringLiteral("temp")));
        core::SystemDef.USER = server.user;
        core::SystemDef.PASSWORD = server.password;
        core::SystemDef.HOSTNAME = host;
        core::SystemDef.SYSDIR = root->sysDir();
        core::SystemDef.DataFolder = openFolder;
        core::SystemDef.ServerTempDir = work.filePath(QStringLiteral("servertemp"));
        core::SystemDef.WorkDir = work.filePath(QStringLiteral("temp"));
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.ComputerName = QStringLiteral("PC-TEST");
        core::SystemDef.OPCODE = 100000010;
        core::SystemDef.JobLevel = 9;
        core::SystemDef.FacilityCode = QStringLiteral(" ");
        core::ConnectMode = 1;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(host, 1)) << messages.texts().join(u'\n').toStdString();
        openData();
    }
    void TearDown() override {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
        if (dm.IBDatabaseDEF.connected())
            dm.IBDatabaseDEF.close();
        core::AccInf = savedAccInf;
    }
    void openData() {
        ASSERT_TRUE(dm.fnAccDatConnected(host, openFolder, 0)) << messages.texts().join(u'\n').toStdString();
        ASSERT_TRUE(dm.fnGetAccInfo()) << messages.texts().join(u'\n').toStdString();
    }
    QString valueOpen(const QString& sql) {
        dm.IBTransactionDAT.startTransaction();
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << sql;
        q.execQuery();
        const QString v = q.eof() ? QString() : q.fields(0).asString().trimmed();
        q.close();
        dm.IBTransactionDAT.commit();
        return v;
    }
    qint32 runImport(quint8 kind, quint8 merge, QStringList& rows) {
        cloudexchange::TCashBookImport imp;
        imp.ReceiveKind = kind;
        imp.MergeMode = merge;
        imp.SetReceiveDataFile(receivedFile);
        imp.RunImport();
        for (const core::TTessaroSyoriInfo& row : imp.SyoriLog)
            rows << QStringLiteral("%1 %2 %3").arg(row.Kind).arg(row.Code).arg(row.Text);
        return imp.GetSyoriResult();
    }
    QStringList leftovers() {
        QStringList out;
        for (const QString& name : QDir(openFolder).entryList(QDir::Files))
            if (name != QStringLiteral("qmacc.fdb") && name != QStringLiteral("qmacc.ini"))
                out << name;
        return out;
    }

    core::TACCINF savedAccInf = core::AccInf;
    dmtest::ScopedSession session;
    QTemporaryDir work;
    QString host;
    std::unique_ptr<schema::DataRoot> root;
    QString openFolder;
    QString openFile;
    QString receivedFile;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    core::TDM dm;
};

} // namespace

TEST_F(CashBookServerTest, MergeAcrossBothEnginesThenTheSwapOnTheServer) {
    // A linked pair: master send on the server's data, its file copied as the received one.
    cloudexchange::TCashBookSender sender;
    sender.SendKind = 0;
    sender.SendMode = 0;
    sender.Execute();
    ASSERT_EQ(sender.GetSyoriResult(), 1);
    dm.AccDatDisconnect(QString(), 0, 0);
    ASSERT_TRUE(QFile::copy(openFile, receivedFile));
    QFile::setPermissions(receivedFile, QFile::ReadOwner | QFile::WriteOwner);
    openData();
    const QString cash = core::AccInf.SysKCode[core::skGenkin];
    const int rec = valueOpen(QStringLiteral("SELECT FIRST 1 REC FROM SIWAKE WHERE TAISHAKU=1 AND DELFLG=0 AND "
                                             "(KCODE='%1' OR R_KCODE='%1') ORDER BY REC").arg(cash)).toInt();
    {
        ReceivedSide cb(receivedFile);
        cb.added(rec, 4321, QStringLiteral("出納帳の追加"));
        cb.run({QStringLiteral("UPDATE ACCDEF1 SET SHOUGOU='受信した会社' WHERE REC=1")});
    }
    QStringList rows;
    ASSERT_EQ(runImport(0, 1, rows), 1) << rows.join(u'\n').toStdString();
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE TEKTEXT='出納帳の追加' AND LOCALFLG=10")), QStringLiteral("2"));

    // A swap refused while the data module has the database open: nothing changes.
    {
        cloudexchange::TCashBookImport imp;
        imp.MergeMode = 0;
        imp.ReceiveDataFile = receivedFile;
        imp.AddSyoriLog(cloudexchange::skInfo, 1, QStringLiteral("取り込み処理が成功しました。"));
        imp.CopyReceiveData();
        EXPECT_EQ(imp.GetSyoriResult(), -100);
        EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u',').toStdString();
        EXPECT_NE(valueOpen(QStringLiteral("SELECT SHOUGOU FROM ACCDEF1")), QStringLiteral("受信した会社"));
    }

    // The preparation: the received file travels to the server and replaces the open data.
    rows.clear();
    ASSERT_EQ(runImport(1, 0, rows), 1) << rows.join(u'\n').toStdString();
    ASSERT_TRUE(dm.IBDatabaseDAT.connected());
    EXPECT_EQ(core::AccInf.SHOUGOU, QStringLiteral("受信した会社"));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u',').toStdString();
}
