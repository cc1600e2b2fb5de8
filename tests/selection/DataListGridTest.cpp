// The data list from a registry fixture: columns, children under their parents, sort by header,
// search conditions, the update-lock mark, incremental search and the data-lock decision.

#include "tests/companydata/RegistryTestFixture.h"

#include "companydata/DataSentakuListCtl.h"
#include "controls/grid/TxGrid.h"
#include "selection/DataSentakuIncSearch.h"
#include "selection/DataSentakuList.h"
#include "selection/DataSentakuLock.h"

#include <gtest/gtest.h>

using namespace selection;

namespace {

constexpr int kGroup = 20013;

QString Row(int rec, const QString& code, const QString& name, int type, int codeType, const QString& ver,
            int gassan = 0, int updateLock = 0, int netDrive = 0, int kyoyuLock = 0)
{
    const QStringList v = ver.split(u'.');
    return QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,KYOYULOCK,"
                          "DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,"
                          "UPDATE_LOCK,GASSAN) VALUES(%1,%2,'%3','%4','%4','/data/%1',%5,%6,%7,%8,2024,"
                          "'2024-04-01','2025-03-31',%9,%10,%11,'%12',%13,%14)")
        .arg(rec).arg(kGroup).arg(code, name).arg(netDrive).arg(kyoyuLock).arg(type).arg(codeType)
        .arg(v.value(0), v.value(1), v.value(2), ver).arg(updateLock).arg(gassan);
}

QString Child(int rec, int rowNo, const QString& name)
{
    return QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,PASNAME,NETDRIVE,GASSAN,DATATYPE) "
                          "VALUES(%1,%2,%3,'%4','/data/%1/%5',0,10,1)")
        .arg(rec).arg(rowNo).arg(kGroup).arg(name).arg(rowNo, 3, 10, QLatin1Char('0'));
}

class DataListGridTest : public registrytest::RegistryTest<DataListGridTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    void SetUp() override
    {
        registrytest::RegistryTest<DataListGridTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.GROUPID = kGroup;
        ctlHolder = std::make_unique<companydata::TDataSentakuListCtl>(); // needs the data module
        if (seeded_)
            return;
        run({Row(1001, QStringLiteral("ab1x"), QStringLiteral("甲商事"), 1, 1, QStringLiteral("15.2.0")),
             Row(1002, QStringLiteral("AB2"), QStringLiteral("乙医療"), 3, 1, QStringLiteral("15.2.0"), 1),
             Row(1003, QStringLiteral("ZZ"), QStringLiteral("丙個人"), 2, 1, QStringLiteral("15.0.0")),
             Row(1004, QStringLiteral("AB1Y"), QStringLiteral("ﾃｽﾄ丁"), 1, 1, QStringLiteral("14.9.9"), 0, 1),
             Row(1005, QStringLiteral("C1"), QStringLiteral("戊共有"), 1, 12, QStringLiteral("15.1.0"), 0, 1, 1),
             Row(1006, QStringLiteral("C2"), QStringLiteral("己"), 11, 2, QStringLiteral("15.1.0")),
             Child(1002, 1, QStringLiteral("東")), Child(1002, 2, QStringLiteral("西")),
             Child(1002, 3, QStringLiteral("南"))});
        seeded_ = true;
    }

    // The code column of every grid row.
    QStringList codes() const
    {
        QStringList out;
        for (int r = 0; r < grid.RowCount(); ++r)
            out << grid.Cells(colCode, r);
        return out;
    }
    void reload()
    {
        list.LoadList(*ctlHolder, 0);
        list.ShowList(grid, -1);
    }

    static inline bool seeded_ = false;
    std::unique_ptr<companydata::TDataSentakuListCtl> ctlHolder;
    TDataSentakuList list;
    controls::TxGrid grid;
};

} // namespace

TEST_F(DataListGridTest, RowsColumnsAndChildrenUnderTheirParent)
{
    list.DataRoot = QStringLiteral("/DATA");
    list.SortCol = 0;
    reload();
    ASSERT_EQ(codes(), (QStringList{"ab1x", "AB2", "", "", "", "ZZ", "AB1Y", "C1", "C2"}));
    EXPECT_EQ(grid.Cols(), kDataListColumns);
    EXPECT_EQ(grid.Cells(0, -1), QStringLiteral("No▲"));
    EXPECT_EQ(grid.ColWidth(colSharePic), 32); // stand-alone: the share mark column
    EXPECT_EQ(grid.ColWidth(colLockPic), 0);
    EXPECT_EQ(grid.ColWidth(colName), 280 - 32);
    EXPECT_EQ(grid.RowValue(1), 1002);
    EXPECT_EQ(grid.Cells(colNendo, 0), QStringLiteral("2024 期"));
    EXPECT_EQ(grid.Cells(colFolder, 0), QStringLiteral("~/1001")); // data root shown as "~", any case
    EXPECT_EQ(grid.Cells(colVerText, 0), QStringLiteral("15.2.0"));
    // The consolidation parent with three children: four rows, numbered names, no number.
    EXPECT_EQ(grid.Cells(colName, 2), QStringLiteral("01 東"));
    EXPECT_EQ(grid.Cells(colName, 4), QStringLiteral("03 南"));
    EXPECT_EQ(grid.Cells(colNo, 3), QString());
    EXPECT_EQ(list.GetRowRec(grid, 3).EntText, QStringLiteral("西"));
    EXPECT_EQ(list.GetRowRec(grid, 1).Rec, 1002);
    EXPECT_EQ(list.GetParentRow(grid, 4), 1);
    EXPECT_EQ(list.GetRowDataPath(grid, 3), QStringLiteral("/data/1002/002"));
    // A shared row stored on the share: the "stored" picture; its folder is the local copy.
    EXPECT_FALSE(grid.CellPicture(colSharePic, 7).isNull());
    EXPECT_EQ(grid.CellInt(colShared, 7), 0);
    EXPECT_TRUE(list.GetRowDataPath(grid, 7).endsWith(QStringLiteral("/1005")));
    EXPECT_TRUE(list.GetRowDataPath(grid, 7).startsWith(core::SystemDef.SYSDIR));
    EXPECT_TRUE(grid.CellPicture(colSharePic, 0).isNull());
}

TEST_F(DataListGridTest, HeaderClicksSort)
{
    list.SortCol = 1;
    list.Descending = true;
    EXPECT_TRUE(list.HeaderClick(0));
    reload();
    EXPECT_EQ(grid.CellInt(colNo, 0), 1001) << "No ascending";
    EXPECT_TRUE(list.HeaderClick(0));
    reload();
    EXPECT_EQ(grid.CellInt(colNo, 0), 1006) << "No descending";
    EXPECT_EQ(grid.Cells(0, -1), QStringLiteral("No▼"));
    EXPECT_TRUE(list.HeaderClick(1));
    reload();
    EXPECT_EQ(codes().first(), QStringLiteral("AB1Y")) << "code ascending";
    EXPECT_FALSE(list.Descending);
    for (int col : {2, 8, 9, 12, 19}) {
        EXPECT_FALSE(list.HeaderClick(col)) << col;
        EXPECT_EQ(list.SortCol, 1);
    }
    EXPECT_EQ(SortKindOfColumn(3), 2);
    EXPECT_EQ(SortKindOfColumn(7), 6);
    EXPECT_EQ(SortKindOfColumn(-1), 1);
}

TEST_F(DataListGridTest, SearchConditions)
{
    list.SortCol = 0;
    struct Case {
        const char* name;
        TDataKensakuRec cond;
        QList<int> recs;
    };
    std::vector<Case> cases;
    TDataKensakuRec wizard; // the wizard's launch: data type 1 or 3, major version 15
    wizard.DATATYPE = -13;
    wizard.DATAVER = QStringLiteral("15");
    wizard.VersionMode = kVersionMajor;
    cases.push_back({"wizard", wizard, {1001, 1002, 1005}});
    TDataKensakuRec pair; // (1, 12) is not (11, 2)
    pair.DATATYPE = 1;
    pair.CODETYPE = 12;
    cases.push_back({"type pair", pair, {1005}});
    TDataKensakuRec name;
    name.DATANAME = QStringLiteral("ﾃｽﾄ");
    cases.push_back({"half-width name matches full width", name, {1004}});
    TDataKensakuRec code;
    code.DATACODE = QStringLiteral("ab1");
    cases.push_back({"code prefix any case", code, {1001, 1004}});
    TDataKensakuRec atLeast;
    atLeast.DATAVER = QStringLiteral("15.1");
    atLeast.VersionMode = kVersionAtLeast;
    cases.push_back({"version at least", atLeast, {1001, 1002, 1005, 1006}});
    TDataKensakuRec exact;
    exact.DATAVER = QStringLiteral("15.0");
    cases.push_back({"version exact", exact, {1003}});
    for (const Case& c : cases) {
        list.Conditions = c.cond;
        reload();
        QList<int> recs;
        for (int i : list.DispIndex)
            recs << list.Records.at(i).Rec;
        EXPECT_EQ(recs, c.recs) << c.name;
    }
    EXPECT_EQ(ToSearchWidth(QStringLiteral("ｶﾞab1")), QStringLiteral("ガＡＢ１"));
}

TEST_F(DataListGridTest, UpdateLockedOlderRowIsGrey)
{
    list.SortCol = 0;
    reload();
    // 1004 (14.9.9) is update-locked and older than the newest step; 1005 (15.1.0) is locked but current.
    const int older = int(codes().indexOf(QStringLiteral("AB1Y")));
    const int current = int(codes().indexOf(QStringLiteral("C1")));
    EXPECT_TRUE(list.CheckUpdateMark(grid, older, false));
    EXPECT_EQ(grid.RowForeColor(older), QColor::fromRgb(kMarkedTextRgb));
    EXPECT_FALSE(list.CheckUpdateMark(grid, current, false));
    EXPECT_NE(grid.RowForeColor(current), QColor::fromRgb(kMarkedTextRgb));
    // With the lock cleared the row is black again.
    list.Records[list.GetDisplayIndex(grid, older)].UpdateLock = 0;
    list.SetGridRow(grid, older, list.Records[list.GetDisplayIndex(grid, older)]);
    EXPECT_FALSE(list.CheckUpdateMark(grid, older, true));
    EXPECT_NE(grid.RowForeColor(older), QColor::fromRgb(kMarkedTextRgb));
}

TEST_F(DataListGridTest, IncrementalSearch)
{
    list.SortCol = 0;
    reload();
    TIncSearch inc;
    for (QString key : {QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("1")})
        ASSERT_TRUE(inc.AddKey(TIncSearch::KeyChar(key, false)));
    EXPECT_EQ(inc.Text, QStringLiteral("AB1"));
    EXPECT_EQ(inc.Interval, 1000);
    grid.SetRow(0); // on "ab1x": the next match after it is "AB1Y"
    ASSERT_TRUE(TDataSentakuList::FindCodeRow(grid, inc.Text));
    EXPECT_EQ(grid.Cells(colCode, grid.Row()), QStringLiteral("AB1Y"));
    ASSERT_TRUE(TDataSentakuList::FindCodeRow(grid, inc.Text)); // wraps to the top
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_FALSE(TDataSentakuList::FindCodeRow(grid, QStringLiteral("Q")));

    TIncSearch full;
    for (int i = 0; i < 8; ++i)
        full.AddKey(QLatin1Char('1'));
    EXPECT_FALSE(full.AddKey(QLatin1Char('2'))) << "a ninth character is ignored";
    EXPECT_EQ(full.Text.size(), 8);
    EXPECT_EQ(TIncSearch::KeyChar(QStringLiteral("!"), false), QChar());
    EXPECT_EQ(TIncSearch::KeyChar(QStringLiteral("*"), true), QLatin1Char('*'));
    EXPECT_EQ(TIncSearch::KeyChar(QStringLiteral("*"), false), QChar());
    EXPECT_EQ(TIncSearch::KeyChar(QStringLiteral("@"), false), QLatin1Char('@'));
}

// The lock holds the login code; the owner check compares it with the session code reduced to
// its login code (GROUPID × 10000 + login code), so the operator who locked can unlock.
TEST(DataLock, DecisionTable)
{
    const qint32 group = 10000;
    const qint32 session = group * 10000 + 10; // login code 10
    EXPECT_EQ(LockLoginCode(session, group), 10);
    struct Case {
        int state;
        qint32 lock;
        TDataLockAction action;
    } cases[] = {
        {-1, 0, dlNothing},       {1, 0, dlLock},          {2, 0, dlLock},
        {3, 10, dlUnlock},        {3, 11, dlLockedByOther}, {3, session, dlLockedByOther},
        {1, 10, dlNothing},       {4, 0, dlWrongState},     {10, 10, dlWrongState},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideDataLock(c.state, c.lock, session, group), c.action) << c.state << " " << c.lock;
    EXPECT_EQ(DataLockDetailLines(QStringLiteral("/d/1"), 11, QStringLiteral("佐藤")).at(4), QStringLiteral("　11"));
}
