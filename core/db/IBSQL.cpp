#include "core/db/IBSQL.h"

#include "core/db/FbBlob.h"
#include "core/db/FbStatus.h"
#include "core/db/FbValue.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBTransaction.h"
#include "core/db/ParamParser.h"
#include "core/db/Sjis0208.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>

namespace core {

namespace {

template <typename T>
void store(unsigned char* p, const T& v) {
    std::memcpy(p, &v, sizeof v);
}

bool isTextType(unsigned type) {
    return type == SQL_TEXT || type == SQL_VARYING;
}

} // namespace

TIBSQL::TIBSQL(TIBDatabase* database, TIBTransaction* transaction) {
    setDatabase(database);
    setTransaction(transaction);
}

TIBSQL::~TIBSQL() {
    freeHandle();
    if (database_)
        database_->removeStatement(this);
    if (transaction_)
        transaction_->removeStatement(this);
}

void TIBSQL::setDatabase(TIBDatabase* database) {
    if (database == database_)
        return;
    freeHandle();
    TIBDatabase* old = std::exchange(database_, database);
    if (database_)
        database_->addStatement(this);
    unregisterFrom(old);
}

TIBDatabase* TIBSQL::database() const {
    if (database_)
        return database_;
    return transaction_ ? transaction_->defaultDatabase() : nullptr;
}

void TIBSQL::setTransaction(TIBTransaction* transaction) {
    if (transaction == transaction_)
        return;
    close();
    if (transaction_)
        transaction_->removeStatement(this);
    transaction_ = transaction;
    if (transaction_)
        transaction_->addStatement(this);
}

void TIBSQL::unregisterFrom(TIBDatabase* database) {
    if (database && database != database_ && database != preparedDb_)
        database->removeStatement(this);
}

void TIBSQL::databaseClosing(TIBDatabase* database) {
    if (database == preparedDb_)
        freeHandle();
}

void TIBSQL::databaseDestroyed(TIBDatabase* database) {
    if (database == preparedDb_)
        freeHandle();
    if (database == database_)
        database_ = nullptr;
}

QString TIBSQL::text() const {
    return sql_.join(QLatin1Char('\n'));
}

void TIBSQL::parseIfChanged() {
    if (parsed_ && paramCheck_ == parsedCheck_) {
        // A list that was not changed still shares its lines with the copy (any change detaches
        // it), so most calls decide without joining the text.
        if (sql_.size() == parsedLines_.size() && sql_.constData() == parsedLines_.constData())
            return;
        if (sql_ == parsedLines_) {
            parsedLines_ = sql_;
            return;
        }
    }
    const QString current = text();
    if (parsed_ && current == parsedText_ && paramCheck_ == parsedCheck_) {
        parsedLines_ = sql_;
        return;
    }
    freeHandle();
    params_.clear();
    positions_.clear();
    parsedText_ = current;
    parsedLines_ = sql_;
    parsedCheck_ = paramCheck_;
    parsed_ = true;
    if (!paramCheck_) {
        sentText_ = current; // parameters come from the prepared statement
        return;
    }
    const ParsedSql parsed = parseParams(current);
    sentText_ = parsed.sql;
    for (const QString& name : parsed.names) {
        auto found = name.isEmpty() ? params_.end()
                                    : std::find_if(params_.begin(), params_.end(),
                                                   [&](const IBSQLParam& p) { return p.name() == name; });
        if (found == params_.end()) {
            params_.emplace_back(name);
            found = std::prev(params_.end());
        }
        positions_.push_back(int(found - params_.begin()));
    }
}

IBSQLParam& TIBSQL::paramByName(const QString& name) {
    parseIfChanged();
    const QString key = name.trimmed().toUpper();
    for (IBSQLParam& p : params_)
        if (!key.isEmpty() && p.name() == key)
            return p;
    throw layerError(isc::dsql_field_err, QStringLiteral("パラメータ「%1」がありません。").arg(name));
}

int TIBSQL::paramCount() {
    parseIfChanged();
    if (!paramCheck_)
        prepare();
    return int(params_.size());
}

IBSQLParam& TIBSQL::params(int index) {
    if (index < 0 || index >= paramCount())
        throw layerError(isc::dsql_field_err, QStringLiteral("パラメータ%1番がありません。").arg(index));
    return params_[size_t(index)];
}

TIBDatabase* TIBSQL::requireDatabase() const {
    TIBDatabase* db = database();
    if (!db || !db->connected())
        throw layerError(isc::bad_db_handle, QStringLiteral("データベースに接続していません。"));
    return db;
}

Firebird::ITransaction* TIBSQL::activeTransaction() const {
    if (!transaction_ || !transaction_->inTransaction())
        throw layerError(isc::bad_trans_handle, QStringLiteral("トランザクションが開始されていません。"));
    return transaction_->handle();
}

void TIBSQL::prepare() {
    parseIfChanged();
    if (statement_)
        return;
    if (sentText_.trimmed().isEmpty())
        throw layerError(0, QStringLiteral("SQL文がありません。"));
    TIBDatabase* db = requireDatabase();
    Firebird::ITransaction* tra = activeTransaction();
    const QByteArray bytes = toSjis0208(sentText_);

    fbCall([&](Firebird::ThrowStatusWrapper* st) {
        FbRef<Firebird::IStatement> statement(db->attachment()->prepare(
            st, tra, unsigned(bytes.size()), bytes.constData(), unsigned(db->sqlDialect()),
            Firebird::IStatement::PREPARE_PREFETCH_METADATA));
        FbRef<Firebird::IMessageMetadata> in(statement->getInputMetadata(st));
        FbRef<Firebird::IMessageMetadata> out(statement->getOutputMetadata(st));
        const unsigned inCount = in->getCount(st);
        if (paramCheck_ && inCount != positions_.size())
            throw layerError(isc::dsql_field_err,
                             QStringLiteral("パラメータの数(%1)がSQL文の求める数(%2)と合いません。")
                                 .arg(positions_.size())
                                 .arg(inCount));
        if (!paramCheck_ && params_.size() != inCount) {
            params_.resize(inCount);
            positions_.resize(inCount);
            for (unsigned i = 0; i < inCount; ++i)
                positions_[i] = int(i);
        }
        hasCursor_ = (statement->getFlags(st) & Firebird::IStatement::FLAG_HAS_CURSOR) != 0;

        std::vector<IBSQLField> fields;
        const unsigned outCount = out->getCount(st);
        for (unsigned i = 0; i < outCount; ++i) {
            IBSQLField f;
            f.owner_ = this;
            f.name_ = platform::fromCp932(QByteArray(out->getAlias(st, i))).trimmed();
            f.type_ = out->getType(st, i) & ~1u;
            f.subType_ = out->getSubType(st, i);
            f.scale_ = out->getScale(st, i);
            f.length_ = out->getLength(st, i);
            f.offset_ = out->getOffset(st, i);
            f.nullOffset_ = out->getNullOffset(st, i);
            fields.push_back(f);
        }
        outBuffer_.assign(out->getMessageLength(st), 0);
        QHash<QString, int> folded;
        QHash<QString, int> exact;
        for (int i = int(fields.size()) - 1; i >= 0; --i) // the first of equal names wins
            folded.insert(fields[size_t(i)].name_.toCaseFolded(), i);
        for (const IBSQLField& f : fields)
            exact.insert(f.name_, folded.value(f.name_.toCaseFolded()));
        foldedIndex_ = std::move(folded);
        exactIndex_ = std::move(exact);
        fields_ = std::move(fields);
        statement_ = statement.take();
        inMeta_ = in.take();
        outMeta_ = out.take();
    });
    preparedDb_ = db;
    db->addStatement(this);
}

// The input message: every parameter in the type of the value it holds, so that the server
// converts it to the column's type. A NULL keeps the type the statement described.
void TIBSQL::buildInput(Firebird::ThrowStatusWrapper* st, Firebird::ITransaction* tra,
                        Firebird::IMessageMetadata*& meta, std::vector<unsigned char>& buffer) {
    using Kind = IBSQLParam::Kind;
    Firebird::IAttachment* att = preparedDb_->attachment();
    FbRef<Firebird::IMetadataBuilder> builder(inMeta_->getBuilder(st));
    for (unsigned i = 0; i < positions_.size(); ++i) {
        const IBSQLParam& p = params_[size_t(positions_[i])];
        const unsigned described = inMeta_->getType(st, i) & ~1u;
        // setType() keeps a length already there, so every field gets all its attributes.
        auto set = [&](unsigned type, unsigned length, int scale, int subType, unsigned charset) {
            builder->setType(st, i, type);
            builder->setLength(st, i, length);
            builder->setScale(st, i, scale);
            builder->setSubType(st, i, subType);
            builder->setCharSet(st, i, charset);
        };
        auto setBlob = [&](int subType, unsigned charset) {
            if (described == SQL_BLOB)
                set(SQL_BLOB, 8, 0, inMeta_->getSubType(st, i), inMeta_->getCharSet(st, i));
            else
                set(SQL_BLOB, 8, 0, subType, charset);
        };
        switch (p.kind_) {
        case Kind::Null:
            break;
        case Kind::Text:
            if (described == SQL_BLOB)
                setBlob(isc_blob_text, preparedDb_->charsetId());
            else
                set(SQL_VARYING, unsigned(std::max<qsizetype>(1, p.bytes_.size())), 0, 0,
                    isTextType(described) ? inMeta_->getCharSet(st, i) : preparedDb_->charsetId());
            break;
        case Kind::Integer:
            set(SQL_INT64, sizeof(ISC_INT64), p.scale_, 0, 0);
            break;
        case Kind::Double:
            set(SQL_DOUBLE, sizeof(double), 0, 0, 0);
            break;
        case Kind::Boolean:
            set(SQL_BOOLEAN, 1, 0, 0, 0);
            break;
        case Kind::Date:
            set(SQL_TYPE_DATE, sizeof(ISC_DATE), 0, 0, 0);
            break;
        case Kind::Time:
            set(SQL_TYPE_TIME, sizeof(ISC_TIME), 0, 0, 0);
            break;
        case Kind::Timestamp:
            set(SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP), 0, 0, 0);
            break;
        case Kind::BinaryBlob:
            setBlob(isc_blob_untyped, 0);
            break;
        case Kind::TextBlob:
            setBlob(isc_blob_text, preparedDb_->charsetId());
            break;
        }
    }
    FbRef<Firebird::IMessageMetadata> built(builder->getMetadata(st));
    buffer.assign(built->getMessageLength(st), 0);

    for (unsigned i = 0; i < positions_.size(); ++i) {
        const IBSQLParam& p = params_[size_t(positions_[i])];
        unsigned char* v = buffer.data() + built->getOffset(st, i);
        store<ISC_SHORT>(buffer.data() + built->getNullOffset(st, i), p.kind_ == Kind::Null ? -1 : 0);
        switch (p.kind_) {
        case Kind::Null:
            break;
        case Kind::Text:
            if ((built->getType(st, i) & ~1u) == SQL_BLOB) {
                store(v, writeBlob(st, att, tra, p.bytes_));
            } else {
                store(v, ISC_USHORT(p.bytes_.size()));
                std::memcpy(v + 2, p.bytes_.constData(), size_t(p.bytes_.size()));
            }
            break;
        case Kind::Integer:
            store(v, ISC_INT64(p.integer_));
            break;
        case Kind::Double:
            store(v, p.double_);
            break;
        case Kind::Boolean:
            *v = p.integer_ ? 1 : 0;
            break;
        case Kind::Date:
            store(v, fbvalue::encodeDate(p.date_));
            break;
        case Kind::Time:
            store(v, fbvalue::encodeTime(p.time_));
            break;
        case Kind::Timestamp:
            store(v, ISC_TIMESTAMP{fbvalue::encodeDate(p.date_), fbvalue::encodeTime(p.time_)});
            break;
        case Kind::BinaryBlob:
        case Kind::TextBlob:
            store(v, writeBlob(st, att, tra, p.bytes_));
            break;
        }
    }
    meta = built.take();
}

void TIBSQL::execQuery() {
    prepare();
    close();
    Firebird::ITransaction* tra = activeTransaction();
    for (const IBSQLParam& p : params_)
        if (p.kind_ == IBSQLParam::Kind::Text && p.bytes_.size() > 0xFFFF)
            throw layerError(isc::arith_except, QStringLiteral("パラメータ「%1」の文字列が長すぎます。").arg(p.name()));

    fbCall([&](Firebird::ThrowStatusWrapper* st) {
        Firebird::IMessageMetadata* inMeta = nullptr;
        std::vector<unsigned char> inBuffer;
        if (!positions_.empty())
            buildInput(st, tra, inMeta, inBuffer);
        FbRef<Firebird::IMessageMetadata> inMetaRef(inMeta);
        void* in = inBuffer.empty() ? nullptr : inBuffer.data();
        executed_ = true;
        if (hasCursor_) {
            cursor_ = statement_->openCursor(st, tra, inMeta, in, outMeta_, 0);
            fetch(st);
        } else {
            const bool output = !fields_.empty();
            statement_->execute(st, tra, inMeta, in, output ? outMeta_ : nullptr,
                                output ? outBuffer_.data() : nullptr);
            hasRow_ = output;
            eof_ = !output;
        }
    });
}

void TIBSQL::fetch(Firebird::ThrowStatusWrapper* st) {
    const bool row = cursor_->fetchNext(st, outBuffer_.data()) == Firebird::IStatus::RESULT_OK;
    hasRow_ = row;
    eof_ = !row;
}

void TIBSQL::next() {
    if (!cursor_)
        throw layerError(0, QStringLiteral("カーソルが開いていません。"));
    if (eof_)
        return;
    fbCall([&](Firebird::ThrowStatusWrapper* st) { fetch(st); });
}

void TIBSQL::close() {
    hasRow_ = false;
    eof_ = true;
    if (Firebird::IResultSet* cursor = std::exchange(cursor_, nullptr))
        endQuietly(cursor, [](Firebird::IResultSet* c, Firebird::ThrowStatusWrapper* st) { c->close(st); });
}

void TIBSQL::releaseMetadata() {
    if (inMeta_)
        std::exchange(inMeta_, nullptr)->release();
    if (outMeta_)
        std::exchange(outMeta_, nullptr)->release();
}

void TIBSQL::freeHandle() {
    close();
    releaseMetadata();
    if (Firebird::IStatement* statement = std::exchange(statement_, nullptr))
        endQuietly(statement, [](Firebird::IStatement* s, Firebird::ThrowStatusWrapper* st) { s->free(st); });
    fields_.clear();
    foldedIndex_.clear();
    exactIndex_.clear();
    outBuffer_.clear();
    executed_ = false;
    hasCursor_ = false;
    unregisterFrom(std::exchange(preparedDb_, nullptr));
}

qint64 TIBSQL::rowsAffected() {
    if (!statement_ || !executed_)
        return -1;
    return fbCall([&](Firebird::ThrowStatusWrapper* st) { return qint64(statement_->getAffectedRecords(st)); });
}

int TIBSQL::fieldCount() {
    prepare();
    return int(fields_.size());
}

IBSQLField& TIBSQL::fields(int index) {
    if (index < 0 || index >= fieldCount())
        throw layerError(isc::dsql_field_err, QStringLiteral("フィールド%1番がありません。").arg(index));
    return fields_[size_t(index)];
}

int TIBSQL::fieldIndex(const QString& name) const {
    if (const auto exact = exactIndex_.constFind(name); exact != exactIndex_.constEnd())
        return *exact;
    return foldedIndex_.value(name.trimmed().toCaseFolded(), -1);
}

bool TIBSQL::fieldExists(const QString& name) {
    prepare();
    return fieldIndex(name) >= 0;
}

IBSQLField& TIBSQL::fieldByName(const QString& name) {
    prepare();
    if (const int index = fieldIndex(name); index >= 0)
        return fields_[size_t(index)];
    throw layerError(isc::dsql_field_err, QStringLiteral("フィールド「%1」がありません。").arg(name));
}

QByteArray TIBSQL::readBlob(const ISC_QUAD& id) const {
    Firebird::ITransaction* tra = activeTransaction();
    return fbCall([&](Firebird::ThrowStatusWrapper* st) {
        return core::readBlob(st, preparedDb_->attachment(), tra, id);
    });
}

} // namespace core
