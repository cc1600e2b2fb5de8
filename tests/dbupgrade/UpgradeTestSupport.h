#pragma once
// What the upgrade tests share: the base databases (the system database before its first
// step and company databases at 0.1.0, made once per test process from the DDL in data/ and
// copied per case), a session whose folders, data module and message service the steps use,
// and reads from a database file while no other attachment holds it.

#include "core/dm/TDM.h"
#include "tests/support/RecordingMessageService.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace upgradetest {

// The kinds of company data of the fixtures.
enum class CompanyKind { Houjin, KojinIppan, KojinFudousan, Iryou };
QString kindScriptName(CompanyKind kind); // "houjin", "kojin-ippan", …

// Template files, made once per process (forced writes off, and left off).
QString systemBaseTemplate();
QString companyBaseTemplate(CompanyKind kind);

// The folder of data/ in the sources.
QString dataDir();

// The globals the steps read, put back when the session ends: a data root in a temporary
// folder (system folder "data", data folder "data/0001", work, log), the sql folder of the
// sources, a data module, a recording message service and a fixed script clock.
class UpgradeSession {
public:
    UpgradeSession();
    ~UpgradeSession();
    UpgradeSession(const UpgradeSession&) = delete;
    UpgradeSession& operator=(const UpgradeSession&) = delete;

    QString root() const { return dir_.path(); }
    QString systemFile() const;  // SYSDIR/qmaccdef.fdb
    QString companyFile() const; // DataFolder/qmacc.fdb
    // Copies the template into place.
    void installSystemBase() const;
    void installCompanyBase(CompanyKind kind) const;

    testsupport::RecordingMessageService messages;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
    QTemporaryDir dir_;
    std::unique_ptr<testsupport::ScopedMessageService> scopedMessages_;
    std::unique_ptr<core::TDM> dm_;
};

// The fixed time of the scripts in the tests.
QDateTime fixedScriptTime();

// Opens the database file (embedded), runs one query and closes it again: the rows, each
// the columns joined by "|"; NULL reads as "<null>".
QStringList queryRows(const QString& file, const QString& sql);
QString queryValue(const QString& file, const QString& sql);
// Runs the statements, each committed, on the file.
void execute(const QString& file, const QStringList& statements);

// Adds to a system base the version trigger of step 0.3.1, for cases that start later.
void addVersionTrigger(const QString& systemFile);

// The text of a file (CP932 decoded); empty when missing.
QString readCp932File(const QString& path);

} // namespace upgradetest
