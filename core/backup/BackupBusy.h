#pragma once
// Backups, restores and validations wait for the engine or for gbak while window messages
// are processed, so a click handled during the wait could start another one on the same
// service objects, files and log. A guard refuses such a second start. Backups and restores
// (services and gbak alike) share one guard; validation has its own, since a restore may
// validate the database it reconnects through the data check.

#include <QString>

namespace core {

enum class BackupActivity { Transfer, Validation };

class BackupBusyGuard {
public:
    // Raises core::Exception (kBackupBusyMessage) while the activity already runs.
    explicit BackupBusyGuard(BackupActivity activity);
    ~BackupBusyGuard();
    BackupBusyGuard(const BackupBusyGuard&) = delete;
    BackupBusyGuard& operator=(const BackupBusyGuard&) = delete;

    static bool busy(BackupActivity activity);

private:
    bool& running_;
};

inline const QString kBackupBusyMessage =
    QStringLiteral("バックアップ・リストアまたはデータチェックの処理中です。\r終了してから実行して下さい。");

// Lets pending events run (when there is an application object) while a guarded operation
// waits.
void processPendingEvents();

} // namespace core
