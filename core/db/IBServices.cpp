#include "core/db/IBServices.h"

#include "core/db/ConnectionName.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/db/ParamBlock.h"
#include "core/db/ServiceSession.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <utility>

namespace core {

using service::OutputPoll;
using service::ServiceAddress;
using service::ServiceSession;

namespace {

int backupFlag(BackupOption option) {
    switch (option) {
    case BackupOption::IgnoreChecksums: return isc_spb_bkp_ignore_checksums;
    case BackupOption::IgnoreLimbo: return isc_spb_bkp_ignore_limbo;
    case BackupOption::MetadataOnly: return isc_spb_bkp_metadata_only;
    case BackupOption::NoGarbageCollection: return isc_spb_bkp_no_garbage_collect;
    case BackupOption::OldMetadataDesc: return isc_spb_bkp_old_descriptions;
    case BackupOption::NonTransportable: return isc_spb_bkp_non_transportable;
    case BackupOption::ConvertExtTables: return isc_spb_bkp_convert;
    }
    return 0;
}

int restoreFlag(RestoreOption option) {
    switch (option) {
    case RestoreOption::DeactivateIndexes: return isc_spb_res_deactivate_idx;
    case RestoreOption::NoShadow: return isc_spb_res_no_shadow;
    case RestoreOption::NoValidityCheck: return isc_spb_res_no_validity;
    case RestoreOption::OneRelationAtATime: return isc_spb_res_one_at_a_time;
    case RestoreOption::Replace: return isc_spb_res_replace;
    case RestoreOption::CreateNewDB: return isc_spb_res_create;
    case RestoreOption::UseAllSpace: return isc_spb_res_use_all_space;
    }
    return 0;
}

int validateFlag(ValidateOption option) {
    switch (option) {
    case ValidateOption::LimboTransactions: return isc_spb_rpr_list_limbo_trans;
    case ValidateOption::CheckDB: return isc_spb_rpr_check_db;
    case ValidateOption::IgnoreChecksum: return isc_spb_rpr_ignore_checksum;
    case ValidateOption::KillShadows: return isc_spb_rpr_kill_shadows;
    case ValidateOption::MendDB: return isc_spb_rpr_mend_db;
    case ValidateOption::SweepDB: return isc_spb_rpr_sweep_db;
    case ValidateOption::ValidateDB: return isc_spb_rpr_validate_db;
    case ValidateOption::ValidateFull: return isc_spb_rpr_validate_db | isc_spb_rpr_full;
    }
    return 0;
}

template <typename Option>
int flags(const std::set<Option>& options, int (*flag)(Option)) {
    int result = 0;
    for (Option option : options)
        result |= flag(option);
    return result;
}

// An attachment to a database the service works on, with the service's parameter lines.
void openDatabase(TIBDatabase& db, const ServiceAddress& address, const QString& fileName) {
    db.setDatabaseName(address.databasePrefix + fileName);
    db.params() = address.params;
    db.open();
}

void dropDatabase(const ServiceAddress& address, const QString& fileName) {
    TIBDatabase db;
    openDatabase(db, address, fileName);
    db.dropDatabase();
}

// Whether a restore that ended without error really finished: gbak keeps the new database in
// single-user shutdown until its very end, and a backup file that ends early makes it stop
// there without reporting an error.
bool restoredCompletely(const ServiceAddress& address, const QString& fileName) {
    TIBDatabase db;
    openDatabase(db, address, fileName);
    TIBTransaction transaction;
    transaction.addDatabase(&db);
    transaction.startTransaction();
    TIBSQL query(&db, &transaction);
    query.sql() << QStringLiteral("SELECT MON$SHUTDOWN_MODE FROM MON$DATABASE");
    query.execQuery();
    const int mode = query.fields(0).asInteger();
    transaction.commit();
    return mode == 0;
}

EIBError backupEndsEarly(const QStringList& backupFiles) {
    return layerError(isc::gbak_unexp_eof, QStringLiteral("バックアップファイル「%1」が途中で終わっています。")
                                               .arg(backupFiles.join(QStringLiteral("」「"))));
}

} // namespace

// ---- TIBCustomService ----

TIBCustomService::TIBCustomService() = default;
TIBCustomService::~TIBCustomService() = default;

ServiceAddress TIBCustomService::address() const {
    ServiceAddress result;
    if (protocol_ == Protocol::TCP) {
        if (serverName_.isEmpty())
            throw layerError(isc::bad_spb_form, QStringLiteral("TCP で接続するサービスにサーバー名がありません。"));
        result.serviceName = serverName_ + QStringLiteral(":service_mgr");
        result.databasePrefix = serverName_ + QLatin1Char(':');
    } else {
        result.serviceName = QStringLiteral("service_mgr");
    }
    result.params = params_;
    return result;
}

void TIBCustomService::attach() {
    if (!session_)
        session_ = std::make_unique<ServiceSession>(address());
}

void TIBCustomService::detach() {
    session_.reset();
}

void TIBCustomService::reattach() {
    session_.reset();
    attach();
}

ServiceSession& TIBCustomService::session() {
    if (!session_)
        throw layerError(isc::bad_svc_handle, QStringLiteral("サービスに接続していません。"));
    return *session_;
}

// ---- TIBControlAndQueryService ----

void TIBControlAndQueryService::startAction(const ParamBlock& request, bool showOutput) {
    showOutput_ = showOutput;
    try {
        session().start(request);
    } catch (...) {
        eof_ = true;
        actionFailed();
        throw;
    }
    eof_ = false;
}

QString TIBControlAndQueryService::getNextLine() {
    if (eof_)
        return {};
    try {
        const OutputPoll poll = session().readLine();
        const bool show = showOutput_;
        if (poll.finished)
            eof_ = !nextAction();
        return poll.hasLine && show ? poll.line : QString();
    } catch (...) {
        eof_ = true;
        actionFailed();
        throw;
    }
}

void TIBControlAndQueryService::runToEnd(const LineCallback& onLine, const std::function<void()>& onIdle) {
    while (!eof()) {
        const QString line = getNextLine();
        if (!line.trimmed().isEmpty() && onLine)
            onLine(line);
        if (onIdle)
            onIdle();
    }
}

// ---- TIBBackupService ----

void TIBBackupService::serviceStart() {
    ParamBlock request(ParamBlock::Kind::ServiceStart);
    request.tag(isc_action_svc_backup).bytes(isc_spb_dbname, toNativeName(databaseName_));
    for (const QString& file : backupFiles_)
        request.bytes(isc_spb_bkp_file, toNativeName(file));
    if (verbose_)
        request.tag(isc_spb_verbose);
    request.integer(isc_spb_options, flags(options_, backupFlag));
    startAction(request);
}

// ---- TIBRestoreService ----

namespace {

// A name the server resolves as a path (not an alias), so that a file beside it can be named.
bool isPath(const QString& name) {
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'));
}

} // namespace

void TIBRestoreService::startRestore(const QStringList& databases, const RestoreOptions& options, bool verbose,
                                     bool showOutput) {
    ParamBlock request(ParamBlock::Kind::ServiceStart);
    request.tag(isc_action_svc_restore);
    for (const QString& file : backupFiles_)
        request.bytes(isc_spb_bkp_file, toNativeName(file));
    for (const QString& database : databases)
        request.bytes(isc_spb_dbname, toNativeName(database));
    if (verbose)
        request.tag(isc_spb_verbose);
    if (pageBuffers_ > 0)
        request.integer(isc_spb_res_buffers, pageBuffers_);
    if (pageSize_ > 0)
        request.integer(isc_spb_res_page_size, pageSize_);
    request.integer(isc_spb_options, flags(options, restoreFlag));
    startAction(request, showOutput);
}

void TIBRestoreService::serviceStart() {
    session(); // raises when not attached
    scratchNames_.clear();
    const bool trialFirst = options_.contains(RestoreOption::Replace) && !databaseNames_.isEmpty() &&
                            std::all_of(databaseNames_.cbegin(), databaseNames_.cend(), isPath);
    if (trialFirst) {
        const QString suffix =
            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        for (const QString& name : databaseNames_)
            scratchNames_ << name + suffix;
        RestoreOptions trialOptions = options_;
        trialOptions.erase(RestoreOption::Replace);
        trialOptions.insert(RestoreOption::CreateNewDB);
        // Its lines only keep the caller's loop turning; those of the restore that counts
        // come after it.
        phase_ = Phase::Trial;
        startRestore(scratchNames_, trialOptions, true, false);
    } else {
        phase_ = Phase::Final;
        startRestore(databaseNames_, options_, verbose_, true);
    }
}

bool TIBRestoreService::nextAction() {
    if (phase_ == Phase::Trial) {
        // Should anything here fail, actionFailed() drops the scratch database.
        if (!restoredCompletely(address(), scratchNames_.value(0)))
            throw backupEndsEarly(backupFiles_);
        dropQuietly(std::exchange(scratchNames_, {}));
        // The backup restores completely: now it may replace the target.
        phase_ = Phase::Final;
        reattach();
        startRestore(databaseNames_, options_, verbose_, true);
        return true;
    }
    phase_ = Phase::Idle;
    if (!restoredCompletely(address(), databaseNames_.value(0))) {
        if (!options_.contains(RestoreOption::Replace))
            dropQuietly(databaseNames_); // the partial database this restore created
        throw backupEndsEarly(backupFiles_);
    }
    return false;
}

void TIBRestoreService::actionFailed() {
    if (phase_ == Phase::Trial)
        dropQuietly(scratchNames_);
    scratchNames_.clear();
    phase_ = Phase::Idle;
}

void TIBRestoreService::dropQuietly(const QStringList& databases) {
    // The first file of a database names all of it; an error here must not hide the
    // outcome of the restore itself.
    if (databases.isEmpty())
        return;
    try {
        dropDatabase(address(), databases.first());
    } catch (const EIBError&) {
    }
}

// ---- TIBValidationService ----

void TIBValidationService::serviceStart() {
    ParamBlock request(ParamBlock::Kind::ServiceStart);
    request.tag(isc_action_svc_repair)
        .bytes(isc_spb_dbname, toNativeName(databaseName_))
        .integer(isc_spb_options, flags(options_, validateFlag));
    startAction(request);
}

// ---- TIBServerProperties ----

TDatabaseInfo TIBServerProperties::fetchDatabaseInfo() {
    const QByteArray answer = session().query(QByteArray(1, char(isc_info_svc_svr_db_info)));
    const char* p = answer.constData();
    const char* end = p + answer.size();
    auto fault = [](const QString& what) {
        return layerError(isc::bad_spb_form, QStringLiteral("データベースの一覧を読み取れません（%1）。").arg(what));
    };
    auto need = [&](qsizetype bytes) {
        if (end - p < bytes)
            throw fault(QStringLiteral("途中で切れています"));
    };
    auto number = [&](int bytes) {
        need(bytes);
        const unsigned value = service::answerInteger(p, bytes);
        p += bytes;
        return value;
    };

    TDatabaseInfo info;
    need(1);
    if (*p++ != char(isc_info_svc_svr_db_info))
        throw fault(QStringLiteral("一覧がありません"));
    for (;;) {
        need(1);
        const char item = *p++;
        if (item == char(isc_info_flag_end))
            break;
        if (item == char(isc_spb_num_att)) {
            info.noOfAttachments = static_cast<int>(number(4));
        } else if (item == char(isc_spb_num_db)) {
            info.noOfDatabases = static_cast<int>(number(4));
        } else if (item == char(isc_spb_dbname)) {
            const unsigned length = number(2);
            need(length);
            info.dbName << fromNativeName(QByteArray(p, length));
            p += length;
        } else {
            throw fault(QStringLiteral("不明な項目 %1").arg(int(item)));
        }
    }
    databaseInfo_ = info;
    return info;
}

bool sameDatabaseFile(const QString& a, const QString& b) {
    auto canonical = [](const QString& name) {
        const QFileInfo file(name);
        const QString path = file.canonicalFilePath();
        return path.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : path;
    };
    return canonical(a) == canonical(b);
}

} // namespace core
