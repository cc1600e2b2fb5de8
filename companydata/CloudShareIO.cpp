// Reading, setting and clearing the cloud-share line of a company data set.
#include "companydata/CloudShareIO.h"

#include "companydata/DataInfomation.h"
#include "companydata/DataInfomationRec.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/version/Version.h"

namespace companydata {

namespace {

const QString kContext = QStringLiteral("TComCloudShare.ClearSetting");
const QString kSetFailed = QStringLiteral("クラウドシェアの設定に失敗しました。");
const QString kGetFailed = QStringLiteral("クラウドシェアの参照に失敗しました。");
const QString kGetFailedOther = QStringLiteral("クラウドシェアの設定に参照しました。");
// Data sets of this schema version and older have no cloud-share line.
const QString kLastVersionWithoutLine = QStringLiteral("11.0.0");

} // namespace

TCloudShareIO::TCloudShareIO(core::TDM* dm) : dm_(dm ? *dm : core::RequireDM()) {
    transaction_.params() << QStringLiteral("read_committed") << QStringLiteral("rec_version")
                          << QStringLiteral("nowait");
    transaction_.setDefaultDatabase(&dm_.IBDatabaseDAT);
    query_.setDatabase(&dm_.IBDatabaseDAT);
    query_.setTransaction(&transaction_);
}

TCloudShareIO::~TCloudShareIO() = default;

bool TCloudShareIO::connect(const QString& host, const QString& folder, bool& connectedHere) {
    connectedHere = false;
    if (dm_.IBDatabaseDAT.connected())
        return true;
    // The data module reports a failed connection itself.
    connectedHere = dm_.fnAccDatConnected(host, folder, 0);
    return connectedHere;
}

QString TCloudShareIO::companyVersion() {
    QString version = QStringLiteral("0.0.0");
    query_.close();
    query_.sql() = QStringList{QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION"),
                               QStringLiteral("ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC")};
    query_.execQuery();
    if (!query_.eof())
        version = QStringLiteral("%1.%2.%3")
                      .arg(query_.fieldByName(QStringLiteral("MAJOR")).asInteger())
                      .arg(query_.fieldByName(QStringLiteral("MINOR1")).asInteger())
                      .arg(query_.fieldByName(QStringLiteral("MINOR2")).asInteger());
    query_.close();
    return version;
}

bool TCloudShareIO::SetSetting(const QString& host, const QString& folder, int line) {
    bool connectedHere = false;
    if (!connect(host, folder, connectedHere))
        return false;
    const bool started = !transaction_.inTransaction();
    bool result = false;
    try {
        if (started)
            transaction_.startTransaction();
        bool written = false;
        if (core::VersionGreater(companyVersion(), kLastVersionWithoutLine)) {
            query_.sql() = QStringList{QStringLiteral("UPDATE ACCDEF1 SET CLOUD_LINE=:CLOUD_LINE"),
                                       QStringLiteral("WHERE REC=1")};
            query_.paramByName(QStringLiteral("CLOUD_LINE")).setInteger(line);
            query_.execSQL();
            written = true;
        }
        if (started)
            transaction_.commit();
        // The information file follows the database only once the line is stored, so that a
        // failed commit leaves no mark the database does not hold.
        if (written && core::ConnectMode == 0) {
            TDataInfomation info;
            info.WriteIniValue(folder, kSectionDataInfo, false, line > 0 ? 1 : 0, QStringLiteral("CLOUD_SHARE"));
        }
        result = true;
    } catch (const core::EIBError& e) {
        if (started) {
            core::ReportFbAccessError(e, kContext, kSetFailed, 1);
            if (transaction_.inTransaction())
                transaction_.rollback();
        }
    } catch (const std::exception& e) {
        if (started) {
            core::ShowMessageWithDetail(kSetFailed, core::exceptionText(e), core::MessageKind::Error);
            if (transaction_.inTransaction())
                transaction_.rollback();
        }
    }
    if (connectedHere)
        dm_.AccDatDisconnect(folder, 0, 0);
    return result;
}

int TCloudShareIO::GetSetting(const QString& host, const QString& folder) {
    bool connectedHere = false;
    if (!connect(host, folder, connectedHere))
        return 0;
    const bool started = !transaction_.inTransaction();
    int result = 0;
    try {
        if (started)
            transaction_.startTransaction();
        int line = 0;
        if (core::VersionGreater(companyVersion(), kLastVersionWithoutLine)) {
            query_.sql() = QStringList{QStringLiteral("SELECT CLOUD_LINE FROM ACCDEF1"), QStringLiteral("WHERE REC=1")};
            query_.execQuery();
            for (; !query_.eof(); query_.next())
                line = query_.fieldByName(QStringLiteral("CLOUD_LINE")).asInteger();
            query_.close();
        }
        if (started)
            transaction_.commit();
        result = line;
    } catch (const core::EIBError& e) {
        if (started) {
            core::ReportFbAccessError(e, kContext, kGetFailed, 1);
            if (transaction_.inTransaction())
                transaction_.rollback();
        }
    } catch (const std::exception& e) {
        if (started) {
            core::ShowMessageWithDetail(kGetFailedOther, core::exceptionText(e), core::MessageKind::Error);
            if (transaction_.inTransaction())
                transaction_.rollback();
        }
    }
    if (connectedHere)
        dm_.AccDatDisconnect(folder, 0, 0);
    return result;
}

} // namespace companydata
