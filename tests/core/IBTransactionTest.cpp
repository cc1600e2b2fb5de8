#include "DbFixture.h"

#include "core/db/FbStatus.h"

using core::EIBError;
using core::TIBDatabase;
using core::TIBSQL;
using core::TIBTransaction;
using core::TransactionScope;
using dbtest::Engine;

class IBTransactionTest : public dbtest::DbFixture {
protected:
    void SetUp() override {
        DbFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        db_ = create();
        run(*db_, {QStringLiteral("CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))")});
        t_.addDatabase(db_.get());
    }

    static void insert(TIBDatabase& db, TIBTransaction& t, int id) {
        TIBSQL q(&db, &t);
        q.sql().append(QStringLiteral("INSERT INTO T (ID) VALUES (:ID)"));
        q.paramByName(QStringLiteral("ID")).setInteger(id);
        q.execSQL();
    }

    // The IDs committed in db, seen from a connection of its own.
    QString committedIds(const QString& file = QStringLiteral("test.fdb")) {
        auto other = connect(file);
        return scalar(*other, QStringLiteral("SELECT COALESCE(LIST(ID, ','), '') FROM (SELECT ID FROM T ORDER BY ID)"));
    }

    std::unique_ptr<TIBDatabase> db_;
    TIBTransaction t_;
};

TEST_P(IBTransactionTest, RollbackLeavesNothing) {
    t_.startTransaction();
    insert(*db_, t_, 1);
    t_.rollbackRetaining();
    EXPECT_TRUE(t_.inTransaction());
    insert(*db_, t_, 2);
    t_.rollback();
    EXPECT_FALSE(t_.inTransaction());
    EXPECT_EQ(committedIds(), QString());
}

TEST_P(IBTransactionTest, CommitRetainingPublishesDataAndKeepsTransactionAndCursor) {
    t_.startTransaction();
    insert(*db_, t_, 1);
    insert(*db_, t_, 2);
    t_.commitRetaining();
    EXPECT_TRUE(t_.inTransaction());
    EXPECT_EQ(committedIds(), QStringLiteral("1,2"));

    TIBSQL q(db_.get(), &t_);
    q.sql().append(QStringLiteral("SELECT ID FROM T ORDER BY ID"));
    q.execQuery();
    insert(*db_, t_, 3);
    t_.commitRetaining();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fields(0).asInteger(), 1);
    q.next();
    EXPECT_EQ(q.fields(0).asInteger(), 2); // the cursor survives commit-retaining
    insert(*db_, t_, 4);
    t_.rollback();
    EXPECT_EQ(committedIds(), QStringLiteral("1,2,3"));
}

TEST_P(IBTransactionTest, OneTransactionSpansTwoDatabases) {
    auto second = create(QStringLiteral("second.fdb"));
    run(*second, {QStringLiteral("CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20))")});
    TIBTransaction both;
    both.addDatabase(db_.get());
    both.addDatabase(second.get());
    both.params() << QStringLiteral("read_committed") << QStringLiteral("rec_version") << QStringLiteral("nowait");
    EXPECT_EQ(both.defaultDatabase(), db_.get());

    both.startTransaction();
    insert(*db_, both, 1);
    insert(*second, both, 1);
    both.commit();
    both.startTransaction();
    insert(*db_, both, 2);
    insert(*second, both, 2);
    both.rollback();

    EXPECT_EQ(committedIds(QStringLiteral("test.fdb")), QStringLiteral("1"));
    EXPECT_EQ(committedIds(QStringLiteral("second.fdb")), QStringLiteral("1"));
}

TEST_P(IBTransactionTest, ScopeStartsAndEndsOnlyWhatItStarted) {
    {
        TransactionScope scope(t_);
        EXPECT_TRUE(scope.started());
        insert(*db_, t_, 1);
        scope.commit();
        EXPECT_FALSE(t_.inTransaction());
    }
    {
        TransactionScope scope(t_);
        insert(*db_, t_, 2);
    } // left without commit: rolled back
    EXPECT_FALSE(t_.inTransaction());
    EXPECT_EQ(committedIds(), QStringLiteral("1"));

    t_.startTransaction();
    insert(*db_, t_, 3);
    {
        TransactionScope inner(t_);
        EXPECT_FALSE(inner.started());
        insert(*db_, t_, 4);
        inner.commit(); // the outer owner decides
        EXPECT_TRUE(t_.inTransaction());
    }
    {
        TransactionScope inner(t_);
    } // nor does leaving an inner scope roll back
    EXPECT_TRUE(t_.inTransaction());
    EXPECT_EQ(committedIds(), QStringLiteral("1"));
    t_.commit();
    EXPECT_EQ(committedIds(), QStringLiteral("1,3,4"));
}

TEST_P(IBTransactionTest, ParamsChooseIsolationAccessAndLockWait) {
    const struct {
        QStringList words;
        bool seesLaterCommits;
    } cases[] = {
        {{"concurrency"}, false},
        {{"read_committed", "rec_version", "nowait"}, true},
        {{"isc_tpb_read_committed", "isc_tpb_no_rec_version", "wait"}, true},
    };
    int id = 0;
    for (const auto& c : cases) {
        TIBTransaction reader;
        reader.addDatabase(db_.get());
        reader.params() = c.words;
        reader.startTransaction();
        const QString before = [&] {
            TIBSQL q(db_.get(), &reader);
            q.sql().append(QStringLiteral("SELECT COUNT(*) FROM T"));
            q.execQuery();
            return q.fields(0).asString();
        }();
        t_.startTransaction();
        insert(*db_, t_, ++id);
        t_.commit();
        TIBSQL q(db_.get(), &reader);
        q.sql().append(QStringLiteral("SELECT COUNT(*) FROM T"));
        q.execQuery();
        EXPECT_EQ(q.fields(0).asInteger() > before.toInt(), c.seesLaterCommits) << c.words.join(' ').toStdString();
    }

    // Read-only refuses writes; nowait fails at once on a row another transaction holds.
    TIBTransaction readOnly;
    readOnly.addDatabase(db_.get());
    readOnly.params() << QStringLiteral("read") << QStringLiteral("read_committed");
    readOnly.startTransaction();
    try {
        insert(*db_, readOnly, 100);
        ADD_FAILURE() << "a read-only transaction wrote";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), 335544361) << e.what(); // read_only_trans
    }

    auto update = [&](TIBTransaction& t) {
        TIBSQL q(db_.get(), &t);
        q.sql().append(QStringLiteral("UPDATE T SET NAME = 'x' WHERE ID = 1"));
        q.execSQL();
    };
    t_.startTransaction();
    update(t_);
    TIBTransaction other;
    other.addDatabase(db_.get());
    other.params() << QStringLiteral("write") << QStringLiteral("concurrency") << QStringLiteral("nowait");
    other.startTransaction();
    try {
        update(other);
        ADD_FAILURE() << "a row held by another transaction was written";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), 335544336) << e.what(); // deadlock: update conflict, no wait
    }
}

TEST_P(IBTransactionTest, RefusesMisuse) {
    t_.params() << QStringLiteral("read_committed") << QStringLiteral("snapshot_please");
    try {
        t_.startTransaction();
        FAIL() << "unknown parameter accepted";
    } catch (const EIBError& e) {
        EXPECT_EQ(e.ibErrorCode(), core::isc::bad_tpb_form);
        EXPECT_TRUE(e.message().contains(QStringLiteral("snapshot_please"))) << e.what();
    }
    EXPECT_FALSE(t_.inTransaction());

    t_.params().clear();
    t_.startTransaction();
    EXPECT_THROW(t_.startTransaction(), EIBError);
    t_.commit();
    for (auto end : {&TIBTransaction::commit, &TIBTransaction::commitRetaining, &TIBTransaction::rollback,
                     &TIBTransaction::rollbackRetaining}) {
        try {
            (t_.*end)();
            ADD_FAILURE() << "ended a transaction that was not active";
        } catch (const EIBError& e) {
            EXPECT_EQ(e.ibErrorCode(), core::isc::bad_trans_handle);
        }
    }

    TIBTransaction noDatabase;
    EXPECT_THROW(noDatabase.startTransaction(), EIBError);
    TIBDatabase closed;
    configure(closed, QStringLiteral("test.fdb"));
    TIBTransaction overClosed;
    overClosed.addDatabase(&closed);
    EXPECT_THROW(overClosed.startTransaction(), EIBError);
}

INSTANTIATE_TEST_SUITE_P(Engines, IBTransactionTest, testing::Values(Engine::Embedded, Engine::Server),
                         dbtest::engineName);
