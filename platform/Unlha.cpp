#include "platform/Unlha.h"

namespace platform {

int Unlha(const QString&, QString* output) {
    if (output)
        *output = QStringLiteral("not available yet");
    return 1;
}

int UnlhaCheckArchive(const QString&, int) { return 0; }

} // namespace platform
