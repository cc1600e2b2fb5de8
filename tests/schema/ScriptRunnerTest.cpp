#include "schema/ScriptRunner.h"

#include "schema/DbAccount.h"
#include "tests/schema/SchemaTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using schematest::count;
using schematest::scalar;

namespace {

class ScriptRunner : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        schema::configure(db_, schema::DbAccount{}, dir_.path() + QStringLiteral("/runner.fdb"));
        db_.createDatabase();
    }

    QTemporaryDir dir_;
    core::TIBDatabase db_;
};

TEST_F(ScriptRunner, DdlIsCommittedAtOnceSoThatLaterStatementsUseIt) {
    schema::runScript(db_, QStringLiteral("t.sql"), QStringLiteral(
        "CREATE TABLE T (A INTEGER, B VARCHAR(10));\n"
        "SET TERM ^ ;\n"
        "CREATE PROCEDURE ADD_ROW (X INTEGER) AS\n"
        "BEGIN\n"
        "  INSERT INTO T (A, B) VALUES (:X, 'p;q');\n"
        "END^\n"
        "SET TERM ; ^\n"
        "INSERT INTO T (A, B) VALUES (1, 'ａ～');\n"
        "EXECUTE PROCEDURE ADD_ROW(2);\n"));
    EXPECT_EQ(count(db_, QStringLiteral("SELECT COUNT(*) FROM T")), 2);
    EXPECT_EQ(scalar(db_, QStringLiteral("SELECT B FROM T WHERE A=1")), QStringLiteral("ａ～"));
    EXPECT_EQ(scalar(db_, QStringLiteral("SELECT B FROM T WHERE A=2")), QStringLiteral("p;q"));
}

TEST_F(ScriptRunner, FirstFailureNamesFileLineAndStatementAndKeepsWhatWasCommitted) {
    const QString script = QStringLiteral(
        "CREATE TABLE T (A INTEGER NOT NULL PRIMARY KEY);\n"
        "INSERT INTO T VALUES (1);\n"
        "COMMIT;\n"
        "INSERT INTO T VALUES (2);\n"
        "/* duplicate key */\n"
        "INSERT INTO T\n"
        "  VALUES (1);\n"
        "INSERT INTO T VALUES (3);\n");
    try {
        schema::runScript(db_, QStringLiteral("company/099-broken.sql"), script);
        FAIL() << "the duplicate key was not reported";
    } catch (const schema::ScriptError& e) {
        EXPECT_EQ(e.file(), QStringLiteral("company/099-broken.sql"));
        EXPECT_EQ(e.line(), 6);
        EXPECT_EQ(e.statement(), QStringLiteral("INSERT INTO T\n  VALUES (1)"));
        EXPECT_TRUE(e.reason().contains(QStringLiteral("PRIMARY")) || e.reason().contains(QStringLiteral("unique")))
            << e.reason().toStdString();
    }
    // Row 1 was committed; row 2 shared the failed batch and is gone; row 3 never ran.
    EXPECT_EQ(scalar(db_, QStringLiteral("SELECT LIST(A) FROM T")), QStringLiteral("1"));
}

} // namespace
