#include "core/db/FbStatus.h"

#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringList>

namespace core {

Firebird::IMaster* fbMaster() {
    static Firebird::IMaster* const master = Firebird::fb_get_master_interface();
    return master;
}

QString decodeServerText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? platform::fromCp932(bytes) : text;
}

EIBError toEIBError(Firebird::IStatus* status) {
    const ISC_STATUS* vector = status->getErrors();
    const long code = (vector[0] == isc_arg_gds) ? long(vector[1]) : 0;
    const int sqlCode = code ? int(isc_sqlcode(vector)) : 0;

    QStringList lines;
    const ISC_STATUS* cursor = vector;
    char buffer[1024];
    while (fb_interpret(buffer, sizeof buffer, &cursor) > 0)
        lines.append(decodeServerText(QByteArray(buffer)));
    return EIBError(code, sqlCode, lines.join(QLatin1Char(' ')));
}

EIBError layerError(long ibErrorCode, const QString& message) {
    int sqlCode = 0;
    if (ibErrorCode) {
        const ISC_STATUS vector[] = {isc_arg_gds, ISC_STATUS(ibErrorCode), isc_arg_end};
        sqlCode = int(isc_sqlcode(vector));
    }
    return EIBError(ibErrorCode, sqlCode, message);
}

} // namespace core
