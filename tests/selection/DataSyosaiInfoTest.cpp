// The details dialog over copies of a real sample data set: what it offers for each state,
// version and operator, the OK with a blank name, and the lock of the opener's data place.

#include "tests/companydata/RegistryTestFixture.h"
#include "tests/support/TestEnvironment.h"

#include "companydata/DataInfomation.h"
#include "controls/edits/TxEdit.h"
#include "core/Globals.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuList.h"
#include "selection/DataSyosaiInfoBox.h"
#include "companydata/BackupRestoreThread.h"
#include "controls/grid/TxGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

// The data selection prepared as a module run prepares it (SyoriType 0).
void prepareSelection(TDataSentakuBox& selection)
{
    selection.SetModuleParams({QStringLiteral("SyoriType=0"), QStringLiteral("ManualFree=1")});
    selection.Prepare(1);
}

// The grid row of a registry record; -1 when it is not shown.
int rowOfRec(const TDataSentakuBox& selection, int rec)
{
    for (int r = 0; r < selection.Grid->RowCount(); ++r)
        if (selection.Grid->RowValue(r) == rec)
            return r;
    return -1;
}

class DataSyosaiInfoTest : public registrytest::RegistryTest<DataSyosaiInfoTest> {
protected:
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary}); }

    // A copy of the sample data set whose information file has the state, operator and version.
    QString dataFolder(const QString& name, int status, qint32 opCode, int verMajor)
    {
        const QString path = folder(name);
        const QDir source(root_->dataFolder(1));
        for (const QString& f : source.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(source.filePath(f), path + QLatin1Char('/') + f));
        companydata::TDataInfomation info;
        info.WriteIniValue(path, companydata::kSectionDataSts, false, status, QStringLiteral("STATUS"));
        info.WriteIniValue(path, companydata::kSectionDataSts, false, opCode, QStringLiteral("OPCODE"));
        info.WriteIniValue(path, companydata::kSectionDataInfo, false, QStringLiteral("%1.0.0").arg(verMajor), QStringLiteral("VERSION1"));
        return path;
    }
};

} // namespace

TEST_F(DataSyosaiInfoTest, LayoutByStateOperatorAndVersion)
{
    const qint32 group = core::SystemDef.GROUPID * 10000;
    struct Case {
        const char* name;
        int status;
        qint32 opCode;
        int verMajor;
        int localAdmin;
        bool clear, editable, readOnlyBox, ok;
    };
    const Case cases[] = {
        {"normal", 1, 0, 15, 0, false, true, true, true},
        {"in use by the same operator", 2, core::SystemDef.OPCODE, 15, 0, true, false, false, true},
        {"in use by another operator", 2, group + 99, 15, 0, false, true, true, true},
        {"in use, administrator", 2, group + 99, 15, 1, true, false, false, true},
        {"version 11", 1, 0, 11, 0, false, true, false, true},
        {"broken: neither OK nor the clear", 10, core::SystemDef.OPCODE, 15, 0, true, false, false, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        core::SystemDef.LocalAdmin = c.localAdmin;
        const QString path = dataFolder(QStringLiteral("d%1").arg(++n), c.status, c.opCode, c.verMajor);
        TDataSyosaiInfoBox box;
        box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
        box.DataPath = path;
        box.ListName = QStringLiteral("みなと");
        box.Prepare(1);
        EXPECT_EQ(box.ClearAllowed, c.clear) << c.name;
        EXPECT_EQ(!box.cboxStatusClear->isHidden(), c.clear && c.status != 10) << c.name;
        EXPECT_EQ(box.NameEditable != 0, c.editable) << c.name;
        EXPECT_EQ(box.cboxDataReadOnly->isEnabled(), c.readOnlyBox) << c.name;
        EXPECT_EQ(!box.btnOK->isHidden(), c.ok) << c.name;
        EXPECT_EQ(box.lblStatus->text(), companydata::GetDataStatusName(c.status)) << c.name;
        EXPECT_EQ(box.FKeys[6]->text(), QStringLiteral("F7:再構築")) << c.name;
    }
    core::SystemDef.LocalAdmin = 0;

    // A composition in the name edit withdraws F7; no database file: nothing is set.
    TDataSyosaiInfoBox box;
    bool composing = true;
    box.ImeComposing = [&] { return composing; };
    box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
    box.DataPath = folder(QStringLiteral("empty"));
    box.Prepare(1);
    EXPECT_EQ(box.FKeys[6]->text(), QStringLiteral("F7:"));
    EXPECT_EQ(box.lblCode->text(), QStringLiteral("設定なし"));
    EXPECT_TRUE(box.btnOK->isHidden());
}

TEST_F(DataSyosaiInfoTest, BlankNameAsksAndNameIsLimitedTo40Bytes)
{
    TDataSyosaiInfoBox box;
    QStringList asked;
    box.ShowBox2 = [&](controls::TMessage2InfoRec& info) {
        asked << info.Lines[0].Text;
        return int(core::mrOk);
    };
    box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
    box.DataPath = dataFolder(QStringLiteral("n"), 1, 0, 15);
    box.ListName = QStringLiteral("みなと");
    box.Prepare(1);
    EXPECT_EQ(box.txtListName->MaxLength(), 40);
    box.txtListName->setText(QStringLiteral("　 "));
    box.btnOKClick();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first(), QStringLiteral("データリスト名が入力されていません。会社名を設定しますか？"));
    EXPECT_EQ(box.result(), 0);
    EXPECT_EQ(box.txtListName->text(), box.lblShougou->text());
    box.cboxDataUpdateLock->setChecked(true);
    box.btnOKClick();
    EXPECT_EQ(box.result(), int(core::mrOk));
    EXPECT_EQ(box.UpdateLock, 1);
    EXPECT_EQ(box.ListName, box.lblShougou->text());
}

// The lock changes the row of the opener's data place only, not the same REC elsewhere.
TEST_F(DataSyosaiInfoTest, LockTouchesOnlyTheRowOfTheDataPlace)
{
    const int group = core::SystemDef.GROUPID;
    run({QStringLiteral("DELETE FROM DATAPLACEMAN WHERE REC=3"),
         QStringLiteral("INSERT INTO DATAPLACEMAN(REC,NAME,PATH) VALUES(3,'場所3','/p3')"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,ENTTEXT,PASNAME) VALUES(3,901,%1,'x','/p3/1')").arg(group),
         QStringLiteral("DELETE FROM DATALIST WHERE REC=901"),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,PASNAME) VALUES(901,%1,'y','/d/1')").arg(group)});
    core::ConnectMode = 1;
    TDataSyosaiInfoBox box;
    box.DataRec.Rec = 901;
    box.DataPlaceRec = 3;
    box.LockData(true);
    core::ConnectMode = 0;
    const QString login = QString::number(core::SystemDef.OPCODE % (group * 10000));
    EXPECT_EQ(rows(QStringLiteral("SELECT DATALOCK FROM DATALIST_EX WHERE REC=901")), QStringList{login});
    EXPECT_EQ(rows(QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=901")), QStringList{QStringLiteral("0")});
    core::ConnectMode = 1;
    box.LockData(false);
    core::ConnectMode = 0;
    EXPECT_EQ(rows(QStringLiteral("SELECT DATALOCK FROM DATALIST_EX WHERE REC=901")), QStringList{QStringLiteral("0")});
    run({QStringLiteral("DELETE FROM DATAPLACEMAN WHERE REC=3"), QStringLiteral("DELETE FROM DATALIST WHERE REC=901")});
}

// 情報 of the data selection: a new name shows at once and reaches the information file and the
// company database; a shared row stored on the share opens read-only.
TEST_F(DataSyosaiInfoTest, DataSelectionInfoButton)
{
    const int group = core::SystemDef.GROUPID;
    const QString path = dataFolder(QStringLiteral("Mixed/Case"), 1, 0, 15);
    run({QStringLiteral("DELETE FROM DATALIST WHERE REC IN (902,903)"),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,"
                        "KISHU,KIMATU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(902,%1,'みなと','株式会社みなと商事',"
                        "'%2',0,1,1,5,'2024-04-01','2025-03-31',15,1,0,'15.1.0')").arg(group).arg(path),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,"
                        "KISHU,KIMATU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(903,%1,'共有','株式会社みなと商事',"
                        "'/share/sv0001',1,1,1,5,'2024-04-01','2025-03-31',15,1,0,'15.1.0')").arg(group)});
    TDataSentakuBox selection;
    prepareSelection(selection);
    auto rowOf = [&](int rec) { return rowOfRec(selection, rec); };
    int editable = -1;
    QString shownPath;
    selection.ShowSyosaiBox = [&](TDataSyosaiInfoBox& box) {
        editable = box.NameEditable;
        shownPath = box.DataPath;
        if (box.NameEditable == 0)
            return int(core::mrCancel);
        box.txtListName->setText(QStringLiteral("新しい名前"));
        box.btnOKClick();
        return box.result();
    };
    ASSERT_GE(rowOf(902), 0);
    selection.Grid->SetRow(rowOf(902));
    selection.btnDataInfoClick();
    EXPECT_EQ(editable, 1);
    EXPECT_EQ(shownPath, path);
    EXPECT_EQ(selection.Grid->Cells(colName, rowOf(902)), QStringLiteral("新しい名前"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=902")), QStringList{QStringLiteral("新しい名前")});
    companydata::TDataInfomation info;
    companydata::TDataInfomationRec fromIni;
    info.ReadIni(path, fromIni);
    EXPECT_EQ(fromIni.DataListName, QStringLiteral("新しい名前"));
    companydata::TDataInfomationRec fromDb;
    ASSERT_EQ(info.GetDataInfoOfFolder(path, fromDb), 1);
    EXPECT_EQ(fromDb.DataListName, QStringLiteral("新しい名前"));

    ASSERT_GE(rowOf(903), 0);
    selection.Grid->SetRow(rowOf(903));
    selection.btnDataInfoClick();
    EXPECT_EQ(editable, 0);
    run({QStringLiteral("DELETE FROM DATALIST WHERE REC IN (902,903)")});
}

namespace {

QByteArray bytesOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Files of a folder that a rebuild may leave behind (anything but the database and its
// information file).
QStringList leftovers(const QString& folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files);
    files.removeAll(QStringLiteral("qmacc.fdb"));
    files.removeAll(QStringLiteral("qmacc.ini"));
    return files;
}

} // namespace

// F7 rebuilds the database through the worker; a failure of the worker or of putting the
// rebuilt copy of a shared area in place leaves the database's bytes and says so.
TEST_F(DataSyosaiInfoTest, RebuildAndItsFailures)
{
    const QString temp = folder(QStringLiteral("temp"));
    core::SystemDef.TempDir = temp;
    QStringList shown;
    auto prepared = [&](TDataSyosaiInfoBox& box, const QString& path, int shareMode) {
        box.ShowBox2 = [&](controls::TMessage2InfoRec& info) {
            for (const auto& line : info.Lines)
                if (!line.Text.isEmpty())
                    shown << line.Text;
            return int(core::mrOk);
        };
        box.ShareMode = shareMode;
        box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
        box.DataPath = path;
        box.Prepare(1);
        shown.clear();
    };

    // A broken data set: the second caution, then the rebuilt database is normal again.
    {
        const QString path = dataFolder(QStringLiteral("rebuilt"), 10, 0, 15);
        TDataSyosaiInfoBox box;
        prepared(box, path, 0);
        box.RebuildClick();
        EXPECT_EQ(box.Rebuilt, 1) << shown.join(u'\n').toStdString() << messageText().toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("注意２）破損データの場合はデータ再構築が適正に行われない場合があります。")));
        EXPECT_EQ(shown.last(), QStringLiteral("データの再構築は適正に行われました。"));
        EXPECT_EQ(box.InfoRec.Status, companydata::kDataNormal);
        EXPECT_EQ(leftovers(path), QStringList());
        EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList());
        companydata::TDataInfomationRec fromDb;
        EXPECT_EQ(companydata::TDataInfomation().GetDataInfoOfFolder(path, fromDb), 1);
    }
    // The worker fails after spoiling the database: the copy is put back, nothing is left.
    {
        const QString path = dataFolder(QStringLiteral("failed"), 1, 0, 15);
        const QString database = path + QStringLiteral("/qmacc.fdb");
        const QByteArray before = bytesOf(database);
        TDataSyosaiInfoBox box;
        prepared(box, path, 0);
        box.RunWorker = [&](companydata::TBackupRestoreThread&) {
            QFile f(database);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("spoilt");
            return false;
        };
        box.RebuildClick();
        EXPECT_EQ(box.Rebuilt, 0);
        EXPECT_EQ(shown.last(), QStringLiteral("データ再構築の処理に失敗しました。"));
        EXPECT_TRUE(bytesOf(database) == before);
        EXPECT_EQ(leftovers(path), QStringList());
        EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList());
    }
    // A shared area is rebuilt on a copy in the temp folder that then takes its place; when that
    // fails the area keeps its database and the rebuilt copy is kept.
    {
        const QString path = dataFolder(QStringLiteral("shared"), 1, 0, 15);
        const QString database = path + QStringLiteral("/qmacc.fdb");
        const QByteArray before = bytesOf(database);
        TDataSyosaiInfoBox box;
        prepared(box, path, 1);
        ASSERT_TRUE(box.RebuildOffered);
        box.ReplaceDatabase = [](const QString&, const QString&) { return false; };
        box.RebuildClick();
        EXPECT_EQ(box.Rebuilt, 0);
        EXPECT_EQ(shown.last(), QStringLiteral("データ再構築の処理に失敗しました。"));
        EXPECT_TRUE(bytesOf(database) == before);
        EXPECT_EQ(leftovers(path), QStringList());
        EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList{QStringLiteral("qmacc.fdb")});

        box.ReplaceDatabase = nullptr;
        box.RebuildClick();
        EXPECT_EQ(box.Rebuilt, 1) << shown.join(u'\n').toStdString() << messageText().toStdString();
        EXPECT_FALSE(bytesOf(database) == before);
        EXPECT_EQ(leftovers(path), QStringList());
        EXPECT_EQ(QDir(temp).entryList(QDir::Files), QStringList());
    }
}

// 情報 on a data set with a period that fails the data check: the row is marked broken before
// the details open, and a rebuild in the details clears the mark even without OK. A row without
// a period is not checked.
TEST_F(DataSyosaiInfoTest, DataCheckMarksBrokenAndARebuildClearsTheMark)
{
    core::SystemDef.TempDir = folder(QStringLiteral("temp"));
    const int group = core::SystemDef.GROUPID;
    const QString dated = dataFolder(QStringLiteral("dated"), 1, 0, 15);
    const QString undated = dataFolder(QStringLiteral("undated"), 1, 0, 15);
    run({QStringLiteral("DELETE FROM DATALIST WHERE REC IN (904,905)"),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,"
                        "KISHU,KIMATU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(904,%1,'期間あり','株式会社みなと商事',"
                        "'%2',0,1,1,5,'2024-04-01','2025-03-31',15,1,0,'15.1.0')").arg(group).arg(dated),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,"
                        "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(905,%1,'期間なし','株式会社みなと商事',"
                        "'%2',0,1,1,5,15,1,0,'15.1.0')").arg(group).arg(undated)});
    QStringList checked;
    core::SystemDef.DataCheck = 1;
    core::DataCheckHook = [&](const QString&, const QString& dataFolder, int, QVariant& result) {
        checked << dataFolder;
        result = 0;
    };
    TDataSentakuBox selection;
    prepareSelection(selection);
    auto rowOf = [&](int rec) { return rowOfRec(selection, rec); };
    auto statusOf = [&](int rec) { return rows(QStringLiteral("SELECT DATA_STATUS FROM DATALIST WHERE REC=%1").arg(rec)).value(0); };
    QString shownStatus, storedStatus;
    int rebuilt = -1;
    selection.ShowSyosaiBox = [&](TDataSyosaiInfoBox& box) {
        shownStatus = QString::number(selection.Grid->CellInt(colStatus, selection.Grid->Row()));
        storedStatus = statusOf(selection.Grid->RowValue(selection.Grid->Row()));
        if (box.DataPath == dated) {
            box.ShowBox2 = [](controls::TMessage2InfoRec&) { return int(core::mrOk); };
            box.RebuildClick();
            rebuilt = box.Rebuilt;
        }
        return int(core::mrCancel);
    };

    ASSERT_GE(rowOf(905), 0);
    selection.Grid->SetRow(rowOf(905));
    selection.btnDataInfoClick();
    EXPECT_TRUE(checked.isEmpty());
    EXPECT_EQ(shownStatus, QStringLiteral("0"));

    ASSERT_GE(rowOf(904), 0);
    selection.Grid->SetRow(rowOf(904));
    selection.btnDataInfoClick();
    EXPECT_EQ(checked, QStringList{dated});
    EXPECT_EQ(shownStatus, QStringLiteral("1"));
    EXPECT_EQ(storedStatus, QStringLiteral("1"));
    EXPECT_EQ(rebuilt, 1) << messageText().toStdString();
    EXPECT_EQ(selection.Grid->CellInt(colStatus, rowOf(904)), 0);
    EXPECT_EQ(selection.Grid->Row(), rowOf(904));
    EXPECT_EQ(statusOf(904), QStringLiteral("0"));
    core::DataCheckHook = nullptr;
    core::SystemDef.DataCheck = 0;
    run({QStringLiteral("DELETE FROM DATALIST WHERE REC IN (904,905)")});
}

namespace {

// A data root on the loopback server, made for the test.
class DataSyosaiServerTest : public testing::Test {
protected:
    void SetUp() override
    {
        TAXLINK_REQUIRE_SERVER(server);
        account = {server.host, server.user, server.password};
        root = std::make_unique<schema::DataRoot>(account, work.filePath(QStringLiteral("root")));
        const QString error = testsupport::createSampleRoot(*root, {SampleKind::Ordinary});
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        core::SystemDef.USER = server.user;
        core::SystemDef.PASSWORD = server.password;
        core::SystemDef.HOSTNAME = server.host;
        core::SystemDef.SYSDIR = root->sysDir();
        core::SystemDef.TempDir = work.filePath(QStringLiteral("temp"));
        QDir().mkpath(core::SystemDef.TempDir);
        core::SystemDef.LogDir = work.path();
        core::SystemDef.GROUPID = schema::DataRoot::defaultGroup;
        core::SystemDef.OPCODE = 100000010;
        core::ConnectMode = 1;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(server.host, 1)) << messages.texts().join(u'\n').toStdString();
    }
    void TearDown() override
    {
        core::ConnectMode = 0;
        if (dm.IBDatabaseDEF.connected())
            dm.IBDatabaseDEF.close();
    }
    QString dataLock(int rec)
    {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        dm.IBTransactionDEF.startTransaction();
        q.sql() << QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=%1").arg(rec);
        q.execQuery();
        const QString value = q.eof() ? QString() : q.fields(0).asString();
        q.close();
        dm.IBTransactionDEF.commit();
        return value;
    }

    QTemporaryDir work;
    dmtest::ScopedSession session;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};
    core::TDM dm;
    schema::DbAccount account;
    std::unique_ptr<schema::DataRoot> root;
};

} // namespace

// On the server: refused while another connection has the database attached; otherwise rebuilt
// under the registry row's lock, which is released afterwards.
TEST_F(DataSyosaiServerTest, RebuildRefusedWhileAttachedAndLockedWhileRunning)
{
    const QString path = root->dataFolder(1);
    QStringList shown;
    TDataSyosaiInfoBox box;
    box.ShowBox2 = [&](controls::TMessage2InfoRec& info) {
        shown << info.Lines[0].Text;
        return int(core::mrOk);
    };
    box.DataRec.Rec = 1;
    box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
    box.DataPath = path;
    box.Prepare(1);
    {
        const auto other = schema::openDatabase(account, path + QStringLiteral("/qmacc.fdb"));
        box.RebuildClick();
    }
    EXPECT_EQ(shown, QStringList{QStringLiteral(
                         "現在、他のユーザーがデータに接続中です。他のユーザーがデータに接続している間はデータの再構築は行えません。")});
    EXPECT_EQ(box.Rebuilt, 0);

    QString lockWhileRunning;
    box.RunWorker = [&](companydata::TBackupRestoreThread& worker) {
        lockWhileRunning = dataLock(1);
        companydata::RunBackupRestoreThread(worker);
        return worker.Succeeded;
    };
    shown.clear();
    box.RebuildClick();
    EXPECT_EQ(box.Rebuilt, 1) << shown.join(u'\n').toStdString() << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(lockWhileRunning, QString::number(core::SystemDef.OPCODE % (core::SystemDef.GROUPID * 10000)));
    EXPECT_EQ(dataLock(1), QStringLiteral("0"));
    EXPECT_EQ(leftovers(path), QStringList());
}

// 情報 on a row locked by this operator on the server: the state clear removes the row's key
// picture and its registry lock.
TEST_F(DataSyosaiServerTest, InfoStateClearRemovesTheKeyAndTheLock)
{
    const qint32 login = core::SystemDef.OPCODE % (core::SystemDef.GROUPID * 10000);
    core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    dm.IBTransactionDEF.startTransaction();
    q.sql() << QStringLiteral("UPDATE DATALIST SET DATALOCK=%1 WHERE REC=1").arg(login);
    q.execSQL();
    dm.IBTransactionDEF.commit();

    TDataSentakuBox selection;
    prepareSelection(selection);
    const int row = rowOfRec(selection, 1);
    ASSERT_GE(row, 0) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(selection.Grid->CellInt(colLock, row), login);
    EXPECT_EQ(selection.Grid->CellPicture(colLockPic, row).cacheKey(), selection.List.LockPicture.cacheKey());
    bool offered = false;
    selection.ShowSyosaiBox = [&](TDataSyosaiInfoBox& box) {
        offered = box.ClearAllowed;
        box.cboxStatusClear->setChecked(true);
        box.btnOKClick();
        return box.result();
    };
    selection.Grid->SetRow(row);
    selection.btnDataInfoClick();
    EXPECT_TRUE(offered);
    EXPECT_EQ(selection.Grid->CellInt(colLock, row), 0);
    EXPECT_EQ(selection.Grid->CellPicture(colLockPic, row).cacheKey(), selection.List.BlankPicture.cacheKey());
    EXPECT_EQ(dataLock(1), QStringLiteral("0"));
}
