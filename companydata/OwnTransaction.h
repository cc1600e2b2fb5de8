#pragma once
// The transaction rule of the data-information routines: start the transaction only when it
// is not active, and finish it at the end with a commit, on success and on failure alike,
// only when it was started here (a caller's transaction is left to the caller).

#include "core/db/IBTransaction.h"

namespace companydata {

class OwnTransaction {
public:
    explicit OwnTransaction(core::TIBTransaction& transaction) : transaction_(transaction) {
        if (!transaction_.inTransaction()) {
            transaction_.startTransaction();
            started_ = true;
        }
    }
    ~OwnTransaction() {
        try {
            finish();
        } catch (...) {
            // A commit failing while an error is on its way out must not replace that error.
        }
    }
    OwnTransaction(const OwnTransaction&) = delete;
    OwnTransaction& operator=(const OwnTransaction&) = delete;

    bool started() const { return started_; }
    void finish() {
        if (started_ && transaction_.inTransaction())
            transaction_.commit();
        started_ = false;
    }

private:
    core::TIBTransaction& transaction_;
    bool started_ = false;
};

} // namespace companydata
