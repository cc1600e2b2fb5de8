#include "core/backup/BackupBusy.h"

#include "core/Exception.h"

#include <QCoreApplication>

namespace core {

namespace {

// The GUI thread runs every guarded operation.
bool transferRunning = false;
bool validationRunning = false;

bool& flagOf(BackupActivity activity) {
    return activity == BackupActivity::Transfer ? transferRunning : validationRunning;
}

} // namespace

BackupBusyGuard::BackupBusyGuard(BackupActivity activity) : running_(flagOf(activity)) {
    if (running_)
        throw Exception(kBackupBusyMessage);
    running_ = true;
}

BackupBusyGuard::~BackupBusyGuard() {
    running_ = false;
}

bool BackupBusyGuard::busy(BackupActivity activity) {
    return flagOf(activity);
}

void processPendingEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace core
