#include "core/db/ParamParser.h"

#include <gtest/gtest.h>

TEST(ParamParser, ReplacesNamesOutsideLiteralsAndComments) {
    const struct {
        const char* sql;
        const char* expected;
        QStringList names;
    } cases[] = {
        {"SELECT * FROM T WHERE ID = :ID", "SELECT * FROM T WHERE ID = ?", {"ID"}},
        {"INSERT INTO T VALUES (:a,:B_2,:c$x)", "INSERT INTO T VALUES (?,?,?)", {"A", "B_2", "C$X"}},
        // A name used twice is one parameter bound at both places; case does not matter.
        {"WHERE A = :Code OR B = :CODE", "WHERE A = ? OR B = ?", {"CODE", "CODE"}},
        {"WHERE S = ':NOT' AND T = :YES", "WHERE S = ':NOT' AND T = ?", {"YES"}},
        {"WHERE S = 'it''s :NOT' AND T = :YES", "WHERE S = 'it''s :NOT' AND T = ?", {"YES"}},
        {"SELECT \"A:B\" FROM T WHERE X = :X", "SELECT \"A:B\" FROM T WHERE X = ?", {"X"}},
        {"SELECT 1 -- :NOT here\nFROM T WHERE X = :X", "SELECT 1 -- :NOT here\nFROM T WHERE X = ?", {"X"}},
        {"SELECT /* :NOT\n :NOR */ :X FROM T", "SELECT /* :NOT\n :NOR */ ? FROM T", {"X"}},
        {"SELECT A::B, :C FROM T", "SELECT A::B, ? FROM T", {"C"}},
        {"SELECT A[1:2] FROM T WHERE X = : Y", "SELECT A[1:2] FROM T WHERE X = : Y", {}},
        {"WHERE A = ? AND B = :B", "WHERE A = ? AND B = ?", {"", "B"}},
        {"WHERE NAME = '表:X' AND K = :表示", "WHERE NAME = '表:X' AND K = ?", {"表示"}},
        {"WHERE A = 'open :X", "WHERE A = 'open :X", {}},
        {"", "", {}},
    };
    for (const auto& c : cases) {
        const core::ParsedSql parsed = core::parseParams(QString::fromUtf8(c.sql));
        EXPECT_EQ(parsed.sql, QString::fromUtf8(c.expected)) << c.sql;
        EXPECT_EQ(parsed.names, c.names) << c.sql;
    }
}
