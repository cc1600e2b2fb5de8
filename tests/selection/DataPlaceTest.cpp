// The data places: the first filling of DATAPLACEMAN, the dialog's naming, renaming, removing
// and ordering stored at once, and the lookups the data selection asks.
#include "selection/DataPlaceBox.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/grid/TxGrid.h"
#include "tests/companydata/RegistryTestFixture.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace selection;

namespace {

TDataPlaceList places(std::initializer_list<std::pair<int, const char16_t*>> recs) {
    TDataPlaceList list;
    for (const auto& [rec, name] : recs) {
        TDataPlaceRec place;
        place.REC = rec;
        place.ORDERKBN = int(list.size()) + 1;
        place.NAME = QString::fromUtf16(name);
        list << place;
    }
    return list;
}

TEST(DataPlaceRules, KeyCaptionsByRow) {
    const TDataPlaceList list = places({{0, u"標準の場所"}, {1, u""}, {2, u"支社"}, {3, u"  "}});
    struct Case {
        int row;
        const char16_t *f2, *f3, *f5;
        bool up, down;
    };
    const Case cases[] = {
        {0, u"F2:", u"F3:名称変更", u"F5:", false, true},      // place 0 is never removed
        {1, u"F2:新規作成", u"F3:", u"F5:", true, true},       // unnamed: new only
        {2, u"F2:", u"F3:名称変更", u"F5:削除", true, true},
        {3, u"F2:新規作成", u"F3:", u"F5:", true, false},      // blanks are no name
        {-1, u"F2:", u"F3:", u"F5:", false, false},
    };
    for (const Case& c : cases) {
        const TDataPlaceKeys keys = DataPlaceKeyCaptions(list, c.row);
        EXPECT_EQ(keys.F2, QString::fromUtf16(c.f2)) << c.row;
        EXPECT_EQ(keys.F3, QString::fromUtf16(c.f3)) << c.row;
        EXPECT_EQ(keys.F5, QString::fromUtf16(c.f5)) << c.row;
        EXPECT_EQ(keys.UpEnabled, c.up) << c.row;
        EXPECT_EQ(keys.DownEnabled, c.down) << c.row;
    }
}

TEST(DataPlaceRules, MovingSwapsTheOrderOfBothPlacesOnly) {
    TDataPlaceList list = places({{0, u"a"}, {1, u"b"}, {2, u"c"}});
    EXPECT_FALSE(MoveDataPlace(list, 0, -1));
    EXPECT_FALSE(MoveDataPlace(list, 2, +1));
    for (const TDataPlaceRec& p : list)
        EXPECT_EQ(p.ChangeKind, kPlaceUnchanged);

    ASSERT_TRUE(MoveDataPlace(list, 1, +1));
    EXPECT_EQ(list[1].REC, 2);
    EXPECT_EQ(list[1].ORDERKBN, 2);
    EXPECT_EQ(list[1].ChangeKind, kPlaceChanged);
    EXPECT_EQ(list[2].REC, 1);
    EXPECT_EQ(list[2].ORDERKBN, 3);
    EXPECT_EQ(list[2].ChangeKind, kPlaceChanged);
    EXPECT_EQ(list[0].ChangeKind, kPlaceUnchanged);

    TDataPlaceList single = places({{0, u"a"}});
    EXPECT_FALSE(MoveDataPlace(single, 0, +1));
}

TEST(DataPlaceRules, StandardPlaceNameIsThePathUpToFortyBytes) {
    const QString forty = QStringLiteral("/") + QString(39, u'x');
    EXPECT_EQ(StandardPlaceName(forty), forty);
    EXPECT_EQ(StandardPlaceName(forty + u'x'), QStringLiteral("標準の場所"));
    // Bytes, not characters: 20 double-byte characters are 40 bytes.
    EXPECT_EQ(StandardPlaceName(QString(20, u'デ')), QString(20, u'デ'));
    EXPECT_EQ(StandardPlaceName(QString(20, u'デ') + u'a'), QStringLiteral("標準の場所"));
}

class DataPlaceDbTest : public registrytest::RegistryTest<DataPlaceDbTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    void SetUp() override {
        RegistryTest::SetUp();
        core::AppInfo.DataListCnt = 3;
        core::SystemDef.SYSDIR = work.filePath(QStringLiteral("sys"));
        run({QStringLiteral("DELETE FROM DATAPLACEMAN")});
        box.DirExists = [](const QString& path) { return QDir(path).exists(); };
        box.MakeDir = [this](const QString& path) {
            made << path;
            return QDir().mkpath(path);
        };
        box.AskName = [this](const QString& caption, const QString&, const QString&, QString& value) {
            askedCaptions << caption;
            if (names.isEmpty())
                return false;
            value = names.takeFirst();
            return true;
        };
    }

    void selectRec(int rec) {
        box.PerfectGrid1->SetCurrentCell(1, box.IndexOfPlaceRec(rec));
        box.SetFKeyCaptions();
    }

    QStringList names;
    QStringList askedCaptions;
    QStringList made;
    core::TAppInfoRec appInfo_ = core::AppInfo;
    TDataPlaceBox box;

    void TearDown() override {
        core::AppInfo = appInfo_;
        RegistryTest::TearDown();
    }
};

TEST_F(DataPlaceDbTest, EmptyTableIsFilledWithOneHundredPlaces) {
    TDataPlaceList list;
    ASSERT_TRUE(ReadDataPlaces(dm, false, list));
    ASSERT_EQ(list.size(), 100);
    const QString sysDir = core::SystemDef.SYSDIR;
    EXPECT_EQ(list[0].REC, 0);
    EXPECT_EQ(list[0].NAME, StandardPlaceName(sysDir));
    EXPECT_EQ(list[0].PATH, sysDir);
    EXPECT_EQ(list[7].REC, 7);
    EXPECT_EQ(list[7].ORDERKBN, 8);
    EXPECT_EQ(list[7].PATH, sysDir + QStringLiteral("07"));
    EXPECT_TRUE(list[7].NAME.isEmpty());
    EXPECT_EQ(list[99].PATH, sysDir + QStringLiteral("99"));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM DATAPLACEMAN")), QStringList{QStringLiteral("100")});

    // Only the named ones, and a second read does not fill again.
    ASSERT_TRUE(ReadDataPlaces(dm, true, list));
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM DATAPLACEMAN")), QStringList{QStringLiteral("100")});
}

TEST_F(DataPlaceDbTest, NamingRenamingAndLookupsRoundTrip) {
    core::SystemDef.ServerDataPlace = 3;
    box.Prepare(1);
    EXPECT_EQ(box.PerfectGrid1->Row(), 3);
    EXPECT_EQ(box.F2->CaptionA().Caption(), QStringLiteral("F2:新規作成"));
    EXPECT_EQ(box.F3->CaptionA().Caption(), QStringLiteral("F3:"));

    names = {QStringLiteral("　本社 ")};
    box.F2Click();
    EXPECT_EQ(askedCaptions, QStringList{QStringLiteral("新規作成")});
    EXPECT_EQ(made, QStringList{core::SystemDef.SYSDIR + QStringLiteral("03")});
    EXPECT_EQ(box.PerfectGrid1->Cells(1, 3), QStringLiteral("本社"));
    EXPECT_EQ(box.F3->CaptionA().Caption(), QStringLiteral("F3:名称変更"));
    EXPECT_EQ(box.F5->CaptionA().Caption(), QStringLiteral("F5:削除"));
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=3")), QStringList{QStringLiteral("本社")});
    // The server procedure prepared the place's registry rows.
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3")), QStringList{QStringLiteral("3")});

    // F2 is now the bare key and does nothing; a blank rename is refused.
    box.F2Click();
    names = {QStringLiteral("  ")};
    box.F3Click();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("名称が入力されていません。")});
    names = {QStringLiteral("本店")};
    box.F3Click();
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=3")), QStringList{QStringLiteral("本店")});

    // The lookups of the data selection, on the named places.
    EXPECT_EQ(box.GetPlaceNames(), StandardPlaceName(core::SystemDef.SYSDIR) + u'\r' + QStringLiteral("本店\r"));
    EXPECT_EQ(box.IndexOfPlaceRec(3), 1);
    EXPECT_EQ(box.GetPlaceRec(1), 3);
    EXPECT_EQ(box.GetPlacePath(1), core::SystemDef.SYSDIR + QStringLiteral("03"));
    EXPECT_EQ(box.GetPlacePathByRec(3), core::SystemDef.SYSDIR + QStringLiteral("03"));
    EXPECT_EQ(box.IndexOfPlaceRec(4), -1); // unnamed
    EXPECT_EQ(box.GetPlacePathByRec(4), QString());
    for (const int outside : {-1, 2}) {
        EXPECT_EQ(box.GetPlaceRec(outside), -1);
        EXPECT_EQ(box.GetPlacePath(outside), QString());
    }
}

TEST_F(DataPlaceDbTest, ExistingFolderIsReportedAndNamingGoesOn) {
    box.Prepare(1);
    QDir().mkpath(core::SystemDef.SYSDIR + QStringLiteral("05"));
    selectRec(5);
    names = {QStringLiteral("既存")};
    box.F2Click();
    EXPECT_TRUE(made.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("既にデータサーバーにフォルダが作成されています。")});
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=5")), QStringList{QStringLiteral("既存")});

    // A folder that cannot be made stops the naming.
    box.MakeDir = [](const QString&) { return false; };
    selectRec(6);
    names = {QStringLiteral("失敗")};
    box.F2Click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("データサーバーへフォルダの作成に失敗しました。"));
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=6")), QStringList{QString()});
}

TEST_F(DataPlaceDbTest, RemovingRefusedWhileADataFolderExistsElseDeletesTheRegistryRows) {
    box.Prepare(1);
    selectRec(2);
    names = {QStringLiteral("支店")};
    box.F2Click();
    const QString used = core::SystemDef.SYSDIR + QStringLiteral("02/0002");
    run({QStringLiteral("UPDATE DATALIST_EX SET PASNAME='%1' WHERE DATAPLACEREC=2 AND REC=2").arg(used)});

    QDir().mkpath(used);
    box.F5Click();
    EXPECT_EQ(messages.texts().last(),
              QStringLiteral("このフォルダ配下には会計データが存在しているため削除することが出来ません。\r"
                             "どうしても削除を行いたい場合は、配下の会計データをすべて削除してから処理して下さい。"));
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=2")), QStringList{QStringLiteral("支店")});

    // Folders gone: confirmation, Cancel keeps it, OK removes the name and the registry rows.
    QDir(used).removeRecursively();
    messages.answers = {core::mrCancel, core::mrOk};
    box.F5Click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("[支店]を削除します。よろしいですか？"));
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=2")), QStringList{QStringLiteral("支店")});
    box.F5Click();
    EXPECT_EQ(rows(QStringLiteral("SELECT NAME FROM DATAPLACEMAN WHERE REC=2")), QStringList{QString()});
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=2")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(box.F5->CaptionA().Caption(), QStringLiteral("F5:"));

    // Place 0 offers no removal, and the handler ignores it.
    selectRec(0);
    EXPECT_EQ(box.F5->CaptionA().Caption(), QStringLiteral("F5:"));
}

TEST_F(DataPlaceDbTest, OrderButtonsStoreTheNewOrderAtOnce) {
    box.Prepare(1);
    selectRec(0);
    EXPECT_FALSE(box.F6->isEnabled());
    box.MoveUpClick(); // nothing from the first row
    box.MoveDownClick();
    EXPECT_EQ(box.PerfectGrid1->Row(), 1);
    EXPECT_EQ(box.PerfectGrid1->RowValue(1), 0);
    EXPECT_EQ(box.PerfectGrid1->Cells(0, 0), QStringLiteral("1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT REC, ORDERKBN FROM DATAPLACEMAN WHERE REC IN (0, 1) ORDER BY REC")),
              (QStringList{QStringLiteral("0 2"), QStringLiteral("1 1")}));
    TDataPlaceList list;
    ASSERT_TRUE(ReadDataPlaces(dm, false, list));
    EXPECT_EQ(list[0].REC, 1);
    EXPECT_EQ(list[1].REC, 0);

    box.PerfectGrid1->SetCurrentCell(1, 99);
    box.SetFKeyCaptions();
    EXPECT_FALSE(box.F7->isEnabled());
    box.MoveDownClick();
    EXPECT_EQ(box.PerfectGrid1->Row(), 99);
}

} // namespace
