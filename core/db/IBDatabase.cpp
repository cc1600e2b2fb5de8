#include "core/db/IBDatabase.h"

#include "core/db/ConnectionName.h"
#include "core/db/FbStatus.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/db/ParamBlock.h"

#include <algorithm>

namespace core {

namespace {

constexpr unsigned createPageSize = 16384;
const QByteArray databaseCharset = QByteArrayLiteral("SJIS_0208");

constexpr ParamName dpbNames[] = {
    {"user_name", isc_dpb_user_name},
    {"password", isc_dpb_password},
    {"lc_ctype", isc_dpb_lc_ctype},
};

struct CharsetId {
    const char* name;
    unsigned id;
};

constexpr CharsetId charsetIds[] = {
    {"NONE", 0}, {"OCTETS", 1}, {"ASCII", 2}, {"UNICODE_FSS", 3}, {"UTF8", 4}, {"SJIS_0208", 5}, {"EUCJ_0208", 6},
};
constexpr unsigned dynamicCharset = 127; // "the connection's character set"

} // namespace

TIBDatabase::~TIBDatabase() {
    try {
        close();
    } catch (...) {
    }
    if (attachment_) {
        attachment_->release();
        attachment_ = nullptr;
    }
    for (TIBTransaction* t : std::vector(transactions_))
        t->removeDatabase(this);
    for (TIBSQL* q : std::vector(statements_))
        q->databaseDestroyed(this);
}

unsigned TIBDatabase::charsetId() const {
    for (const QString& line : params_) {
        const auto [name, value] = splitParamLine(line);
        if (name != QLatin1String("lc_ctype"))
            continue;
        for (const CharsetId& c : charsetIds)
            if (value.trimmed().compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return c.id;
        return dynamicCharset;
    }
    return 0;
}

void TIBDatabase::attach(bool creating) {
    ParamBlock dpb(ParamBlock::Kind::Database);
    addParamLines(dpb, params_, dpbNames, isc::bad_dpb_form);
    dpb.integer(isc_dpb_sql_dialect, dialect_);
    if (creating) {
        dpb.bytes(isc_dpb_set_db_charset, databaseCharset);
        dpb.integer(isc_dpb_page_size, int(createPageSize));
    }
    const QByteArray file = toNativeName(name_);
    attachment_ = fbCall([&](Firebird::ThrowStatusWrapper* st) {
        FbRef<Firebird::IProvider> provider(fbMaster()->getDispatcher());
        return creating ? provider->createDatabase(st, file.constData(), dpb.length(), dpb.data())
                        : provider->attachDatabase(st, file.constData(), dpb.length(), dpb.data());
    });
}

void TIBDatabase::open() {
    if (!connected())
        attach(false);
}

void TIBDatabase::createDatabase() {
    if (connected())
        throw layerError(0, QStringLiteral("データベース「%1」は接続中のため作成できません。").arg(name_));
    attach(true);
}

// Ends what depends on the connection: statements first (their cursors need the
// transaction), then transactions.
void TIBDatabase::endUsers() {
    for (TIBSQL* q : std::vector(statements_))
        q->databaseClosing(this);
    for (TIBTransaction* t : std::vector(transactions_))
        t->databaseClosing();
}

void TIBDatabase::close() {
    if (!connected())
        return;
    endUsers();
    Firebird::IAttachment* att = std::exchange(attachment_, nullptr);
    try {
        fbCall([&](Firebird::ThrowStatusWrapper* st) { att->detach(st); });
    } catch (...) {
        att->release(); // detach failed (connection lost): drop the handle all the same
        throw;
    }
}

void TIBDatabase::dropDatabase() {
    if (!connected())
        throw layerError(isc::bad_db_handle, QStringLiteral("データベースに接続していないため削除できません。"));
    endUsers();
    fbCall([&](Firebird::ThrowStatusWrapper* st) { attachment_->dropDatabase(st); });
    attachment_ = nullptr; // dropDatabase released the attachment
}

void TIBDatabase::addTransaction(TIBTransaction* t) {
    if (std::find(transactions_.begin(), transactions_.end(), t) == transactions_.end())
        transactions_.push_back(t);
}

void TIBDatabase::removeTransaction(TIBTransaction* t) {
    std::erase(transactions_, t);
}

void TIBDatabase::addStatement(TIBSQL* q) {
    if (std::find(statements_.begin(), statements_.end(), q) == statements_.end())
        statements_.push_back(q);
}

void TIBDatabase::removeStatement(TIBSQL* q) {
    std::erase(statements_, q);
}

} // namespace core
