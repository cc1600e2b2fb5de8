// The screen-value store: the screen key rule (40 bytes, never half a double-byte character),
// the trimmed and cut value, update instead of a second row, and the disabled store.
#include "DmTestSupport.h"

#include "core/settings/GamenKeyValue.h"
#include "core/text/SjisText.h"
#include "schema/SchemaScripts.h"
#include "tests/support/RecordingMessageService.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::SystemDef;
using core::TGamenKeyValue;

TEST(GamenKeyValueKeyTest, ScreenKeyIsUpperCasedAndCutAt40Bytes) {
    struct Case {
        QString screen;
        QString key;
    };
    const QString a36(36, u'a');
    const QString A36(36, u'A');
    const Case cases[] = {
        {QStringLiteral("TfmDataSentaku"), QStringLiteral("020-TFMDATASENTAKU")},
        // Only single-byte letters are upper-cased.
        {QStringLiteral("Form１ｂ画面ａ"), QStringLiteral("020-FORM１ｂ画面ａ")},
        {a36, QStringLiteral("020-") + A36},                         // exactly 40 bytes
        {a36 + QStringLiteral("xyz"), QStringLiteral("020-") + A36}, // longer: its first 40 bytes
        // "あ" would take bytes 40 and 41: its first half becomes a blank, which the trim removes.
        {QString(35, u'b') + QStringLiteral("あい"), QStringLiteral("020-") + QString(35, u'B')},
        {QString(34, u'b') + QStringLiteral("あい"), QStringLiteral("020-") + QString(34, u'B') + QStringLiteral("あ")},
        {QStringLiteral(" name "), QStringLiteral("020- NAME")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.toStdString());
        TGamenKeyValue store;
        store.SetGamenName(c.screen);
        EXPECT_EQ(store.StyleName, c.key);
        EXPECT_LE(core::SjisBytes(store.StyleName).size(), 40);
    }
}

// One system database for the suite; each test keeps to an operator code of its own.
class GamenKeyValueTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        try {
            QDir().mkpath(dir_->filePath(QStringLiteral("data")));
            const QString file = dir_->filePath(QStringLiteral("data/qmaccdef.fdb"));
            auto db = schema::createSchemaDatabase(schema::DbAccount{}, file, schema::DatabaseKind::System);
            schema::finishDatabase(std::move(db), schema::DbAccount{}, file);
        } catch (const std::exception& e) {
            setupError_ = QString::fromUtf8(e.what());
        }
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        SystemDef.USER = QStringLiteral("TALLEK");
        SystemDef.PASSWORD = QStringLiteral("vorbin");
        SystemDef.SYSDIR = dir_->filePath(QStringLiteral("data"));
        SystemDef.LogDir = work.path();
        SystemDef.ProgramRoot = work.path();
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
    }

    // Rows of the operator, "STYLENAME|colours…|SSTR", read on a connection of its own.
    QStringList rowsOf(int opCode) {
        const std::unique_ptr<core::TIBDatabase> db =
            schema::openDatabase(schema::DbAccount{}, dir_->filePath(QStringLiteral("data/qmaccdef.fdb")));
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << QStringLiteral("SELECT STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,LINECOLOR4,LINECOLOR5,NETCOLOR1,"
                                  "NETCOLOR2,SSTR FROM STYLECOLOR WHERE OPCODE=%1 ORDER BY STYLENAME")
                       .arg(opCode);
        QStringList out;
        for (q.execQuery(); !q.eof(); q.next()) {
            QStringList cols;
            for (int i = 0; i < q.fieldCount(); ++i)
                cols << q.fields(i).asString();
            out << cols.join(u'|');
        }
        return out;
    }

    TGamenKeyValue storeFor(int opCode) {
        SystemDef.OPCODE = opCode;
        return TGamenKeyValue();
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline QString setupError_;

    dmtest::ScopedSession session;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    core::TDM dm;
};

TEST_F(GamenKeyValueTest, SavesAndRestoresPerOperatorAndScreen) {
    TGamenKeyValue store = storeFor(100010);
    EXPECT_EQ(store.OpCode, 100010);
    EXPECT_EQ(store.KeyPrefix, QStringLiteral("020-"));

    QString text = QStringLiteral("untouched");
    store.FukugenValue(QStringLiteral("TfmSearch"), text); // nothing saved yet
    EXPECT_EQ(text, QStringLiteral("untouched"));

    store.HozonValue(QStringLiteral("TfmSearch"), QStringLiteral("　KIND=1\r\nNAME=山田 "));
    EXPECT_EQ(store.Value, QStringLiteral("KIND=1\r\nNAME=山田"));
    store.HozonValue(QStringLiteral("TfmSearch"), QStringLiteral("KIND=2")); // updates the row
    // A screen name whose key reaches the 40-byte cut in the middle of "あ".
    const QString longScreen = QString(35, u'f') + QStringLiteral("あ画面");
    store.HozonValue(longScreen, QStringLiteral("long"));
    const QString noColours = QStringLiteral("|-1|-1|-1|-1|-1|-1|-1|");
    EXPECT_EQ(rowsOf(100010), (QStringList{QStringLiteral("020-") + QString(35, u'F') + noColours + QStringLiteral("long"),
                                           QStringLiteral("020-TFMSEARCH") + noColours + QStringLiteral("KIND=2")}));

    TGamenKeyValue other = storeFor(100010);
    other.Value = QStringLiteral("stale");
    other.FukugenValue(QStringLiteral("tfmsearch"), text);
    EXPECT_EQ(text, QStringLiteral("KIND=2"));
    EXPECT_TRUE(other.Value.isEmpty());
    other.FukugenValue(longScreen, text);
    EXPECT_EQ(text, QStringLiteral("long"));

    // Another operator has values of its own.
    TGamenKeyValue someoneElse = storeFor(100011);
    text = QStringLiteral("mine");
    someoneElse.FukugenValue(QStringLiteral("TfmSearch"), text);
    EXPECT_EQ(text, QStringLiteral("mine"));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(GamenKeyValueTest, ValueIsCutTo1024Bytes) {
    TGamenKeyValue store = storeFor(100020);
    // 1,023 single bytes and then "漢": the character would straddle the cut and is dropped.
    store.HozonValue(QStringLiteral("TfmLong"), QString(1023, u'x') + QStringLiteral("漢字"));
    EXPECT_EQ(store.Value, QString(1023, u'x'));
    store.HozonValue(QStringLiteral("TfmWide"), QString(600, u'漢'));
    EXPECT_EQ(store.Value, QString(512, u'漢'));
    QString text;
    store.FukugenValue(QStringLiteral("TfmWide"), text);
    EXPECT_EQ(text, QString(512, u'漢'));
    store.FukugenValue(QStringLiteral("TfmLong"), text);
    EXPECT_EQ(text, QString(1023, u'x'));
    // A screen name of more than 36 bytes gives a key of the full 40 bytes.
    store.HozonValue(QString(50, u'k'), QStringLiteral("k"));
    EXPECT_EQ(store.StyleName.size(), 40);
    text.clear();
    store.FukugenValue(QString(60, u'k'), text);
    EXPECT_EQ(text, QStringLiteral("k"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(GamenKeyValueTest, NothingWithoutOperatorOrScreenName) {
    TGamenKeyValue store = storeFor(0);
    store.HozonValue(QStringLiteral("TfmSearch"), QStringLiteral("x"));
    EXPECT_TRUE(store.Value.isEmpty());
    EXPECT_TRUE(store.StyleName.isEmpty());
    QString text = QStringLiteral("kept");
    store.FukugenValue(QStringLiteral("TfmSearch"), text);
    EXPECT_EQ(text, QStringLiteral("kept"));
    EXPECT_TRUE(rowsOf(0).isEmpty());

    TGamenKeyValue named = storeFor(100030);
    named.HozonValue(QString(), QStringLiteral("x"));
    EXPECT_TRUE(rowsOf(100030).isEmpty());
}

TEST_F(GamenKeyValueTest, FailuresReportedOnlyInOwnTransaction) {
    TGamenKeyValue store = storeFor(100040);
    store.HozonValue(QStringLiteral("TfmSearch"), QStringLiteral("①")); // refused by the database layer
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("画面値の保存に失敗しました。")));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    messages.messages.clear();
    dm.IBTransactionDEF.startTransaction();
    store.HozonValue(QStringLiteral("TfmSearch"), QStringLiteral("①")); // dropped silently
    store.HozonValue(QStringLiteral("TfmOther"), QStringLiteral("ok"));  // inside the caller's transaction
    EXPECT_TRUE(dm.IBTransactionDEF.inTransaction());
    dm.IBTransactionDEF.commit();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(rowsOf(100040), QStringList{QStringLiteral("020-TFMOTHER|-1|-1|-1|-1|-1|-1|-1|ok")});

    core::DM->IBDatabaseDEF.close(); // a read that cannot run
    QString text;
    store.FukugenValue(QStringLiteral("TfmOther"), text);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("前回の画面値の取得に失敗しました。")));
}

} // namespace
