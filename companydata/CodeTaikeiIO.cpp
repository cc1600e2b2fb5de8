// The USERCODE side of the code-system file: checking the product category, writing one row
// and repairing the data-type and code-type columns of older rows.
#include "companydata/CodeTaikeiIO.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/ui/MessageService.h"
#include "platform/Cp932.h"

namespace companydata {

namespace {

const QString kUpdateFailed = QStringLiteral("コード体系の更新に失敗しました。");
const QString kRepairFailed = QStringLiteral("コード体系の区分修復に失敗しました。");

qint32 numberOrZero(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

TCodeTaikeiIO::TCodeTaikeiIO() {
    core::TDM& dm = core::RequireDM();
    sql_ = std::make_unique<core::TIBSQL>(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    query_ = std::make_unique<core::TIBSQL>(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
    splitter_.Delimiter = u',';
    splitter_.Mode = 0;
    KubunSyufuku();
}

TCodeTaikeiIO::~TCodeTaikeiIO() = default;

bool TCodeTaikeiIO::CheckSeihinKubun(const QString& seihinKubun, QString& message) const {
    const QString expected = core::AppInfo.OEM + core::AppInfo.VerTest;
    const bool accepted = core::EditionFlag == 0 ? (seihinKubun.isEmpty() || seihinKubun == expected)
                                                 : seihinKubun == expected;
    message.clear();
    if (!accepted)
        message = QStringLiteral("このプログラムでは、該当のデータ（製品区分）を処理することが出来ません。") +
                  core::AppInfo.AppTitle + QStringLiteral("以外で作成されたデータの可能性があります。");
    return accepted;
}

bool TCodeTaikeiIO::LoadCodeTaikeiFile(const QString& fileName, qint32 recNo) {
    TCodeTaikeiRec2 record;
    record.RecNo = recNo;
    SortCodeTaikeiLines(ReadCodeTaikeiFileLines(fileName), record);
    QString message;
    if (!CheckSeihinKubun(record.SeihinKubun, message)) {
        core::showMessage(core::MessageKind::Information, message, core::mbOK);
        return false;
    }
    return UpDateRecored(record);
}

bool TCodeTaikeiIO::UpDateRecored(const TCodeTaikeiRec2& record) {
    if (record.Name.isEmpty() || record.DataType == 0 || record.CodeType == 0)
        return false;
    core::TDM& dm = core::RequireDM();
    try {
        core::TransactionScope scope(dm.IBTransactionDEF);
        sql_->close();
        sql_->sql().clear();
        sql_->sql() << QStringLiteral("UPDATE USERCODE SET NAME=:NAME,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,")
                    << QStringLiteral("INIDAT1=:INIDAT1,INIDAT2=:INIDAT2,INIDAT3=:INIDAT3,INIDAT4=:INIDAT4,"
                                      "INIDAT5=:INIDAT5,INIDAT6=:INIDAT6,INIDAT7=:INIDAT7,INIDAT8=:INIDAT8")
                    << QStringLiteral("WHERE RECNO=:RECNO");
        sql_->paramByName(QStringLiteral("NAME")).setString(record.Name);
        sql_->paramByName(QStringLiteral("DATATYPE")).setInteger(record.DataType);
        sql_->paramByName(QStringLiteral("CODETYPE")).setInteger(record.CodeType);
        for (int n = 0; n < 8; ++n)
            sql_->paramByName(QStringLiteral("INIDAT%1").arg(n + 1)).setBlob(CodeTaikeiBlob(record.IniDat[size_t(n)]));
        sql_->paramByName(QStringLiteral("RECNO")).setInteger(record.RecNo);
        sql_->execSQL();
        scope.commit();
        return true;
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TCodeTaikeiIO.UpDateRecored"), kUpdateFailed, 0);
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(kUpdateFailed, core::exceptionText(e), core::MessageKind::Error);
    }
    return false;
}

void TCodeTaikeiIO::KubunSyufuku() {
    core::TDM& dm = core::RequireDM();
    try {
        core::TransactionScope scope(dm.IBTransactionDEF);
        query_->close();
        query_->sql().clear();
        query_->sql() << QStringLiteral("SELECT RECNO,INIDAT1 FROM USERCODE")
                      << QStringLiteral("WHERE DATATYPE=1 AND CODETYPE=1");
        query_->execQuery();
        for (; !query_->eof(); query_->next()) {
            // The header line carries the true values.
            splitter_.Split(platform::fromCp932(query_->fieldByName(QStringLiteral("INIDAT1")).asBytes()));
            const qint32 dataType = numberOrZero(splitter_.GetItem(2));
            const qint32 codeType = numberOrZero(splitter_.GetItem(3));
            // A header without a data type (an empty or damaged INIDAT1) says nothing: the row
            // keeps its values rather than being set to 0/0, which no code system has.
            if (dataType == 1 || dataType == 0)
                continue;
            sql_->close();
            sql_->sql().clear();
            sql_->sql() << QStringLiteral("UPDATE USERCODE SET DATATYPE=:DATATYPE,CODETYPE=:CODETYPE")
                        << QStringLiteral("WHERE RECNO=:RECNO");
            sql_->paramByName(QStringLiteral("DATATYPE")).setInteger(dataType);
            sql_->paramByName(QStringLiteral("CODETYPE")).setInteger(codeType);
            sql_->paramByName(QStringLiteral("RECNO")).setInteger(query_->fieldByName(QStringLiteral("RECNO")).asInteger());
            sql_->execSQL();
        }
        query_->close();
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TCodeTaikeiIO.KubunSyufuku"), kRepairFailed, 0);
    } catch (const std::exception&) {
        core::showMessage(core::MessageKind::Error, kRepairFailed);
    }
}

} // namespace companydata
