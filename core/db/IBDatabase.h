#pragma once
// One connection to a Firebird database, shaped like IBX's TIBDatabase: a database name,
// parameter lines ("user_name=…", "password=…", "lc_ctype=SJIS_0208") and open/close.
// Transactions and statements that use it register themselves, so that closing the
// connection first ends them.

#include <firebird/Interface.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace core {

class TIBTransaction;
class TIBSQL;

class TIBDatabase {
public:
    TIBDatabase() = default;
    ~TIBDatabase(); // closes quietly
    TIBDatabase(const TIBDatabase&) = delete;
    TIBDatabase& operator=(const TIBDatabase&) = delete;

    // "path" for the embedded engine, "host:path" through a server. The name goes to the client
    // in the bytes of the file system (toNativeName).
    void setDatabaseName(const QString& name) { name_ = name; }
    QString databaseName() const { return name_; }

    // Lines "name=value": user_name, password, lc_ctype. Any other name is refused when the
    // connection is made.
    QStringList& params() { return params_; }
    const QStringList& params() const { return params_; }

    void setSQLDialect(int dialect) { dialect_ = dialect; }
    int sqlDialect() const { return dialect_; }
    void setLoginPrompt(bool) {} // no interactive login here

    void open();  // no-op when connected
    void close(); // rolls back open transactions first; no-op when not connected
    bool connected() const { return attachment_ != nullptr; }

    // Creates the file with the character set SJIS_0208 and page size 16384 and stays
    // connected to it.
    void createDatabase();
    // Drops the connected database (the file is deleted).
    void dropDatabase();

    Firebird::IAttachment* attachment() const { return attachment_; }
    // The Firebird id of the connection character set (lc_ctype).
    unsigned charsetId() const;

private:
    friend class TIBTransaction;
    friend class TIBSQL;

    void addTransaction(TIBTransaction* t);
    void removeTransaction(TIBTransaction* t);
    void addStatement(TIBSQL* q);
    void removeStatement(TIBSQL* q);
    void attach(bool creating);
    void endUsers();

    QString name_;
    QStringList params_;
    int dialect_ = 3;
    Firebird::IAttachment* attachment_ = nullptr;
    std::vector<TIBTransaction*> transactions_;
    std::vector<TIBSQL*> statements_;
};

} // namespace core
