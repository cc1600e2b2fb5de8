// The upgrade step tables and the version check: the tables themselves, the pending steps for
// version texts, and the version read from real system and company databases.

#include "dbupgrade/DbUpdateList.h"

#include "core/Globals.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace {

using dbupgrade::TArrayDbUpdateListRec;
using dbupgrade::TDbUpdateList;

QString versionOf(const dbupgrade::TDbUpdateListRec& step)
{
    return QString::asprintf("%d.%d.%d", step.Major, step.Minor1, step.Minor2);
}

QString versionOf(const core::TVersionTriple& v)
{
    return QString::asprintf("%d.%d.%d", v.Major, v.Minor1, v.Minor2);
}

QStringList versionsOf(const TArrayDbUpdateListRec& steps)
{
    QStringList out;
    for (const auto& step : steps)
        out << versionOf(step);
    return out;
}

const dbupgrade::StepTextContext kStandard{0, QStringLiteral(u"テスト財務")};
const dbupgrade::StepTextContext kPartner{1, QStringLiteral(u"テスト財務")};

TEST(DbUpdateStepsTest, TablesHoldEveryStepInOrderInBothEditions)
{
    const QStringList systemVersions = QStringLiteral(
        "0.3.1 0.3.2 0.3.3 1.0.1 3.0.0 3.0.5 3.0.7 4.0.0 4.0.2 5.0.0 7.0.0 7.0.4 8.0.0 8.0.2 9.0.4 10.0.4 11.0.1 12.0.0")
                                           .split(QLatin1Char(' '));
    const QStringList dataVersions =
        QStringLiteral("0.1.1 0.1.2 0.1.3 0.1.4 0.1.5 0.2.0 0.2.1 0.2.2 0.3.0 0.3.1 0.3.2 0.3.3 0.3.4 0.4.0 0.4.1 "
                       "1.0.0 1.0.1 1.0.2 1.0.3 1.0.5 2.0.0 2.0.4 3.0.0 3.0.1 3.0.3 3.0.4 3.0.6 3.0.7 4.0.0 4.0.2 "
                       "5.0.0 5.0.2 5.0.5 6.0.0 6.1.0 6.1.3 7.0.0 7.0.2 7.0.3 7.0.4 8.0.0 8.0.2 8.0.3 9.0.0 9.0.1 "
                       "9.0.2 9.0.3 9.0.4 9.0.5 10.0.0 10.0.1 10.0.3 10.0.4 10.0.5 11.0.0 11.0.1 11.1.0 12.0.0 "
                       "13.0.0 13.0.3 14.0.0 15.0.0")
            .split(QLatin1Char(' '));
    const QStringList systemWithBackup = QStringLiteral("0.3.1 4.0.0 4.0.2 5.0.0 8.0.0 8.0.2 9.0.4 10.0.4 11.0.1 12.0.0")
                                             .split(QLatin1Char(' '));
    const QStringList dataWithoutBackup = QStringLiteral("0.2.0 0.3.0 0.3.2 0.4.0").split(QLatin1Char(' '));

    for (const auto& context : {kStandard, kPartner}) {
        SCOPED_TRACE(int(context.editionFlag));
        const TDbUpdateList list(context);
        EXPECT_EQ(versionsOf(list.SystemSteps), systemVersions);
        EXPECT_EQ(versionsOf(list.DataSteps), dataVersions);
        for (const auto& step : list.SystemSteps) {
            EXPECT_FALSE(step.Title.isEmpty()) << versionOf(step).toStdString();
            EXPECT_FALSE(step.Description.isEmpty()) << versionOf(step).toStdString();
            EXPECT_EQ(step.BackupFlag, systemWithBackup.contains(versionOf(step)) ? 1 : 0) << versionOf(step).toStdString();
        }
        for (const auto& step : list.DataSteps) {
            EXPECT_FALSE(step.Title.isEmpty()) << versionOf(step).toStdString();
            EXPECT_FALSE(step.Description.isEmpty()) << versionOf(step).toStdString();
            EXPECT_EQ(step.BackupFlag, dataWithoutBackup.contains(versionOf(step)) ? 0 : 1) << versionOf(step).toStdString();
        }
    }
}

// Texts that depend on the edition or the product title, and texts whose exact bytes are
// easy to lose (trailing blank, closing CR, half-width numbering).
TEST(DbUpdateStepsTest, TextsFollowEditionAndProductTitle)
{
    const TDbUpdateList standard(kStandard);
    const TDbUpdateList partner(kPartner);
    const auto& sys = standard.SystemSteps;
    const auto& data = standard.DataSteps;

    EXPECT_EQ(sys[10].Title, QStringLiteral(u"テスト財務１５のデータ形式に変換"));
    EXPECT_EQ(sys[10].Description, QStringLiteral(u"１）テスト財務１５のデータ形式に変換する。"));
    EXPECT_EQ(partner.SystemSteps[10].Title, QStringLiteral(u"個別原価管理機能の追加"));
    EXPECT_EQ(sys[16].Description, QStringLiteral(u"１）新元号「令和」を追加しました。\r２）クラウドシェア機能を追加しました。"));
    for (int i : {15, 16, 17}) {
        EXPECT_EQ(partner.SystemSteps[size_t(i)].Title, QStringLiteral(u"機能強化および不具合修正"));
        EXPECT_EQ(partner.SystemSteps[size_t(i)].Description,
                  QStringLiteral(u"１）機能強化および不具合の修正（詳しくはＨＰで確認ください）"));
    }
    EXPECT_EQ(partner.SystemSteps[14].Title, sys[14].Title);

    EXPECT_EQ(data[0].Description,
              QStringLiteral(u"1)減価償却処理用のテーブルを作成します。\r2)３期比較経営分析用のプロシジャーを作成します。"));
    EXPECT_EQ(data[6].Title, QStringLiteral(u"過年度残高の修復 "));
    EXPECT_EQ(data[28].Title, QStringLiteral(u"テスト財務１２のデータ形式に変換"));
    EXPECT_EQ(data[28].Description,
              QStringLiteral(u"１）テスト財務１２のデータ形式に変換します。\r２）過年度残高集計処理を高速化します。"));
    EXPECT_EQ(data[30].Description, QStringLiteral(u"１）テスト財務１３のデータ形式に変換します。\r"));
    EXPECT_EQ(data[36].Description.count(QLatin1Char('\r')), 1);
    EXPECT_EQ(partner.DataSteps[36].Description.count(QLatin1Char('\r')), 2);
    EXPECT_EQ(partner.DataSteps[38].Title, QStringLiteral(u"消費税試算表の仕訳帳ジャンプ機能の仕様変更"));
    EXPECT_EQ(data[41].Title, QStringLiteral(u"予算管理機能強化"));
    EXPECT_EQ(partner.DataSteps[41].Title, QStringLiteral(u"不具合修正"));
    EXPECT_EQ(data[51].Description,
              QStringLiteral(u"１）医療法人用決算届の新様式に対応しました。\r２）取引明細ファイルのインポートのマッピング項目を強化しました。\r"));
    EXPECT_EQ(data[56].Title, QStringLiteral(u"１９ 消費税改正版のデータ形式に変換"));
    EXPECT_TRUE(data[55].Description.endsWith(QStringLiteral(u"。。")));
    for (size_t i = 42; i < 62; ++i)
        EXPECT_EQ(partner.DataSteps[i].Title, QStringLiteral(u"機能強化および不具合修正")) << i;
    // Steps before 8.0.3 keep their texts in the partner edition unless stated otherwise.
    EXPECT_EQ(partner.DataSteps[28].Title, data[28].Title);

    // The default object takes the edition and the product title of the running program.
    const quint8 savedEdition = core::EditionFlag;
    core::EditionFlag = 0;
    const TDbUpdateList current;
    core::EditionFlag = savedEdition;
    EXPECT_EQ(current.DataSteps[28].Title, core::AppInfo.AppTitle + QStringLiteral(u"１２のデータ形式に変換"));
}

struct VersionCase {
    quint8 kind;
    const char* text;
    const char* current;
    qint32 compatibility;
    qint32 firstIndex;
    int rows;
    qint32 backupCount;
    const char* firstCaption;
};

TEST(DbUpdateListTest, PendingStepsForVersionTexts)
{
    const VersionCase cases[] = {
        {1, "15.0.0", "15.0.0", 1, -1, 0, 0, ""},
        {1, "14.0.0", "14.0.0", 1, 61, 1, 1, "15.0.0"},
        {1, "15.0.1", "15.0.1", 2, -1, 0, 0, ""},
        {1, "15.1.0", "15.1.0", 0, -1, 0, 0, ""},
        {1, "16.0.0", "16.0.0", 0, -1, 0, 0, ""},
        {1, "0.1.0", "0.1.0", 1, 0, 62, 58, "0.1.1"},
        {1, "0.2.0.5", "0.0.0", 1, 0, 62, 58, "0.1.1"},
        {1, "15", "0.0.0", 1, 0, 62, 58, "0.1.1"},
        {1, "10.x.3", "10.0.3", 1, 52, 10, 10, "10.0.4"},
        {1, "11.0.2", "11.0.2", 1, 56, 6, 6, "11.1.0"}, // between two steps
        {1, "0.3.1", "0.3.1", 1, 10, 52, 50, "0.3.2"},
        {0, "11.0.1", "11.0.1", 1, 17, 1, 1, "12.0.0"},
        {0, "99.0.0", "99.0.0", 1, -1, 0, 0, ""},
        {0, "0.0.0", "0.0.0", 1, 0, 18, 10, "0.3.1"},
    };
    TDbUpdateList list(kStandard);
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " " << c.text);
        list.PrepareUpdateList(c.kind, QString::fromLatin1(c.text));
        EXPECT_EQ(versionOf(list.CurrentVersion), QString::fromLatin1(c.current));
        EXPECT_EQ(versionOf(list.ProgramVersion), c.kind == 0 ? QStringLiteral("12.0.0") : QStringLiteral("15.0.0"));
        EXPECT_EQ(list.CurrentSteps, c.kind == 0 ? &list.SystemSteps : &list.DataSteps);
        EXPECT_EQ(list.Compatibility, c.compatibility);
        EXPECT_EQ(list.FirstIndex, c.firstIndex);
        EXPECT_EQ(list.UpdatePending, c.firstIndex != -1);
        EXPECT_EQ(list.LastIndex, c.firstIndex == -1 ? -1 : (c.kind == 0 ? 17 : 61));
        EXPECT_EQ(list.Rows.size(), c.rows);
        EXPECT_EQ(list.BackupCount, c.backupCount);
        EXPECT_EQ(list.CancelVisible, c.kind == 1);
        if (c.rows > 0) {
            EXPECT_EQ(list.Rows.first().Caption, QString::fromLatin1(c.firstCaption));
            EXPECT_EQ(list.Rows.first().Title, (*list.CurrentSteps)[size_t(c.firstIndex)].Title);
            EXPECT_TRUE(list.Rows.first().Status.isEmpty());
            EXPECT_EQ(list.SelectedRow, 0);
            EXPECT_EQ(list.SelectedDescription(), (*list.CurrentSteps)[size_t(c.firstIndex)].Description);
        } else {
            EXPECT_EQ(list.SelectedRow, -1);
        }
    }
}

// One object serves many rows: a call with nothing pending must not keep the rows listed for
// the database before.
TEST(DbUpdateListTest, NothingPendingClearsTheRowsOfTheCallBefore)
{
    TDbUpdateList list(kStandard);
    list.PrepareUpdateList(1, QStringLiteral("13.0.3"));
    ASSERT_EQ(list.Rows.size(), 2);
    list.UpdateSucceeded = true;
    list.PrepareUpdateList(1, QStringLiteral("15.0.0"));
    EXPECT_TRUE(list.Rows.isEmpty());
    EXPECT_FALSE(list.UpdateSucceeded);
    EXPECT_TRUE(list.SelectedDescription().isEmpty());
}

TEST(DbUpdateListTest, DialogTextsOfEachKind)
{
    TDbUpdateList list(kStandard);
    list.PrepareUpdateList(0, QStringLiteral("12.0.0"));
    EXPECT_EQ(list.HeadLine, QStringLiteral(u"システムデータの更新を行います。"));
    EXPECT_EQ(list.WarningLines, (QStringList{QString(), QString()}));
    EXPECT_FALSE(list.AgreementVisible);
    list.PrepareUpdateList(1, QStringLiteral("15.0.0"));
    EXPECT_EQ(list.HeadLine, QStringLiteral(u"会計データの更新を行います。"));
    EXPECT_EQ(list.WarningLines.value(1), QStringLiteral(u"必ずバックアップを取得後に実行することを強く推奨します。"));
    EXPECT_TRUE(list.AgreementVisible);
    ASSERT_EQ(list.Columns.size(), 3);
    EXPECT_EQ(list.Columns[1].Caption, QStringLiteral(u"説明"));
    EXPECT_EQ(list.Columns[1].Width, 280);
}

// The version read from real databases on the embedded engine.
class DbUpdateVersionReadTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        system_ = schema::createSchemaDatabase(schema::DbAccount{}, dir_->filePath(QStringLiteral("qmaccdef.fdb")),
                                               schema::DatabaseKind::System);
    }
    static void TearDownTestSuite()
    {
        system_.reset();
        dir_.reset();
    }

    static void run(core::TIBDatabase& db, const QStringList& statements)
    {
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(&db);
            t.startTransaction();
            core::TIBSQL q(&db, &t);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execQuery();
            t.commit();
        }
    }

    std::unique_ptr<core::TIBDatabase> createPlain(const QString& file)
    {
        auto db = std::make_unique<core::TIBDatabase>();
        schema::configure(*db, schema::DbAccount{}, dir_->filePath(file));
        db->setSQLDialect(3);
        db->setLoginPrompt(false);
        db->createDatabase();
        return db;
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<core::TIBDatabase> system_;
    testsupport::RecordingMessageService messages_;
    testsupport::ScopedMessageService scoped_{messages_};
};

TEST_F(DbUpdateVersionReadTest, SystemVersionTableDecidesThePendingSteps)
{
    TDbUpdateList list(kStandard);
    list.SystemDatabase = system_.get();

    // Rows 0.3.1 to 11.0.1 in the order steps write them; the newest row counts.
    run(*system_, {QStringLiteral("DELETE FROM VERSION")});
    QStringList inserts;
    for (const auto& step : list.SystemSteps)
        if (step.Major < 12)
            inserts << QStringLiteral("INSERT INTO VERSION (MAJOR, MINOR1, MINOR2) VALUES (%1, %2, %3)")
                           .arg(step.Major)
                           .arg(step.Minor1)
                           .arg(step.Minor2);
    run(*system_, inserts);
    list.PrepareUpdateList(0, QString());
    EXPECT_EQ(versionOf(list.CurrentVersion), QStringLiteral("11.0.1"));
    EXPECT_EQ(list.FirstIndex, 17);
    ASSERT_EQ(list.Rows.size(), 1);
    EXPECT_EQ(list.Rows[0].Caption, QStringLiteral("12.0.0"));

    run(*system_, {QStringLiteral("DELETE FROM VERSION")});
    list.PrepareUpdateList(0, QString());
    EXPECT_EQ(versionOf(list.CurrentVersion), QStringLiteral("0.0.0"));
    EXPECT_EQ(list.Rows.size(), 18);
    EXPECT_EQ(list.Compatibility, 1);
    EXPECT_TRUE(messages_.messages.isEmpty());
}

TEST_F(DbUpdateVersionReadTest, CompanyVersionIsReadFromAccVersion)
{
    auto company = createPlain(QStringLiteral("company.fdb"));
    run(*company, {QStringLiteral("CREATE TABLE ACCVERSION (REC INTEGER NOT NULL PRIMARY KEY, MAJOR INTEGER, "
                                  "MINOR1 INTEGER, MINOR2 INTEGER, MEMO VARCHAR(512))"),
                   QStringLiteral("INSERT INTO ACCVERSION VALUES (1, 14, 0, 0, '')")});
    TDbUpdateList list(kStandard);
    list.CompanyDatabase = company.get();
    list.PrepareUpdateList(1, QString());
    EXPECT_EQ(versionOf(list.CurrentVersion), QStringLiteral("14.0.0"));
    EXPECT_EQ(list.FirstIndex, 61);
    EXPECT_EQ(list.BackupCount, 1);
    EXPECT_TRUE(messages_.messages.isEmpty());
}

TEST_F(DbUpdateVersionReadTest, ReadErrorIsReportedAndCountsAsVersionZero)
{
    const bool savedFatal = core::FatalDbError;
    core::FatalDbError = false;
    auto empty = createPlain(QStringLiteral("empty.fdb")); // no VERSION table
    TDbUpdateList list(kStandard);
    list.SystemDatabase = empty.get();
    list.CurrentVersion = {9, 9, 9};
    list.PrepareUpdateList(0, QString());
    EXPECT_EQ(versionOf(list.CurrentVersion), QStringLiteral("0.0.0"));
    EXPECT_EQ(list.Rows.size(), 18);
    ASSERT_EQ(messages_.messages.size(), 1);
    EXPECT_TRUE(messages_.messages[0].text.contains(QStringLiteral(u"データベースバージョンの取得に失敗しました。")));

    // A closed database takes the same path.
    empty->close();
    list.PrepareUpdateList(0, QString());
    EXPECT_EQ(versionOf(list.CurrentVersion), QStringLiteral("0.0.0"));
    EXPECT_EQ(messages_.messages.size(), 2);
    core::FatalDbError = savedFatal;
}

} // namespace
