#include "core/db/FbStatus.h"

#include "core/errors/ConnectionLoss.h"
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

namespace {

// A broken attachment, by any of the codes of the vector (the first may be the general network
// error), is noted for the program's end (core/errors/ConnectionLoss.h).
void noteBrokenAttachment(const ISC_STATUS* vector, const EIBError& error) {
    for (const ISC_STATUS* at = vector; *at != isc_arg_end;) {
        const ISC_STATUS kind = *at++;
        if (kind == isc_arg_cstring) {
            at += 2;
            continue;
        }
        const ISC_STATUS value = *at++;
        if (kind == isc_arg_gds && long(value) != isc::network_error && IsConnectionLostCode(long(value))) {
            NoteDatabaseError(EIBError(long(value), error.sqlCode(), error.message()));
            return;
        }
    }
}

} // namespace

EIBError toEIBError(Firebird::IStatus* status) {
    const ISC_STATUS* vector = status->getErrors();
    const long code = (vector[0] == isc_arg_gds) ? long(vector[1]) : 0;
    const int sqlCode = code ? int(isc_sqlcode(vector)) : 0;

    QStringList lines;
    const ISC_STATUS* cursor = vector;
    char buffer[1024];
    while (fb_interpret(buffer, sizeof buffer, &cursor) > 0)
        lines.append(decodeServerText(QByteArray(buffer)));
    EIBError error(code, sqlCode, lines.join(QLatin1Char(' ')));
    noteBrokenAttachment(vector, error);
    return error;
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
