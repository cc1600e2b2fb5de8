#pragma once
// Splits an SQL script, written the way isql reads it, into single statements: statements end
// with the current terminator (";" unless a "SET TERM x ;" changed it), and a terminator inside
// a comment, a string literal or a quoted name does not count.

#include <QList>
#include <QString>

namespace schema {

struct ScriptStatement {
    QString text; // without the terminator, leading comments and surrounding blanks
    int line = 0; // line of the script (from 1) on which the statement starts
};

// SET TERM lines are consumed here and do not appear in the result. Text after the last
// terminator that is not only blanks and comments becomes a last statement.
QList<ScriptStatement> splitScript(const QString& script);

} // namespace schema
