#pragma once
// Runs an SQL script statement by statement on an open database, the way isql does with
// AUTODDL on: a DDL statement is committed at once, so that the next statement can use what
// it made; other statements run in one transaction, committed at "COMMIT" and at the end.

#include "schema/ScriptSplitter.h"

#include <QString>

#include <stdexcept>

namespace core {
class TIBDatabase;
}

namespace schema {

// The first statement of a script that failed: where it is and what the database said.
class ScriptError : public std::runtime_error {
public:
    ScriptError(const QString& file, int line, const QString& statement, const QString& reason);

    QString file() const { return file_; }
    int line() const { return line_; }
    QString statement() const { return statement_; }
    QString reason() const { return reason_; }

private:
    QString file_;
    int line_;
    QString statement_;
    QString reason_;
};

// Runs every statement of the script; the work of the statements before a failing one stays
// committed up to its last COMMIT or DDL statement, the rest is rolled back.
// Throws ScriptError naming the file, the line and the statement.
void runScript(core::TIBDatabase& db, const QString& fileName, const QString& script);

} // namespace schema
