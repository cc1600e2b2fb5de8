#pragma once
// Shared pieces of the data-module tests: the program-wide state put back after each test, a
// data module whose later services are fakes, and database files to connect to.

#include "core/Globals.h"
#include "core/dm/DataSetMarks.h"
#include "core/dm/TDM.h"
#include "core/session/Identity.h"
#include "tests/core/QtPrinters.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace dmtest {

// Snapshots the globals a data-module test changes and restores them when it ends.
class ScopedSession {
public:
    ScopedSession()
        : systemDef_(core::SystemDef), connectMode_(core::ConnectMode), fatal_(core::FatalDbError),
          identity_(core::Identity), dataCheckHook_(core::DataCheckHook), dm_(core::DM), marks_(core::dataSetMarks()) {}
    ~ScopedSession() {
        core::SystemDef = systemDef_;
        core::ConnectMode = connectMode_;
        core::FatalDbError = fatal_;
        core::Identity = identity_;
        core::DataCheckHook = dataCheckHook_;
        core::DM = dm_;
        core::setDataSetMarks(marks_);
    }
    ScopedSession(const ScopedSession&) = delete;
    ScopedSession& operator=(const ScopedSession&) = delete;

private:
    core::TSystemDef systemDef_;
    quint8 connectMode_;
    bool fatal_;
    core::TIdentity identity_;
    core::TDataCheckHook dataCheckHook_;
    core::TDM* dm_;
    core::DataSetMarks* marks_;
};

// A data module whose short-name service can be replaced and whose data check only records.
class FakeDM : public core::TDM {
public:
    struct DataCheck {
        QString host;
        QString folder;
        int force;
        int quiet;
    };
    QList<DataCheck> dataChecks;
    std::function<QString(const QString&)> shortName; // empty: the path itself

    int CallDataCheckHook(const QString& host, const QString& folder, int force, int quiet) override {
        dataChecks << DataCheck{host, folder, force, quiet};
        return 1;
    }
    QString LongToShortFileName(const QString& path, int connectMode) override {
        return shortName ? shortName(path) : TDM::LongToShortFileName(path, connectMode);
    }
};

// Records what the data module asks of the company-data layer, and whether the company
// database was still connected at that moment.
class RecordingMarks : public core::DataSetMarks {
public:
    QStringList calls;
    bool failOnClose = false;

    void MarkInUse(const QString& folder, bool writeInfoFile) override {
        calls << QStringLiteral("in-use %1 file=%2 connected=%3").arg(folder).arg(writeInfoFile).arg(connected());
    }
    void MarkClosed(const QString& folder, bool writeInfoFile, bool updateList) override {
        calls << QStringLiteral("closed %1 file=%2 list=%3 connected=%4")
                     .arg(folder)
                     .arg(writeInfoFile)
                     .arg(updateList)
                     .arg(connected());
        if (failOnClose)
            throw std::runtime_error("information file not writable");
    }

private:
    static bool connected() { return core::DM && core::DM->IBDatabaseDAT.connected(); }
};

class ScopedMarks {
public:
    explicit ScopedMarks(core::DataSetMarks& marks) : previous_(core::setDataSetMarks(&marks)) {}
    ~ScopedMarks() { core::setDataSetMarks(previous_); }
    ScopedMarks(const ScopedMarks&) = delete;
    ScopedMarks& operator=(const ScopedMarks&) = delete;

private:
    core::DataSetMarks* previous_;
};

} // namespace dmtest
