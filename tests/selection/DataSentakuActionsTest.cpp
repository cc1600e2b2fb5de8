// The list actions of the data-selection dialog (the button "更新", the data places) and the
// operations not built yet, which must each report that they are not available and leave the
// registry, the list and the session as they were.

#include "tests/companydata/RegistryTestFixture.h"
#include "tests/platform/PlatformTestUtil.h"

#include "controls/grid/TxGrid.h"
#include "core/fileops/FileOperations.h"
#include "core/modules/ModuleRegistry.h"
#include "selection/DataPlaceBox.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

using namespace selection;

namespace {

const QString kNotYet = QStringLiteral("この機能はまだ使用できません。");

class DataSentakuActionsTest : public registrytest::RegistryTest<DataSentakuActionsTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    void SetUp() override
    {
        registrytest::RegistryTest<DataSentakuActionsTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.SYSDIR = work.filePath(QStringLiteral("sys"));
        core::SystemDef.DataFolder = QStringLiteral("/before");
        core::SystemDef.DataListFolder = QStringLiteral("/before");
        core::SystemDef.AutoShare = 0;
        core::SystemDef.ServerDataPlace = 0;
        core::SystemDef.DataCheck = 0;
        run({QStringLiteral("DELETE FROM DATALIST"), QStringLiteral("DELETE FROM DATAPLACEMAN")});
    }
    void TearDown() override
    {
        core::ConnectMode = 0;
        RegistryTest::TearDown();
    }

    QString dataFolder(const QString& name, bool withData)
    {
        const QString path = folder(name);
        if (withData) {
            QFile f(path + QStringLiteral("/qmacc.fdb"));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            // The stand-in database cannot be opened; its information file says it is normal.
            QFile ini(path + QStringLiteral("/qmacc.ini"));
            EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write("[DATASTS]\r\nSTATUS=1\r\n");
        }
        return path;
    }

    // A registry row; netDrive 1 with kyoyuLock 0 is stored on the share, 1 fetched here.
    void addRow(int rec, const QString& name, const QString& path, int gassan = 0, int netDrive = 0, int kyoyuLock = 0)
    {
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,KYOYULOCK,"
                            "DATATYPE,CODETYPE,NENDO,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN) "
                            "VALUES(%1,%2,'C%1','%3','社%1','%4',%5,%6,1,1,2024,15,1,0,'15.1.0',0,%7)")
                 .arg(rec).arg(core::SystemDef.GROUPID).arg(name, path).arg(netDrive).arg(kyoyuLock).arg(gassan)});
    }

    std::unique_ptr<TDataSentakuBox> open(const QString& lines)
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(lines + QStringLiteral("\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info;
            return int(core::mrOk);
        };
        box->ServerFileExists = [](const QString& folder) {
            return QFile::exists(folder + QStringLiteral("/qmacc.fdb")) ? core::FileState::Present
                                                                         : core::FileState::Absent;
        };
        box->Prepare(1);
        return box;
    }

    static int rowOf(TDataSentakuBox& box, int rec)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec)
                return r;
        return -1;
    }

    QStringList registry()
    {
        return rows(QStringLiteral("SELECT REC,DATACODE,ENTTEXT,PASNAME,NETDRIVE,KYOYULOCK,DATALOCK,GASSAN,DATA_STATUS "
                                   "FROM DATALIST ORDER BY REC"));
    }

    QList<controls::TMessage2InfoRec> boxes;
};

} // namespace

// "更新" in a client/server mode reads the registry again: a row renamed behind the dialog's
// back shows its new name, the current row stays current, and a database that cannot be read
// leaves its registry row untouched instead of wiping it.
TEST_F(DataSentakuActionsTest, ListUpdateButtonRereadsTheRegistry)
{
    core::ConnectMode = 1;
    // Numbers without gaps: the refresh closes gaps in the data-list numbers first.
    addRow(1, QStringLiteral("名1"), dataFolder(QStringLiteral("1"), true));
    addRow(2, QStringLiteral("名2"), dataFolder(QStringLiteral("2"), true));
    auto box = open(QStringLiteral("SyoriType=0"));
    box->Grid->SetRow(rowOf(*box, 2));
    run({QStringLiteral("UPDATE DATALIST SET ENTTEXT='改名' WHERE REC=1")});

    // Not while the grid is disabled; not when the question is answered No.
    box->Grid->setEnabled(false);
    box->btnListUpdateClick();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first().Lines[0].Text, QStringLiteral("データリストが応答状態ではないので処理は行えません。"));
    box->Grid->setEnabled(true);
    messages.answers = {core::mrNo};
    box->btnListUpdateClick();
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("データリストの更新を行います。\rよろしいですか？")));
    EXPECT_EQ(box->Grid->Cells(colName, rowOf(*box, 1)), QStringLiteral("名1"));

    messages.answers = {core::mrYes};
    box->btnListUpdateClick();
    EXPECT_EQ(box->Grid->Cells(colName, rowOf(*box, 1)), QStringLiteral("改名"));
    EXPECT_EQ(box->Grid->Row(), rowOf(*box, 2));
    EXPECT_EQ(rows(QStringLiteral("SELECT DATACODE, ENTTEXT FROM DATALIST WHERE REC=1")),
              QStringList{QStringLiteral("C1 改名")});
}

// Choosing another data place disables the grid until the combo is left; leaving lists that
// place's rows. A place removed in the data-place dialog gives way to the standard place.
TEST_F(DataSentakuActionsTest, DataPlaceComboListsTheChosenPlace)
{
    core::ConnectMode = 1;
    addRow(4001, QStringLiteral("標準4001"), dataFolder(QStringLiteral("4001"), true));
    TDataPlaceList places;
    ASSERT_TRUE(ReadDataPlaces(dm, false, places));
    const QString branch = core::SystemDef.SYSDIR + QStringLiteral("03");
    run({QStringLiteral("UPDATE DATAPLACEMAN SET NAME='支店' WHERE REC=3"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NENDO,"
                        "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(3,1,%1,'B1','支店データ','支店社','%2',1,15,1,0,'15.1.0')")
             .arg(core::SystemDef.GROUPID).arg(branch + QStringLiteral("/0001"))});
    auto box = open(QStringLiteral("SyoriType=0"));
    ASSERT_EQ(box->cmbDataMan->count(), 2);
    ASSERT_GE(rowOf(*box, 4001), 0);

    box->cmbDataMan->setCurrentIndex(1);
    box->cmbDataManChange();
    EXPECT_FALSE(box->Grid->isEnabled());
    EXPECT_FALSE(box->btnSearch->isEnabled());
    EXPECT_EQ(box->Keys[fkF12]->text(), QStringLiteral("F12:"));
    EXPECT_EQ(box->Keys[fkF8]->text(), QStringLiteral("F8:"));

    box->cmbDataManExit();
    EXPECT_EQ(box->DataPlaceNo, 3);
    EXPECT_EQ(box->DataPlacePath, branch);
    EXPECT_TRUE(box->Grid->isEnabled());
    EXPECT_EQ(rowOf(*box, 4001), -1);
    ASSERT_GE(rowOf(*box, 1), 0);
    EXPECT_EQ(box->Grid->Cells(colName, rowOf(*box, 1)), QStringLiteral("支店データ"));
    EXPECT_EQ(box->Keys[fkF12]->text(), QStringLiteral("F12:選択"));

    // The dialog removes the place shown: back to the standard place and its rows.
    box->ShowPlaceBox = [this](TDataPlaceBox&) {
        run({QStringLiteral("UPDATE DATAPLACEMAN SET NAME='' WHERE REC=3")});
        return int(core::mrOk);
    };
    box->btnDataManClick();
    EXPECT_EQ(box->DataPlaceNo, 0);
    EXPECT_EQ(box->DataPlacePath, core::SystemDef.SYSDIR);
    EXPECT_EQ(box->cmbDataMan->count(), 1);
    EXPECT_GE(rowOf(*box, 4001), 0);
}

// In a client/server mode the server tests whether a data set's database exists (here our file
// routines inside this process, with roots of the test's own). Only a database confirmed
// missing empties its registry row when the row is chosen: a folder the roots refuse, and a
// test whose call fails, leave the row exactly as it was and say why.
TEST_F(DataSentakuActionsTest, OnlyAConfirmedMissingDatabaseEmptiesItsRow)
{
    const QString roots = folder(QStringLiteral("conf")) + QStringLiteral("/udr-roots.conf");
    {
        QFile file(roots);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# test\n" + QFile::encodeName(folder(QStringLiteral("data"))) + "\n");
    }
    QFile::setPermissions(roots, QFile::ReadOwner | QFile::WriteOwner);
    platformtest::ScopedEnv rootsEnv("TAXLINK_UDR_CONFIG", QFile::encodeName(roots));
    core::ConnectMode = 1;
    addRow(1, QStringLiteral("拒否"), folder(QStringLiteral("outside/1"))); // data there, but refused
    QFile(folder(QStringLiteral("outside/1")) + QStringLiteral("/qmacc.fdb")).open(QIODevice::WriteOnly);
    addRow(2, QStringLiteral("失敗"), folder(QStringLiteral("data/2")));
    addRow(3, QStringLiteral("削除済"), folder(QStringLiteral("data/3")));
    const QString rowSql = QStringLiteral("SELECT * FROM DATALIST WHERE REC=%1");
    const QString kFileOperation = QStringLiteral(
        "ALTER PROCEDURE FILEOPERATION (MODE VARCHAR(16) CHARACTER SET UTF8, FILEPATH1 VARCHAR(1024) CHARACTER SET "
        "UTF8, FILEPATH2 VARCHAR(1024) CHARACTER SET UTF8) RETURNS (WBOOL INTEGER) ");

    struct Case {
        int rec;
        bool failingCall;
        QString message; // what the operator is told first
        bool emptied;
    };
    const Case cases[] = {
        {1, false, QStringLiteral("サーバーへのファイル操作(FEXIST)に失敗しました。"), false},
        {2, true, QStringLiteral("サーバーへのファイル操作(FEXIST)に失敗しました。"), false},
        {3, false, QStringLiteral("このフォルダには財務データがありません。\r"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rec);
        const QStringList before = rows(rowSql.arg(c.rec));
        // A failing call: a stand-in FILEOPERATION that raises an error, else the plugin's own.
        run({kFileOperation + (c.failingCall ? QStringLiteral("AS BEGIN WBOOL = 1 / 0; SUSPEND; END")
                                             : QStringLiteral("EXTERNAL NAME 'taxlink_udr!fileoperation' ENGINE UDR"))});
        // A new attachment sees the procedure as it is now.
        const QString dataPlaces = core::SystemDef.SYSDIR;
        core::SystemDef.SYSDIR = root_->sysDir();
        dm.IBDatabaseDEF.close();
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messageText().toStdString();
        core::SystemDef.SYSDIR = dataPlaces;
        messages.messages.clear();
        auto box = open(QStringLiteral("SyoriType=0"));
        box->ServerFileExists = [](const QString& folder) {
            return core::fileops::ServerFileState(core::RequireDM(), folder + QStringLiteral("/qmacc.fdb"));
        };
        box->Grid->SetRow(rowOf(*box, c.rec));
        box->F12Click();

        EXPECT_EQ(box->result(), 0);
        ASSERT_FALSE(messages.messages.isEmpty());
        EXPECT_EQ(messages.messages.first().text, c.message) << messageText().toStdString();
        const QStringList after = rows(rowSql.arg(c.rec));
        if (c.emptied) {
            EXPECT_EQ(rows(QStringLiteral("SELECT COALESCE(ENTTEXT,'')||COALESCE(DATACODE,'')||COALESCE(SHOUGOU,'')"
                                          "||COALESCE(VER_TEXT,'') FROM DATALIST WHERE REC=3")),
                      QStringList{QString()});
        } else {
            EXPECT_EQ(after, before);
        }
    }
}
