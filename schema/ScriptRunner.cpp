#include "schema/ScriptRunner.h"

#include "core/EIBError.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "platform/Cp932.h"

#include <QRegularExpression>

namespace schema {
namespace {

QString firstWord(const QString& statement) {
    static const QRegularExpression word(QStringLiteral("^[A-Za-z_]+"));
    return word.match(statement).captured(0).toUpper();
}

bool isDdl(const QString& keyword) {
    static const QStringList ddl = {QStringLiteral("CREATE"),  QStringLiteral("ALTER"),
                                    QStringLiteral("DROP"),    QStringLiteral("RECREATE"),
                                    QStringLiteral("DECLARE"), QStringLiteral("GRANT"),
                                    QStringLiteral("REVOKE"),  QStringLiteral("COMMENT"),
                                    QStringLiteral("SET")};
    return ddl.contains(keyword);
}

QString describe(const std::exception& e) {
    if (const auto* ib = dynamic_cast<const core::EIBError*>(&e))
        return ib->message();
    if (const auto* enc = dynamic_cast<const platform::EncodingError*>(&e))
        return QStringLiteral("no CP932 code for \"%1\"").arg(enc->character());
    return QString::fromLocal8Bit(e.what());
}

} // namespace

ScriptError::ScriptError(const QString& file, int line, const QString& statement, const QString& reason)
    : std::runtime_error(QStringLiteral("%1:%2: %3\n%4").arg(file).arg(line).arg(reason, statement).toStdString()),
      file_(file), line_(line), statement_(statement), reason_(reason) {}

void runScript(core::TIBDatabase& db, const QString& fileName, const QString& script) {
    core::TIBTransaction transaction;
    transaction.addDatabase(&db);
    auto ensureStarted = [&] {
        if (!transaction.inTransaction())
            transaction.startTransaction();
    };
    auto commit = [&] {
        if (transaction.inTransaction())
            transaction.commit();
    };

    for (const ScriptStatement& statement : splitScript(script)) {
        const QString keyword = firstWord(statement.text);
        try {
            if (keyword == QLatin1String("COMMIT")) {
                commit();
                continue;
            }
            if (keyword == QLatin1String("ROLLBACK")) {
                if (transaction.inTransaction())
                    transaction.rollback();
                continue;
            }
            ensureStarted();
            core::TIBSQL sql(&db, &transaction);
            sql.setParamCheck(false); // PSQL bodies use ":VARIABLE"
            sql.sql().append(statement.text);
            sql.execQuery();
            sql.close();
            if (isDdl(keyword))
                commit();
        } catch (const std::exception& e) {
            if (transaction.inTransaction())
                transaction.rollback();
            throw ScriptError(fileName, statement.line, statement.text, describe(e));
        }
    }
    commit();
}

} // namespace schema
