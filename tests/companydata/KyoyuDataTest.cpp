// Shared data sets of the data list: taking a consolidated data set out with its children,
// sending it back, the refusals and their state message, and the working folder of a shared
// folder.
#include "RegistryTestFixture.h"
#include "companydata/DataInfomation.h"
#include "companydata/DataSentakuListCtl.h"

#include <QFile>

using companydata::TDataInfomation;
using companydata::TDataInfomationRec;
using companydata::TDataSentakuListCtl;
using companydata::TDataSentakuRec;

namespace {

class KyoyuDataTest : public registrytest::RegistryTest<KyoyuDataTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    static void writeFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(content);
    }
    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // A data folder with its database file (content as given) and its information file.
    QString dataFolder(const QString& relative, const QByteArray& content, quint8 gassan, quint8 status = 0) {
        const QString path = folder(relative);
        writeFile(path + QStringLiteral("/qmacc.fdb"), content);
        TDataInfomationRec info;
        companydata::ClearDataInfoRec(info);
        info.Shougou = QStringLiteral("共有社");
        info.DataListName = QStringLiteral("共有社");
        info.GassanKbn = gassan;
        info.Status = status;
        info.Kishu = QStringLiteral("2024/04/01");
        info.Kimatu = QStringLiteral("2025/03/31");
        TDataInfomation().WriteIniFile(path, QString(), info);
        return path;
    }
    // Registry row 7 as the shared data set of the folder.
    TDataSentakuRec sharedRow(TDataSentakuListCtl& ctl, const QString& shared) {
        run({QStringLiteral("UPDATE DATALIST SET ENTTEXT='共有社',PASNAME='%1',NETDRIVE=1,KYOYULOCK=0,GASSAN=1 "
                            "WHERE REC=7")
                 .arg(shared)});
        TDataSentakuRec row;
        ctl.InitDataListRec(row, shared);
        row.Rec = 7;
        row.NetDrive = 1;
        row.EntText = QStringLiteral("共有社");
        TDataSentakuListCtl::DeriveLocalPath(row);
        return row;
    }
    QString local(const QString& relative = {}) const {
        return core::SystemDef.SYSDIR + QStringLiteral("/0007") + (relative.isEmpty() ? QString() : QStringLiteral("/") + relative);
    }
    void TearDown() override {
        QDir(local()).removeRecursively();
        RegistryTest::TearDown();
    }
};

TEST_F(KyoyuDataTest, TakesOutAndSendsBackAConsolidatedDataSetWithItsChildren) {
    const QString shared = dataFolder(QStringLiteral("share/sv0001"), "parent-1", 1);
    dataFolder(QStringLiteral("share/sv0001/001"), "child1-1", 10);
    dataFolder(QStringLiteral("share/sv0001/003"), "child3-1", 10);
    folder(QStringLiteral("share/sv0001/abc")); // holds no data set
    TDataSentakuListCtl ctl;
    TDataSentakuRec row = sharedRow(ctl, shared);

    ASSERT_EQ(ctl.KyoyuDataDown(row, 1), 1) << messageText().toStdString();
    EXPECT_EQ(readFile(local(QStringLiteral("qmacc.fdb"))), "parent-1");
    EXPECT_EQ(readFile(local(QStringLiteral("001/qmacc.fdb"))), "child1-1");
    EXPECT_EQ(readFile(local(QStringLiteral("003/qmacc.fdb"))), "child3-1");
    EXPECT_EQ(rows(QStringLiteral("SELECT KYOYULOCK FROM DATALIST WHERE REC=7")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(rows(QStringLiteral("SELECT PASNAME, KYOYULOCK FROM CHILD_DATALIST WHERE REC=7 ORDER BY PASNAME")),
              (QStringList{shared + QStringLiteral("/001 1"), shared + QStringLiteral("/003 1")}));
    ASSERT_EQ(row.Children.size(), 2);

    // Worked on locally: the parent and child 001 changed, child 003 was removed.
    writeFile(local(QStringLiteral("qmacc.fdb")), "parent-2");
    writeFile(local(QStringLiteral("001/qmacc.fdb")), "child1-2");
    ASSERT_TRUE(QDir(local(QStringLiteral("003"))).removeRecursively());
    ASSERT_EQ(ctl.KyoyuDataUp(row, 1), 1) << messageText().toStdString();
    EXPECT_EQ(readFile(shared + QStringLiteral("/qmacc.fdb")), "parent-2");
    EXPECT_EQ(readFile(shared + QStringLiteral("/001/qmacc.fdb")), "child1-2");
    EXPECT_FALSE(QFileInfo::exists(shared + QStringLiteral("/003")));
    EXPECT_TRUE(QFileInfo::exists(shared + QStringLiteral("/abc")));
    EXPECT_EQ(rows(QStringLiteral("SELECT KYOYULOCK FROM DATALIST WHERE REC=7")), QStringList{QStringLiteral("0")});
}

// A child that cannot be sent back stops the whole send-back before anything shared is given
// up: the parent stays taken out and every shared child keeps its copy.
TEST_F(KyoyuDataTest, AFailedChildCopyKeepsTheSharedCopiesAndTheLock) {
    const QString shared = dataFolder(QStringLiteral("share/sv0002"), "parent-1", 1);
    dataFolder(QStringLiteral("share/sv0002/001"), "child1-1", 10);
    dataFolder(QStringLiteral("share/sv0002/003"), "child3-1", 10);
    TDataSentakuListCtl ctl;
    TDataSentakuRec row = sharedRow(ctl, shared);
    ASSERT_EQ(ctl.KyoyuDataDown(row, 1), 1) << messageText().toStdString();

    writeFile(local(QStringLiteral("qmacc.fdb")), "parent-2");
    // A file of child 003 cannot replace what stands in its place on the shared drive.
    writeFile(local(QStringLiteral("003/qmacc.bak")), "backup");
    folder(QStringLiteral("share/sv0002/003/qmacc.bak/blocker"));

    EXPECT_EQ(ctl.KyoyuDataUp(row, 1), 0);
    EXPECT_EQ(readFile(shared + QStringLiteral("/qmacc.fdb")), "parent-1");
    EXPECT_EQ(readFile(shared + QStringLiteral("/003/qmacc.fdb")), "child3-1");
    EXPECT_TRUE(QFileInfo::exists(shared + QStringLiteral("/001/qmacc.fdb")));
    EXPECT_EQ(rows(QStringLiteral("SELECT KYOYULOCK FROM DATALIST WHERE REC=7")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(readFile(local(QStringLiteral("qmacc.fdb"))), "parent-2");
}

TEST_F(KyoyuDataTest, RefusedFetchesShowTheStateMessage) {
    TDataSentakuListCtl ctl;
    // An unreachable shared folder: reported unless quiet.
    TDataSentakuRec gone = sharedRow(ctl, work.filePath(QStringLiteral("share/missing")));
    EXPECT_EQ(ctl.KyoyuDataDown(gone, 1), 0);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(ctl.KyoyuDataDown(gone, 0), 0);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].caption, QStringLiteral("選択データの状態"));
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("共有サーバーが起動していない")));
    EXPECT_TRUE(messages.messages[0].detail.startsWith(QStringLiteral("【共有データパス】\n") + gone.PasName));

    // A broken child refuses the fetch even when quiet, and nothing is copied.
    const QString shared = dataFolder(QStringLiteral("share/sv0003"), "parent-1", 1);
    dataFolder(QStringLiteral("share/sv0003/001"), "child1-1", 10, companydata::kDataBroken);
    TDataSentakuRec row = sharedRow(ctl, shared);
    messages.messages.clear();
    EXPECT_EQ(ctl.KyoyuDataDown(row, 1), -1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("共有サーバー上のデータが破損している")));
    EXPECT_TRUE(messages.messages[0].detail.contains(QStringLiteral("【オペレータ名】")));
    EXPECT_FALSE(QFileInfo::exists(local(QStringLiteral("qmacc.fdb"))));
}

TEST_F(KyoyuDataTest, WorkingFolderOfASharedFolder) {
    // The child's folder name also occurs earlier in the path: only the last component goes.
    run({QStringLiteral("UPDATE DATALIST SET PASNAME='/s/001/sv0002',NETDRIVE=1 WHERE REC=9")});
    TDataSentakuListCtl ctl;
    const QString sys = core::SystemDef.SYSDIR;
    struct Case {
        QString shared;
        quint8 kind;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("/s/001/sv0002/001"), companydata::kGassanBunsan, sys + QStringLiteral("/0009/001")},
        {QStringLiteral("/s/001/sv0002"), companydata::kGassanGassan, sys + QStringLiteral("/0009")},
        {QStringLiteral("/s/001/sv0099/001"), companydata::kGassanBunsan, QString()},
        {QStringLiteral("  "), companydata::kGassanGassan, QString()},
    };
    for (const Case& c : cases) {
        QString localFolder = QStringLiteral("unset");
        ctl.GetSharePathByPasName(c.shared, c.kind, localFolder);
        EXPECT_EQ(localFolder, c.expected) << c.shared.toStdString();
    }
}

} // namespace
