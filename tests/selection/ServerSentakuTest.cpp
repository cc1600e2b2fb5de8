// The shared-data selection over a test drive map whose areas hold copies of real sample
// company databases: the drives offered, the list rebuilt from the folders, sort, filter,
// incremental search, the captions and the refusals of F12.

#include "ServerSentakuTestFixture.h"

#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSyosaiInfoBox.h"
#include <QCheckBox>

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

TEST(ServerSentakuPure, CaptionsFollowTheRowAndTheMode)
{
    struct Case {
        const char* name;
        TServerFKeyState s;
        const char* f2;
        const char* f4;
        const char* f5;
        const char* f12;
        int keyMode;
        bool f12Enabled;
    };
    TServerFKeyState base;
    base.GridFocused = base.DriveSet = base.HasRows = base.HasCurrentRow = true;
    auto with = [&](auto change) {
        TServerFKeyState s = base;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"data row", base, "F2:コピー", "F4:領域追加", "F5:ﾃﾞｰﾀ削除", "F12:選択", 1, true},
        {"copy marked", with([](auto& s) { s.CopyMarked = true; }), "F2:貼り付け", "F4:領域追加", "F5:ﾃﾞｰﾀ削除", "F12:選択", 2, true},
        {"child", with([](auto& s) { s.Gassan = 10; }), "F2:", "F4:領域追加", "F5:", "F12:", 1, false},
        {"free area", with([](auto& s) { s.FreeArea = true; }), "F2:", "F4:領域追加", "F5:ﾃﾞｰﾀ削除", "F12:選択", 1, true},
        {"free area as target", with([](auto& s) { s.FreeArea = s.CopyMarked = true; }), "F2:貼り付け", "F4:領域追加", "F5:ﾃﾞｰﾀ削除", "F12:選択", 2, true},
        {"in use", with([](auto& s) { s.InUse = true; }), "F2:コピー", "F4:領域追加", "F5:", "F12:選択", 1, true},
        {"in use target", with([](auto& s) { s.InUse = s.CopyMarked = true; }), "F2:", "F4:領域追加", "F5:", "F12:選択", 2, true},
        {"broken", with([](auto& s) { s.Broken = true; }), "F2:", "F4:領域追加", "F5:ﾃﾞｰﾀ削除", "F12:", 1, true},
        {"broken target", with([](auto& s) { s.Broken = s.CopyMarked = true; }), "F2:貼り付け", "F4:領域追加", "F5:ﾃﾞｰﾀ削除", "F12:", 2, true},
        {"cloud", with([](auto& s) { s.Cloud = true; }), "F2:コピー", "F4:", "F5:ﾃﾞｰﾀ削除", "F12:選択", 1, true},
        {"no row", with([](auto& s) { s.HasCurrentRow = false; }), "F2:", "F4:領域追加", "F5:", "F12:選択", 0, true},
        {"no drive", with([](auto& s) { s.HasCurrentRow = s.DriveSet = s.HasRows = false; }), "F2:", "F4:", "F5:", "F12:選択", 0, true},
        {"panel disabled", with([](auto& s) { s.PanelEnabled = false; }), "F2:", "F4:領域追加", "F5:", "F12:", 0, true},
        {"grid not focused", with([](auto& s) { s.GridFocused = false; }), "F2:", "F4:領域追加", "F5:", "F12:選択", 0, true},
    };
    for (const Case& c : cases) {
        const TServerFKeyResult r = ServerFKeyCaptions(c.s);
        EXPECT_EQ(r.Captions[fkF2], QString::fromUtf8(c.f2)) << c.name;
        EXPECT_EQ(r.Captions[fkF4], QString::fromUtf8(c.f4)) << c.name;
        EXPECT_EQ(r.Captions[fkF5], QString::fromUtf8(c.f5)) << c.name;
        EXPECT_EQ(r.Captions[fkF12], QString::fromUtf8(c.f12)) << c.name;
        EXPECT_EQ(r.Captions[fkF3], QStringLiteral("F3:")) << c.name;
        EXPECT_EQ(r.KeyMode, c.keyMode) << c.name;
        EXPECT_EQ(r.F12Enabled, c.f12Enabled) << c.name;
    }
    const TServerFKeyResult noDrive = ServerFKeyCaptions(with([](auto& s) { s.DriveSet = false; }));
    EXPECT_TRUE(ServerGridHint(noDrive.Hint).contains(QStringLiteral("[共有割当]")));
    EXPECT_TRUE(ServerDriveHint(QStringLiteral("velmorazaimu")).contains(QStringLiteral("velmorazaimu")));
}

TEST(ServerSentakuPure, FilterConditions)
{
    companydata::TDataListRec rec;
    rec.DataType = 1;
    rec.CodeType = 12;
    rec.EntText = QStringLiteral("ﾐﾅﾄ商事ABC");
    rec.Tantou = 5;
    rec.VerMajor = 15;
    rec.VerMinor1 = 1;
    rec.DataCode = QStringLiteral("ab123");
    struct Case {
        const char* name;
        TDataKensakuRec cond;
        bool passes;
    };
    auto cond = [](auto change) {
        TDataKensakuRec c;
        change(c);
        return c;
    };
    const Case cases[] = {
        {"none", TDataKensakuRec{}, true},
        {"type pair", cond([](auto& c) { c.DATATYPE = 1, c.CODETYPE = 12; }), true},
        {"type pair (11,2) is not (1,12)", cond([](auto& c) { c.DATATYPE = 11, c.CODETYPE = 2; }), false},
        {"type without code type ignored", cond([](auto& c) { c.DATATYPE = 2; }), true},
        {"full-width name", cond([](auto& c) { c.DATANAME = QStringLiteral("ミナト"); }), true},
        {"half-width lower-case name", cond([](auto& c) { c.DATANAME = QStringLiteral("abc"); }), true},
        {"other name", cond([](auto& c) { c.DATANAME = QStringLiteral("さくら"); }), false},
        {"person", cond([](auto& c) { c.TANTO = 5; }), true},
        {"other person", cond([](auto& c) { c.TANTO = 6; }), false},
        {"version", cond([](auto& c) { c.DATAVER = QStringLiteral("15.1"); }), true},
        {"other version", cond([](auto& c) { c.DATAVER = QStringLiteral("15.0"); }), false},
        {"code prefix any case", cond([](auto& c) { c.DATACODE = QStringLiteral(" AB "); }), true},
        {"code not a prefix", cond([](auto& c) { c.DATACODE = QStringLiteral("b1"); }), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ServerMatchesConditions(rec, c.cond), c.passes) << c.name;
}

namespace {

class ServerSentakuListTest : public servertest::ServerSentakuTest<ServerSentakuListTest> {
protected:
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary, SampleKind::Medical}); }

    void setCode(const QString& folder, const QString& code)
    {
        companydata::TDataInfomation info;
        info.WriteIniValue(folder, companydata::kSectionDataInfo, false, code, QStringLiteral("CODE"));
    }
};

} // namespace

TEST_F(ServerSentakuListTest, DrivesOffered)
{
    QList<TShareDrive> drives = OfferedShareDrives(QStringLiteral("tallekzaimu"));
    ASSERT_EQ(drives.size(), 1); // E has no shared folder
    EXPECT_EQ(drives.first().Letter, QStringLiteral("D"));

    auto box = open(QStringLiteral("Z")); // no longer mapped: the first drive
    EXPECT_EQ(box->DriveLetter, QStringLiteral("D"));
    EXPECT_EQ(box->ShareRoot, share);
    EXPECT_EQ(box->Grid->RowCount(), 0);
    EXPECT_EQ(box->Keys[fkF4]->text(), QStringLiteral("F4:領域追加"));

    QDir(share).removeRecursively();
    auto none = open();
    EXPECT_EQ(none->cmbDrive->itemText(0), QStringLiteral("[tallekzaimu]が見つかりません"));
    EXPECT_TRUE(none->DriveLetter.isEmpty());
    EXPECT_TRUE(none->ShareRoot.isEmpty());
    EXPECT_EQ(none->Keys[fkF4]->text(), QStringLiteral("F4:"));
}

TEST_F(ServerSentakuListTest, RebuildSortSearchAndSelection)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    const QString b = area(QStringLiteral("sv0002"), 2);
    const QString free = area(QStringLiteral("sv0003"));
    const QString parent = area(QStringLiteral("sv0004"), 1);
    const QString child = area(QStringLiteral("sv0004/c01"), 1);
    setCode(a, QStringLiteral("B100"));
    setCode(b, QStringLiteral("A200"));
    setCode(parent, QStringLiteral("AB30"));
    companydata::TDataInfomation info;
    info.WriteIniValue(parent, companydata::kSectionDataInfo, false, 1, QStringLiteral("GASSANKBN"));
    area(QStringLiteral(".sv0002.haritsuke-new")); // a paste's work folder is no area

    // The list is empty at first: the rebuild from the folders follows.
    auto box = open();
    ASSERT_EQ(box->Grid->RowCount(), 5) << (messages.messages.isEmpty() ? std::string() : messages.messages.first().detail.toStdString());
    EXPECT_EQ(box->Grid->Cells(scName, -1), QStringLiteral("データ名"));
    EXPECT_EQ(box->Grid->Cells(scFolder, -1), QStringLiteral("データフォルダ▲"));
    EXPECT_EQ(box->Grid->ColWidth(scCloudPic), 0);
    EXPECT_EQ(box->Grid->ColWidth(scName), 248);
    const int freeRow = rowOfFolder(*box, free);
    EXPECT_EQ(box->Grid->Cells(scName, freeRow), QStringLiteral("空き領域"));
    EXPECT_EQ(box->Grid->Cells(scKikan, freeRow), QStringLiteral("～"));
    const int childRow = rowOfFolder(*box, child);
    EXPECT_EQ(childRow, rowOfFolder(*box, parent) + 1);
    EXPECT_TRUE(box->Grid->Cells(scNo, childRow).isEmpty());
    EXPECT_TRUE(box->Grid->Cells(scName, childRow).startsWith(QStringLiteral("01 ")));
    EXPECT_EQ(rows(QStringLiteral("SELECT ROWNO,PASNAME FROM CHILD_SERVERDATALIST WHERE GROUPID=%1").arg(servertest::kGroup)),
              QStringList{QStringLiteral("1 ") + child});
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM SERVERDATALIST WHERE GROUPID=%1").arg(servertest::kGroup)),
              QStringList{QStringLiteral("4")});

    // Sort by code: ascending, then descending; free areas come last.
    box->HeaderClick(scCode);
    EXPECT_EQ(box->Grid->Cells(scCode, -1), QStringLiteral("コード▲"));
    EXPECT_EQ(box->Grid->Cells(scCode, 0), QStringLiteral("A200"));
    box->HeaderClick(scCode);
    EXPECT_EQ(box->Grid->Cells(scCode, -1), QStringLiteral("コード▼"));
    EXPECT_EQ(box->Grid->Cells(scCode, 0), QStringLiteral("B100"));

    // The incremental search jumps to the next code beginning with the keys, in any case.
    box->Grid->SetCurrentCell(scName, 0);
    box->GridKey(QStringLiteral("a"), false);
    box->GridKey(QStringLiteral("b"), false);
    box->IncSearchTimerFired();
    EXPECT_EQ(box->Grid->Cells(scCode, box->Grid->Row()), QStringLiteral("AB30"));

    // A search condition filters what is shown.
    box->ActiveKensaku.DATACODE = QStringLiteral("a");
    box->List.Conditions = box->ActiveKensaku;
    box->LoadList(0);
    box->ShowList();
    EXPECT_EQ(box->Grid->RowCount(), 3); // A200, AB30 and its child

    // F12: a child is refused; a parent with a broken child is refused with the detail box;
    // a free area being created elsewhere and a missing folder are refused; a data set is chosen.
    box->btnSearchCancelClick();
    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, child));
    box->SetFKeyCaptions();
    EXPECT_EQ(box->Keys[fkF12]->text(), QStringLiteral("F12:"));
    EXPECT_FALSE(box->Keys[fkF12]->isEnabled());
    box->F12Click();
    EXPECT_EQ(box->result(), 0);

    box->List.Records[box->Grid->CellInt(scRecIndex, rowOfFolder(*box, parent))].Children[0].DataStatus = 1;
    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, parent));
    box->SetFKeyCaptions();
    box->F12Click();
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details.first().Details.at(1), QStringLiteral("　") + child);
    EXPECT_EQ(box->result(), 0);

    info.SetShareStatus(free, companydata::kShareTakenOut);
    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, free));
    box->F12Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.last(), QStringLiteral("この領域は、現在データが作成されている可能性があるため選択できません。"));

    QDir(b).removeRecursively();
    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, b));
    box->F12Click();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes.last().startsWith(QStringLiteral("共有サーバーが起動していない")));

    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, a));
    box->SetFKeyCaptions();
    box->F12Click();
    EXPECT_EQ(box->result(), int(core::mrOk));
    EXPECT_EQ(box->SelPath, a);
}

// The data selection's refresh of a fetched shared row reaches the shared-data list through the
// kept shared-data selection: the server row and the area's information file.
TEST_F(ServerSentakuListTest, DataSelectionUpdatesTheServerRow)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    companydata::TDataListRec rec;
    rec.NetDrive = 1;
    rec.KyoyuLock = 1;
    rec.PasName = a;
    rec.EntText = QStringLiteral("新しい名前");
    rec.DispName = rec.EntText;
    rec.Kishu = QDate(2024, 4, 1);
    rec.Kimatu = QDate(2025, 3, 31);
    rec.UpdateLock = 1;
    rec.ReadOnly = 1;
    TDataSentakuBox selection;
    selection.UpdateServerRow(rec);
    EXPECT_EQ(messages.texts().count(QStringLiteral("この機能はまだ使用できません。")), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT,UPDATE_LOCK FROM SERVERDATALIST WHERE PASNAME='%1'").arg(a)),
              QStringList{QStringLiteral("新しい名前 1")});
    companydata::TDataInfomationRec info;
    companydata::TDataInfomation reader;
    reader.ReadIni(a, info);
    EXPECT_EQ(info.DataListName, QStringLiteral("新しい名前"));
    EXPECT_EQ(info.UpdateLock, 1);
    EXPECT_EQ(info.ReadOnly, 1);
}

// 情報 on an area left "in use" by this operator: read-only details whose state clear sets the
// area back to normal.
TEST_F(ServerSentakuListTest, InfoClearsAStuckState)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    companydata::TDataInfomation info;
    info.SetDataStatus(a, companydata::kDataInUse);
    auto box = open();
    ASSERT_GE(rowOfFolder(*box, a), 0);
    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, a));
    int editable = -1;
    box->ShowSyosaiBox = [&](TDataSyosaiInfoBox& details) {
        editable = details.NameEditable;
        details.cboxStatusClear->setChecked(true);
        details.btnOKClick();
        return details.result();
    };
    box->btnDataInfoClick();
    EXPECT_EQ(editable, 0);
    companydata::TDataInfomationRec rec;
    info.ReadIni(a, rec);
    EXPECT_EQ(rec.Status, companydata::kDataNormal);
}

// F2 twice: onto its own area only the state goes back; onto a free area the whole data set
// with the copy's name; a copy failing midway leaves the target, the server list and both
// states; a forbidden consolidation pair is refused.
TEST_F(ServerSentakuListTest, CopyAndPaste)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    const QString free = area(QStringLiteral("sv0002"));
    const QString parent = area(QStringLiteral("sv0003"), 1);
    companydata::TDataInfomation info;
    info.WriteIniValue(parent, companydata::kSectionDataInfo, false, 1, QStringLiteral("GASSANKBN"));
    auto box = open();
    ASSERT_EQ(box->Grid->RowCount(), 3);
    auto status = [&](const QString& folder) {
        companydata::TDataInfomationRec rec;
        info.ReadIni(folder, rec);
        return int(rec.Status);
    };
    auto mark = [&](const QString& folder) {
        box->Grid->SetCurrentCell(scName, rowOfFolder(*box, folder));
        box->SetFKeyCaptions();
        return box->CopyPaste();
    };
    auto paste = [&](const QString& folder) { return mark(folder); };

    EXPECT_EQ(mark(a), 1);
    EXPECT_EQ(status(a), companydata::kDataCopy);
    EXPECT_EQ(box->Keys[fkF2]->text(), QStringLiteral("F2:貼り付け"));
    EXPECT_EQ(paste(a), 0);
    EXPECT_EQ(status(a), companydata::kDataNormal);

    // A failing copy: nothing of the target changes.
    const QStringList registryBefore = rows(QStringLiteral("SELECT PASNAME,ENTTEXT FROM SERVERDATALIST ORDER BY PASNAME"));
    box->CopyArea = [](const QString& from, const QString& to) {
        QFile::copy(from + QStringLiteral("/qmacc.fdb"), to + QStringLiteral("/qmacc.fdb"));
        return false;
    };
    mark(a);
    EXPECT_EQ(paste(free), 0);
    EXPECT_FALSE(QFileInfo::exists(free + QStringLiteral("/qmacc.fdb")));
    EXPECT_EQ(rows(QStringLiteral("SELECT PASNAME,ENTTEXT FROM SERVERDATALIST ORDER BY PASNAME")), registryBefore);
    EXPECT_EQ(status(a), companydata::kDataNormal);
    EXPECT_EQ(QDir(share).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);

    // The normal ordinary data set onto the consolidation parent: a forbidden pair.
    box->CopyArea = nullptr;
    mark(a);
    EXPECT_EQ(paste(parent), 0);
    ASSERT_FALSE(details.isEmpty());
    EXPECT_EQ(details.last().Caption, QStringLiteral("警告"));
    EXPECT_EQ(status(a), companydata::kDataNormal);

    // A complete copy into the free area.
    mark(a);
    EXPECT_EQ(paste(free), 1) << messageText().toStdString();
    EXPECT_TRUE(QFileInfo::exists(free + QStringLiteral("/qmacc.fdb")));
    companydata::TDataInfomationRec pasted;
    info.ReadIni(free, pasted);
    EXPECT_TRUE(pasted.DataListName.endsWith(QStringLiteral("～コピー")));
    EXPECT_EQ(box->Grid->Cells(scName, rowOfFolder(*box, free)), pasted.DataListName);
    EXPECT_EQ(status(a), companydata::kDataNormal);
    EXPECT_EQ(status(free), companydata::kDataNormal);
}

// F4 adds an area in lower case and refuses an existing or unsafe name and the 2001st area;
// F5 deletes an area's data after the agree box.
TEST_F(ServerSentakuListTest, AddAndDeleteAreas)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    auto box = open();
    QStringList inputs{QStringLiteral("SV0001"), QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral(" New1 ")};
    QStringList offered;
    box->InputAreaName = [&](const QString& initial) {
        offered << initial;
        return std::optional<QString>(inputs.takeFirst());
    };
    EXPECT_FALSE(box->AddArea());
    EXPECT_EQ(offered.first(), QStringLiteral("sv0002"));
    EXPECT_FALSE(box->AddArea());
    EXPECT_FALSE(box->AddArea());
    EXPECT_TRUE(box->AddArea());
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("\"%1\"は既に作成されています。").arg(share + QStringLiteral("/sv0001")),
                                             QStringLiteral("\"..\"はフォルダ名として使用できません。"),
                                             QStringLiteral("\"a/b\"はフォルダ名として使用できません。")}));
    const QString added = share + QStringLiteral("/new1");
    EXPECT_TRUE(QFileInfo(added).isDir());
    ASSERT_GE(rowOfFolder(*box, added), 0);
    EXPECT_EQ(box->Grid->Row(), rowOfFolder(*box, added));
    EXPECT_EQ(box->Grid->Cells(scName, box->Grid->Row()), QStringLiteral("新しい領域"));

    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, a));
    detailAnswer = core::mrCancel;
    box->DeleteData(true);
    EXPECT_TRUE(QFileInfo::exists(a + QStringLiteral("/qmacc.fdb")));
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details.first().AgreeCaption, QStringLiteral("データの削除に同意します"));
    detailAnswer = core::mrOk;
    box->Grid->SetCurrentCell(scName, rowOfFolder(*box, a));
    EXPECT_EQ(box->DeleteData(true), 1);
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_EQ(rowOfFolder(*box, a), -1);

    // 2000 areas are the most: the 2001st is refused before the name is asked.
    box->List.Records.resize(2000);
    messages.messages.clear();
    offered.clear();
    EXPECT_FALSE(box->AddArea());
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("これ以上の領域追加は行えません。(最大2000件)")});
}

// Into a child area only the database file goes (its own files and its kind stay); onto a
// consolidation parent the source's children replace the target's, folders and rows alike.
TEST_F(ServerSentakuListTest, PasteIntoAChildAndOntoAConsolidationParent)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    const QString source = area(QStringLiteral("sv0010"), 1);
    const QString sourceChild = area(QStringLiteral("sv0010/c01"), 1);
    const QString target = area(QStringLiteral("sv0011"), 1);
    const QString targetChild = area(QStringLiteral("sv0011/c01"), 1);
    const QString targetChild2 = area(QStringLiteral("sv0011/c02"), 1);
    companydata::TDataInfomation info;
    for (const QString& parent : {source, target})
        info.WriteIniValue(parent, companydata::kSectionDataInfo, false, 1, QStringLiteral("GASSANKBN"));
    for (const QString& child : {sourceChild, targetChild, targetChild2})
        info.WriteIniValue(child, companydata::kSectionDataInfo, false, 10, QStringLiteral("GASSANKBN"));
    // Files that tell the copies apart.
    const auto mark = [](const QString& file, const QByteArray& text) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    mark(a + QStringLiteral("/memo.txt"), "a");
    mark(sourceChild + QStringLiteral("/memo.txt"), "source child");
    mark(targetChild2 + QStringLiteral("/memo.txt"), "old child");

    auto box = open();
    ASSERT_EQ(box->Grid->RowCount(), 6);
    auto press = [&](const QString& folder) {
        box->Grid->SetCurrentCell(scName, rowOfFolder(*box, folder));
        box->SetFKeyCaptions();
        return box->CopyPaste();
    };
    auto kindOf = [&](const QString& folder) {
        companydata::TDataInfomationRec rec;
        info.ReadIni(folder, rec);
        return int(rec.GassanKbn);
    };

    // A child area: the database file alone.
    const QString childDatabase = targetChild + QStringLiteral("/qmacc.fdb");
    QFile::remove(childDatabase);
    ASSERT_EQ(press(a), 1);
    EXPECT_EQ(press(targetChild), 1) << messageText().toStdString();
    EXPECT_TRUE(QFileInfo::exists(childDatabase));
    EXPECT_FALSE(QFileInfo::exists(targetChild + QStringLiteral("/memo.txt")));
    EXPECT_EQ(kindOf(targetChild), 10);
    EXPECT_TRUE(QFileInfo::exists(targetChild2 + QStringLiteral("/memo.txt")));

    // A consolidation parent: its children are the source's afterwards.
    ASSERT_EQ(press(source), 1);
    EXPECT_EQ(press(target), 1) << messageText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(targetChild2));
    QFile copied(target + QStringLiteral("/c01/memo.txt"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("source child"));
    EXPECT_EQ(rows(QStringLiteral("SELECT PASNAME FROM CHILD_SERVERDATALIST WHERE PASNAME LIKE '%1/%' ORDER BY PASNAME")
                       .arg(target)),
              QStringList{targetChild});
    EXPECT_EQ(rowOfFolder(*box, targetChild2), -1);
    EXPECT_EQ(rowOfFolder(*box, targetChild), rowOfFolder(*box, target) + 1);
    EXPECT_EQ(kindOf(target), 1);
    // The source keeps its child.
    EXPECT_TRUE(QFileInfo::exists(sourceChild + QStringLiteral("/memo.txt")));
    EXPECT_EQ(rowOfFolder(*box, sourceChild), rowOfFolder(*box, source) + 1);
}

// A broken target is pasted over after one confirmation and no comparison (a copy's name of 40
// bytes in 22 characters is stored whole); a source with fewer journal entries than the target
// asks for agreement, and without it nothing changes.
TEST_F(ServerSentakuListTest, PasteOverABrokenAreaAndOverMoreJournalEntries)
{
    const QString a = area(QStringLiteral("sv0001"), 1);
    const QString broken = area(QStringLiteral("sv0002"), 1);
    const QString more = area(QStringLiteral("sv0003"), 1);
    companydata::TDataInfomation info;
    info.SetDataStatus(broken, companydata::kDataBroken);
    companydata::TDataInfomationRec sourceInfo;
    info.ReadIni(a, sourceInfo);
    info.WriteIniValue(more, companydata::kSectionDataInfo, false, sourceInfo.TotalSiwake + 5, QStringLiteral("TOTALSIWAKE"));
    // A name of 40 bytes in 22 characters: the copy's name is the same and is stored whole.
    const QString longName = QString(18, QChar(u'あ')) + QStringLiteral("1234");
    info.WriteIniValue(a, companydata::kSectionDataInfo, false, longName, QStringLiteral("DATALISTNAME"));
    auto box = open();
    ASSERT_EQ(box->Grid->RowCount(), 3);
    auto press = [&](const QString& folder) {
        box->Grid->SetCurrentCell(scName, rowOfFolder(*box, folder));
        box->SetFKeyCaptions();
        return box->CopyPaste();
    };
    auto read = [&](const QString& folder) {
        companydata::TDataInfomationRec rec;
        info.ReadIni(folder, rec);
        return rec;
    };

    ASSERT_EQ(press(a), 1);
    EXPECT_EQ(press(broken), 1) << messageText().toStdString();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("このデータは破損データのため、データ間の照合チェックは行わずにコピーを行います。")});
    EXPECT_TRUE(details.isEmpty());
    EXPECT_EQ(read(broken).Status, companydata::kDataNormal);
    EXPECT_EQ(read(broken).DataListName, longName);
    EXPECT_EQ(rows(QStringLiteral("SELECT ENTTEXT FROM SERVERDATALIST WHERE PASNAME='%1'").arg(broken)), QStringList{longName});

    detailAnswer = core::mrCancel;
    ASSERT_EQ(press(a), 1);
    EXPECT_EQ(press(more), 0);
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details.first().AgreeCaption, QStringLiteral("データ貼り付け処理の続行に同意します。"));
    EXPECT_EQ(read(more).TotalSiwake, sourceInfo.TotalSiwake + 5);
    EXPECT_EQ(read(a).Status, companydata::kDataNormal);

    detailAnswer = core::mrOk;
    ASSERT_EQ(press(a), 1);
    EXPECT_EQ(press(more), 1);
    EXPECT_EQ(details.size(), 2);
    EXPECT_EQ(read(more).TotalSiwake, sourceInfo.TotalSiwake);
}
