#include "DbFixture.h"

#include "core/db/FbStatus.h"

#include <QDir>
#include <QFileInfo>

using core::EIBError;
using core::TIBDatabase;
using core::TIBSQL;
using core::TIBTransaction;
using dbtest::Engine;

class IBDatabaseTest : public dbtest::DbFixture {};

TEST_P(IBDatabaseTest, CreatesSjisDialect3DatabaseWith16KPages) {
    auto db = create();
    EXPECT_TRUE(db->connected());
    db->close();
    EXPECT_FALSE(db->connected());

    db->open();
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE")).trimmed(),
              QStringLiteral("SJIS_0208"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT MON$PAGE_SIZE FROM MON$DATABASE")), QStringLiteral("16384"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT MON$SQL_DIALECT FROM MON$DATABASE")), QStringLiteral("3"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT C.RDB$CHARACTER_SET_NAME FROM MON$ATTACHMENTS A "
                                         "JOIN RDB$CHARACTER_SETS C ON C.RDB$CHARACTER_SET_ID = A.MON$CHARACTER_SET_ID "
                                         "WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION"))
                  .trimmed(),
              QStringLiteral("SJIS_0208"));
}

TEST_P(IBDatabaseTest, OpensADatabaseInAFolderWithAJapaneseName) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("会計データ")));
    const QString file = QStringLiteral("会計データ/会社.fdb");
    create(file)->close();
    EXPECT_TRUE(QFileInfo::exists(path(file)));
    auto db = connect(file);
    EXPECT_TRUE(db->connected());
    db->dropDatabase();
    EXPECT_FALSE(db->connected());
    EXPECT_FALSE(QFileInfo::exists(path(file)));

    TIBDatabase missing;
    configure(missing, QStringLiteral("会計データ/無い.fdb"));
    try {
        missing.open();
        FAIL() << "opened a missing file";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), core::isc::io_error);
        EXPECT_TRUE(e.message().contains(QStringLiteral("会計データ/無い.fdb"))) << e.what();
    }
}

TEST_P(IBDatabaseTest, ConnectionFailuresCarryFirebirdCodes) {
    TIBDatabase missing;
    configure(missing, QStringLiteral("missing.fdb"));
    try {
        missing.open();
        FAIL() << "opened a missing file";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), core::isc::io_error);
        EXPECT_EQ(e.sqlCode(), -902);
        EXPECT_TRUE(e.message().contains(QStringLiteral("missing.fdb"))) << e.what();
    }
    EXPECT_FALSE(missing.connected());

    TIBDatabase badParam;
    configure(badParam, QStringLiteral("test.fdb"));
    badParam.params().append(QStringLiteral("no_such_param=1"));
    try {
        badParam.createDatabase();
        FAIL() << "accepted an unknown parameter";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), core::isc::bad_dpb_form);
        EXPECT_TRUE(e.message().contains(QStringLiteral("no_such_param"))) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("test.fdb"))));
}

TEST_P(IBDatabaseTest, StatementFailuresCarryGdsAndSqlCodes) {
    auto db = create();
    run(*db, {QStringLiteral("CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY)"),
              QStringLiteral("INSERT INTO T VALUES (1)")});
    const struct {
        const char* sql;
        long gds;
        int sqlCode;
    } cases[] = {
        {"SELEC * FROM T", 335544569, -104},                       // syntax error
        {"SELECT * FROM NO_SUCH_TABLE", 335544569, -204},          // unknown table
        {"INSERT INTO T VALUES (1)", 335544665, -803},             // primary key violation
        {"INSERT INTO T VALUES ('abc')", core::isc::convert_error, -413},
    };
    TIBTransaction t;
    t.addDatabase(db.get());
    t.startTransaction();
    for (const auto& c : cases) {
        TIBSQL q(db.get(), &t);
        q.sql().append(QString::fromLatin1(c.sql));
        try {
            q.execQuery();
            ADD_FAILURE() << c.sql << " succeeded";
        } catch (const EIBError& e) {
            EXPECT_EQ(e.ibErrorCode(), c.gds) << c.sql << ": " << e.what();
            EXPECT_EQ(e.sqlCode(), c.sqlCode) << c.sql << ": " << e.what();
            EXPECT_FALSE(e.message().isEmpty());
            EXPECT_FALSE(e.message().contains(QLatin1Char('\n')));
        }
    }
}

TEST_P(IBDatabaseTest, CloseEndsOpenWorkAndStatementsPrepareAgainAfterReopen) {
    auto db = create();
    run(*db, {QStringLiteral("CREATE TABLE T (ID INTEGER)"), QStringLiteral("INSERT INTO T VALUES (1)")});

    TIBTransaction t;
    t.addDatabase(db.get());
    t.startTransaction();
    TIBSQL insert(db.get(), &t);
    insert.sql().append(QStringLiteral("INSERT INTO T VALUES (2)"));
    insert.execSQL();
    TIBSQL select(db.get(), &t);
    select.sql().append(QStringLiteral("SELECT ID FROM T"));
    select.execQuery(); // cursor left open

    db->close(); // rolls back the insert, frees both statements
    EXPECT_FALSE(t.inTransaction());
    EXPECT_FALSE(select.prepared());

    db->open();
    t.startTransaction();
    select.execQuery();
    ASSERT_FALSE(select.eof());
    EXPECT_EQ(select.fieldByName(QStringLiteral("ID")).asInteger(), 1);
    select.next();
    EXPECT_TRUE(select.eof());
}

TEST_P(IBDatabaseTest, ObjectsMayBeDestroyedInAnyOrder) {
    auto t = std::make_unique<TIBTransaction>();
    auto q = std::make_unique<TIBSQL>();
    {
        auto db = create();
        t->addDatabase(db.get());
        t->startTransaction();
        q->setDatabase(db.get());
        q->setTransaction(t.get());
        q->sql().append(QStringLiteral("SELECT 1 FROM RDB$DATABASE"));
        q->execQuery();
    } // the database goes first, with a cursor open
    EXPECT_FALSE(t->inTransaction());
    EXPECT_EQ(t->databaseCount(), 0);
    EXPECT_EQ(q->database(), nullptr);
    t.reset(); // then the transaction
    EXPECT_EQ(q->transaction(), nullptr);
    EXPECT_THROW(q->execQuery(), EIBError);
}

INSTANTIATE_TEST_SUITE_P(Engines, IBDatabaseTest, testing::Values(Engine::Embedded, Engine::Server),
                         dbtest::engineName);
