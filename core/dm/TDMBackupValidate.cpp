// Validation of a company database through the validation service.
#include "core/dm/TDM.h"

#include "core/EIBError.h"
#include "core/backup/BackupBusy.h"
#include "core/backup/BackupSteps.h"
#include "core/errors/FbAccessError.h"

namespace core {

ValidationOutcome TDM::ValidateFDBOutcome(Protocol protocol, const QString& server, const QString& databaseFile) {
    const bool wasConnected = IBDatabaseDAT.connected();
    ValidationOutcome outcome = ValidationOutcome::NotChecked;
    try {
        BackupBusyGuard guard(BackupActivity::Validation);
        if (wasConnected)
            IBDatabaseDAT.close();
        configureService(IBValidationService1, protocol, server);
        IBValidationService1.setDatabaseName(databaseFile);
        // Checks everything and mends nothing.
        IBValidationService1.setOptions({ValidateOption::IgnoreChecksum, ValidateOption::ValidateFull});
        IBValidationService1.attach();
        IBValidationService1.serviceStart();
        outcome = ValidationOutcome::Valid;
        while (!IBValidationService1.eof()) {
            // Any finding comes as a line; a sound database gives none.
            if (!IBValidationService1.getNextLine().trimmed().isEmpty()) {
                outcome = ValidationOutcome::Damaged;
                break;
            }
            processPendingEvents();
        }
    } catch (const EIBError& e) {
        outcome = validationOutcomeOfError(e.ibErrorCode());
    } catch (const std::exception&) {
        outcome = ValidationOutcome::NotChecked;
    }
    IBValidationService1.detach();

    if (wasConnected && !IBDatabaseDAT.connected()) {
        // Not through fnAccDatConnected: its failure would start the data check, which is
        // what called this.
        try {
            IBDatabaseDAT.open();
        } catch (const EIBError& e) {
            ReportFbAccessError(e, QStringLiteral("TDM.ValidateFDB"),
                                QStringLiteral("ユーザーデータベースの接続処理に失敗しました。"), 0);
        }
    }
    return outcome;
}

bool TDM::ValidateFDB(Protocol protocol, const QString& server, const QString& databaseFile) {
    return ValidateFDBOutcome(protocol, server, databaseFile) != ValidationOutcome::Damaged;
}

} // namespace core
