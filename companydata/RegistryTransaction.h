#pragma once
// The transaction rule of the registry operations on the system transaction: start it only
// when it is not active, and finish it only when it was started here — except that a write of
// a parent row inside a caller's transaction commits retaining, so the caller's work so far
// becomes durable while its transaction stays open.

#include "core/db/IBTransaction.h"

namespace companydata {

class RegistryTransaction {
public:
    RegistryTransaction() = default;
    explicit RegistryTransaction(core::TIBTransaction& transaction) { begin(transaction); }
    // Called inside the operation's try block, so a failing start is reported like any other
    // database error of the operation.
    void begin(core::TIBTransaction& transaction) {
        transaction_ = &transaction;
        if (!transaction_->inTransaction()) {
            transaction_->startTransaction();
            started_ = true;
        }
    }
    // Left without an explicit end (an exception on its way out): roll back what was started
    // here, quietly, so the original error is the one that travels.
    ~RegistryTransaction() {
        if (!done_)
            rollback();
    }
    RegistryTransaction(const RegistryTransaction&) = delete;
    RegistryTransaction& operator=(const RegistryTransaction&) = delete;

    bool started() const { return started_; }

    void commit() {
        done_ = true;
        if (transaction_ && started_ && transaction_->inTransaction())
            transaction_->commit();
    }
    void commitOrRetain() {
        done_ = true;
        if (!transaction_ || !transaction_->inTransaction())
            return;
        if (started_)
            transaction_->commit();
        else
            transaction_->commitRetaining();
    }
    void rollback() {
        done_ = true;
        if (!transaction_ || !started_ || !transaction_->inTransaction())
            return;
        try {
            transaction_->rollback();
        } catch (...) {
            // The failure that led here is the one to report.
        }
    }

private:
    core::TIBTransaction* transaction_ = nullptr;
    bool started_ = false;
    bool done_ = false;
};

} // namespace companydata
