#pragma once
// A transaction over one or more databases, shaped like IBX's TIBTransaction: parameter words
// ("read_committed", "rec_version", "nowait", …), start, commit, commit-retaining and rollback.
// Over two databases it is one distributed (two-phase) transaction.

#include <firebird/Interface.h>

#include <QStringList>

#include <vector>

namespace core {

class TIBDatabase;
class TIBSQL;

class TIBTransaction {
public:
    TIBTransaction() = default;
    ~TIBTransaction(); // rolls back quietly when still active
    TIBTransaction(const TIBTransaction&) = delete;
    TIBTransaction& operator=(const TIBTransaction&) = delete;

    void addDatabase(TIBDatabase* db);
    void removeDatabase(TIBDatabase* db); // rolls back first when the transaction is active
    int databaseCount() const { return int(databases_.size()); }
    TIBDatabase* databases(int index) const { return databases_.at(size_t(index)); }
    // Also adds the database when it is not yet part of the transaction.
    void setDefaultDatabase(TIBDatabase* db);
    TIBDatabase* defaultDatabase() const { return defaultDatabase_; }

    // Words: read_committed, rec_version, no_rec_version, nowait, wait, concurrency,
    // consistency, read, write (an "isc_tpb_" prefix is allowed). Any other word is refused
    // when the transaction starts. No words: Firebird's default (concurrency, wait, write).
    QStringList& params() { return params_; }
    const QStringList& params() const { return params_; }

    bool inTransaction() const { return transaction_ != nullptr; }
    void startTransaction(); // throws when already active
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();

    Firebird::ITransaction* handle() const { return transaction_; }

private:
    friend class TIBDatabase;
    friend class TIBSQL;

    void addStatement(TIBSQL* q);
    void removeStatement(TIBSQL* q);
    void requireActive(const char* action) const;
    void closeCursors();
    void databaseClosing();
    void rollbackQuietly();

    std::vector<TIBDatabase*> databases_;
    TIBDatabase* defaultDatabase_ = nullptr;
    QStringList params_;
    Firebird::ITransaction* transaction_ = nullptr;
    std::vector<TIBSQL*> statements_;
};

// The program's rule for transactions: start one only when none is active, and end only the
// one you started. commit() commits when this scope started the transaction; leaving the
// scope without commit() rolls back what it started. A transaction that was already active
// is left to its owner either way.
class TransactionScope {
public:
    explicit TransactionScope(TIBTransaction& transaction);
    ~TransactionScope();
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;

    void commit();
    bool started() const { return started_; }

private:
    TIBTransaction& transaction_;
    bool started_ = false;
};

} // namespace core
