// The operator's facilities (本・支店) in the open company data set: the usual facility, the
// facility right and whether every facility may be used; and the key=value texts (XSTR) the
// facilities carry their extras in.
#include "core/dm/TDM.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"

#include <QRegularExpression>

namespace core {

namespace {

constexpr qint32 kDefaultFacilityColor = 16756608; // 0xFFAF80

void commitQuietly(TransactionScope& scope) {
    try {
        scope.commit();
    } catch (const std::exception&) {
        // The scope rolls the transaction back instead.
    }
}

// Takes the facility of every row (the last one wins); false when there was none.
bool takeFacilities(TIBSQL& q, QString& facilityName) {
    bool any = false;
    for (q.execQuery(); !q.eof(); q.next()) {
        any = true;
        const QString code = q.fieldByName(QStringLiteral("SCODE")).asString();
        SystemDef.FacilityCode2 = code.isEmpty() ? QStringLiteral(" ") : code;
        SystemDef.FacilityCode = SystemDef.FacilityCode2;
        SystemDef.FacilityKind = q.fieldByName(QStringLiteral("JIGYOKBN")).asInteger();
        SystemDef.FacilityColor =
            TDM::GetKeyValueVariant(q.fieldByName(QStringLiteral("XSTR")).asString(), QStringLiteral("COLOR")).toInt();
        facilityName = q.fieldByName(QStringLiteral("SNAME")).asString();
    }
    q.close();
    return any;
}

} // namespace

bool TDM::GetOpeDefSisetu(QString& facilityName) {
    facilityName.clear();
    const bool medical = AccInf.MedicalData != 0;
    TransactionScope scope(IBTransactionDAT);
    try {
        TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
        if (IsAdminOperator()) {
            if (!medical && AccInf.SITEN != 0) {
                q.sql() << QStringLiteral("SELECT SCODE,SNAME,1 AS JIGYOKBN,XSTR FROM SISETUMST")
                        << QStringLiteral("WHERE SCODE=(SELECT MIN(SCODE) FROM SISETUMST WHERE SCODE<>'')");
            } else if (!medical) {
                q.sql() << QStringLiteral("SELECT '' AS SCODE,SHOUGOU AS SNAME,1 AS JIGYOKBN,0 AS XSTR FROM ACCDEF1");
            } else if (AccInf.SITEN == 0) {
                throw Exception(QStringLiteral("このデータは医療法人データですが、施設管理がおこなわれていません。\r"
                                               "データが損傷している可能性があります。"));
            } else {
                q.sql() << QStringLiteral("SELECT SCODE,SNAME,MB_JIGYOU AS JIGYOKBN,XSTR FROM SISETUMST")
                        << QStringLiteral(
                               "WHERE SCODE=(SELECT MIN(SCODE) FROM SISETUMST WHERE (SCODE<>'') AND (SCODE<>'00'))");
            }
        } else {
            q.sql() << (medical ? QStringLiteral("SELECT O.SCODE,S.SNAME,S.MB_JIGYOU AS JIGYOKBN,S.XSTR FROM OPDEFSISETU O")
                                : QStringLiteral("SELECT O.SCODE,S.SNAME,1 AS JIGYOKBN,S.XSTR FROM OPDEFSISETU O"))
                    << QStringLiteral("INNER JOIN SISETUMST S ON (O.SCODE=S.SCODE)") << QStringLiteral("WHERE OPCODE=:OPCODE");
            q.paramByName(QStringLiteral("OPCODE")).setInteger(SystemDef.OPCODE);
        }
        const bool found = takeFacilities(q, facilityName);
        if (medical && !found) {
            q.sql() = QStringList{QStringLiteral("SELECT SCODE,SNAME,MB_JIGYOU AS JIGYOKBN,XSTR FROM SISETUMST"),
                                  QStringLiteral("WHERE SCODE='00'")};
            takeFacilities(q, facilityName);
        }
        scope.commit();
        return true;
    } catch (const std::exception& e) {
        const QString message = QStringLiteral("通常使用するデータ（本・支店）の取得に失敗しました。");
        if (const auto* db = dynamic_cast<const EIBError*>(&e))
            ReportFbAccessError(*db, QStringLiteral("TDM.GetOpeDefSisetu"), message, 0);
        else
            ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
        commitQuietly(scope);
        return false;
    }
}

bool TDM::ExistsOpeDefSisetu() {
    if (IsAdminOperator())
        return true;
    TransactionScope scope(IBTransactionDAT);
    TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
    q.sql() << QStringLiteral("SELECT OD.OPCODE,OD.SCODE FROM OPDEFSISETU OD")
            << QStringLiteral("INNER JOIN OPLICENSE OL ON (OD.OPCODE=OL.OPCODE)") << QStringLiteral("WHERE OD.OPCODE=:OPCODE");
    q.paramByName(QStringLiteral("OPCODE")).setInteger(SystemDef.OPCODE);
    q.execQuery();
    const bool exists = !q.eof();
    q.close();
    scope.commit();
    return exists;
}

bool TDM::CanUseAllSiten(qint32 opCode) {
    // The facility list of an administrator (or of code -1) is never filtered, and without
    // facilities in use (or with a SITEN value other than 1) the list does not depend on the
    // operator: both lists are the same.
    if (AccInf.SITEN != 1 || opCode == -1 || IsAdminOperator())
        return true;
    TransactionScope scope(IBTransactionDAT);
    try {
        // The facility list counts the facilities whose code is not blank; an operator's list
        // those he holds a right for.
        TIBSQL q(&IBDatabaseDAT, &IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT COUNT(S.SCODE) AS RECCNT FROM SISETUMST S")
                << QStringLiteral("WHERE (S.SCODE<>'')");
        q.execQuery();
        const qint32 all = q.fieldByName(QStringLiteral("RECCNT")).asInteger();
        q.close();
        q.sql() = QStringList{QStringLiteral("SELECT COUNT(S.SCODE) AS RECCNT FROM SISETUMST S"),
                              QStringLiteral("INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)"),
                              QStringLiteral("WHERE (S.SCODE<>'') AND (O.OPCODE=:OPCODE)")};
        q.paramByName(QStringLiteral("OPCODE")).setInteger(opCode);
        q.execQuery();
        const qint32 licensed = q.fieldByName(QStringLiteral("RECCNT")).asInteger();
        q.close();
        scope.commit();
        return all == licensed;
    } catch (const EIBError& e) {
        ReportFbAccessError(e, QStringLiteral("TDM.CanUseAllSiten"), QStringLiteral("支店リストの取得に失敗しました。"), 0);
        commitQuietly(scope);
        return false;
    }
}

QString TDM::GetKeyValue(const QString& keyValueText, const QString& key) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : keyValueText.split(lineBreak)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0 && line.left(equals).compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return {};
}

QVariant TDM::GetKeyValueVariant(const QString& keyValueText, const QString& key) {
    const QString upperKey = key.toUpper();
    const QString value = GetKeyValue(keyValueText, upperKey);
    if (upperKey != QLatin1String("COLOR"))
        return value;
    bool ok = false;
    const qint32 colour = value.trimmed().toInt(&ok);
    return value.isEmpty() || !ok || colour <= 0 ? kDefaultFacilityColor : colour;
}

} // namespace core
