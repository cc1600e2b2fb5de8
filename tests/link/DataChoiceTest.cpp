// The data choice of the wizard on copies of the ordinary sample: the launch of the data
// selection (a test hook stands in for "VxDataSenkaku" and makes a folder current as the
// module does), the checks with their retry question, the fallback to the data set in use, the
// cloud-share calls and the order of the close at shutdown.

#include "tests/link/ExportSampleFixture.h"

#include "controls/dialogs/Message2Info.h"
#include "core/db/IBSQL.h"
#include "core/dm/DataSetMarks.h"
#include "link/app/DataChoice.h"
#include "link/export/ComDataExport.h"
#include "schema/SchemaScripts.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/FakeServices.h"
#include "core/net/NetSettings.h"

#include <QDir>
#include <QFile>

#include <deque>

namespace {

using taxlink::TDataChoice;

class TestExport : public taxreturn::TComDataExport {
public:
    TestExport() : taxreturn::TComDataExport(0, QString())
    {
        DataTypeFilter = 1;
        DataVerMajor = QStringLiteral("15");
        RequiredVersion = QStringLiteral("15.0.0");
    }
    void SetDataNode(taxreturn::TXmlSaveDoc&) override {}
};

const QString kRetry = QStringLiteral("データ選択画面を開き、別のデータを選択しますか？");

TEST(DataChoiceParams, LinesByDataTypeFilter)
{
    QTemporaryDir dir;
    platformtest::ScopedEnv common{"TAXLINK_COMMON_APPDATA", dir.filePath("common").toLocal8Bit()};
    platformtest::ScopedEnv registry{"TAXLINK_REGISTRY", dir.filePath("registry.ini").toLocal8Bit()};
    TestExport exporter;
    TDataChoice choice(nullptr, exporter);
    const struct {
        int filter;
        const char* lines;
    } cases[] = {
        {1, "SyoriType=3\rJyokenSet=1\rDataType=-13\rCodeType=0\rDataVerMajor=15"},
        {2, "SyoriType=3\rJyokenSet=1\rDataType=2\rCodeType=0\rDataVerMajor=15"},
        {0, "SyoriType=3\rJyokenSet=1\rDataVerMajor=15"},
    };
    for (const auto& c : cases) {
        exporter.DataTypeFilter = c.filter;
        EXPECT_EQ(choice.SelectionParams(), QString::fromUtf8(c.lines)) << c.filter;
    }
}

// A communication form that answers from a script and notes whether the company database was
// open while it was asked.
class RecordingTusin : public communication::TfmDataTusin {
public:
    RecordingTusin(QStringList& events, int answer) : events_(events), answer_(answer) {}
    int CloudShareReceive(const QString&, int, int) override { return note(QStringLiteral("receive")); }
    int CloudShareSend(const QString&, const QString&, int) override { return note(QStringLiteral("send")); }

private:
    int note(const QString& what)
    {
        events_ << QStringLiteral("%1 open=%2").arg(what).arg(core::DM->IBDatabaseDAT.connected());
        return answer_;
    }
    QStringList& events_;
    int answer_;
};

// Records the marks of the data module's open and close.
class RecordingMarks : public core::DataSetMarks {
public:
    explicit RecordingMarks(QStringList& events) : events_(events) {}
    void MarkInUse(const QString&, bool) override {}
    void MarkClosed(const QString&, bool writeInfoFile, bool updateList) override
    {
        events_ << QStringLiteral("closed info=%1 list=%2").arg(writeInfoFile).arg(updateList);
    }

private:
    QStringList& events_;
};

class DataChoiceTest : public exporttest::ExportSampleTest {
protected:
    void SetUp() override
    {
        exporttest::ExportSampleTest::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.DataFolder.clear();
        core::SystemDef.DataListFolder.clear();
        core::SystemDef.JobLevel = 9; // the sample's operator is an administrator
        core::SystemDef.AutoShare = 0;
        core::SystemDef.DataBroken = 0;
        core::SystemDef.DataCheck = 0;
        core::AppKind = 0;
        core::EditionFlag = 0;
        core::LaunchModuleHook = [this](const QString& name, int modal, const QString& params) {
            launches << QStringLiteral("%1 %2 %3").arg(name).arg(modal).arg(params);
            if (steps.empty())
                return 2; // cancelled, leaving the session as it is
            const auto [folder, result] = steps.front();
            steps.pop_front();
            if (result == 1) { // what the module leaves behind for a chosen row
                core::SystemDef.DataFolder = folder;
                core::SystemDef.DataListFolder = folder;
            }
            return result;
        };
        choice.ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info;
            if (answers.empty())
                return int(core::mrCancel);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
        choice.DataTusinFactory = [this](QWidget*) {
            ++tusinMade;
            return std::make_unique<RecordingTusin>(events, tusinAnswer);
        };
    }
    void TearDown() override
    {
        choice.CloseData();
        core::LaunchModuleHook = nullptr;
        core::EditionFlag = savedEdition;
        exporttest::ExportSampleTest::TearDown();
    }

    // A copy of the ordinary sample in its own folder, changed by the statements given.
    QString dataSet(const QString& name, const QStringList& statements = {})
    {
        const QString folder = work.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(QFile::copy(root().root->dataFolder(exporttest::kOrdinarySample) + QStringLiteral("/qmacc.fdb"),
                                folder + QStringLiteral("/qmacc.fdb")));
        if (!statements.isEmpty()) {
            const std::unique_ptr<core::TIBDatabase> db =
                schema::openDatabase(schema::DbAccount{}, folder + QStringLiteral("/qmacc.fdb"));
            core::TIBTransaction t;
            t.addDatabase(db.get());
            t.startTransaction();
            for (const QString& sql : statements) {
                core::TIBSQL q(db.get(), &t);
                q.sql() << sql;
                q.execSQL();
            }
            t.commit();
        }
        return folder;
    }
    static QStringList versionSql(const char* major, const char* minor)
    {
        return {QStringLiteral("UPDATE ACCVERSION SET MAJOR=%1,MINOR1=%2,MINOR2=0 WHERE REC=1")
                    .arg(QLatin1String(major), QLatin1String(minor))};
    }
    bool companyOpen() const { return dm.IBDatabaseDAT.connected(); }

    quint8 savedEdition = core::EditionFlag;
    std::deque<std::pair<QString, int>> steps; // what the selection does at each launch
    QStringList launches;
    QList<controls::TMessage2InfoRec> boxes;
    std::deque<int> answers;
    QStringList events;
    int tusinAnswer = communication::kTusinDone;
    int tusinMade = 0;
    platformtest::ScopedEnv common{"TAXLINK_COMMON_APPDATA", work.filePath("common").toLocal8Bit()};
    platformtest::ScopedEnv registry{"TAXLINK_REGISTRY", work.filePath("registry.ini").toLocal8Bit()};
    TestExport exporter;
    TDataChoice choice{nullptr, exporter};
};

TEST_F(DataChoiceTest, ChoiceShowsFourLinesAndCancelKeepsTheDataSet)
{
    const QString folder = dataSet(QStringLiteral("a"));
    steps = {{folder, 1}};
    ASSERT_TRUE(choice.ConnectChosenData(3, true)) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(launches, QStringList{QStringLiteral("VxDataSenkaku 1 ") + choice.SelectionParams()});
    EXPECT_TRUE(choice.DataConnected);
    EXPECT_TRUE(companyOpen());
    EXPECT_EQ(choice.LastDataFolder, folder);
    EXPECT_EQ(core::SystemDef.DataBaseVersion, QStringLiteral("15.0.0"));
    const QStringList lines = choice.DataInfoLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("データ区分=法人"));
    EXPECT_EQ(lines[1], QStringLiteral("会社名=株式会社みなと商事"));
    EXPECT_EQ(lines[2], QStringLiteral("会計年度=15期"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("会計期間=2024/04/01"))) << lines[3].toStdString();

    // The selection is cancelled and leaves no folder current: the data set in use comes back,
    // connected and checked again.
    core::SystemDef.DataFolder.clear();
    steps = {{QString(), 2}};
    EXPECT_TRUE(choice.ConnectChosenData(3, true));
    EXPECT_EQ(core::SystemDef.DataFolder, folder);
    EXPECT_TRUE(choice.DataConnected);
    EXPECT_TRUE(companyOpen());
    EXPECT_EQ(core::SystemDef.DataBaseVersion, QStringLiteral("15.0.0"));
    EXPECT_EQ(choice.DataInfoLines().size(), 4);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(DataChoiceTest, RefusedDataSetAsksAgainAndNoLeavesNoData)
{
    const struct {
        const char* name;
        QStringList sql;
        bool noDatabase;
        int jobLevel;
        QStringList lines;
    } cases[] = {
        {"nodb", {}, true, 9, {QStringLiteral("データの接続に失敗しました。")}},
        {"v14", versionSql("14", "2"), false, 9,
         {QStringLiteral("このプログラムで処理できるデータバージョンに達していません。"),
          QStringLiteral("データバージョン:15.0.0以降のデータを選択して下さい。")}},
        {"rights", {}, false, 0, {QStringLiteral("このデータを扱う権限がありません。")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TDataChoice fresh(nullptr, exporter);
        fresh.ShowBox2 = choice.ShowBox2;
        boxes.clear();
        core::SystemDef.JobLevel = c.jobLevel;
        const QString folder = c.noDatabase ? work.filePath(QString::fromLatin1(c.name)) : dataSet(QString::fromLatin1(c.name), c.sql);
        QDir().mkpath(folder);
        steps = {{folder, 1}};
        EXPECT_FALSE(fresh.ConnectChosenData(3, true));
        EXPECT_FALSE(fresh.DataConnected);
        EXPECT_FALSE(companyOpen());
        EXPECT_TRUE(fresh.LastDataFolder.isEmpty());
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].Kind, 3);
        QStringList shown;
        for (const auto& line : boxes[0].Lines)
            if (!line.Text.isEmpty())
                shown << line.Text;
        EXPECT_EQ(shown, c.lines + QStringList{kRetry});
    }
}

// A refused data set is never the one to fall back to: after "yes" and a cancelled selection
// the data set that passed its checks comes back.
TEST_F(DataChoiceTest, CancelAfterRefusalFallsBackToTheLastGoodDataSet)
{
    const QString good = dataSet(QStringLiteral("good"));
    const QString old = dataSet(QStringLiteral("old"), versionSql("14", "0"));
    steps = {{good, 1}};
    ASSERT_TRUE(choice.ConnectChosenData(3, true));

    steps = {{old, 1}, {QString(), 2}};
    answers = {core::mrOk};
    EXPECT_TRUE(choice.ConnectChosenData(3, true));
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(core::SystemDef.DataFolder, good);
    EXPECT_EQ(choice.LastDataFolder, good);
    EXPECT_TRUE(choice.DataConnected);
    EXPECT_EQ(core::SystemDef.DataBaseVersion, QStringLiteral("15.0.0"));
}

TEST_F(DataChoiceTest, DataSetWithoutCloudLineNeverMakesTheCommunicationForm)
{
    steps = {{dataSet(QStringLiteral("local")), 1}};
    ASSERT_TRUE(choice.ConnectChosenData(3, true));
    EXPECT_EQ(choice.CloseAndSendBack(), 1);
    choice.DataConnected = true;
    choice.CloseForShutdown();
    EXPECT_EQ(tusinMade, 0);
    EXPECT_TRUE(choice.DataTusin.isNull());
}

TEST_F(DataChoiceTest, ShutdownSendsTheCloudDataSetOnlyAfterTheDatabaseIsClosed)
{
    RecordingMarks marks(events);
    struct Scoped {
        core::DataSetMarks* previous;
        ~Scoped() { core::setDataSetMarks(previous); }
    } scoped{core::setDataSetMarks(&marks)};

    steps = {{dataSet(QStringLiteral("cloud"), {QStringLiteral("UPDATE ACCDEF1 SET CLOUD_LINE=5")}), 1}};
    ASSERT_TRUE(choice.ConnectChosenData(3, true));
    ASSERT_EQ(core::AccInf.CLOUD_LINE, 5);
    EXPECT_TRUE(events.contains(QStringLiteral("receive open=0"))) << events.join(u'|').toStdString();
    ASSERT_TRUE(companyOpen());

    events.clear();
    choice.CloseForShutdown();
    EXPECT_EQ(events, (QStringList{QStringLiteral("closed info=1 list=1"), QStringLiteral("send open=0")}));
    EXPECT_FALSE(choice.DataConnected);
    EXPECT_FALSE(companyOpen());
    EXPECT_EQ(tusinMade, 1);

    // A transfer that was not done is reported with the codes of each direction.
    auto* tusin = new RecordingTusin(events, communication::kTusinNotDone);
    delete choice.DataTusin.data();
    choice.DataTusin = tusin;
    EXPECT_EQ(choice.FetchAndReceive(), -922);
    EXPECT_EQ(choice.CloseAndSendBack(), -921);
}

// The close-time send and the start-up receive with the real communication form against the
// fake relay and FTP services: the send uploads the data set to its line, the next receive finds
// it up to date and only checks the line out.
TEST_F(DataChoiceTest, CloudShareSyncEndToEnd)
{
    testsupport::FakeServices fake;
    core::net::SetNetSettings(fake.Settings());
    core::SystemDef.WorkDir = work.filePath(QStringLiteral("comwork"));
    core::SystemDef.TempDir = work.filePath(QStringLiteral("comtemp"));
    QDir().mkpath(core::SystemDef.WorkDir);
    QDir().mkpath(core::SystemDef.TempDir);
    const QString folder = dataSet(QStringLiteral("e2e"),
                                   {QStringLiteral("UPDATE ACCDEF1 SET WEB_HOLDER='ID1', PASWORD='pw1', CLOUD_LINE=5")});
    core::SystemDef.DataFolder = folder;
    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 0));
    ASSERT_TRUE(dm.fnGetAccInfo());
    ASSERT_EQ(core::AccInf.CLOUD_LINE, 5);
    choice.DataTusin = new communication::TfmDataTusin();
    static_cast<communication::TfmDataTusin*>(choice.DataTusin.data())->Control().StepPauseMs = 0;

    EXPECT_EQ(choice.CloseAndSendBack(), 1) << messages.texts().join(u'\n').toStdString();
    QStringList codes;
    for (const QString& line : fake.LoggedRequests())
        codes << line.mid(QStringLiteral("GET /request.php?Scode=").size(), 4);
    EXPECT_TRUE(codes.contains(QStringLiteral("1823"))) << codes.join(u',').toStdString();

    ASSERT_TRUE(dm.fnAccDatConnected(QString(), folder, 0));
    ASSERT_TRUE(dm.fnGetAccInfo());
    EXPECT_EQ(choice.FetchAndReceive(), 1) << messages.texts().join(u'\n').toStdString();
    const QStringList after = fake.LoggedRequests();
    EXPECT_TRUE(after.last().contains(QStringLiteral("Scode=1833"))) << after.join(u',').toStdString();
}

} // namespace
