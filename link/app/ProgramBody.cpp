#include "link/app/ProgramBody.h"

#include "communication/DataTusin.h"
#include "communication/MeetingToolSetting.h"
#include "communication/TusinSettei.h"
#include "companydata/DataInfomationMarks.h"
#include "companydata/SeihinVersionList.h"
#include "controls/dialogs/ProgramMessageService.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/forms/ScreenCursor.h"
#include "core/Globals.h"
#include "core/dm/DataSetMarks.h"
#include "core/dm/TDM.h"
#include "core/os/MachineNames.h"
#include "core/os/QtShellDialogs.h"
#include "core/ui/MessageService.h"
#include "dbupgrade/webmenu/TfmWebMenuL.h"
#include "link/app/Form1.h"
#include "link/app/TerminationSignals.h"
#include "platform/NamedMutex.h"
#include "selection/DataSentakuBox.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QPointer>

#include <optional>

namespace taxlink {

namespace {

constexpr int kEndedBeforeWizard = 2;

// The other programs of the product line that must not run beside this one.
struct ForeignMutex {
    const char* name;
    const char16_t* message;
};
const ForeignMutex kForeignMutexes[] = {
    {kZaimuMutex, u"Velmora財務が起動しています。同時に起動することは出来ません。"},
    {kZaimuToolsMutex, u"Velmora財務ツールが起動しています。同時に起動することは出来ません。"},
};
const char16_t kAlreadyRunning[] = u"アプリケーションは既に起動しています。";

void showInformation(const QString& text)
{
    core::showMessage(core::MessageKind::Information, text, core::mbOK);
}

QStringList screenFontFamilies()
{
    return QFontDatabase::families();
}

// Keeps the form's result code as it stands at each event the form receives, so that it is
// still known once the form has deleted itself (the last event it gets is its deferred delete).
class ResultWatcher : public QObject {
public:
    explicit ResultWatcher(TForm1& form) : form_(form), result_(form.ResultCode) { form.installEventFilter(this); }
    int result() const { return result_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &form_)
            result_ = form_.ResultCode;
        return QObject::eventFilter(watched, event);
    }

private:
    TForm1& form_;
    int result_;
};

// Deletes the form when it is still there as the program body leaves, also on an error.
struct FormOwner {
    QPointer<TForm1> form;
    ~FormOwner() { delete form.data(); }
};

// Creates the main form, runs its start-up step and the event loop until the form is gone.
int RunMainForm(const TProgramOptions& options)
{
    FormOwner owner{new TForm1(options.ProgramFile, options.Arguments)};
    const QPointer<TForm1>& form = owner.form;
    ResultWatcher watcher(*form);
    // A termination signal closes the form in order instead of killing the process.
    TerminationSignals termination([&form](int) {
        if (form)
            form->CloseBySignal();
    });
    if (form->EndAtOnce() || !form->StartUp()) {
        QCoreApplication::processEvents();
        return form ? form->ResultCode : watcher.result();
    }
    // The data module exists now; it learns the screen's fonts before the login reads the
    // operator's settings.
    if (core::DM)
        core::DM->ScreenFontFamilies = &screenFontFamilies;
    QCoreApplication::processEvents();
    controls::ResetScreenCursor();
    form->show();
    // A local loop, so that the program ends with the form whatever else quits the
    // application's loop; an early exit of the loop just enters it again.
    QEventLoop loop;
    QObject::connect(form.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    while (form) {
        loop.exec();
        // A fatal database error asked the program to end (core::requestQuit): no event loop
        // runs any more, so the form is closed here and its caller told 2, as after a failed
        // export.
        if (form && core::FatalDbError) {
            form->close();
            if (form)
                form->ResultCode = 2;
            break;
        }
    }
    return form ? form->ResultCode : watcher.result();
}

} // namespace

void InstallProgramServices(bool installMessageService)
{
    core::InstallQtOsServices();
    if (installMessageService)
        controls::InstallProgramMessageService();
    static companydata::DataInfomationMarks marks;
    companydata::InstallRegistryRowUpdate(marks);
    core::setDataSetMarks(&marks);
    core::SystemDef.ComputerName = core::GetPcName();
    core::SystemDef.OsVersion = core::GetWinMajorVersion();
    companydata::InstallSeihinVersionSource();
    selection::RegisterDataSentakuModule();
    dbupgrade::RegisterWebMenuLModule();
    communication::RegisterDataTusinModule();
    communication::RegisterTusinSetteiModule();
    communication::RegisterMeetingToolSettingModule();
}

int RunProgram(const TProgramOptions& options)
{
    InstallProgramServices(!options.KeepMessageService);

    for (const ForeignMutex& other : kForeignMutexes) {
        if (platform::NamedMutex::exists(QString::fromLatin1(other.name))) {
            showInformation(QString::fromUtf16(other.message));
            return kEndedBeforeWizard;
        }
    }

    // Taking the mutex is the test: a holder elsewhere means a copy of this program runs.
    std::optional<platform::NamedMutex> own;
    if (!controls::RunGuarded([&] { own.emplace(platform::NamedMutex::create(QString::fromLatin1(kLinkMutex))); }))
        return kEndedBeforeWizard;
    if (own->alreadyExisted()) {
        showInformation(QString::fromUtf16(kAlreadyRunning));
        return kEndedBeforeWizard;
    }

    QApplication::setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
    core::TDM* const dataModuleBefore = core::DM;
    int result = kEndedBeforeWizard;
    // An error that leaves the form's creation or start-up is shown; the program then ends.
    controls::RunGuarded([&] { result = RunMainForm(options); });
    // The data module that the start-up made belongs to the application; it goes (closing its
    // connections) before the mutex is released, so that a next copy finds the data free.
    if (core::DM && core::DM != dataModuleBefore)
        delete core::DM;
    own->release();
    return result;
}

} // namespace taxlink
