#pragma once
// The archive steps that the data send and receive and the cash-book exchange share: packing
// the backup, enciphering, deciphering and unpacking, and the report of a failed transfer.
// A step gives nothing when it succeeded, else the failure its caller reports after closing the
// progress dialog.

#include "communication/CommArchive.h"

#include <QString>

#include <functional>
#include <optional>

namespace communication {

struct TStepFailure {
    enum Kind {
        Silent,     // ends without a message of its own
        LocalError, // error with a single Yes button
        NetError,   // error with an OK button
        Warning,
    };
    Kind kind = Silent;
    QString text;
};
using TStepResult = std::optional<TStepFailure>;

void ReportStepFailure(const TStepFailure& failure);

// The packing texts that differ between the callers: the archiver's refusal and an archiver that
// threw.
struct TPackTexts {
    QString refused;
    QString threw;
};

// Packs the backup into the archive (Esc held off meanwhile) and tests it; pause runs between.
TStepResult PackArchive(const TArchiveFiles& files, const TPackTexts& texts, const std::function<void()>& pause);
TStepResult EncipherArchive(const TArchiveFiles& files, const QString& password);
TStepResult DecipherArchive(const TArchiveFiles& files, const QString& password);
// Unpacks the archive into its folder (Esc held off meanwhile).
TStepResult UnpackArchive(const TArchiveFiles& files);

TStepResult PutFailure(PutResult result);
TStepResult GetFailure(GetResult result);

} // namespace communication
