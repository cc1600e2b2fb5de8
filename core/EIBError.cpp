#include "core/EIBError.h"

namespace core {

EIBError::EIBError(long ibErrorCode, int sqlCode, const QString& message)
    : std::runtime_error(message.toStdString()), ibErrorCode_(ibErrorCode), sqlCode_(sqlCode), message_(message) {}

} // namespace core
