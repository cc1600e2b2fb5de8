// Journal-entry counts of a facility or of the whole company.
#include "core/dm/TDM.h"

#include "core/errors/FbAccessError.h"

namespace core {

namespace {

bool isBlank(const QString& code) {
    return code.trimmed().isEmpty();
}

// Runs the count query and gives its first column (0 for no row or NULL).
qint32 firstColumn(TDM& dm, const QStringList& sql, const QString& facilityCode) {
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() = sql;
    if (!isBlank(facilityCode))
        q.paramByName(QStringLiteral("SCODE")).setString(facilityCode);
    q.execQuery();
    const qint32 count = q.eof() ? 0 : q.fields(0).asInteger();
    q.close();
    return count;
}

qint32 validCount(TDM& dm, const QString& facilityCode) {
    const QStringList sql = isBlank(facilityCode)
                                ? QStringList{QStringLiteral("SELECT SUM(SIWAKECOUNT) AS SWKCNT FROM SISETUMST")}
                                : QStringList{QStringLiteral("SELECT SIWAKECOUNT AS SWKCNT FROM SISETUMST"),
                                              QStringLiteral("WHERE (SCODE=:SCODE)")};
    return firstColumn(dm, sql, facilityCode);
}

qint32 updatedDeletedCount(TDM& dm, const QString& facilityCode) {
    QStringList sql{QStringLiteral("SELECT COUNT(REC) AS SWKCNT FROM SIWAKE"),
                    QStringLiteral("WHERE (DELFLG IN (1,2) AND TAISHAKU=1)")};
    if (!isBlank(facilityCode))
        sql << QStringLiteral("AND (SCODE=:SCODE)");
    return firstColumn(dm, sql, facilityCode);
}

// The counting rule: a transaction started here is committed also after an error, a
// database error is logged under the context, and every error reaches the caller.
template <typename Count>
qint32 counted(TDM& dm, const QString& context, Count count) {
    TransactionScope scope(dm.IBTransactionDAT);
    try {
        const qint32 result = count();
        scope.commit();
        return result;
    } catch (const std::exception& e) {
        try {
            scope.commit();
        } catch (const std::exception&) {
        }
        if (const auto* db = dynamic_cast<const EIBError*>(&e))
            ReportFbAccessError(*db, context, QString(), 0);
        throw;
    }
}

} // namespace

qint32 TDM::GetYukouSiwakeCount(const QString& facilityCode) {
    return counted(*this, QStringLiteral("TDM.GetYukouSiwakeCount"), [&] { return validCount(*this, facilityCode); });
}

qint32 TDM::GetUpDelSiwakeCount(const QString& facilityCode) {
    return counted(*this, QStringLiteral("TDM.GetUpDelSiwakeCount"),
                   [&] { return updatedDeletedCount(*this, facilityCode); });
}

qint32 TDM::GetSiwakeCount(const QString& facilityCode, qint32& valid, qint32& updatedDeleted) {
    return counted(*this, QStringLiteral("TDM.GetSiwakeCount"), [&] {
        valid = validCount(*this, facilityCode);
        updatedDeleted = updatedDeletedCount(*this, facilityCode);
        return valid + updatedDeleted;
    });
}

qint32 TDM::GetSiwakeCountTotal(const QString& facilityCode) {
    qint32 valid = 0;
    qint32 updatedDeleted = 0;
    return GetSiwakeCount(facilityCode, valid, updatedDeleted);
}

} // namespace core
