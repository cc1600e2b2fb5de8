#pragma once
// The built-in catalogue of numbered messages of TMessageBox2.

#include "controls/dialogs/Message2Info.h"

namespace controls {

// Resets the record as an information message (InitMessage2Info kind 2) and fills it with
// the catalogue entry of the number; an unknown number leaves that message without lines.
void ApplyMessageCatalogue(qint32 msgNo, TMessage2InfoRec& info);

} // namespace controls
