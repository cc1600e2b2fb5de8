// Save and restore of a row's data set on copies of the embedded sample databases: the backup
// file and its questions, the folder choices, the data-match check before a restore and what a
// failed save or restore leaves behind.

#include "tests/companydata/RegistryTestFixture.h"

#include "companydata/BackupRestoreThread.h"
#include "companydata/DataInfomation.h"
#include "controls/chooser/TFileOperationBox.h"
#include "controls/chooser/TFileOperationBoxEx1.h"
#include "controls/grid/TxGrid.h"
#include "core/modules/ModuleRegistry.h"
#include "platform/IniFile.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

const QString kTempRefused = QStringLiteral("このフォルダは選択出来ません。他の場所を選んで下さい。");

class SaveRestoreTest : public registrytest::RegistryTest<SaveRestoreTest> {
protected:
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary, SampleKind::LateStart}); }

    void SetUp() override
    {
        registrytest::RegistryTest<SaveRestoreTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.TempDir = folder(QStringLiteral("temp"));
        core::SystemDef.IniDir = folder(QStringLiteral("ini"));
        core::SystemDef.DataFolder.clear();
        core::SystemDef.DataCheck = 0;
        core::SystemDef.AutoShare = 0;
        core::DataCheckHook = nullptr;
        core::SystemDef.LocalAdmin = 1;
        run({QStringLiteral("DELETE FROM CHILD_DATALIST"), QStringLiteral("DELETE FROM DATALIST")});
        minato = copySample(1, QStringLiteral("d1"));
        sakura = copySample(2, QStringLiteral("d2"));
        empty = folder(QStringLiteral("d3"));
        addRow(1, QStringLiteral("みなと商事 第15期"), minato);
        addRow(2, QStringLiteral("さくら工房"), sakura);
        addRow(3, QString(), empty);
    }

    QString copySample(int rec, const QString& name)
    {
        const QString target = folder(name);
        for (const QString& file : {QStringLiteral("qmacc.fdb"), QStringLiteral("qmacc.ini")})
            QFile::copy(root_->dataFolder(rec) + u'/' + file, target + u'/' + file);
        return target;
    }

    void addRow(int rec, const QString& name, const QString& path)
    {
        if (name.isEmpty()) {
            run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,PASNAME,NETDRIVE,NENDO) VALUES(%1,%2,'%3',0,1)")
                     .arg(rec)
                     .arg(core::SystemDef.GROUPID)
                     .arg(path)});
            return;
        }
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,KYOYULOCK,"
                            "DATATYPE,CODETYPE,NENDO,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,"
                            "KISHU,KIMATU) VALUES(%1,%2,'C%1','%3','%3','%4',0,0,1,1,2024,15,1,0,'15.1.0',0,0,"
                            "'2024-04-01','2025-03-31')")
                 .arg(rec)
                 .arg(core::SystemDef.GROUPID)
                 .arg(name, path)});
    }

    std::unique_ptr<TDataSentakuBox> open()
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(QStringLiteral("SyoriType=0\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return boxAnswers.isEmpty() ? int(core::mrOk) : boxAnswers.takeFirst();
        };
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info.MainText;
            return detailAnswer;
        };
        box->ShowFolderBox = [this](controls::TFileOperationBox& chooser) {
            if (chosen.isEmpty())
                return int(core::mrCancel);
            const auto [kind, path] = chosen.takeFirst();
            if (auto* ex = qobject_cast<controls::TFileOperationBoxEx1*>(&chooser))
                ex->SelectKind = kind;
            chooser.ResultPath = path;
            return int(core::mrOk);
        };
        box->Prepare(1);
        return box;
    }

    static void select(TDataSentakuBox& box, int rec)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec) {
                box.Grid->SetRow(r);
                return;
            }
        ADD_FAILURE() << "no row " << rec;
    }

    static QByteArray hashOf(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
    }

    // The company name in the folder's database.
    static QString companyOf(const QString& dataFolder)
    {
        companydata::TDataInfomationRec rec;
        companydata::TDataInfomation().GetDataInfoOfFolder(dataFolder, rec);
        return rec.Shougou;
    }

    static int statusOf(const QString& dataFolder)
    {
        companydata::TDataInfomationRec rec;
        companydata::TDataInfomation().ReadIni(dataFolder, rec);
        return rec.Status;
    }

    QString rowOf(int rec)
    {
        return rows(QStringLiteral("SELECT COALESCE(DATACODE,''),COALESCE(ENTTEXT,''),COALESCE(SHOUGOU,''),"
                                   "COALESCE(VER_TEXT,''),DATALOCK FROM DATALIST WHERE REC=%1")
                        .arg(rec))
            .join(u'|');
    }

    // A backup of the data set of the row into the folder, made by the save.
    void backup(int rec, const QString& into)
    {
        auto box = open();
        select(*box, rec);
        ASSERT_EQ(box->SaveData(into), 1) << messageText().toStdString();
    }

    QString minato, sakura, empty;
    QStringList boxes;
    QList<int> boxAnswers;
    QStringList details;
    int detailAnswer = core::mrOk;
    QList<std::pair<int, QString>> chosen; // (choice, folder) of each folder chooser run
};

} // namespace

TEST_F(SaveRestoreTest, SaveAsksBeforeOverwritingAndRefusesTheTemporaryFolder)
{
    const QString place = folder(QStringLiteral("backups"));
    const QString fbk = place + QStringLiteral("/qmacc.fbk");
    {
        // The temporary folder is refused and the choice starts again.
        auto box = open();
        select(*box, 1);
        chosen = {{1, core::SystemDef.TempDir}, {1, place + u'/'}};
        EXPECT_EQ(box->SaveData(QString()), 1) << messageText().toStdString();
        EXPECT_EQ(boxes, QStringList{kTempRefused});
        EXPECT_TRUE(QFile::exists(fbk));
        EXPECT_EQ(statusOf(minato), 1);
        // The backup carries its information block.
        companydata::TBackupRestoreThread zone(true);
        EXPECT_TRUE(zone.ReadZoneInfo(fbk, false));
        EXPECT_FALSE(zone.ZoneShougou.isEmpty());
    }
    const QByteArray before = hashOf(fbk);
    {
        // An existing backup: Cancel keeps the file and the state.
        auto box = open();
        select(*box, 2);
        boxes.clear();
        boxAnswers = {core::mrCancel};
        chosen = {{1, place}};
        EXPECT_EQ(box->SaveData(QString()), 0);
        EXPECT_EQ(boxes, QStringList{QStringLiteral("この場所には、同じ名前のバックアップファイルが既に存在します。")});
        EXPECT_EQ(hashOf(fbk), before);
        EXPECT_EQ(statusOf(sakura), 1);
    }
    {
        // A given folder that is the temporary folder ends the save.
        auto box = open();
        select(*box, 1);
        boxes.clear();
        EXPECT_EQ(box->SaveData(core::SystemDef.TempDir), 0);
        EXPECT_EQ(boxes, QStringList{kTempRefused});
        EXPECT_FALSE(QFile::exists(core::SystemDef.TempDir + QStringLiteral("/qmacc.fbk")));
    }
    {
        // A failing backup (a damaged database) leaves the older backup as it was.
        QFile db(sakura + QStringLiteral("/qmacc.fdb"));
        ASSERT_TRUE(db.open(QIODevice::ReadWrite));
        db.seek(0);
        db.write(QByteArray(4096, 'x'));
        db.close();
        auto box = open();
        select(*box, 2);
        boxAnswers = {core::mrOk};
        chosen = {{1, place}};
        messages.messages.clear();
        EXPECT_EQ(box->SaveData(QString()), -1);
        EXPECT_FALSE(messages.messages.isEmpty());
        EXPECT_EQ(hashOf(fbk), before);
        EXPECT_EQ(statusOf(sakura), 1);
    }
}

TEST_F(SaveRestoreTest, RestoreChecksTheDataAndLeavesTheTargetOnFailure)
{
    const QString place = folder(QStringLiteral("minato"));
    backup(1, place);
    const QString fbk = place + QStringLiteral("/qmacc.fbk");
    const QString sakuraName = companyOf(sakura);
    ASSERT_EQ(sakuraName, QStringLiteral("株式会社さくら工房"));
    const QString sakuraRow = rowOf(2);

    // Another company: the comparison box; without the agree tick nothing changes.
    {
        auto box = open();
        select(*box, 2);
        detailAnswer = core::mrCancel;
        chosen = {{1, place}};
        EXPECT_EQ(box->RestoreData(QString()), -1);
        ASSERT_EQ(details.size(), 1);
        EXPECT_EQ(details.first(), QStringLiteral("以下の項目に違いが検出されました。"));
        EXPECT_EQ(companyOf(sakura), sakuraName);
        EXPECT_EQ(rowOf(2), sakuraRow);
        EXPECT_EQ(statusOf(sakura), 1);
    }
    // A truncated backup fails: the target keeps its bytes and its row.
    {
        const QString broken = folder(QStringLiteral("truncated"));
        QFile::copy(fbk, broken + QStringLiteral("/qmacc.fbk"));
        QFile cut(broken + QStringLiteral("/qmacc.fbk"));
        ASSERT_TRUE(cut.resize(cut.size() / 2));
        auto box = open();
        select(*box, 2);
        details.clear();
        detailAnswer = core::mrOk;
        messages.messages.clear();
        EXPECT_EQ(box->RestoreData(broken), -1);
        EXPECT_EQ(companyOf(sakura), sakuraName);
        EXPECT_EQ(rowOf(2), sakuraRow);
        EXPECT_EQ(statusOf(sakura), 1);
    }
    // The default place reads the backup in the target's own folder; with the tick the
    // restore replaces the data and the row takes the restored name.
    {
        QFile::copy(fbk, sakura + QStringLiteral("/qmacc.fbk"));
        auto box = open();
        select(*box, 2);
        details.clear();
        detailAnswer = core::mrOk;
        chosen = {{2, QString()}};
        EXPECT_EQ(box->RestoreData(QString()), 1) << messageText().toStdString();
        EXPECT_EQ(details.size(), 1);
        EXPECT_EQ(companyOf(sakura), QStringLiteral("株式会社みなと商事"));
        EXPECT_TRUE(rowOf(2).contains(QStringLiteral("みなと商事 第15期"))) << rowOf(2).toStdString();
        EXPECT_EQ(statusOf(sakura), 1);
    }
}

TEST_F(SaveRestoreTest, RestoreIntoAnEmptyRowAndABackupWithoutBlock)
{
    const QString place = folder(QStringLiteral("minato"));
    backup(1, place);
    {
        // An empty row: no comparison; the row gets name, code and versions.
        auto box = open();
        select(*box, 3);
        EXPECT_EQ(box->RestoreData(place), 1) << messageText().toStdString();
        EXPECT_TRUE(details.isEmpty());
        const QString row = rowOf(3);
        EXPECT_TRUE(row.contains(QStringLiteral("みなと商事 第15期"))) << row.toStdString();
        EXPECT_FALSE(row.startsWith(u'|')) << row.toStdString();
        EXPECT_TRUE(QFile::exists(empty + QStringLiteral("/qmacc.fdb")));
        EXPECT_EQ(box->RestoreSource.DataListName, QStringLiteral("みなと商事 第15期"));
    }
    {
        // Without the information block the backup is restored into the work folder first and
        // compared by that copy's information: another company shows the differences.
        companydata::TBackupRestoreThread zone(true);
        ASSERT_TRUE(zone.ReadZoneInfo(place + QStringLiteral("/qmacc.fbk"), true));
        auto box = open();
        select(*box, 2);
        details.clear();
        detailAnswer = core::mrCancel;
        EXPECT_EQ(box->RestoreData(place), -1);
        ASSERT_EQ(details.size(), 1) << messageText().toStdString();
        EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=2")), QStringList{QStringLiteral("さくら工房")});
    }
}

// A restore whose worker fails (a damaged backup that still carries its information block)
// over a consolidation of another name: the target keeps its database, its row and its children.
// A complete one removes the children.
TEST_F(SaveRestoreTest, TheConsolidationsChildrenGoOnlyAfterACompleteRestore)
{
    const QString place = folder(QStringLiteral("minato"));
    backup(1, place);
    const QString fbk = place + QStringLiteral("/qmacc.fbk");
    companydata::TBackupRestoreThread zone(true);
    ASSERT_TRUE(zone.ReadZoneInfo(fbk, true));
    {
        QFile cut(fbk);
        ASSERT_TRUE(cut.resize(cut.size() / 2));
    }
    ASSERT_TRUE(zone.WriteZoneInfo(fbk));

    const QString child = folder(QStringLiteral("d2/001"));
    QFile(child + QStringLiteral("/qmacc.fdb")).open(QIODevice::WriteOnly);
    run({QStringLiteral("UPDATE DATALIST SET GASSAN=1 WHERE REC=2"),
         QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,NENDO,GASSAN) "
                        "VALUES(2,1,%1,'支店','支店','%2',0,1,10)")
             .arg(core::SystemDef.GROUPID)
             .arg(child)});
    const QString rowBefore = rowOf(2);
    auto box = open();
    select(*box, 2);
    EXPECT_EQ(box->RestoreData(place), -1);
    EXPECT_EQ(details.size(), 1); // the differences were agreed to
    EXPECT_FALSE(messages.messages.isEmpty());
    EXPECT_EQ(companyOf(sakura), QStringLiteral("株式会社さくら工房"));
    EXPECT_EQ(rowOf(2), rowBefore);
    EXPECT_EQ(rows(QStringLiteral("SELECT PASNAME FROM CHILD_DATALIST WHERE REC=2")), QStringList{child});
    EXPECT_TRUE(QFile::exists(child + QStringLiteral("/qmacc.fdb")));
    EXPECT_EQ(statusOf(sakura), 1);

    // A complete restore of the other company removes the children, after the restore.
    const QString good = folder(QStringLiteral("good"));
    backup(1, good);
    auto again = open();
    select(*again, 2);
    details.clear();
    EXPECT_EQ(again->RestoreData(good), 1) << messageText().toStdString();
    EXPECT_EQ(details.size(), 1);
    EXPECT_EQ(companyOf(sakura), QStringLiteral("株式会社みなと商事"));
    EXPECT_TRUE(rows(QStringLiteral("SELECT PASNAME FROM CHILD_DATALIST WHERE REC=2")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(child));
}
