#include "core/db/IBTransaction.h"

#include "core/db/FbStatus.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"

#include <algorithm>
#include <iterator>

namespace core {

namespace {

struct TpbWord {
    const char* name;
    unsigned char tag;
};

constexpr TpbWord tpbWords[] = {
    {"read_committed", isc_tpb_read_committed}, {"rec_version", isc_tpb_rec_version},
    {"no_rec_version", isc_tpb_no_rec_version}, {"nowait", isc_tpb_nowait},
    {"wait", isc_tpb_wait},                     {"concurrency", isc_tpb_concurrency},
    {"consistency", isc_tpb_consistency},       {"read", isc_tpb_read},
    {"write", isc_tpb_write},
};

std::vector<unsigned char> buildTpb(const QStringList& words) {
    std::vector<unsigned char> tpb;
    for (const QString& line : words) {
        QString word = line.trimmed().toLower();
        if (word.isEmpty())
            continue;
        if (word.startsWith(QLatin1String("isc_tpb_")))
            word = word.mid(8);
        const auto known = std::find_if(std::begin(tpbWords), std::end(tpbWords),
                                        [&](const TpbWord& w) { return word == QLatin1String(w.name); });
        if (known == std::end(tpbWords))
            throw layerError(isc::bad_tpb_form, QStringLiteral("トランザクションのパラメータ「%1」は使えません。").arg(line));
        if (tpb.empty())
            tpb.push_back(isc_tpb_version3);
        tpb.push_back(known->tag);
    }
    return tpb;
}

} // namespace

TIBTransaction::~TIBTransaction() {
    rollbackQuietly();
    for (TIBDatabase* db : databases_)
        db->removeTransaction(this);
    for (TIBSQL* q : std::vector(statements_))
        q->setTransaction(nullptr);
}

void TIBTransaction::addDatabase(TIBDatabase* db) {
    if (!db || std::find(databases_.begin(), databases_.end(), db) != databases_.end())
        return;
    databases_.push_back(db);
    db->addTransaction(this);
    if (!defaultDatabase_)
        defaultDatabase_ = db;
}

void TIBTransaction::removeDatabase(TIBDatabase* db) {
    if (std::find(databases_.begin(), databases_.end(), db) == databases_.end())
        return;
    rollbackQuietly();
    std::erase(databases_, db);
    db->removeTransaction(this);
    if (defaultDatabase_ == db)
        defaultDatabase_ = databases_.empty() ? nullptr : databases_.front();
}

void TIBTransaction::setDefaultDatabase(TIBDatabase* db) {
    addDatabase(db);
    defaultDatabase_ = db;
}

void TIBTransaction::startTransaction() {
    if (inTransaction())
        throw layerError(0, QStringLiteral("トランザクションはすでに開始されています。"));
    if (databases_.empty())
        throw layerError(isc::bad_db_handle, QStringLiteral("トランザクションにデータベースが指定されていません。"));
    for (TIBDatabase* db : databases_)
        if (!db->connected())
            throw layerError(isc::bad_db_handle,
                             QStringLiteral("データベース「%1」に接続していません。").arg(db->databaseName()));
    const std::vector<unsigned char> tpb = buildTpb(params_);

    transaction_ = fbCall([&](Firebird::ThrowStatusWrapper* st) -> Firebird::ITransaction* {
        if (databases_.size() == 1)
            return databases_.front()->attachment()->startTransaction(st, unsigned(tpb.size()), tpb.data());
        // The builder keeps pointers to the TPB until start(), which disposes it on success.
        Firebird::IDtcStart* builder = fbMaster()->getDtc()->startBuilder(st);
        try {
            for (TIBDatabase* db : databases_)
                builder->addWithTpb(st, db->attachment(), unsigned(tpb.size()), tpb.data());
            return builder->start(st);
        } catch (...) {
            builder->dispose();
            throw;
        }
    });
}

void TIBTransaction::requireActive(const char* action) const {
    if (!inTransaction())
        throw layerError(isc::bad_trans_handle,
                         QStringLiteral("トランザクションが開始されていないため%1できません。").arg(QString::fromUtf8(action)));
}

void TIBTransaction::closeCursors() {
    for (TIBSQL* q : std::vector(statements_))
        q->close();
}

void TIBTransaction::commit() {
    requireActive("コミット");
    closeCursors();
    // On success Firebird releases the handle; on failure the transaction stays active.
    fbCall([&](Firebird::ThrowStatusWrapper* st) { transaction_->commit(st); });
    transaction_ = nullptr;
}

void TIBTransaction::commitRetaining() {
    requireActive("コミット");
    fbCall([&](Firebird::ThrowStatusWrapper* st) { transaction_->commitRetaining(st); });
}

void TIBTransaction::rollback() {
    requireActive("ロールバック");
    closeCursors();
    Firebird::ITransaction* t = std::exchange(transaction_, nullptr);
    try {
        fbCall([&](Firebird::ThrowStatusWrapper* st) { t->rollback(st); });
    } catch (...) {
        t->release(); // the transaction is gone with its connection
        throw;
    }
}

void TIBTransaction::rollbackRetaining() {
    requireActive("ロールバック");
    fbCall([&](Firebird::ThrowStatusWrapper* st) { transaction_->rollbackRetaining(st); });
}

void TIBTransaction::rollbackQuietly() {
    if (!inTransaction())
        return;
    try {
        rollback();
    } catch (...) {
    }
}

void TIBTransaction::databaseClosing() {
    rollbackQuietly();
}

void TIBTransaction::addStatement(TIBSQL* q) {
    if (std::find(statements_.begin(), statements_.end(), q) == statements_.end())
        statements_.push_back(q);
}

void TIBTransaction::removeStatement(TIBSQL* q) {
    std::erase(statements_, q);
}

TransactionScope::TransactionScope(TIBTransaction& transaction) : transaction_(transaction) {
    if (!transaction_.inTransaction()) {
        transaction_.startTransaction();
        started_ = true;
    }
}

TransactionScope::~TransactionScope() {
    if (started_ && transaction_.inTransaction()) {
        try {
            transaction_.rollback();
        } catch (...) {
        }
    }
}

void TransactionScope::commit() {
    if (!started_)
        return;
    transaction_.commit();
    started_ = false;
}

} // namespace core
