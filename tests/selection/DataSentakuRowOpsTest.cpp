// New data through the new-data module, distributed-input children and the delete of the
// data-selection dialog in stand-alone mode, on copies of the suite's sample data set.

#include "tests/selection/DataSentakuOpsFixture.h"

#include "core/Globals.h"
#include "core/modules/IModuleForm.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace selection;
using namespace opstest;

namespace {

const QString kNoInterface = QStringLiteral("処理を起動するためのインターフェースが実装されていません。\r"
                                            "ライブラリのロードに失敗した可能性があります。");

// A new-data module for the tests: answers Answer, having made the data set from the sample
// when it answers 1.
class TestKihonWiz : public core::IModuleForm {
public:
    explicit TestKihonWiz(QWidget*) {}
    static inline int Answer = 1;
    static inline QString SampleFolder;
    static inline QStringList Params;

    void SetModuleParams(const QStringList& params) override { Params = params; }
    int RunModule(bool) override
    {
        if (Answer == 1) {
            const QString path = Params.filter(QStringLiteral("DataPath=")).value(0).mid(9);
            for (const QString& f : QDir(SampleFolder).entryList(QDir::Files))
                QFile::copy(SampleFolder + u'/' + f, path + u'/' + f);
        }
        return Answer;
    }
};

class DataSentakuRowOpsTest : public OpsTest<DataSentakuRowOpsTest> {
protected:
    void SetUp() override
    {
        OpsTest::SetUp();
        // The launch path of the program, on a registry of the test's own.
        core::LaunchModuleHook = [this](const QString& name, int modal, const QString& params) {
            std::unique_ptr<core::IModuleForm> form = modules.create(name, nullptr);
            if (!form) {
                core::showMessage(core::MessageKind::Error, kNoInterface, core::mbOK);
                return -1;
            }
            form->SetModuleParams(core::ModuleLaunchParams(params, modal != 0));
            return form->RunModule(modal != 0);
        };
    }
    void TearDown() override
    {
        core::LaunchModuleHook = nullptr;
        OpsTest::TearDown();
    }

    int registryRows(int rec) { return rows(QStringLiteral("SELECT COUNT(*) FROM DATALIST WHERE REC=%1").arg(rec)).value(0).toInt(); }

    core::TModuleRegistry modules;
};

} // namespace

TEST_F(DataSentakuRowOpsTest, NewDataThroughTheNewDataModule)
{
    TestKihonWiz::SampleFolder = root_->dataFolder(1);
    const QString target = work.filePath(QStringLiteral("new"));
    addRow(kTarget, QString(), target);

    // Not provided: the launch path's error, and the folder is as it was (none, or empty).
    for (bool existed : {false, true}) {
        if (existed)
            folder(QStringLiteral("new"));
        messages.messages.clear();
        auto box = open();
        box->Grid->SetRow(rowOf(*box, kTarget));
        EXPECT_EQ(box->NewData(), 0);
        EXPECT_EQ(messages.texts(), QStringList{kNoInterface});
        EXPECT_EQ(QFileInfo(target).isDir(), existed);
        EXPECT_FALSE(QFile::exists(target + QStringLiteral("/qmacc.ini")));
    }

    modules.registerForm(core::ModuleFormClass<TestKihonWiz>(), QStringLiteral("VxKihonWiz"));
    // Answer 2 (cancelled) removes the folder of the local row.
    TestKihonWiz::Answer = 2;
    auto box = open();
    box->Grid->SetRow(rowOf(*box, kTarget));
    EXPECT_EQ(box->NewData(), 0);
    EXPECT_FALSE(QFileInfo::exists(target));

    // Answer 1: the module made the data set, and the row shows it.
    TestKihonWiz::Answer = 1;
    box->Grid->SetRow(rowOf(*box, kTarget));
    EXPECT_EQ(box->NewData(), 1);
    EXPECT_TRUE(TestKihonWiz::Params.contains(QStringLiteral("DataPath=") + target));
    EXPECT_TRUE(TestKihonWiz::Params.contains(QStringLiteral("DataListRec=%1").arg(kTarget)));
    EXPECT_EQ(state(target), companydata::kDataNormal);
    EXPECT_EQ(rows(QStringLiteral("SELECT SHOUGOU FROM DATALIST WHERE REC=%1").arg(kTarget)).value(0),
              QStringLiteral("株式会社みなと商事"));
}

// A consolidated data set holds at most 99 children: with 98 the 99th is made after the
// question and the setting counts 99; with 99 the key is refused before the question.
TEST_F(DataSentakuRowOpsTest, DistributedChildrenUpToNinetyNine)
{
    constexpr int kParent = 5003;
    for (int existing : {98, 99}) {
        SCOPED_TRACE(existing);
        reset();
        const QString parent = consolidated(QStringLiteral("p%1").arg(existing), 0);
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,NENDO,GASSAN) "
                            "VALUES(%1,%2,'合算','合算','%3',0,1,1)")
                 .arg(kParent).arg(core::SystemDef.GROUPID).arg(parent)});
        QStringList children;
        for (int i = 1; i <= existing; ++i)
            children << QStringLiteral("INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,PASNAME,NETDRIVE,GASSAN) "
                                       "VALUES(%1,%2,%3,'分散','%4/%5',0,10)")
                            .arg(kParent).arg(i).arg(core::SystemDef.GROUPID).arg(parent)
                            .arg(i + 100, 3, 10, QLatin1Char('0'));
        run(children);
        messages.messages.clear();
        messages.answers = {core::mrYes};
        auto box = open();
        box->Grid->SetRow(rowOf(*box, kParent));
        box->AddBunsanData();
        if (existing == 98) {
            EXPECT_EQ(messages.texts().value(0), QStringLiteral("分散入力用のデータを追加します。\rよろしいですか？"));
            EXPECT_EQ(setting(parent), QStringLiteral("1,99"));
            EXPECT_TRUE(QFile::exists(parent + QStringLiteral("/001/qmacc.fdb")));
        } else {
            EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("これ以上の分散データの追加は行えません。(最大99件)\r")});
            EXPECT_EQ(setting(parent), QStringLiteral("1,0"));
            EXPECT_FALSE(QFileInfo::exists(parent + QStringLiteral("/001")));
        }
    }
}

TEST_F(DataSentakuRowOpsTest, DeleteTable)
{
    enum Setup { Plain, Current, Broken, SharedParent, CloudRow };
    struct Case {
        const char* name;
        Setup setup;
        int syoriType;
        int answer; // of the agree box
        QString box2;
        int agreeBoxes;
        bool deleted;
    } cases[] = {
        {"current data set", Current, 0, core::mrOk, QStringLiteral("このデータは前回起動データのため削除は行えません。"), 0, false},
        {"current data set in type 2", Current, 2, core::mrOk,
         QStringLiteral("このデータは現在選択中のデータのため削除は行えません。"), 0, false},
        {"broken row skips the checks", Broken, 0, core::mrOk, {}, 1, true},
        {"shared parent", SharedParent, 0, core::mrOk, QStringLiteral("共有データの削除は行えません。"), 0, false},
        {"cloud row", CloudRow, 0, core::mrOk, QStringLiteral("クラウドシェアデータのため削除処理は行えません。"), 0, false},
        {"agree box not ticked", Plain, 0, core::mrCancel, {}, 1, false},
        {"agreed", Plain, 0, core::mrOk, {}, 1, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        boxes.clear();
        details.clear();
        detailAnswer = c.answer;
        const QString path = copySample(QStringLiteral("d%1").arg(++n));
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,KYOYULOCK,NENDO,GASSAN) "
                            "VALUES(%1,%2,'消す','消す','%3',%4,1,1,0)")
                 .arg(kTarget).arg(core::SystemDef.GROUPID).arg(path).arg(c.setup == SharedParent ? 1 : 0)});
        core::SystemDef.DataFolder = c.setup == Current || c.setup == Broken ? path : QString();
        auto box = open(c.syoriType);
        const int row = rowOf(*box, kTarget);
        ASSERT_GE(row, 0);
        box->Grid->SetRow(row);
        const int index = box->Grid->CellInt(colParent, row);
        if (c.setup == Broken)
            box->List.Records[index].DataStatus = 1;
        if (c.setup == CloudRow) {
            box->List.CloudShareMode = true;
            box->List.Records[index].Cloud = 1;
        }
        box->DeleteData(true);
        EXPECT_EQ(boxes.value(0), c.box2);
        EXPECT_EQ(details.size(), c.agreeBoxes);
        if (c.agreeBoxes == 1) {
            EXPECT_EQ(details.first().Kind, 2);
            EXPECT_EQ(details.first().AgreeCaption, QStringLiteral("データの削除に同意します"));
        }
        // A shared parent's data folder is its working copy, which it does not have here.
        if (c.setup != SharedParent) {
            EXPECT_EQ(QFileInfo::exists(path), !c.deleted);
        }
        EXPECT_EQ(registryRows(kTarget), c.deleted ? 0 : 1);
    }
}

// A folder that cannot be removed completely keeps its registry row.
TEST_F(DataSentakuRowOpsTest, DeleteFailingMidwayKeepsTheRow)
{
    const QString path = copySample(QStringLiteral("stuck"));
    const QString kept = folder(QStringLiteral("stuck/zz")) + QStringLiteral("/keep");
    QFile(kept).open(QIODevice::WriteOnly);
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), kept}) != 0)
        GTEST_SKIP() << "the file system cannot make a file undeletable";
    struct Unlock {
        QString file;
        ~Unlock() { QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), file}); }
    } unlock{kept};
    addRow(kTarget, QStringLiteral("消す"), path);
    auto box = open();
    box->Grid->SetRow(rowOf(*box, kTarget));
    EXPECT_EQ(box->DeleteData(true), 0);
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("データの削除に失敗しました。\r")));
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(registryRows(kTarget), 1);
}

// Esc while a copy waits for its target drops it and gives the source its normal state back.
TEST_F(DataSentakuRowOpsTest, EscCancelsAPendingCopy)
{
    const QString source = copySample(QStringLiteral("esc"));
    addRow(kSource, kSampleName, source);
    auto box = open();
    box->Grid->SetRow(rowOf(*box, kSource));
    box->SetFKeyCaptions();
    box->Keys[fkF2]->click();
    ASSERT_TRUE(box->PastePending) << messageText().toStdString();
    EXPECT_EQ(state(source), companydata::kDataCopy);
    EXPECT_EQ(box->Keys[fkF2]->text(), QStringLiteral("F2:貼り付け"));
    box->ESCClick();
    EXPECT_FALSE(box->PastePending);
    EXPECT_EQ(state(source), companydata::kDataNormal);
    EXPECT_EQ(box->Keys[fkF2]->text(), QStringLiteral("F2:コピー"));
    EXPECT_EQ(box->result(), 0);
}

// Unassigning a fetched shared row removes its working copy, puts the share's status back to
// 1 and leaves an empty local row.
TEST_F(DataSentakuRowOpsTest, UnassignAFetchedSharedRow)
{
    constexpr int kShared = 5003;
    const QString share = copySample(QStringLiteral("share/a"));
    companydata::TDataInfomation info;
    info.DataPlace = 0;
    info.SetShareStatus(share, companydata::kShareTakenOut);
    const QString local = QDir(core::SystemDef.SYSDIR).filePath(QStringLiteral("5003"));
    QDir().mkpath(local);
    ASSERT_TRUE(QFile::copy(share + QStringLiteral("/qmacc.fdb"), local + QStringLiteral("/qmacc.fdb")));
    run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,KYOYULOCK,NENDO,GASSAN) "
                        "VALUES(%1,%2,'共有A','共有A','%3',1,1,1,0)")
             .arg(kShared).arg(core::SystemDef.GROUPID).arg(share)});
    auto box = open();
    box->Grid->SetRow(rowOf(*box, kShared));
    EXPECT_EQ(box->UnassignSharedData(), 1) << messageText().toStdString();
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details.first().Caption, QStringLiteral("共有データの割当解除"));
    EXPECT_FALSE(QFileInfo::exists(local));
    EXPECT_EQ(platform::TIniFile(companydata::TDataInfomation::IniFileName(share))
                  .ReadInteger(QStringLiteral("DATASTS"), QStringLiteral("SHARE_STATUS"), -1),
              companydata::kShareInPlace);
    EXPECT_EQ(rows(QStringLiteral("SELECT NETDRIVE,ENTTEXT,PASNAME FROM DATALIST WHERE REC=%1").arg(kShared)).value(0),
              QStringLiteral("0  ") + local);
    QDir(local).removeRecursively();
}

// A distributed child deleted in stand-alone mode: its folder and row go, and its parent's
// setting counts one child less.
TEST_F(DataSentakuRowOpsTest, DeletingAChildLowersItsParentsCount)
{
    const QString parent = consolidated(QStringLiteral("dp"), 2);
    addRow(kTarget, QStringLiteral("合算"), parent);
    auto box = open();
    int childRow = -1;
    for (int r = 0; r < box->Grid->RowCount() && childRow < 0; ++r)
        if (box->Grid->RowValue(r) == kTarget && box->List.GetRowRec(*box->Grid, r).RowNo == 1)
            childRow = r;
    ASSERT_GE(childRow, 0);
    ASSERT_EQ(childRows(kTarget), 2);
    box->Grid->SetRow(childRow);
    EXPECT_EQ(box->DeleteData(true), 1) << messageText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(parent + QStringLiteral("/001")));
    EXPECT_EQ(setting(parent), QStringLiteral("1,1"));
    EXPECT_EQ(childRows(kTarget), 1);
}
