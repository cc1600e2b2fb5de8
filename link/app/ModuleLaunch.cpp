#include "link/app/ModuleLaunch.h"

#include "companydata/DataInfomation.h"
#include "companydata/DataInfomationRec.h"
#include "controls/forms/ScreenCursor.h"
#include "core/Globals.h"
#include "core/db/ConnectionName.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/modules/ModuleRegistry.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <memory>

namespace taxlink {

namespace {

const QString kNoInterface = QStringLiteral("処理を起動するためのインターフェースが実装されていません。\r"
                                            "ライブラリのロードに失敗した可能性があります。");
const QString kDamagedData = QStringLiteral("データ検証の結果、このデータは破損している恐れがあります。\r"
                                           "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。\r"
                                           "ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。");

// The hourglass shows while a launch is in progress.
bool HourglassShown()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

// Puts the default cursor back however the launch ends.
struct DefaultCursorOnExit {
    ~DefaultCursorOnExit() { controls::ResetScreenCursor(); }
};

QString CompanyDatabaseFile(const QString& folder)
{
    return folder.endsWith(u'/') ? folder + core::Identity.DataFile : folder + u'/' + core::Identity.DataFile;
}

// DATA_STATUS=1 on the registry row of the folder: the child's row for a child data set.
void MarkRegistryRow(core::TDM& dm, const QString& folder)
{
    core::TransactionScope scope(dm.IBTransactionDEF);
    int rec = 0;
    int rowNo = 0;
    dm.GetDataRecByPath(folder, rec, rowNo);
    if (rec > 0) {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        if (rowNo == 0) {
            q.sql() = QStringList{QStringLiteral("UPDATE DATALIST SET DATA_STATUS=1"), QStringLiteral("WHERE REC=:REC")};
        } else {
            q.sql() = QStringList{QStringLiteral("UPDATE CHILD_DATALIST SET DATA_STATUS=1"),
                                  QStringLiteral("WHERE REC=:REC AND ROWNO=:ROWNO")};
            q.paramByName(QStringLiteral("ROWNO")).setInteger(rowNo);
        }
        q.paramByName(QStringLiteral("REC")).setInteger(rec);
        q.execSQL();
    }
    scope.commit();
}

} // namespace

int CountOtherProcesses(int /*code*/, const QString& /*text*/)
{
    return 0;
}

int LaunchModule(const QString& moduleName, int modal, const QString& params)
{
    if (moduleName.isEmpty())
        return -1;
    if (HourglassShown())
        return -1;
    DefaultCursorOnExit cursorGuard;
    controls::SetBusyScreenCursor();

    // A launched form has no parent: it is a window of its own, freed by the module interface.
    std::unique_ptr<core::IModuleForm> form = core::ModuleRegistry().create(moduleName, nullptr);
    if (!form) {
        core::showMessage(core::MessageKind::Error, kNoInterface, core::mbOK);
        return -1;
    }
    const bool isModal = modal != 0;
    form->SetModuleParams(core::ModuleLaunchParams(params, isModal));
    const int result = form->RunModule(isModal);

    // A window left open (a run without waiting) lives until it is closed; any other form goes now.
    if (auto* window = dynamic_cast<QWidget*>(form.get()); window != nullptr && window->isVisible()) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        form.release();
    }
    return result;
}

void DataCheckFailed(const QString& host, const QString& dataFolder, int quiet, QVariant& result)
{
    core::SystemDef.DataBroken = 0;
    core::TDM& dm = core::RequireDM();
    // Through the server like every database name of the client/server modes: the server may
    // hold the file, and the engine of this process must not open it beside it.
    const bool remote = core::throughServer(core::ConnectMode, host);
    const bool sound = dm.ValidateFDB(remote ? core::Protocol::TCP : core::Protocol::Local, remote ? host : QString(),
                                      CompanyDatabaseFile(dataFolder));
    if (sound) {
        result = 1;
        return;
    }

    result = 0;
    core::SystemDef.DataBroken = 1;
    if (quiet == 0)
        core::showMessage(core::MessageKind::Error, kDamagedData, core::mbOK);

    // The marks are a courtesy: a failure of one must not keep the other from being written.
    try {
        MarkRegistryRow(dm, dataFolder);
    } catch (...) {
    }
    try {
        companydata::TDataInfomation info;
        info.DataPlace = core::ConnectMode;
        info.SetDataStatus(dataFolder, companydata::kDataBroken);
    } catch (...) {
    }
}

void InstallHostHooks()
{
    core::HostMenuHook = CountOtherProcesses;
    core::LaunchModuleHook = LaunchModule;
    core::DataCheckHook = DataCheckFailed;
}

void ClearHostHooks()
{
    core::HostMenuHook = nullptr;
    core::LaunchModuleHook = nullptr;
    core::DataCheckHook = nullptr;
}

} // namespace taxlink
