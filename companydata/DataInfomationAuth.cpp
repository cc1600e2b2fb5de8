// The operator's right to a data set and the data set's password.
#include "companydata/DataInfomation.h"

#include "companydata/OwnTransaction.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/ui/MessageService.h"

namespace companydata {

namespace {

const QString kKengenFailed = QStringLiteral("データ使用権限の問い合わせに失敗しました。");
const QString kPasswordFailed = QStringLiteral("データのパスワード認証に失敗しました。");

void showTwoLines(const QString& first, const QString& second) {
    core::showMessage(core::MessageKind::Information, first + QLatin1Char('\r') + second, core::mbOK);
}

} // namespace

bool TDataInfomation::IsDataSiyouKengen(const QString& folder) {
    if (folder.isEmpty())
        return false;
    core::TDM& dm = core::RequireDM();
    if (!dm.FExist(DataFileName(folder), DataPlace) || dm.IsAdminOperator())
        return true;
    bool answer = false;
    if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 0))
        return false;
    bool started = false;
    try {
        OwnTransaction tr(dm.IBTransactionDAT);
        started = tr.started();
        answer = dm.ExistsOpeDefSisetu();
        // The facility list of the operator must hold every facility of the data set.
        if (answer && dm.fnGetAccInfo())
            answer = dm.CanUseAllSiten(core::SystemDef.OPCODE);
        if (!answer)
            showTwoLines(QStringLiteral("このデータを扱う権限がありません、他のデータを選択して下さい。"),
                         QStringLiteral("権限を付与するには管理者でログインし、「オペレータ登録」より[選択中のデータを処理します]"
                                        "にチェックを入れて下さい。"));
        tr.finish();
    } catch (const core::EIBError& e) {
        answer = false;
        if (started)
            core::ReportFbAccessError(e, QStringLiteral("TDataInfomation.IsDataSiyouKengen"), kKengenFailed, 0);
    } catch (const std::exception& e) {
        answer = false;
        if (started)
            core::ShowMessageWithDetail(kKengenFailed, core::exceptionText(e), core::MessageKind::Error);
    }
    dm.AccDatDisconnect(folder, 0, 0);
    return answer;
}

bool TDataInfomation::IsDataPasswordAuth(const QString& folder) {
    if (folder.isEmpty())
        return false;
    core::TDM& dm = core::RequireDM();
    if (!dm.FExist(DataFileName(folder), DataPlace))
        return true;
    if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 0))
        return false;
    bool answer = false;
    bool started = false;
    try {
        OwnTransaction tr(dm.IBTransactionDAT);
        started = tr.started();
        if (dm.fnGetAccInfo()) {
            answer = dm.CheckDataPassword();
            if (!answer)
                showTwoLines(QStringLiteral("このデータに設定されている「パスワード」と一致しませんでした。"),
                             QStringLiteral("他のデータを選択して下さい。"));
        }
        tr.finish();
    } catch (const core::EIBError& e) {
        answer = false;
        if (started)
            core::ReportFbAccessError(e, QStringLiteral("TDataInfomation.IsDataPasswordAuth"), kPasswordFailed, 0);
    } catch (const std::exception& e) {
        answer = false;
        if (started)
            core::ShowMessageWithDetail(kPasswordFailed, core::exceptionText(e), core::MessageKind::Error);
    }
    dm.AccDatDisconnect(folder, 0, 0);
    return answer;
}

} // namespace companydata
