#include "schema/ScriptSplitter.h"

#include <gtest/gtest.h>

using schema::splitScript;

namespace {

QStringList texts(const QString& script) {
    QStringList result;
    for (const auto& s : splitScript(script))
        result.append(s.text);
    return result;
}

} // namespace

TEST(ScriptSplitter, TerminatorsInsideCommentsStringsAndQuotedNamesDoNotSplit) {
    const QString script = QStringLiteral(
        "/* header; with a semicolon */\n"
        "INSERT INTO T (A) VALUES ('x;y');\n"
        "-- a line comment; here\n"
        "INSERT INTO \"T;2\" (A) VALUES ('it''s; fine');\n"
        "UPDATE T SET A = 1 /* inner; */ WHERE B = 2;\n");
    EXPECT_EQ(texts(script),
              (QStringList{QStringLiteral("INSERT INTO T (A) VALUES ('x;y')"),
                           QStringLiteral("INSERT INTO \"T;2\" (A) VALUES ('it''s; fine')"),
                           QStringLiteral("UPDATE T SET A = 1 /* inner; */ WHERE B = 2")}));
}

TEST(ScriptSplitter, SetTermChangesTheTerminatorForProcedureBodies) {
    const QString script = QStringLiteral(
        "CREATE TABLE T (A INTEGER);\n"
        "SET TERM ^ ;\n"
        "CREATE PROCEDURE P AS\n"
        "BEGIN\n"
        "  INSERT INTO T VALUES (1);\n"
        "END^\n"
        "set term ; ^\n"
        "COMMIT;\n");
    const auto statements = splitScript(script);
    ASSERT_EQ(statements.size(), 3);
    EXPECT_EQ(statements[1].text,
              QStringLiteral("CREATE PROCEDURE P AS\nBEGIN\n  INSERT INTO T VALUES (1);\nEND"));
    EXPECT_EQ(statements[2].text, QStringLiteral("COMMIT"));
}

TEST(ScriptSplitter, ReportsTheLineWhereEachStatementStarts) {
    const QString script = QStringLiteral(
        "/* two\n   lines */\n"
        "SELECT 1\n  FROM RDB$DATABASE;\n"
        "\n"
        "-- note\n"
        "SELECT 2 FROM RDB$DATABASE;\n"
        "SELECT '\n' FROM RDB$DATABASE;\n"
        "SELECT 4 FROM RDB$DATABASE");
    const auto statements = splitScript(script);
    ASSERT_EQ(statements.size(), 4);
    EXPECT_EQ(statements[0].line, 3);
    EXPECT_EQ(statements[1].line, 7);
    EXPECT_EQ(statements[2].line, 8);
    EXPECT_EQ(statements[3].line, 10); // the string literal spans a line; no terminator at the end
}

TEST(ScriptSplitter, BlankAndCommentOnlyTextGivesNoStatement) {
    EXPECT_TRUE(splitScript(QStringLiteral("  \n/* only */\n-- comments\n;\n")).isEmpty());
}
