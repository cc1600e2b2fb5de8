// The query factory and the typed settings stores of the company database (ACCREG,
// ACCREG_BLOB_BINARY, MSD_HOUKOKU), on a company database made by the schema tool.
#include "DmTestSupport.h"

#include "core/Currency.h"
#include "core/Exception.h"
#include "core/settings/AccReg.h"
#include "core/settings/AccRegBlob.h"
#include "core/settings/MsdHoukoku.h"
#include "core/settings/QueryFactory.h"
#include "core/settings/SettingTypes.h"
#include "platform/Cp932.h"
#include "schema/ForcedWrites.h"
#include "schema/SchemaScripts.h"
#include "schema/ScriptRunner.h"
#include "tests/support/RecordingMessageService.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::Currency;
using core::SystemDef;

// One company database for the whole suite, with the schema's settings tables (the whole
// company schema takes seconds to build); every test works in groups of its own.
class SettingsStoreTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new QTemporaryDir;
        ASSERT_TRUE(root->isValid());
        ASSERT_TRUE(QDir().mkpath(root->filePath(QStringLiteral("0001"))));
        const QString file = root->filePath(QStringLiteral("0001/qmacc.fdb"));
        core::TIBDatabase db;
        schema::configure(db, {}, file);
        db.createDatabase();
        db.close();
        schema::setForcedWrites({}, file, false);
        db.open();
        for (const QString& script :
             {QStringLiteral("company/010-domains.sql"), QStringLiteral("company/020-tables-settings.sql")})
            schema::runScript(db, script, schema::readScript(QStringLiteral(":/schema/") + script));
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }

    void SetUp() override {
        SystemDef.USER = QStringLiteral("TALLEK");
        SystemDef.PASSWORD = QStringLiteral("vorbin");
        SystemDef.WorkDir = work.path();
        core::ConnectMode = 0;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), root->filePath(QStringLiteral("0001")), 0))
            << messages.texts().join(u'\n').toStdString();
    }

    // A value as stored, read on a connection of its own.
    QString stored(const QString& sql) {
        core::TIBDatabase other;
        other.setDatabaseName(dm.IBDatabaseDAT.databaseName());
        other.params() = dm.IBDatabaseDAT.params();
        other.open();
        core::TIBTransaction t;
        t.addDatabase(&other);
        t.startTransaction();
        core::TIBSQL q(&other, &t);
        q.sql() << sql;
        q.execQuery();
        return q.eof()                ? QStringLiteral("<no row>")
               : q.fields(0).isNull() ? QStringLiteral("<null>")
                                      : q.fields(0).asString();
    }
    QString storedAccReg(const QString& group, const QString& key, const QString& column = QStringLiteral("ATEXT")) {
        return stored(QStringLiteral("SELECT %1 FROM ACCREG WHERE AGROUP='%2' AND ACODE='%3'").arg(column, group, key));
    }

    static QTemporaryDir* root;
    dmtest::ScopedSession session;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;
};

QTemporaryDir* SettingsStoreTest::root = nullptr;

TEST_F(SettingsStoreTest, FactoryBindsByExactName) {
    struct Case {
        QString name;
        bool snapshot;
        core::TIBDatabase* database;
        core::TIBTransaction* transaction;
    };
    const Case cases[] = {
        {QStringLiteral("ACCDEF"), true, &dm.IBDatabaseDEF, &dm.IBTransactionDEF},
        {QStringLiteral("accdef"), false, &dm.IBDatabaseDAT, &dm.IBTransactionDAT},
        {QStringLiteral("ACCDAT"), false, &dm.IBDatabaseDAT, &dm.IBTransactionDAT},
        {QStringLiteral("ACCDAT"), true, &dm.IBDatabaseDAT, &dm.IBTransactionDATSS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const std::unique_ptr<core::TIBQuery> q = core::CreateIBQuery(c.name, c.snapshot);
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q->database(), c.database);
        EXPECT_EQ(q->transaction(), c.transaction);
        EXPECT_TRUE(q->sql().isEmpty());
        const std::unique_ptr<core::TIBSQL> s = core::CreateIBSQL(c.name, c.snapshot ? 1 : 0);
        EXPECT_EQ(s->transaction(), c.transaction);
    }
    EXPECT_EQ(core::CreateIBSQL(QStringLiteral("ACCDAT"), 2)->transaction(), &dm.IBTransactionDAT);
    core::DM = nullptr;
    EXPECT_EQ(core::CreateIBQuery(QStringLiteral("ACCDAT"), false), nullptr);
}

TEST_F(SettingsStoreTest, TypesRoundTrip) {
    const QString g = QStringLiteral("型テスト");
    struct Case {
        QString type;
        QVariant value;
        QString text; // as stored
    };
    const Case cases[] = {
        {QStringLiteral("文字"), QStringLiteral("ソ表ポ|\\"), QStringLiteral("ソ表ポ|\\")},
        {QStringLiteral("論理"), true, QStringLiteral("TRUE")},
        {QStringLiteral("論理"), false, QStringLiteral("FALSE")},
        {QStringLiteral("日付"), QDate(2024, 2, 29), QStringLiteral("2024/02/29")},
        {QStringLiteral("整数"), -123456, QStringLiteral("-123456")},
        {QStringLiteral("金額"), QVariant::fromValue(Currency::fromRaw(-12345678901)), QStringLiteral("-1234567.8901")},
        {QStringLiteral("実数"), 0.1, QStringLiteral("0.1")},
        {QStringLiteral("実数"), -1.25e-7, QStringLiteral("-1.25e-07")},
        {QStringLiteral("日時"), QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58)),
         QStringLiteral("2023/12/31 23:59:58")},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString key = QStringLiteral("項目%1").arg(++n);
        SCOPED_TRACE(c.type.toStdString() + " " + key.toStdString());
        core::funcPutAccReg(g, key, c.type, c.value);
        EXPECT_EQ(storedAccReg(g, key), c.text);
        EXPECT_EQ(storedAccReg(g, key, QStringLiteral("ATYPE")), c.type);
        const QVariant read = core::funcGetAccReg(g, key, c.type, QStringLiteral("unused"));
        if (c.value.metaType() == QMetaType::fromType<Currency>())
            EXPECT_EQ(read.value<Currency>(), c.value.value<Currency>());
        else
            EXPECT_EQ(read, c.value);
    }
}

TEST_F(SettingsStoreTest, MissingRowsAreInsertedWithTheDefaultAndEmptyTextsReadAsABlank) {
    const QString g = QStringLiteral("既定値");
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("論理"), QStringLiteral("論理"), QStringLiteral("TRUE")),
              QVariant(true));
    EXPECT_EQ(storedAccReg(g, QStringLiteral("論理")), QStringLiteral("TRUE"));
    core::funcPutAccReg(g, QStringLiteral("論理"), QStringLiteral("論理"), false);
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("論理"), QStringLiteral("論理"), QStringLiteral("TRUE")),
              QVariant(false));

    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("空"), QStringLiteral("文字"), QString()),
              QVariant(QStringLiteral(" ")));
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("空"), QStringLiteral("整数"), QString()), QVariant(0));
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("空"), QStringLiteral("金額"), QString()).value<Currency>(),
              Currency{});
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("空"), QStringLiteral("日付"), QString()), QVariant(QDate()));

    // A bad stored text reads as 0 or false; an unknown reading type as "Data Type Error",
    // its default row still inserted.
    core::funcPutAccReg(g, QStringLiteral("壊れ"), QStringLiteral("文字"), QStringLiteral("abc"));
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("壊れ"), QStringLiteral("整数"), QString()), QVariant(0));
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("壊れ"), QStringLiteral("日時"), QString()), QVariant(QDateTime()));
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("未知"), QStringLiteral("色"), QStringLiteral("赤")),
              QVariant(QStringLiteral("Data Type Error")));
    EXPECT_EQ(storedAccReg(g, QStringLiteral("未知"), QStringLiteral("ATYPE")), QStringLiteral("色"));

    core::funcDeleteAccReg(g, QStringLiteral("論理"));
    core::funcDeleteAccReg(g, QStringLiteral("論理")); // none left: no error
    EXPECT_EQ(storedAccReg(g, QStringLiteral("論理")), QStringLiteral("<no row>"));
}

TEST_F(SettingsStoreTest, WritesKeepTheFirstTypeStoreTheZeroDateEmptyAndRefuseUnknownTypes) {
    const QString g = QStringLiteral("書込");
    core::funcPutAccReg(g, QStringLiteral("日"), QStringLiteral("日付"), QDate(2020, 1, 2));
    core::funcPutAccReg(g, QStringLiteral("日"), QStringLiteral("文字"), QStringLiteral("メモ"));
    EXPECT_EQ(storedAccReg(g, QStringLiteral("日"), QStringLiteral("ATYPE")), QStringLiteral("日付"));
    EXPECT_EQ(storedAccReg(g, QStringLiteral("日")), QStringLiteral("メモ"));

    for (const QVariant& zero : {QVariant(QDate()), QVariant(QDate(1899, 12, 30))}) {
        core::funcPutAccReg(g, QStringLiteral("日"), QStringLiteral("日付"), zero);
        EXPECT_EQ(storedAccReg(g, QStringLiteral("日")), QString());
        EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("日"), QStringLiteral("日付"), QString()), QVariant(QDate()));
    }

    core::funcPutAccReg(g, QStringLiteral("値"), QStringLiteral("整数"), 5);
    EXPECT_THROW(core::funcPutAccReg(g, QStringLiteral("値"), QStringLiteral("色"), 7), core::Exception);
    EXPECT_THROW(core::funcPutAccReg(g, QStringLiteral("新"), QStringLiteral("実数 "), 1.5), core::Exception);
    EXPECT_EQ(storedAccReg(g, QStringLiteral("値")), QStringLiteral("5"));
    EXPECT_EQ(storedAccReg(g, QStringLiteral("新")), QStringLiteral("<no row>"));
}

TEST_F(SettingsStoreTest, ACallersTransactionStaysOpenAndOwnsTheWork) {
    const QString g = QStringLiteral("取引");
    dm.IBTransactionDAT.startTransaction();
    core::funcPutAccReg(g, QStringLiteral("a"), QStringLiteral("整数"), 1);
    EXPECT_EQ(core::funcGetAccReg(g, QStringLiteral("b"), QStringLiteral("文字"), QStringLiteral("x")),
              QVariant(QStringLiteral("x")));
    EXPECT_EQ(core::funcGetMsdHoukoku(g, QStringLiteral("c"), QStringLiteral("整数"), QStringLiteral("3")),
              QVariant(3));
    core::funcPutAccRegBlob(g, QStringLiteral("d"), QStringLiteral("メモ"), QStringLiteral("memo"));
    core::funcDeleteAccReg(g, QStringLiteral("a"));
    core::funcPutAccReg(g, QStringLiteral("a"), QStringLiteral("整数"), 2);
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction());
    EXPECT_EQ(storedAccReg(g, QStringLiteral("a")), QStringLiteral("<no row>"));
    dm.IBTransactionDAT.rollback();
    EXPECT_EQ(storedAccReg(g, QStringLiteral("b")), QStringLiteral("<no row>"));
    EXPECT_EQ(stored(QStringLiteral("SELECT COUNT(*) FROM MSD_HOUKOKU WHERE MDGROUP='取引'")), QStringLiteral("0"));

    // Without one, each call commits its own.
    core::funcPutAccReg(g, QStringLiteral("a"), QStringLiteral("整数"), 4);
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    EXPECT_EQ(storedAccReg(g, QStringLiteral("a")), QStringLiteral("4"));

    // A failing write rolls back only what it started.
    dm.IBTransactionDAT.startTransaction();
    core::funcPutAccReg(g, QStringLiteral("e"), QStringLiteral("整数"), 5);
    EXPECT_THROW(core::funcPutAccReg(g, QStringLiteral("f"), QStringLiteral("文字"), QStringLiteral("①")),
                 std::exception);
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction());
    dm.IBTransactionDAT.commit();
    EXPECT_EQ(storedAccReg(g, QStringLiteral("e")), QStringLiteral("5"));
}

TEST_F(SettingsStoreTest, MemosAndPictures) {
    const QString g = QStringLiteral("画像メモ");
    EXPECT_FALSE(core::funcGetAccRegBlob(g, QStringLiteral("無い")).isValid());

    core::funcPutAccRegBlob(g, QStringLiteral("メモ"), QStringLiteral("メモ"), QStringLiteral("abc"));
    EXPECT_EQ(core::funcGetAccRegBlob(g, QStringLiteral("メモ")), QVariant(QStringLiteral("abc\r\n")));
    core::funcPutAccRegBlob(g, QStringLiteral("メモ"), QStringLiteral("メモ"), QStringLiteral("一行目\n表示ソ\r\n"));
    EXPECT_EQ(core::funcGetAccRegBlob(g, QStringLiteral("メモ")), QVariant(QStringLiteral("一行目\r\n表示ソ\r\n")));

    const QByteArray picture("BM\x00\x01\x5c\x7c\xff", 7);
    const QString source = work.filePath(QStringLiteral("source.bin"));
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(picture);
    file.close();
    struct Case {
        QString type;
        QString extension;
    };
    for (const Case& c :
         {Case{QStringLiteral("画像"), QStringLiteral(".bmp")}, Case{QStringLiteral("BMP"), QStringLiteral(".bmp")},
          Case{QStringLiteral("JPG"), QStringLiteral(".jpg")}}) {
        SCOPED_TRACE(c.type.toStdString());
        core::funcPutAccRegBlob(g, QStringLiteral("絵"), c.type, source);
        const QString first = core::funcGetAccRegBlob(g, QStringLiteral("絵")).toString();
        const QString second = core::funcGetAccRegBlob(g, QStringLiteral("絵")).toString();
        EXPECT_NE(first, second); // two files within one second stay apart
        for (const QString& name : {first, second}) {
            const QFileInfo info(name);
            EXPECT_EQ(info.absolutePath(), QFileInfo(work.path()).absoluteFilePath());
            EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("accreg-"))) << name.toStdString();
            EXPECT_TRUE(info.fileName().endsWith(c.extension)) << name.toStdString();
            QFile copy(name);
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            EXPECT_EQ(copy.readAll(), picture);
        }
    }

    // A memo row switched to a picture type and back keeps the type last written.
    core::funcPutAccRegBlob(g, QStringLiteral("絵"), QStringLiteral("メモ"), QStringLiteral("x"));
    EXPECT_EQ(core::funcGetAccRegBlob(g, QStringLiteral("絵")), QVariant(QStringLiteral("x\r\n")));

    EXPECT_THROW(core::funcPutAccRegBlob(g, QStringLiteral("絵"), QStringLiteral("PNG"), source), core::Exception);
    EXPECT_THROW(
        core::funcPutAccRegBlob(g, QStringLiteral("絵"), QStringLiteral("画像"), work.filePath(QStringLiteral("none"))),
        core::Exception);
    EXPECT_EQ(core::funcGetAccRegBlob(g, QStringLiteral("絵")), QVariant(QStringLiteral("x\r\n")));
}

TEST_F(SettingsStoreTest, MedicalReportSettingsAndQuestions) {
    const QString g = QStringLiteral("報告");
    EXPECT_EQ(core::funcGetMsdHoukoku(g, QStringLiteral("日"), QStringLiteral("日付"), QStringLiteral("2024/04/01")),
              QVariant(QDate(2024, 4, 1)));
    EXPECT_EQ(core::funcGetMsdHoukoku(g, QStringLiteral("額"), QStringLiteral("金額"), QStringLiteral("12.5"))
                  .value<Currency>(),
              Currency::fromRaw(125000));
    EXPECT_EQ(core::funcGetMsdHoukoku(g, QStringLiteral("空"), QStringLiteral("文字"), QString()),
              QVariant(QStringLiteral(" ")));
    for (const QString& type : {QStringLiteral("実数"), QStringLiteral("日時")})
        EXPECT_EQ(core::funcGetMsdHoukoku(g, type, type, QStringLiteral("1")),
                  QVariant(QStringLiteral("Data Type Error")));
    EXPECT_EQ(stored(QStringLiteral(
                  "SELECT MDTYPE || '/' || MDTEXT1 FROM MSD_HOUKOKU WHERE MDGROUP='報告' AND MDCODE='日時'")),
              QStringLiteral("日時/1"));

    auto put = [&](const QString& key, const QString& value) {
        core::TransactionScope scope(dm.IBTransactionDAT);
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << QStringLiteral("UPDATE OR INSERT INTO MSD_HOUKOKU(MDGROUP,MDCODE,MDTYPE,MDTEXT1) "
                                  "VALUES('法人概要',:MDCODE,'文字',:MDTEXT1) MATCHING (MDGROUP,MDCODE)");
        q.paramByName(QStringLiteral("MDCODE")).setString(key);
        q.paramByName(QStringLiteral("MDTEXT1")).setString(value);
        q.execSQL();
        scope.commit();
    };
    EXPECT_FALSE(core::IsFoundationOrSpecialMedicalCorp());
    EXPECT_FALSE(core::HasMedicalCorpFund());
    EXPECT_EQ(stored(QStringLiteral("SELECT MDTEXT1 FROM MSD_HOUKOKU WHERE MDGROUP='法人概要' AND MDCODE='基金'")),
              QStringLiteral("無"));
    struct Case {
        QString zaidan, iryou;
        bool special;
    };
    const Case cases[] = {{QStringLiteral("財団"), QString(), true},
                          {QStringLiteral("社団"), QStringLiteral("社会"), true},
                          {QStringLiteral("社団"), QStringLiteral("特定"), true},
                          {QStringLiteral("社団"), QStringLiteral("一般"), false}};
    for (const Case& c : cases) {
        put(QStringLiteral("財団社団"), c.zaidan);
        put(QStringLiteral("医療法人"), c.iryou);
        EXPECT_EQ(core::IsFoundationOrSpecialMedicalCorp(), c.special)
            << c.zaidan.toStdString() << c.iryou.toStdString();
    }
    put(QStringLiteral("基金"), QStringLiteral("有"));
    EXPECT_TRUE(core::HasMedicalCorpFund());
}

} // namespace
