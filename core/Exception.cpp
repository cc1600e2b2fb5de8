#include "core/Exception.h"

namespace core {

Exception::Exception(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

EAbort::EAbort() : Exception(QStringLiteral("Operation aborted")) {}

void Abort() {
    throw EAbort();
}

} // namespace core
