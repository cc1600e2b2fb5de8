#pragma once
// The company of the analysis-cloud dump tests: the company schema with a few rows of every
// value kind, made once per test program and copied for each test; and a session that puts
// the data module, the session records and a recording message service in place for one copy.

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "tests/support/RecordingMessageService.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace dumptest {

// Path of the shared fixture company (made on first use); throws on failure.
QString fixtureCompany();

// Runs each statement in its own committed transaction.
void execAll(core::TIBDatabase& db, const QStringList& statements);

class DumpSession {
public:
    // Copies the company file into a temporary folder and connects the data module to it.
    // version: the company data version the dump sees (major, minor, release).
    explicit DumpSession(const QString& companyFile, int dataType = 1, int major = 15, int minor = 0, int release = 0);
    ~DumpSession();
    DumpSession(const DumpSession&) = delete;
    DumpSession& operator=(const DumpSession&) = delete;

    QString folder() const { return dir_.path(); }
    QString dumpPath() const;
    QByteArray dumpBytes() const;
    // Runs statements on the session's company connection, committed.
    void exec(const QStringList& statements);

    core::TDM dm;
    testsupport::RecordingMessageService messages;

private:
    QTemporaryDir dir_;
    core::TSystemDef systemDef_;
    core::TACCINF accInf_;
    core::TDM* previousDm_;
    std::unique_ptr<testsupport::ScopedMessageService> scopedMessages_;
};

} // namespace dumptest
