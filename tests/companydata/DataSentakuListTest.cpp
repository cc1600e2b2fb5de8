// The registry of company data sets on a real system database: listing and its sort orders,
// row reading and writing, numbering, renumbering, children and the server data list.
#include "DmTestSupport.h"
#include "companydata/DataSentakuListCtl.h"
#include "core/db/IBTransaction.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"
#include "platform/DriveMap.h"

#include <QFile>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using companydata::TDataListRec;
using companydata::TDataSentakuListCtl;
using companydata::TDataSentakuRec;

namespace {

class DataSentakuListTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        setupError_ = testsupport::createSampleRoot(*root_, {});
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.HOSTNAME.clear();
        core::SystemDef.SYSDIR = root_->sysDir();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.GROUPID = schema::DataRoot::defaultGroup;
        core::SystemDef.OPCODE = 100000010;
        core::SystemDef.SysDbMajor = 12;
        core::SystemDef.SysDbMinor1 = 0;
        core::SystemDef.SysDbMinor2 = 0;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
    }
    void TearDown() override {
        if (dm.IBTransactionDEF.inTransaction())
            dm.IBTransactionDEF.rollback();
    }

    // Runs statements on the data module's system connection, committed.
    void run(const QStringList& statements) {
        for (const QString& sql : statements) {
            core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
            dm.IBTransactionDEF.startTransaction();
            q.sql() << sql;
            q.execSQL();
            dm.IBTransactionDEF.commit();
        }
    }
    int count(const QString& sql) {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        dm.IBTransactionDEF.startTransaction();
        q.sql() << sql;
        q.execQuery();
        const int value = q.eof() ? -1 : q.fields(0).asInteger();
        q.close();
        dm.IBTransactionDEF.commit();
        return value;
    }
    static QString row(int group, int rec, const QString& name, int nendo, const QString& folder, int cloud = 0) {
        return QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,NENDO,KISHU,KIMATU,"
                              "GASSAN,CLOUD) VALUES(%1,%2,'%3','%3','%4',0,%5,'%5-04-01','%6-03-31',1,%7)")
            .arg(rec)
            .arg(group)
            .arg(name, folder)
            .arg(nendo)
            .arg(nendo + 1)
            .arg(cloud);
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;
    QTemporaryDir work;
    dmtest::ScopedSession session;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    core::TDM dm;
};

TEST_F(DataSentakuListTest, StatusNamesAndDataPlaceByLocationMode) {
    EXPECT_EQ(companydata::GetDataStatusName(0), QStringLiteral("－"));
    EXPECT_EQ(companydata::GetDataStatusName(7), QStringLiteral("貼り付け中"));
    EXPECT_EQ(companydata::GetDataStatusName(11), QStringLiteral("状態不明"));
    TDataSentakuListCtl ctl;
    ctl.SetDataPlaceRec(3);
    EXPECT_EQ(ctl.DataPlaceRec, 0);
    EXPECT_EQ(ctl.TableName, QStringLiteral("DATALIST"));
    ctl.LocationMode = 1;
    ctl.SetDataPlaceRec(3);
    EXPECT_EQ(ctl.TableName, QStringLiteral("DATALIST_EX"));
}

// Group 20001 keeps this test's rows apart from the standard list of the root.
TEST_F(DataSentakuListTest, ExecuteSortsNamedRowsAndPutsEmptyRowsLast) {
    core::SystemDef.GROUPID = 20001;
    run({row(20001, 1001, QStringLiteral("B社"), 2023, QStringLiteral("/d/1001"), 1),
         row(20001, 1002, QStringLiteral("A社"), 2022, QStringLiteral("/d/1002")),
         row(20001, 1003, QStringLiteral("A社"), 2024, QStringLiteral("\\\\srv\\d\\1003")),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE) "
                        "VALUES(1004,20001,'','','/d/1004',0)"),
         QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,PASNAME,GASSAN) "
                        "VALUES(1002,1,20001,'子','/d/1002/001',10)"),
         QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,PASNAME,GASSAN) "
                        "VALUES(1,1,20001,'他の親','/d/0001/001',10)")});
    TDataSentakuListCtl ctl;
    auto order = [&ctl] {
        QList<int> recs;
        for (const TDataSentakuRec& r : ctl.Rows)
            recs << r.Rec;
        return recs;
    };
    ctl.Execute(1, false);
    EXPECT_EQ(order(), (QList<int>{1001, 1002, 1003, 1004}));
    ctl.Execute(2, false);
    EXPECT_EQ(order(), (QList<int>{1003, 1002, 1001, 1004})); // by name, equal names newest first, empty rows last
    ctl.Execute(3, true);
    EXPECT_EQ(order(), (QList<int>{1003, 1001, 1002, 1004}));

    ASSERT_EQ(ctl.AllChildCount, 2);
    const TDataSentakuRec& parent = ctl.Rows[2]; // 1002
    ASSERT_EQ(parent.ChildCount, 1);
    EXPECT_EQ(parent.Children[0].PasName, QStringLiteral("/d/1002/001"));
    EXPECT_EQ(ctl.Rows[0].PasName, QStringLiteral("//srv/d/1003")); // stored with "\", listed native
    EXPECT_EQ(ctl.Rows[0].Cloud, 0);
    ctl.Execute(1, false);
    EXPECT_EQ(ctl.Rows[0].Cloud, 1);

    core::SystemDef.SysDbMinor1 = 0;
    core::SystemDef.SysDbMajor = 11;
    TDataSentakuListCtl old;
    old.Execute(1, false);
    EXPECT_FALSE(old.CloudColumns);
    EXPECT_EQ(old.Rows[0].Cloud, 0);
}

TEST_F(DataSentakuListTest, LocalPathOfSharedRowsLiesUnderTheSystemFolder) {
    core::SystemDef.SYSDIR = QStringLiteral("/d/data/");
    TDataListRec parent;
    parent.Rec = 7;
    parent.NetDrive = 1;
    parent.PasName = QStringLiteral("/mnt/share/sv0003/");
    TDataSentakuListCtl::DeriveLocalPath(parent);
    EXPECT_EQ(parent.LocalPath, QStringLiteral("/d/data/0007"));
    TDataListRec child = parent;
    child.Gassan = companydata::kGassanBunsan;
    child.PasName = QStringLiteral("/mnt/share/sv0003/003");
    TDataSentakuListCtl::DeriveLocalPath(child);
    EXPECT_EQ(child.LocalPath, QStringLiteral("/d/data/0007/003"));
    child.NetDrive = 0;
    TDataSentakuListCtl::DeriveLocalPath(child);
    EXPECT_EQ(child.LocalPath, child.PasName);
}

TEST_F(DataSentakuListTest, InsertNumbersOverTheWholeTableAndReportsFailures) {
    TDataSentakuListCtl ctl;
    TDataListRec r;
    ctl.InitDataListRec(r, QStringLiteral("/d/new"));
    EXPECT_TRUE(ctl.InsertDataListRecord(r, 1)); // stand-alone mode registers nothing
    EXPECT_EQ(r.Rec, 0);

    // Group 20002 has no rows, group 10000 holds 1..120: the new number must not collide.
    core::SystemDef.GROUPID = 20002;
    ctl.LocationMode = 1;
    const int before = count(QStringLiteral("SELECT MAX(REC) FROM DATALIST"));
    r.EntText = QStringLiteral("新規");
    ASSERT_TRUE(ctl.InsertDataListRecord(r, 1)) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(r.Rec, before + 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM DATALIST WHERE GROUPID=20002 AND ENTTEXT='新規'")), 1);

    // A name longer than its column is refused, never cut: reported with report 1, thrown with 0.
    TDataListRec tooLong = r;
    tooLong.EntText = QString(30, QChar(0x4E00));
    EXPECT_FALSE(ctl.InsertDataListRecord(tooLong, 1));
    EXPECT_TRUE(messages.texts().join(u'\n').contains(QStringLiteral("データリストの追加に失敗しました。")));
    EXPECT_ANY_THROW(ctl.InsertDataListRecord(tooLong, 0));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
}

TEST_F(DataSentakuListTest, UpdateChecksTheFolderAndEmptyRowsLoseTheirChildren) {
    core::SystemDef.GROUPID = 20003;
    run({row(20003, 2001, QStringLiteral("丙社"), 2023, QStringLiteral("/d/2001")),
         QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,PASNAME,GASSAN) "
                        "VALUES(2001,1,20003,'子','/d/2001/001',10)")});
    TDataSentakuListCtl ctl;
    ctl.LocationMode = 1;
    TDataListRec r;
    r.Rec = 2001;
    ctl.GetDataListRecord(0, r, 1);
    ASSERT_EQ(r.EntText, QStringLiteral("丙社"));

    TDataListRec moved = r;
    moved.PasName = QStringLiteral("/d/other");
    moved.EntText = QStringLiteral("書換");
    EXPECT_TRUE(ctl.UpdateDataListRecord(moved, 1, 1));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM DATALIST WHERE REC=2001 AND ENTTEXT='丙社'")), 1);

    r.PasName = QStringLiteral("/D/2001"); // the folder compares without case
    r.Shougou.clear();
    r.Kishu = QDate();
    r.Kimatu = QDate();
    EXPECT_TRUE(ctl.UpdateDataListRecord(r, 1, 1));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=2001")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM DATALIST WHERE REC=2001 AND KISHU IS NULL")), 1);
}

TEST_F(DataSentakuListTest, DeleteKeepsTheCapacityAndRenumberClosesGaps) {
    run({QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,PASNAME) VALUES(3,100,10000,'/p/x')"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,PASNAME) VALUES(3,121,10000,'/p/a')"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,PASNAME) VALUES(3,125,10000,'/p/x')"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,PASNAME) VALUES(3,130,10000,'/p/c')"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,PASNAME) VALUES(4,140,10000,'/p/d')")});
    TDataSentakuListCtl ctl;
    ctl.LocationMode = 1;
    ctl.SetDataPlaceRec(3);
    TDataListRec r;
    ctl.InitDataListRec(r, QStringLiteral("/p/x"));
    EXPECT_TRUE(ctl.DeleteDataListRecord(r, 1));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3 AND PASNAME='/p/x'")), 1);

    run({QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,PASNAME) VALUES(3,125,10000,'/p/b')")});
    ctl.RenumberDataListRec();
    core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    dm.IBTransactionDEF.startTransaction();
    q.sql() << QStringLiteral("SELECT REC, PASNAME FROM DATALIST_EX WHERE REC>120 ORDER BY DATAPLACEREC, REC");
    q.execQuery();
    QStringList rows;
    for (; !q.eof(); q.next())
        rows << QStringLiteral("%1 %2").arg(q.fields(0).asInteger()).arg(q.fields(1).asString());
    q.close();
    dm.IBTransactionDEF.commit();
    EXPECT_EQ(rows, (QStringList{QStringLiteral("121 /p/a"), QStringLiteral("122 /p/b"), QStringLiteral("123 /p/c"),
                                 QStringLiteral("140 /p/d")}));
    // Numbers continue within the data place.
    EXPECT_EQ(ctl.GetDataFolderName(1), 124);
}

TEST_F(DataSentakuListTest, SetFromInfoTakesLockAndShareState) {
    TDataSentakuListCtl ctl;
    companydata::TDataInfomationRec info;
    info.Status = companydata::kDataLocked;
    info.OpCode = 10000 * 10000 + 12;
    info.ShareStatus = companydata::kShareTakenOut;
    info.ShareOpCode = 100000099; // another session
    info.DataListName = QString();
    info.Shougou = QStringLiteral("株式会社丁");
    info.Kishu = QStringLiteral("2024/04/01");
    info.Kimatu = QStringLiteral("not a date");
    TDataListRec r;
    r.KyoyuLock = 0;
    r.RowNo = 2;
    ctl.SetDataListRecFromInfo(info, r);
    EXPECT_EQ(r.DataLock, 12);
    EXPECT_EQ(r.KyoyuLock, 0);
    EXPECT_EQ(r.Gassan, companydata::kGassanBunsan);
    EXPECT_EQ(r.EntText, QStringLiteral("株式会社丁"));
    EXPECT_EQ(r.Kishu, QDate(2024, 4, 1));
    EXPECT_FALSE(r.Kimatu.isValid());
    info.ShareOpCode = core::SystemDef.OPCODE;
    ctl.SetDataListRecFromInfo(info, r);
    EXPECT_EQ(r.KyoyuLock, 1);
}

TEST_F(DataSentakuListTest, ChildDeleteOfASharedParentTakesOnlyItsOwnFolders) {
    run({QStringLiteral("INSERT INTO SERVERDATALIST(GROUPID,DRIVELETTER,REC,PASNAME) VALUES(10000,'/',1,'/s/sv0001')"),
         QStringLiteral("INSERT INTO SERVERDATALIST(GROUPID,DRIVELETTER,REC,PASNAME) VALUES(10000,'/',10,'/s/sv00010')"),
         QStringLiteral("INSERT INTO CHILD_SERVERDATALIST(GROUPID,DRIVELETTER,REC,ROWNO,PASNAME) "
                        "VALUES(10000,'/',1,1,'/s/sv0001/001')"),
         QStringLiteral("INSERT INTO CHILD_SERVERDATALIST(GROUPID,DRIVELETTER,REC,ROWNO,PASNAME) "
                        "VALUES(10000,'/',10,1,'/s/sv00010/001')")});
    TDataSentakuListCtl ctl;
    TDataListRec parent;
    ctl.InitDataListRec(parent, QStringLiteral("/s/sv0001"));
    parent.Rec = 5;
    parent.NetDrive = 1;
    parent.Gassan = companydata::kGassanGassan;
    EXPECT_TRUE(ctl.DeleteDataListChildRecord(parent, 1));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CHILD_SERVERDATALIST WHERE PASNAME='/s/sv0001/001'")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CHILD_SERVERDATALIST WHERE PASNAME='/s/sv00010/001'")), 1);
}

TEST_F(DataSentakuListTest, ServerRowOnlyForAnExistingFolderButTheLockAlwaysMirrors) {
    const QString shared = work.filePath(QStringLiteral("share/sv0002"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const QString gone = work.filePath(QStringLiteral("share/sv0009"));
    run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,PASNAME,NETDRIVE) VALUES(3001,10000,'共','%1',1)")
             .arg(shared),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,PASNAME,NETDRIVE) VALUES(3002,10000,'消','%1',1)")
             .arg(gone)});
    TDataSentakuListCtl ctl;
    TDataListRec r;
    ctl.InitDataListRec(r, shared);
    r.NetDrive = 1;
    r.EntText = QStringLiteral("共");
    r.Kishu = QDate(2024, 4, 1);
    r.DataLock = 15;
    ASSERT_TRUE(ctl.UpdateServerDataListRecord(r, 1, 1)) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM SERVERDATALIST WHERE PASNAME='%1'").arg(shared)), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=3001")), 15);

    r.PasName = gone;
    EXPECT_TRUE(ctl.UpdateServerDataListRecord(r, 1, 1));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM SERVERDATALIST WHERE PASNAME='%1'").arg(gone)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=3002")), 15);
}

TEST_F(DataSentakuListTest, LocalWorkingFolderLeadsToItsRegisteredFolder) {
    run({QStringLiteral("UPDATE DATALIST SET ENTTEXT='共有',PASNAME='/s/sv0004',NETDRIVE=1,KYOYULOCK=1 WHERE REC=7")});
    TDataSentakuListCtl ctl;
    QString shared;
    qint32 netDrive = -1;
    qint32 kyoyuLock = -1;
    const QString local = root_->sysDir() + QStringLiteral("/0007/003");
    ASSERT_TRUE(ctl.ConvLocalPathToSharePath(local, shared, netDrive, kyoyuLock));
    EXPECT_EQ(shared, QStringLiteral("/s/sv0004/003"));
    EXPECT_EQ(netDrive, 1);
    EXPECT_EQ(kyoyuLock, 1);
    ASSERT_TRUE(ctl.ConvLocalPathToSharePath(QStringLiteral("/s/sv0004"), shared, netDrive, kyoyuLock));
    EXPECT_EQ(shared, QStringLiteral("/s/sv0004"));
    EXPECT_EQ(netDrive, 0);

    TDataListRec r;
    ctl.InitDataListRec(r, root_->sysDir() + QStringLiteral("/0007"));
    ctl.GetDataListRecord(1, r, 1);
    EXPECT_EQ(r.Rec, 7);
    EXPECT_EQ(r.PasName, QStringLiteral("/s/sv0004"));
    EXPECT_EQ(ctl.GetRecOfDataPath(root_->sysDir() + QStringLiteral("/0012")), 12);
}

// The server list keys a folder by the configured drive letter whose mapped folder holds it:
// with nested mappings the innermost one; outside every mapping the path's first character.
TEST_F(DataSentakuListTest, DriveLetterIsTheMappedDriveThatHoldsThePath) {
    const QString ini = work.filePath(QStringLiteral("drives.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[DRIVES]\r\nD=/mnt/share\r\nE=/mnt/share/e\r\n");
    file.close();
    const QByteArray previous = qgetenv("TAXLINK_DRIVES");
    qputenv("TAXLINK_DRIVES", ini.toLocal8Bit());
    EXPECT_EQ(TDataSentakuListCtl::DriveLetterOf(QStringLiteral("/mnt/share/sv0002")), QStringLiteral("D"));
    EXPECT_EQ(TDataSentakuListCtl::DriveLetterOf(QStringLiteral("/mnt/share/e/sv0001")), QStringLiteral("E"));
    EXPECT_EQ(TDataSentakuListCtl::DriveLetterOf(QStringLiteral("/srv/other/sv0001")), QStringLiteral("/"));
    if (previous.isEmpty())
        qunsetenv("TAXLINK_DRIVES");
    else
        qputenv("TAXLINK_DRIVES", previous);
}

} // namespace
