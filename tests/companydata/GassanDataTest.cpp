// Consolidated data sets: the child folders of a parent, the next child folder name and number,
// creating a child from the parent's database, and the parent's consolidation settings.
#include "RegistryTestFixture.h"
#include "companydata/GassanDataCtl.h"
#include "core/Exception.h"
#include "core/settings/AccReg.h"

#include <QFile>

using companydata::TGassanChildDataRec;
using companydata::TGassanDataCtl;
using schema::sample::SampleKind;

namespace {

class GassanDataTest : public registrytest::RegistryTest<GassanDataTest> {
protected:
    // Data set 1 an ordinary company, data set 2 a medical corporation with facilities 01-03.
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary, SampleKind::Medical}); }

    // The rows of a query on the company database of the folder.
    QStringList datRows(const QString& dataFolder, const QString& sql) {
        EXPECT_TRUE(dm.fnAccDatConnected(QString(), dataFolder, 0)) << messageText().toStdString();
        QStringList out;
        {
            core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
            dm.IBTransactionDAT.startTransaction();
            q.sql() << sql;
            q.execQuery();
            for (; !q.eof(); q.next())
                out << q.fields(0).asString().trimmed();
            q.close();
            dm.IBTransactionDAT.commit();
        }
        dm.AccDatDisconnect(dataFolder, 0, 0);
        return out;
    }
    QString setting(const QString& dataFolder, const QString& key) {
        const QStringList values = datRows(
            dataFolder, QStringLiteral("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='%1'").arg(key));
        return values.value(0);
    }
    QString parent(int rec) const { return root_->dataFolder(rec); }
    // Removes what a test made below a sample data folder.
    void removeChildFolders(int rec) {
        for (const QString& name : QDir(parent(rec)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QDir(parent(rec) + u'/' + name).removeRecursively();
        run({QStringLiteral("DELETE FROM CHILD_DATALIST WHERE REC=%1").arg(rec)});
    }
};

TEST_F(GassanDataTest, SettingsOfTheParentAndTheNextNames) {
    TGassanDataCtl ctl;
    ctl.SetDataPath(parent(1) + u'/');
    EXPECT_EQ(ctl.DataPath, parent(1));
    ctl.PutGassanSetting(10, 5);
    EXPECT_EQ(setting(parent(1), QStringLiteral("合算データ区分")), QStringLiteral("10"));
    EXPECT_EQ(setting(parent(1), QStringLiteral("合算データ数")), QStringLiteral("0"));
    ctl.PutGassanSetting(1, 3);
    EXPECT_EQ(setting(parent(1), QStringLiteral("合算データ区分")), QStringLiteral("1"));
    EXPECT_EQ(setting(parent(1), QStringLiteral("合算データ数")), QStringLiteral("3"));
    EXPECT_FALSE(dm.IBDatabaseDAT.connected());

    const QString base = folder(QStringLiteral("names"));
    folder(QStringLiteral("names/007"));
    folder(QStringLiteral("names/abc"));
    QString name;
    ctl.GetNextChildFolderName(base, 1, name);
    EXPECT_EQ(name, QStringLiteral("008"));
    ctl.GetNextChildFolderName(work.filePath(QStringLiteral("none")), 1, name);
    EXPECT_EQ(name, QString());
    folder(QStringLiteral("names/999"));
    EXPECT_THROW(ctl.GetNextChildFolderName(base, 1, name), core::Exception);

    EXPECT_EQ(ctl.GetNextChildNo(1), 0);
    for (int no : {1, 5, 2})
        ctl.Children.append(TGassanChildDataRec{1, no, QString(), QString()});
    EXPECT_EQ(ctl.GetNextChildNo(1), 6);
}

// Numbered sub-folders are children under their real names ("1" stays "1"); other names and
// "000" are not; a registered child gives its number.
TEST_F(GassanDataTest, ChildFoldersOfAConsolidatedParent) {
    removeChildFolders(1);
    TGassanDataCtl ctl;
    ctl.SetDataPath(parent(1));
    ctl.PutGassanSetting(1, 2);
    for (const char* name : {"001", "003", "abc", "000", "1"})
        QDir().mkpath(parent(1) + u'/' + QLatin1String(name));
    run({QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,PASNAME,GASSAN) "
                        "VALUES(1,7,10000,'子','%1/003',10)")
             .arg(parent(1))});
    ctl.SetDataListRec(1);
    ctl.SetActive(true);
    EXPECT_EQ(ctl.GassanRec.Rec, 1);
    EXPECT_EQ(ctl.GassanRec.Siten, 0);
    QStringList found;
    for (const TGassanChildDataRec& child : ctl.Children) {
        EXPECT_TRUE(QFileInfo(child.Path).isDir()) << child.Path.toStdString();
        found << QStringLiteral("%1 %2").arg(child.Path.mid(parent(1).size() + 1)).arg(child.ChildNo == 7);
    }
    found.sort();
    EXPECT_EQ(found, (QStringList{QStringLiteral("001 0"), QStringLiteral("003 1"), QStringLiteral("1 0")}));
    EXPECT_FALSE(dm.IBDatabaseDAT.connected()) << "connected only for the listing";
    removeChildFolders(1);
}

TEST_F(GassanDataTest, NewChildIsAnEmptiedCopyRegisteredUnderTheParent) {
    removeChildFolders(1);
    TGassanDataCtl ctl;
    ctl.SetDataPath(parent(1));
    ctl.PutGassanSetting(1, 1);
    QDir().mkpath(parent(1) + QStringLiteral("/002"));
    QFile marker(parent(1) + QStringLiteral("/002/keep.txt"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    ctl.SetDataListRec(1);
    ctl.SetActive(true);
    const QStringList parentLines = datRows(parent(1), QStringLiteral("SELECT COUNT(*) FROM SIWAKE"));

    ASSERT_TRUE(ctl.MakeBunsanData(QString())) << messageText().toStdString();
    const QString child = parent(1) + QStringLiteral("/003");
    EXPECT_EQ(datRows(child, QStringLiteral("SELECT COUNT(*) FROM SIWAKE")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(datRows(child, QStringLiteral("SELECT GEN_ID(SIWAKE_REC_GEN, 0) FROM RDB$DATABASE")),
              QStringList{QStringLiteral("0")});
    EXPECT_EQ(datRows(child, QStringLiteral("SELECT COUNT(*) FROM KAKOZAN WHERE KISHU<>0")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(setting(child, QStringLiteral("合算データ区分")), QStringLiteral("10"));
    EXPECT_EQ(datRows(parent(1), QStringLiteral("SELECT COUNT(*) FROM SIWAKE")), parentLines);
    EXPECT_NE(parentLines, QStringList{QStringLiteral("0")});
    EXPECT_EQ(rows(QStringLiteral("SELECT ROWNO, PASNAME, GASSAN FROM CHILD_DATALIST WHERE REC=1")),
              QStringList{QStringLiteral("2 %1 10").arg(child)}); // after 002, listed as child 1
    EXPECT_EQ(ctl.Children.size(), 2);

    // An existing folder is never made into a child: it keeps what it holds.
    EXPECT_FALSE(ctl.MakeBunsanData(QStringLiteral("002")));
    EXPECT_TRUE(marker.exists());
    EXPECT_FALSE(QFileInfo::exists(parent(1) + QStringLiteral("/002/qmacc.fdb")));
    // With facilities a child needs its code.
    ctl.GassanRec.Siten = 1;
    EXPECT_FALSE(ctl.MakeBunsanData(QString()));
    removeChildFolders(1);
}

TEST_F(GassanDataTest, AFailedChildLeavesNoFolderAndNoRow) {
    const QString broken = folder(QStringLiteral("broken"));
    QFile file(broken + QStringLiteral("/qmacc.fdb"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    TGassanDataCtl ctl;
    ctl.SetDataPath(broken);
    const QStringList before = rows(QStringLiteral("SELECT COUNT(*) FROM CHILD_DATALIST"));
    EXPECT_FALSE(ctl.MakeBunsanData(QString()));
    EXPECT_FALSE(QFileInfo::exists(broken + QStringLiteral("/001")));
    EXPECT_TRUE(ctl.ChildPath.isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM CHILD_DATALIST")), before);
    EXPECT_TRUE(messageText().contains(QStringLiteral("分散入力用データの初期化に失敗しました。")))
        << messageText().toStdString();
}

// The facility code is a bound value: a code with a quote neither breaks the statement nor
// widens it, and the child keeps the whole corporation and its own facility only.
TEST_F(GassanDataTest, MedicalChildKeepsItsFacility) {
    removeChildFolders(2);
    TGassanDataCtl ctl;
    ctl.SetDataPath(parent(2));
    ctl.PutGassanSetting(1, 0);
    ctl.SetDataListRec(2);
    ctl.SetActive(true);
    ASSERT_NE(ctl.GassanRec.Siten, 0);
    ASSERT_TRUE(ctl.MakeBunsanData(QStringLiteral("02"))) << messageText().toStdString();
    EXPECT_EQ(datRows(parent(2) + QStringLiteral("/02"), QStringLiteral("SELECT SCODE FROM SISETUMST ORDER BY SCODE")),
              (QStringList{QString(), QStringLiteral("02")}));
    ASSERT_TRUE(ctl.MakeBunsanData(QStringLiteral("0'2"))) << messageText().toStdString();
    EXPECT_EQ(datRows(parent(2) + QStringLiteral("/0'2"), QStringLiteral("SELECT COUNT(*) FROM SISETUMST")),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(rows(QStringLiteral("SELECT ROWNO FROM CHILD_DATALIST WHERE REC=2 ORDER BY ROWNO")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    removeChildFolders(2);
}

} // namespace
