// The server data list of a shared drive: listing in the sort orders, rebuilding from the
// folders on the drive, and the next free "sv" folder name.
#include "RegistryTestFixture.h"
#include "companydata/DataSentakuListCtl.h"

using companydata::TDataSentakuListCtl;

namespace {

class ServerDataListTest : public registrytest::RegistryTest<ServerDataListTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    static QString serverRow(int group, int rec, const QString& name, const QString& path, int nendo = 2024) {
        return QStringLiteral("INSERT INTO SERVERDATALIST(GROUPID,DRIVELETTER,REC,ENTTEXT,SHOUGOU,PASNAME,NENDO,KISHU,"
                              "KIMATU,GASSAN) VALUES(%1,'/',%2,'%3','%3','%4',%5,'%5-04-01','%6-03-31',1)")
            .arg(group)
            .arg(rec)
            .arg(name, path)
            .arg(nendo)
            .arg(nendo + 1);
    }
    // A group of its own keeps each test's rows apart.
    void useGroup(int group) {
        run({QStringLiteral("UPDATE OR INSERT INTO USERGROUP(GROUPID) VALUES(%1) MATCHING (GROUPID)").arg(group)});
        core::SystemDef.GROUPID = group;
    }
    QStringList listed(TDataSentakuListCtl& ctl, int sortKind, bool descending) {
        ctl.ServerExecute(0, QStringLiteral("/s"), sortKind, descending, QString());
        QStringList out;
        for (const auto& row : ctl.Rows)
            out << row.PasName.mid(3);
        return out;
    }
};

TEST_F(ServerDataListTest, ListsNamedFoldersFirstThenFreeAreasByPath) {
    useGroup(30001);
    run({serverRow(30001, 1, QStringLiteral("B社"), QStringLiteral("/s/sv0001")),
         serverRow(30001, 2, QStringLiteral("A社"), QStringLiteral("/s/sv0003"), 2023),
         serverRow(30001, 3, QStringLiteral("A社"), QStringLiteral("/s/sv0002"), 2025),
         serverRow(30001, 4, QStringLiteral("空き領域"), QStringLiteral("/s/sv0005")),
         serverRow(30001, 5, QString(), QStringLiteral("/s/sv0004")),
         QStringLiteral("INSERT INTO CHILD_SERVERDATALIST(GROUPID,DRIVELETTER,REC,ROWNO,ENTTEXT,PASNAME,GASSAN) "
                        "VALUES(30001,'/',2,1,'子','/s/sv0003/001',10)")});
    TDataSentakuListCtl ctl;
    EXPECT_TRUE(listed(ctl, 2, false).isEmpty()) << "the server list is served only when asked for";
    ctl.ServerList = 1;

    struct Case {
        int sortKind;
        bool descending;
        QStringList order;
    };
    const Case cases[] = {
        {2, false, {"sv0002", "sv0003", "sv0001", "sv0004", "sv0005"}},
        {2, true, {"sv0001", "sv0003", "sv0002", "sv0004", "sv0005"}},
        {3, false, {"sv0003", "sv0001", "sv0002", "sv0004", "sv0005"}},
        {5, true, {"sv0005", "sv0004", "sv0003", "sv0002", "sv0001"}},
        {1, true, {"sv0001", "sv0002", "sv0003", "sv0004", "sv0005"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listed(ctl, c.sortKind, c.descending), c.order) << c.sortKind << " " << c.descending;

    ASSERT_EQ(ctl.AllChildCount, 1);
    for (const auto& row : ctl.Rows) {
        EXPECT_EQ(row.NetDrive, 1);
        EXPECT_EQ(row.ChildCount, row.Rec == 2 ? 1 : 0) << row.PasName.toStdString();
    }
    EXPECT_EQ(ctl.Rows[0].LocalPath, core::SystemDef.SYSDIR + QStringLiteral("/0001")); // rec 1 leads kind 1
}

TEST_F(ServerDataListTest, RebuildListsTheDriveFoldersAsFreeAreasAndDropsTheStoredRows) {
    useGroup(30003);
    useGroup(30002);
    const QString drive = folder(QStringLiteral("drive"));
    folder(QStringLiteral("drive/sv0001"));
    folder(QStringLiteral("drive/sv0002/001"));
    folder(QStringLiteral("drive/TallekZaimu_Backup"));
    run({serverRow(30002, 1, QStringLiteral("旧"), drive + QStringLiteral("/sv0009")),
         serverRow(30003, 1, QStringLiteral("他"), drive + QStringLiteral("/sv0009"))});
    TDataSentakuListCtl ctl;
    ctl.ServerList = 1;
    ctl.ServerExecute(1, drive + QStringLiteral("/"), 1, false, QString());
    ASSERT_EQ(ctl.RowCount, 2) << messageText().toStdString();
    QStringList paths;
    for (const auto& row : ctl.Rows) {
        paths << row.PasName;
        EXPECT_EQ(row.EntText, QStringLiteral("空き領域"));
        EXPECT_EQ(row.KikanText, QStringLiteral("～"));
        EXPECT_EQ(row.NetDrive, 1);
    }
    paths.sort();
    EXPECT_EQ(paths, (QStringList{drive + QStringLiteral("/sv0001"), drive + QStringLiteral("/sv0002")}));
    ASSERT_EQ(ctl.AllChildCount, 1);
    EXPECT_EQ(ctl.AllChildren[0].PasName, drive + QStringLiteral("/sv0002/001"));
    EXPECT_EQ(ctl.AllChildren[0].Gassan, companydata::kGassanBunsan);
    EXPECT_EQ(rows(QStringLiteral("SELECT GROUPID FROM SERVERDATALIST WHERE GROUPID IN (30002,30003)")),
              QStringList{QStringLiteral("30003")});
}

// The next name lies above every "sv" + four digits registered for the drive or present on
// it, names of another shape do not count, and an existing folder is never answered.
TEST_F(ServerDataListTest, NextServerFolderNameNeverNamesAnExistingFolder) {
    struct Case {
        const char* label;
        QStringList registered; // folder names below the drive
        QStringList onDisk;
        QString expected;
    };
    const Case cases[] = {
        {"highest registered", {"sv0012", "svabc", "sv0003"}, {}, QStringLiteral("sv0013")},
        {"nothing yet", {}, {}, QStringLiteral("sv0001")},
        {"folder on disk only", {"sv0002"}, {"sv0002", "sv0007"}, QStringLiteral("sv0008")},
        {"next one exists", {"sv0012"}, {"sv0013"}, QStringLiteral("sv0014")},
        {"exhausted", {"sv9999"}, {}, QString()},
    };
    int group = 30100;
    for (const Case& c : cases) {
        useGroup(++group);
        const QString drive = folder(QStringLiteral("next%1").arg(group));
        int rec = 0;
        for (const QString& name : c.registered)
            run({serverRow(group, ++rec, QStringLiteral("社"), drive + QLatin1Char('/') + name)});
        // Another folder of the same drive letter does not count.
        run({serverRow(group, ++rec, QStringLiteral("他"), work.filePath(QStringLiteral("elsewhere/sv0500")))});
        for (const QString& name : c.onDisk)
            folder(QStringLiteral("next%1/%2").arg(group).arg(name));
        TDataSentakuListCtl ctl;
        QString name = QStringLiteral("unset");
        ctl.GetNextServerFolderName(drive, 1, name);
        EXPECT_EQ(name, c.expected) << c.label;
    }
}

TEST_F(ServerDataListTest, NextServerFolderNameAfterADatabaseFailureGoesByTheDisk) {
    const QString drive = folder(QStringLiteral("failing"));
    folder(QStringLiteral("failing/sv0001"));
    folder(QStringLiteral("failing/sv0004"));
    TDataSentakuListCtl ctl;
    dm.IBDatabaseDEF.close();
    QString name;
    ctl.GetNextServerFolderName(drive, 1, name);
    EXPECT_EQ(name, QStringLiteral("sv0005"));
}

} // namespace
