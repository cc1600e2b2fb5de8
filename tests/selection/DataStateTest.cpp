// The data state of listed data sets and the refresh of the list from the data folders, on a
// registry fixture whose data folders are temporary folders (one holding a real company
// database).

#include "tests/companydata/RegistryTestFixture.h"

#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/Exception.h"
#include "platform/IniFile.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

TEST(DataState, AllowedStatesAndGassanSettings)
{
    // Stand-alone allows only 1; the server modes also 2.
    for (int state : {0, 1, 2, 3, 10}) {
        EXPECT_EQ(IsAllowedDataState(state, 0), state == 1) << state;
        EXPECT_EQ(IsAllowedDataState(state, 1), state == 1 || state == 2) << state;
    }
    EXPECT_EQ(LoginCodeOf(200140007, 20014), 7);
    EXPECT_EQ(LoginCodeOf(7, 0), 7); // no group: no division by zero

    using Setting = std::optional<std::pair<int, int>>;
    struct Case {
        int mode, source, target;
        Setting expected;
    } cases[] = {
        {0, 1, 2, std::pair{2, 3}},  {0, 2, 1, std::pair{1, 3}},  {0, 1, 10, std::pair{10, 0}},
        {0, 1, 0, std::nullopt},     {0, 10, 0, std::pair{0, 0}}, {0, 10, 2, std::pair{0, 0}},
        {0, 10, 10, std::nullopt},   {0, 0, 10, std::pair{10, 0}}, {0, 0, 1, std::nullopt},
        {1, 1, 2, std::pair{0, 0}},  {2, 0, 0, std::pair{0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GassanSettingFor(c.mode, c.source, c.target, 3), c.expected)
            << c.mode << " " << c.source << "->" << c.target;
}

namespace {

constexpr int kGroup = 20015;

class DataStateTest : public registrytest::RegistryTest<DataStateTest> {
protected:
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary}); }

    void SetUp() override
    {
        registrytest::RegistryTest<DataStateTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.GROUPID = kGroup;
        core::SystemDef.OPCODE = kGroup * 10000 + 7;
        core::SystemDef.OPNAME = QStringLiteral("山田");
        core::SystemDef.DataFolder.clear();
        core::SystemDef.DataCheck = 0;
        run({QStringLiteral("DELETE FROM CHILD_DATALIST WHERE REC BETWEEN 3000 AND 3999"),
             QStringLiteral("DELETE FROM DATALIST WHERE GROUPID=%1").arg(kGroup)});
    }

    QString dataFolder(int rec, bool withData)
    {
        const QString path = folder(QString::number(rec));
        if (withData) {
            QFile f(path + QStringLiteral("/qmacc.fdb"));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        return path;
    }

    void addRow(int rec, const QString& path, int gassan = 0)
    {
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,"
                            "CODETYPE,NENDO,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN) "
                            "VALUES(%1,%2,'C%1','名%1','社%1','%3',0,1,1,2024,15,1,0,'15.1.0',0,%4)")
                 .arg(rec).arg(kGroup).arg(path).arg(gassan)});
    }

    std::unique_ptr<TDataSentakuBox> open()
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams({QStringLiteral("SyoriType=0"), QStringLiteral("ManualFree=1")});
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info;
            return int(core::mrOk);
        };
        box->Prepare(1);
        return box;
    }

    int rowOf(TDataSentakuBox& box, int rec, int rowNo = 0)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec && box.List.GetRowRec(*box.Grid, r).RowNo == rowNo)
                return r;
        return -1;
    }

    QString registryName(int rec)
    {
        const QStringList r = rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=%1").arg(rec));
        return r.isEmpty() ? QStringLiteral("<none>") : r.first();
    }

    QList<controls::TMessageInfoRec> details;
};

} // namespace

TEST_F(DataStateTest, StateChecksOnTemporaryDataFolders)
{
    auto box = open();
    const QString empty = dataFolder(3001, false);
    const QString data = dataFolder(3002, true);
    const QString real = root_->dataFolder(1);

    // No database: silent 1 without the warn flag, the warning and 0 with it.
    EXPECT_EQ(CheckDataState(*box, empty, false, true), 1);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(CheckDataState(*box, empty, true, true), 0);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages.first().text, QStringLiteral("このフォルダには財務データがありません。\r"));

    // A real company database is normal once its information file exists.
    EXPECT_EQ(CheckDataState(*box, real, true, true), 1);

    // The state marks written by the operations, read back with and without messages.
    struct Case {
        int state;
        bool messages;
        bool boxShown;
    } cases[] = {{1, true, false}, {2, false, false}, {2, true, true}, {3, true, true},
                 {10, true, false}, {6, true, true}};
    for (const Case& c : cases) {
        details.clear();
        SetDataStatus(data, c.state);
        EXPECT_EQ(CheckDataState(*box, data, true, c.messages), c.state) << c.state;
        ASSERT_EQ(details.size(), c.boxShown ? 1 : 0) << c.state;
        if (!c.boxShown)
            continue;
        const controls::TMessageInfoRec& info = details.first();
        EXPECT_EQ(info.Kind, 1);
        EXPECT_EQ(info.Caption, QStringLiteral("選択データの状態"));
        const QString text = QStringLiteral("このデータは%1のため処理が行えません。")
                                 .arg(companydata::GetDataStatusName(c.state));
        EXPECT_EQ(info.MainText, c.state == 2 ? text + QStringLiteral("\r前回、異常終了した場合は情報ボタンを押して"
                                                                      "データの状態を回復して下さい。")
                                              : text);
        // The login code within the session code, and the operator name.
        EXPECT_EQ(info.Details, QStringList({"【データフォルダ】", "　" + data, "", "【オペレータ】", "　7", "",
                                             "【オペレータ名】", "　山田"}));
    }

    // The module's check: an in-use folder is refused in stand-alone mode, a folder without
    // database passes (F12 then offers new data).
    SetDataStatus(data, 2);
    EXPECT_EQ(box->CheckDataFolder(data), -1);
    SetDataStatus(data, 1);
    EXPECT_EQ(box->CheckDataFolder(data), 1);
    EXPECT_EQ(box->CheckDataFolder(empty), 0);
}

TEST_F(DataStateTest, RefreshOneRowAndAllRows)
{
    const QString real = root_->dataFolder(1);
    const QString gone = dataFolder(3002, false);
    const QString gone2 = dataFolder(3003, false);
    addRow(3001, real);
    addRow(3002, gone);
    addRow(3003, gone2);
    SetDataStatus(gone, 1); // an information file left behind by a removed database
    auto box = open();

    // A row whose database exists takes its information from the database and writes it into
    // the information file.
    int row = rowOf(*box, 3001);
    ASSERT_GE(row, 0);
    EXPECT_FALSE(DataListRefresh(*box, row));
    row = rowOf(*box, 3001);
    const companydata::TDataListRec rec = box->List.GetRowRec(*box->Grid, row);
    EXPECT_FALSE(rec.Shougou.isEmpty());
    EXPECT_NE(rec.Shougou, QStringLiteral("社3001"));
    platform::TIniFile ini(companydata::TDataInfomation::IniFileName(real));
    EXPECT_EQ(ini.ReadString(QStringLiteral("DATAINFO"), QStringLiteral("SHOUGOU"), QString()), rec.Shougou);
    EXPECT_EQ(registryName(3001), QStringLiteral("名3001"));

    // The whole-list pass stops at cancel: asked before each row, it lets two rows through.
    int asked = 0;
    TRefreshProgress progress;
    progress.Cancelled = [&] { return ++asked > 2; };
    DataListRefresh(*box, -1, progress);
    EXPECT_EQ(registryName(3002), QString());  // second row refreshed: now an empty row
    EXPECT_EQ(registryName(3003), QStringLiteral("名3003")); // third not reached
    EXPECT_FALSE(QFile::exists(companydata::TDataInfomation::IniFileName(gone)));
    row = rowOf(*box, 3002);
    ASSERT_GE(row, 0);
    EXPECT_TRUE(box->Grid->Cells(colName, row).isEmpty());

    // One row: a removed database turns the row into an empty one.
    DataListRefresh(*box, rowOf(*box, 3003));
    EXPECT_EQ(registryName(3003), QString());
    EXPECT_TRUE(box->Grid->Cells(colName, rowOf(*box, 3003)).isEmpty());
}

TEST_F(DataStateTest, ChildrenRebuiltFromSubfoldersAndRemoved)
{
    // Subfolders 1 and 3 hold databases (unreadable ones), 2 does not.
    const QString parent = dataFolder(3010, false);
    for (const char* sub : {"1", "2", "3"})
        QDir().mkpath(parent + "/" + sub);
    for (const char* sub : {"1", "3"}) {
        QFile f(parent + "/" + sub + "/qmacc.fdb");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    addRow(3010, parent, 1);
    auto box = open();
    const int row = rowOf(*box, 3010);
    ASSERT_GE(row, 0);
    RebuildChildren(*box, row);
    const companydata::TDataSentakuRec& rec = box->List.Records[box->Grid->CellInt(colParent, row)];
    ASSERT_EQ(rec.Children.size(), 2);
    EXPECT_EQ(rec.ChildCount, 2);
    EXPECT_EQ(rec.Children[0].RowNo, 1);
    EXPECT_EQ(rec.Children[1].RowNo, 3);
    for (const companydata::TDataListRec& child : rec.Children) {
        EXPECT_EQ(child.EntText, QStringLiteral("破損データ"));
        EXPECT_EQ(child.Shougou, QStringLiteral("社3010"));
        EXPECT_EQ(child.DataStatus, 1);
        EXPECT_EQ(child.Gassan, companydata::kGassanBunsan);
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT ROWNO FROM CHILD_DATALIST WHERE REC=3010 ORDER BY ROWNO")),
              QStringList({"1", "3"}));

    // All children removed: registry rows and subfolders go.
    ClearChildren(*box, row, true);
    EXPECT_EQ(box->List.Records[box->Grid->CellInt(colParent, row)].ChildCount, 0);
    EXPECT_TRUE(rows(QStringLiteral("SELECT ROWNO FROM CHILD_DATALIST WHERE REC=3010")).isEmpty());
    EXPECT_FALSE(QDir(parent + "/1").exists());
    EXPECT_FALSE(QDir(parent + "/3").exists());
}

TEST_F(DataStateTest, UpdateListRowRefusesAnEmptyFolder)
{
    auto box = open();
    companydata::TDataListRec rec;
    rec.Rec = 1;
    rec.PasName = QStringLiteral(" 　");
    try {
        UpdateListRow(*box, rec);
        FAIL();
    } catch (const core::Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("データフォルダパスが不正です。\r処理を中止します。"));
    }
}
