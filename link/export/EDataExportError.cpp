#include "link/export/EDataExportError.h"

namespace taxreturn {

EDataExportError::EDataExportError(const QString& message, int code, const QString& detail)
    : std::runtime_error(message.toStdString()), Detail(detail), ErrorCode(code), message_(message)
{
}

} // namespace taxreturn
