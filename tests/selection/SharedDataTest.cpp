// Shared data sets in the data selection over a test drive map: assigning a shared data set to
// an empty row through the shared-data selection, fetching and storing a consolidated one with
// its children, and the automatic fetch and store around a save and in processing type 5.

#include "tests/selection/ServerSentakuTestFixture.h"

#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/modules/ModuleRegistry.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

class SharedDataTest : public servertest::ServerSentakuTest<SharedDataTest> {
protected:
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary}); }

    void SetUp() override
    {
        servertest::ServerSentakuTest<SharedDataTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.TempDir = folder(QStringLiteral("temp"));
        core::SystemDef.IniDir = folder(QStringLiteral("ini"));
        core::SystemDef.DataFolder.clear();
        core::SystemDef.DataListFolder.clear();
        core::SystemDef.DataCheck = 0;
        core::SystemDef.AutoShare = 0;
        core::SystemDef.LocalAdmin = 1;
        core::SystemDef.ZenkaiDrive.clear();
        core::DataCheckHook = nullptr;
        run({QStringLiteral("DELETE FROM CHILD_DATALIST"), QStringLiteral("DELETE FROM DATALIST")});
    }
    void TearDown() override
    {
        for (int rec : {5, 6, 7})
            QDir(core::SystemDef.SYSDIR + QStringLiteral("/%1").arg(rec, 4, 10, QLatin1Char('0'))).removeRecursively();
        servertest::ServerSentakuTest<SharedDataTest>::TearDown();
    }

    // A registry row: an empty local row, or a shared row (stored on the share or fetched).
    void addRow(int rec, const QString& path, int netDrive = 0, const QString& name = QString(), int gassan = 0)
    {
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,KYOYULOCK,NENDO,GASSAN,"
                            "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT) VALUES(%1,%2,%3,%3,'%4',%5,0,1,%6,15,1,0,'15.1.0')")
                 .arg(rec)
                 .arg(core::SystemDef.GROUPID)
                 .arg(name.isEmpty() ? QStringLiteral("NULL") : u'\'' + name + u'\'', path)
                 .arg(netDrive)
                 .arg(gassan)});
    }

    // A data folder of stand-in files with its information file (kind as given).
    QString fakeArea(const QString& path, const QByteArray& content, int gassan)
    {
        QDir().mkpath(path);
        QFile db(path + QStringLiteral("/qmacc.fdb"));
        EXPECT_TRUE(db.open(QIODevice::WriteOnly));
        db.write(content);
        companydata::TDataInfomationRec info;
        companydata::ClearDataInfoRec(info);
        info.Shougou = QStringLiteral("共有社");
        info.DataListName = QStringLiteral("共有社");
        info.GassanKbn = quint8(gassan);
        info.Kishu = QStringLiteral("2024/04/01");
        info.Kimatu = QStringLiteral("2025/03/31");
        companydata::TDataInfomation().WriteIniFile(path, QString(), info);
        return path;
    }

    std::unique_ptr<TDataSentakuBox> openSelection(const QString& lines = QStringLiteral("SyoriType=0"))
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(lines + QStringLiteral("\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return int(core::mrOk);
        };
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info;
            return int(core::mrOk);
        };
        box->Prepare(1);
        return box;
    }

    static int rowOf(TDataSentakuBox& box, int rec, int child = 0)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec && (child == 0 || box.Grid->CellInt(colChild, r) == child - 1))
                return r;
        return -1;
    }

    QString registry(int rec)
    {
        return rows(QStringLiteral("SELECT COALESCE(ENTTEXT,''),PASNAME,NETDRIVE,KYOYULOCK FROM DATALIST WHERE REC=%1").arg(rec))
            .value(0);
    }

    static int shareStatusOf(const QString& dataFolder)
    {
        companydata::TDataInfomationRec rec;
        companydata::TDataInfomation().ReadIni(dataFolder, rec);
        return rec.ShareStatus;
    }
    QString working(int rec) const
    {
        return core::SystemDef.SYSDIR + QStringLiteral("/%1").arg(rec, 4, 10, QLatin1Char('0'));
    }
};

} // namespace

TEST_F(SharedDataTest, AnEmptyRowGetsASharedDataSetThroughTheSelection)
{
    const QString shared = area(QStringLiteral("sv0001"), 1);
    addRow(5, folder(QStringLiteral("local5")));
    auto box = openSelection();
    box->Grid->SetRow(rowOf(*box, 5));
    int shown = 0;
    box->ShowServerBox = [&](TServerSentakuBox& server) {
        ++shown;
        server.DriveLetter = QStringLiteral("D");
        server.SelPath = shared;
        server.SelName = QStringLiteral("みなと商事 第15期");
        return int(core::mrOk);
    };
    box->btnKyoyuDataDownClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(core::SystemDef.ZenkaiDrive, QStringLiteral("D"));
    EXPECT_EQ(registry(5), QStringLiteral("みなと商事 第15期 %1 1 1").arg(shared)) << messageText().toStdString();
    EXPECT_TRUE(QFile::exists(working(5) + QStringLiteral("/qmacc.fdb")));
    EXPECT_EQ(shareStatusOf(shared), companydata::kShareTakenOut);
    EXPECT_TRUE(box->isVisible());

    // A local row with data is refused.
    addRow(6, folder(QStringLiteral("local6")), 0, QStringLiteral("自社"));
    box->LoadList();
    box->ShowList(-1);
    box->Grid->SetRow(rowOf(*box, 6));
    messages.messages.clear();
    box->btnKyoyuDataDownClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messageText(), QStringLiteral("選択したフォルダには既にデータが登録されています。\r"));
}

TEST_F(SharedDataTest, FetchAndStoreAConsolidationWithItsChildren)
{
    const QString shared = fakeArea(share + QStringLiteral("/sv0002"), "parent-1", 1);
    fakeArea(shared + QStringLiteral("/001"), "child-1", 10);
    addRow(6, shared, 1, QStringLiteral("共有社"), 1);
    auto box = openSelection();
    box->Grid->SetRow(rowOf(*box, 6));

    messages.answers = {core::mrYes};
    box->btnKyoyuDataDownClick();
    EXPECT_EQ(registry(6), QStringLiteral("共有社 %1 1 1").arg(shared)) << messageText().toStdString();
    ASSERT_EQ(box->Grid->RowCount() > rowOf(*box, 6) + 1, true);
    const int parentRow = rowOf(*box, 6);
    const int childRow = parentRow + 1;
    EXPECT_EQ(box->Grid->CellInt(colGassan, childRow), companydata::kGassanBunsan);
    EXPECT_EQ(box->Grid->CellInt(colShared, parentRow), 1);
    EXPECT_EQ(box->Grid->CellInt(colShared, childRow), 1);

    // Worked on here, then stored: the share gets the new files, every row shows it stored.
    QFile child(working(6) + QStringLiteral("/001/qmacc.fdb"));
    ASSERT_TRUE(child.open(QIODevice::WriteOnly));
    child.write("child-2");
    child.close();
    box->Grid->SetRow(childRow);
    messages.answers = {core::mrYes};
    box->btnKyoyuDataUpClick();
    EXPECT_EQ(registry(6), QStringLiteral("共有社 %1 1 0").arg(shared)) << messageText().toStdString();
    QFile stored(shared + QStringLiteral("/001/qmacc.fdb"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), "child-2");
    const int parentAfter = rowOf(*box, 6);
    EXPECT_EQ(box->Grid->CellInt(colShared, parentAfter), 0);
    EXPECT_EQ(box->Grid->CellInt(colShared, parentAfter + 1), 0);

    // A broken child refuses the store, with the message only when not automatic.
    messages.answers = {core::mrYes};
    box->Grid->SetRow(parentAfter);
    box->FetchSharedRow(parentAfter, true);
    run({QStringLiteral("UPDATE CHILD_DATALIST SET DATA_STATUS=1 WHERE REC=6")});
    box->LoadList();
    box->ShowList(-1);
    boxes.clear();
    EXPECT_EQ(box->StoreSharedRow(rowOf(*box, 6), true), 0);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(box->StoreSharedRow(rowOf(*box, 6), false), 0);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("合算・分散データに破損したデータが存在するため、共有データの保管を中止します。")});
    EXPECT_EQ(registry(6), QStringLiteral("共有社 %1 1 1").arg(shared));
}

TEST_F(SharedDataTest, AutomaticFetchAndStoreAroundSaveAndTypeFive)
{
    const QString shared = area(QStringLiteral("sv0003"), 1);
    addRow(7, shared, 1, QStringLiteral("みなと商事 第15期"));
    const QString place = folder(QStringLiteral("backup"));
    {
        // The save of a row stored on the share fetches it and stores it again first.
        auto box = openSelection();
        box->Grid->SetRow(rowOf(*box, 7));
        EXPECT_EQ(box->SaveData(place), 1) << messageText().toStdString();
        EXPECT_TRUE(QFile::exists(place + QStringLiteral("/qmacc.fbk")));
        EXPECT_EQ(registry(7), QStringLiteral("みなと商事 第15期 %1 1 0").arg(shared));
        EXPECT_EQ(shareStatusOf(shared), companydata::kShareInPlace);
    }
    {
        // Type 5 with the automatic switch: F12 fetches the stored row before the restore
        // into it; the restored row is stored again and stays fetched here.
        core::SystemDef.AutoShare = 1;
        auto box = openSelection(QStringLiteral("SyoriType=5\r\nOnlySA_Syori=Restore\r\nOnlySA_BackupPath=") + place);
        box->Grid->SetRow(rowOf(*box, 7));
        box->F12Click();
        EXPECT_EQ(box->result(), int(core::mrOk)) << messageText().toStdString();
        EXPECT_EQ(registry(7), QStringLiteral("みなと商事 第15期 %1 1 1").arg(shared));
        EXPECT_EQ(shareStatusOf(shared), companydata::kShareTakenOut);
        EXPECT_TRUE(QFile::exists(working(7) + QStringLiteral("/qmacc.fdb")));
    }
}
