// Small reads of the company database: table and column existence, total-line names, the
// schema version and the codes of named accounts.
#include "core/dm/TDM.h"

#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"

#include <QList>
#include <QPair>

namespace core {

namespace {

// Counts the rows of a system-table query; a database error is reported and counts 0, any
// other error propagates. Joins the caller's company transaction, else runs in one of its own.
int countSystemRows(TDM& dm, const QStringList& sql, const QList<QPair<QString, QString>>& params,
                    const QString& context, const QString& message) {
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    try {
        TransactionScope scope(dm.IBTransactionDAT);
        q.sql() = sql;
        for (const auto& [name, value] : params)
            q.paramByName(name).setString(value);
        q.execQuery();
        const int count = q.eof() ? 0 : q.fields(0).asInteger();
        q.close();
        scope.commit();
        return count;
    } catch (const EIBError& e) {
        q.close();
        ReportFbAccessError(e, context, message, 0);
        return 0;
    }
}

// Commits what the scope started, after an error: the error that follows is the one to tell.
void commitAfterError(TransactionScope& scope) {
    try {
        scope.commit();
    } catch (const std::exception&) {
    }
}

} // namespace

bool TDM::fnExistence_Table(const QString& tableName) {
    return countSystemRows(*this,
                           {QStringLiteral("SELECT Count(*) FROM RDB$RELATION_FIELDS WHERE "
                                           "RDB$RELATION_NAME=:Table_NAME")},
                           {{QStringLiteral("Table_NAME"), tableName}}, QStringLiteral("TDM.fnExistence_Table"),
                           QStringLiteral("テーブルの存在情報の取得に失敗しました。")) > 0;
}

bool TDM::fnExistence_Field(const QString& tableName, const QString& fieldName) {
    return countSystemRows(*this,
                           {QStringLiteral("SELECT count(*) FROM RDB$RELATION_FIELDS WHERE "
                                           "(RDB$RELATION_NAME=:TABLE_NAME) AND (RDB$FIELD_NAME=:FIELD_NAME )")},
                           {{QStringLiteral("TABLE_NAME"), tableName}, {QStringLiteral("FIELD_NAME"), fieldName}},
                           QStringLiteral("TDM.fnExistence_Field"),
                           QStringLiteral("テーブル項目の存在情報の取得に失敗しました。")) > 0;
}

QString TDM::fnGetAccTotalName(const QString& groupCode, const QString& column) {
    const QString message = QStringLiteral("集計名称の取得に失敗しました。");
    QString name;
    TransactionScope scope(IBTransactionDAT);
    try {
        TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT %1 FROM ACCTOTALNAME").arg(column) << QStringLiteral("WHERE KGROUP=:KGROUP");
        q.paramByName(QStringLiteral("KGROUP")).setString(groupCode);
        for (q.execQuery(); !q.eof(); q.next())
            name = q.fields(0).asString();
        q.close();
        scope.commit();
    } catch (const EIBError& e) {
        commitAfterError(scope);
        ReportFbAccessError(e, QStringLiteral("TDM.fnGetAccTotalName"), message, 0);
    } catch (const std::exception& e) {
        commitAfterError(scope);
        ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
    }
    return name;
}

QString TDM::fnGetDataBaseVer() {
    QString version = QStringLiteral("0.0.0");
    try {
        if (IBTransactionDAT.inTransaction())
            IBTransactionDAT.commit();
        IBTransactionDAT.startTransaction();
        TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1");
        q.execQuery();
        if (!q.eof())
            version = QStringLiteral("%1.%2.%3")
                          .arg(q.fieldByName(QStringLiteral("MAJOR")).asInteger())
                          .arg(q.fieldByName(QStringLiteral("MINOR1")).asInteger())
                          .arg(q.fieldByName(QStringLiteral("MINOR2")).asInteger());
        q.close();
        IBTransactionDAT.commit();
    } catch (const EIBError& e) {
        if (IBTransactionDAT.inTransaction())
            IBTransactionDAT.rollback();
        ReportFbAccessError(e, QStringLiteral("TDM.fnGetDataBaseVer"),
                            QStringLiteral("データベースのバージョンの取得に失敗しました。"), 0);
        version = QStringLiteral("0.0.0");
    }
    return version;
}

void TDM::SetSystemCode(const QString& accountName, QString& code, QString& userCode) {
    code.clear();
    userCode.clear();
    try {
        TransactionScope scope(IBTransactionDAT); // rolls back what it started on an error
        TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT A.KCODE,K.USERCODE FROM ACCDEF2 A")
                << QStringLiteral("INNER JOIN KAMOKUMST K ON (A.KCODE=K.KCODE)")
                << QStringLiteral("WHERE A.KNAME=:NAME");
        q.paramByName(QStringLiteral("NAME")).setString(accountName);
        q.execQuery();
        if (!q.eof()) {
            code = q.fieldByName(QStringLiteral("KCODE")).asString();
            userCode = q.fieldByName(QStringLiteral("USERCODE")).asString();
        }
        q.close();
        scope.commit();
    } catch (const EIBError& e) {
        ReportFbAccessError(e, QStringLiteral("TDM.SetSystemCode"), QString(), 0);
        throw;
    }
}

QString TDM::GetUserCode(const QString& accountCode) {
    if (accountCode.trimmed().isEmpty())
        return QString();
    TransactionScope scope(IBTransactionDAT);
    QString userCode;
    try {
        TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT USERCODE FROM KAMOKUMST") << QStringLiteral("WHERE KCODE=:KCODE");
        q.paramByName(QStringLiteral("KCODE")).setString(accountCode);
        q.execQuery();
        if (!q.eof())
            userCode = q.fieldByName(QStringLiteral("USERCODE")).asString();
        q.close();
        scope.commit();
    } catch (const std::exception&) {
        commitAfterError(scope);
        throw;
    }
    return userCode;
}

} // namespace core
