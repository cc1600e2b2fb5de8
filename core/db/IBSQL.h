#pragma once
// A statement, shaped like IBX's TIBSQL: SQL text built line by line, ":NAME" parameters,
// execQuery() with eof()/next() over the rows, fieldByName(), and execSQL() for statements
// without rows (an EXECUTE PROCEDURE's output row is readable with fieldByName()).
//
// The statement is prepared once and executed again with new parameter values as long as
// the SQL text stays the same; changing the text prepares anew. It needs an active
// transaction; the database defaults to the transaction's default database.

#include "core/db/IBSQLField.h"
#include "core/db/IBSQLParam.h"

#include <firebird/Interface.h>

#include <QHash>
#include <QStringList>

#include <deque>
#include <vector>

namespace core {

class TIBDatabase;
class TIBTransaction;

class TIBSQL {
public:
    TIBSQL() = default;
    TIBSQL(TIBDatabase* database, TIBTransaction* transaction);
    ~TIBSQL();
    TIBSQL(const TIBSQL&) = delete;
    TIBSQL& operator=(const TIBSQL&) = delete;

    void setDatabase(TIBDatabase* database);
    TIBDatabase* database() const;
    void setTransaction(TIBTransaction* transaction);
    TIBTransaction* transaction() const { return transaction_; }

    QStringList& sql() { return sql_; }
    const QStringList& sql() const { return sql_; }
    // On (the default), ":NAME" marks a parameter. Off, the text goes to the server as it is,
    // as DDL and procedure bodies with ":VARIABLE" need; "?" markers are reached by params(i).
    void setParamCheck(bool on) { paramCheck_ = on; }
    bool paramCheck() const { return paramCheck_; }

    IBSQLParam& paramByName(const QString& name);
    int paramCount();
    IBSQLParam& params(int index);

    void prepare();
    bool prepared() const { return statement_ != nullptr; }
    // Runs the statement; a query is opened on its first row (eof() when there is none).
    void execQuery();
    void open() { execQuery(); }
    void execSQL() { execQuery(); }
    bool eof() const { return eof_; }
    void next();
    void close(); // closes the cursor; the statement stays prepared
    void freeHandle(); // closes and releases the prepared statement
    qint64 rowsAffected();

    int fieldCount();
    IBSQLField& fields(int index);
    // Case-insensitive, blanks around the name ignored. The field found stays valid, and follows
    // the rows, while the statement stays prepared: a reader may keep it across rows.
    IBSQLField& fieldByName(const QString& name);
    bool fieldExists(const QString& name); // case-insensitive

    Firebird::IStatement* handle() const { return statement_; }

private:
    friend class IBSQLField;
    friend class TIBDatabase;

    void databaseClosing(TIBDatabase* database);
    void databaseDestroyed(TIBDatabase* database);
    void unregisterFrom(TIBDatabase* database);
    TIBDatabase* requireDatabase() const;
    void buildInput(Firebird::ThrowStatusWrapper* st, Firebird::ITransaction* tra,
                    Firebird::IMessageMetadata*& meta, std::vector<unsigned char>& buffer);

    QString text() const;
    void parseIfChanged();
    Firebird::ITransaction* activeTransaction() const;
    void releaseMetadata();
    int fieldIndex(const QString& name) const; // -1 when there is none
    const unsigned char* currentRow() const { return hasRow_ ? outBuffer_.data() : nullptr; }
    QByteArray readBlob(const ISC_QUAD& id) const;
    void fetch(Firebird::ThrowStatusWrapper* st);

    TIBDatabase* database_ = nullptr;
    TIBTransaction* transaction_ = nullptr;
    QStringList sql_;
    bool paramCheck_ = true;

    // Parameters as parsed from the text: one object per name, and for each "?" the index of
    // its object. Kept while the text stays the same.
    QString parsedText_;
    QStringList parsedLines_; // the lines parsedText_ was joined from; shares sql_ until it changes
    bool parsedCheck_ = true;
    bool parsed_ = false;
    std::deque<IBSQLParam> params_;
    std::vector<int> positions_;
    QString sentText_;

    Firebird::IStatement* statement_ = nullptr;
    TIBDatabase* preparedDb_ = nullptr; // where statement_ lives
    Firebird::IMessageMetadata* inMeta_ = nullptr;
    Firebird::IMessageMetadata* outMeta_ = nullptr;
    bool hasCursor_ = false;
    std::vector<IBSQLField> fields_;
    // Field by name, built at prepare: the case-folded name, and each name as the server gave
    // it, to the first field of that name.
    QHash<QString, int> foldedIndex_;
    QHash<QString, int> exactIndex_;
    std::vector<unsigned char> outBuffer_;

    Firebird::IResultSet* cursor_ = nullptr;
    bool hasRow_ = false;
    bool eof_ = true;
    bool executed_ = false;
};

using TIBQuery = TIBSQL;

} // namespace core
