// Small facts of the operation folder's company database, read and written through the
// module's own connection, so that a folder other than the open one can be used.
#include "communication/DataTusinCtl.h"
#include "communication/Subsystem9.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/ConnectionName.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBSQLField.h"
#include "core/db/IBSQLParam.h"
#include "core/db/IBTransaction.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"
#include "core/ui/MessageService.h"

namespace communication {

namespace {

const QString kKihon = QStringLiteral("基本設定");
const QString kInfoFailed = QStringLiteral("基本情報の取得に失敗しました。\r");
const QString kCloud = QStringLiteral("クラウドシェア");

// 11.0.1 or later: the versions whose ACCDEF1 holds the cloud-share columns.
bool HasCloudColumns(int major, int minor1, int minor2)
{
    return major >= 12 || (major >= 11 && minor1 >= 1) || (major >= 11 && minor1 == 0 && minor2 >= 1);
}

void Report(const std::exception& e, const QString& context, const QString& message, quint8 reconnect)
{
    if (const auto* db = dynamic_cast<const core::EIBError*>(&e))
        core::ReportFbAccessError(*db, context, message, reconnect);
    else
        core::ShowMessageWithDetail(message, QString::fromLocal8Bit(e.what()), core::MessageKind::Error);
}

} // namespace

void TDataTusinCtl::OpenDataFolderConnection()
{
    IBDatabaseDAT->close();
    IBDatabaseDAT->setSQLDialect(3);
    IBDatabaseDAT->params().clear();
    IBDatabaseDAT->setDatabaseName(core::databaseConnectionName(core::ConnectMode,
                                                                dataHostOverride_.isEmpty() ? core::SystemDef.HOSTNAME : dataHostOverride_,
                                                                OperationFolder(), QStringLiteral("qmacc.fdb")));
    IBDatabaseDAT->params() << QStringLiteral("user_name=") + core::SystemDef.USER
                            << QStringLiteral("password=") + core::SystemDef.PASSWORD
                            << QStringLiteral("lc_ctype=SJIS_0208");
    const QString message = QStringLiteral("ユーザーデータベースの接続処理に失敗しました。\rDBファイルが削除、破損 または 使用中の可能性がありますので接続パスを確認して下さい。");
    try {
        IBDatabaseDAT->open();
    } catch (const std::exception& e) {
        Report(e, QStringLiteral("Bunsan DatConnected"), message, 0);
    }
    // On an unconnected database this start fails, and the failure goes to the routine's caller.
    if (!IBTransaction1->inTransaction())
        IBTransaction1->startTransaction();
}

bool TDataTusinCtl::ReadGassanSetting()
{
    OpenDataFolderConnection();
    try {
        // A missing row reads as an empty text, which the receive then does not write back.
        const auto read = [&](const QString& code) {
            IBSQL3->close();
            IBSQL3->sql() = QStringList{QStringLiteral("SELECT * FROM ACCREG"),
                                        QStringLiteral("WHERE AGROUP=:AGROUP and ACODE=:ACODE")};
            IBSQL3->paramByName(QStringLiteral("AGROUP")).setString(kKihon);
            IBSQL3->paramByName(QStringLiteral("ACODE")).setString(code);
            IBSQL3->execQuery();
            const QString value = IBSQL3->eof() ? QString() : IBSQL3->fieldByName(QStringLiteral("ATEXT")).asString();
            IBSQL3->close();
            return value;
        };
        GassanKbn = read(QStringLiteral("合算データ区分"));
        GassanCount = read(QStringLiteral("合算データ数"));
    } catch (const std::exception& e) {
        IBSQL3->close();
        Report(e, QStringLiteral("ACCREG"), kInfoFailed, 1);
    }
    if (IBTransaction1->inTransaction())
        IBTransaction1->commit();
    IBDatabaseDAT->close();
    return true;
}

bool TDataTusinCtl::WriteGassanSetting()
{
    OpenDataFolderConnection();
    try {
        const auto write = [&](const QString& code, const QString& value) {
            IBSQL3->close();
            IBSQL3->sql() = QStringList{QStringLiteral("UPDATE ACCREG SET ATEXT=:ATEXT"),
                                        QStringLiteral("WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)")};
            IBSQL3->paramByName(QStringLiteral("ATEXT")).setString(value);
            IBSQL3->paramByName(QStringLiteral("AGROUP")).setString(kKihon);
            IBSQL3->paramByName(QStringLiteral("ACODE")).setString(code);
            IBSQL3->execSQL();
        };
        write(QStringLiteral("合算データ区分"), GassanKbn);
        write(QStringLiteral("合算データ数"), GassanCount);
        IBSQL3->close();
    } catch (const std::exception& e) {
        IBSQL3->close();
        Report(e, QStringLiteral("ACCREG"), kInfoFailed, 1);
    }
    if (IBTransaction1->inTransaction())
        IBTransaction1->commit();
    IBDatabaseDAT->close();
    return true;
}

bool TDataTusinCtl::HasApprovedJournals()
{
    OpenDataFolderConnection();
    bool approved = false;
    try {
        IBSQL3->close();
        IBSQL3->sql() = QStringList{QStringLiteral("SELECT COUNT(*) "), QStringLiteral("FROM SIWAKE_VIEW WHERE (SHONIN_OPCODE <> 0) ")};
        IBSQL3->execQuery();
        approved = !IBSQL3->eof() && IBSQL3->fields(0).asInteger() > 0;
        IBSQL3->close();
    } catch (const std::exception& e) {
        IBSQL3->close();
        Report(e, QStringLiteral("SIWAKE_VIEW"), kInfoFailed, 1);
    }
    if (IBTransaction1->inTransaction())
        IBTransaction1->commit();
    IBDatabaseDAT->close();
    return approved;
}

bool TDataTusinCtl::ClearCloudLine(bool versionOnly)
{
    OpenDataFolderConnection();
    try {
        IBSQL3->close();
        IBSQL3->sql() = QStringList{QStringLiteral("SELECT * FROM ACCVERSION"), QStringLiteral("WHERE REC=:REC")};
        IBSQL3->paramByName(QStringLiteral("REC")).setInteger(1);
        IBSQL3->execQuery();
        const int major = IBSQL3->fieldByName(QStringLiteral("MAJOR")).asInteger();
        const int minor1 = IBSQL3->fieldByName(QStringLiteral("MINOR1")).asInteger();
        const int minor2 = IBSQL3->fieldByName(QStringLiteral("MINOR2")).asInteger();
        IBSQL3->close();
        if (versionOnly) {
            DataVersion = {major, minor1, minor2};
        } else if (HasCloudColumns(major, minor1, minor2)) {
            IBSQL3->sql() = QStringList{QStringLiteral("UPDATE ACCDEF1 SET CLOUD_LINE=:CLOUD_LINE WHERE (REC=:REC) and (CLOUD_LINE<>:CLOUD_LINE) ")};
            IBSQL3->paramByName(QStringLiteral("REC")).setInteger(1);
            IBSQL3->paramByName(QStringLiteral("CLOUD_LINE")).setInteger(0);
            IBSQL3->execSQL();
            IBSQL3->close();
        }
        if (IBTransaction1->inTransaction())
            IBTransaction1->commit();
        IBDatabaseDAT->close();
        return true;
    } catch (const std::exception& e) {
        IBSQL3->close();
        Report(e, QStringLiteral("Cloud_Crear"), kCloud, 1);
        if (IBTransaction1->inTransaction())
            IBTransaction1->rollback();
        IBDatabaseDAT->close();
        return false;
    }
}

bool TDataTusinCtl::SetCloudTime(const QDateTime& time)
{
    OpenDataFolderConnection();
    try {
        IBSQL3->close();
        IBSQL3->sql() = QStringList{QStringLiteral("SELECT * FROM ACCVERSION"), QStringLiteral("WHERE REC=:REC")};
        IBSQL3->paramByName(QStringLiteral("REC")).setInteger(1);
        IBSQL3->execQuery();
        const bool columns = HasCloudColumns(IBSQL3->fieldByName(QStringLiteral("MAJOR")).asInteger(),
                                             IBSQL3->fieldByName(QStringLiteral("MINOR1")).asInteger(),
                                             IBSQL3->fieldByName(QStringLiteral("MINOR2")).asInteger());
        IBSQL3->close();
        if (columns) {
            IBSQL3->sql() = QStringList{QStringLiteral("UPDATE ACCDEF1 SET CLOUD_TIME=:CLOUD_TIME WHERE REC=:REC ")};
            IBSQL3->paramByName(QStringLiteral("REC")).setInteger(1);
            IBSQL3->paramByName(QStringLiteral("CLOUD_TIME")).setDateTime(time);
            IBSQL3->execSQL();
            IBSQL3->close();
        }
        if (IBTransaction1->inTransaction())
            IBTransaction1->commit();
        IBDatabaseDAT->close();
        return true;
    } catch (const std::exception& e) {
        IBSQL3->close();
        Report(e, QStringLiteral("Cloud_Time"), kCloud, 1);
        if (IBTransaction1->inTransaction())
            IBTransaction1->rollback();
        IBDatabaseDAT->close();
        return false;
    }
}

QString TDataTusinCtl::GetVersionLabel(int major, int minor)
{
    if (major == 11 && minor == 1)
        return QStringLiteral("19消改版");
    if (major == 6 && minor == 1)
        return QStringLiteral("14消改版");
    if (minor != 0)
        return QString::number(major) + QLatin1Char('.') + QString::number(minor);
    if (major == 1)
        return QStringLiteral("09版");
    if (major == 2)
        return QStringLiteral("10版");
    return QString::number(major + 8) + QStringLiteral("版");
}

bool TDataTusinCtl::SendAnalysisCloud()
{
    std::unique_ptr<IFtpWebDbSqlDump> upload = Factories.NewFtpWebDbSqlDump();
    const int line = view_.SelectedRow() + 1;
    const QString code = upload->UploadDump(CommunicationId(), line);
    const QString text = upload->StatusCodeMessage(code);
    if (code == QStringLiteral("000"))
        return true;
    core::showMessage(core::MessageKind::Error,
                      QStringLiteral("経営ゼブリククラウドデータを送信できません。 エラー : ") + code + QLatin1Char(' ') + text
                          + QStringLiteral("\r\n経営ゼブリククラウドサーバーメンテナンス中の可能性もあります。"),
                      core::mbYes);
    return false;
}

} // namespace communication
