// The operator's style texts in STYLECOLOR, the cloud-share mode test and the two deferred
// actions of the data module's timers.
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/settings/StyleColor.h"

#include <QMetaObject>

#include <utility>

namespace core {

QString TDM::GetStyleColorSstr(int opCode, const QString& styleName) {
    try {
        TransactionScope scope(IBTransactionDEF);
        TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
        const QString sstr = ReadStyleColorSstr(q, opCode, styleName);
        scope.commit();
        return sstr;
    } catch (const std::exception&) {
        return QString(); // the scope has rolled back what it started
    }
}

void TDM::PutStyleColorSstr(int opCode, const QString& styleName, const QString& text) {
    try {
        TransactionScope scope(IBTransactionDEF);
        TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
        StoreStyleColor(q, opCode, styleName, kNoStyleColors, text);
        scope.commit();
    } catch (const std::exception&) {
    }
}

bool TDM::IsCloudShareMode(quint8 /*strict*/) {
    return EditionFlag == 0 && ConnectMode != 2;
}

void TDM::StartFormClose(QObject* form) {
    TimerFormCloseTag = form;
    connect(&TimerFormClose, &QTimer::timeout, this, &TDM::TimerFormCloseTimer, Qt::UniqueConnection);
    TimerFormClose.start();
}

void TDM::TimerFormCloseTimer() {
    TimerFormClose.stop();
    if (QObject* form = TimerFormCloseTag) {
        TimerFormCloseTag = nullptr;
        // Posted, so that the form closes after the handler that is running now.
        QMetaObject::invokeMethod(form, "close", Qt::QueuedConnection);
    }
}

void TDM::StartSyoriKidou(const QString& moduleName, int modal, const QString& params) {
    SyoriKidouModuleName = moduleName;
    SyoriKidouModal = modal;
    SyoriKidouParams = params;
    connect(&TimerSyoriKidou, &QTimer::timeout, this, &TDM::TimerSyoriKidouTimer, Qt::UniqueConnection);
    TimerSyoriKidou.start();
}

void TDM::TimerSyoriKidouTimer() {
    TimerSyoriKidou.stop();
    // The stored values are taken before the launch, so that a module which schedules the
    // next launch while it runs keeps its request.
    const QString moduleName = std::exchange(SyoriKidouModuleName, QString());
    const int modal = std::exchange(SyoriKidouModal, 0);
    const QString params = std::exchange(SyoriKidouParams, QString());
    if (LaunchModuleHook)
        LaunchModuleHook(moduleName, modal, params);
}

} // namespace core
