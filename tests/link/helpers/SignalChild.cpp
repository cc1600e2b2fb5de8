// The program body run by a test in a process of its own, to be sent a termination signal:
//   link_signal_child login|data PROGRAM-FILE CALLER-ARGUMENT
// "login" waits at the login box, "data" logs in, opens the first data set and waits on the
// wizard. Once there it prints "ready" on its standard output; its exit status is the result
// the program body returns. The demo folder comes from the environment.

#include "controls/dialogs/SlotGuard.h"
#include "controls/wizard/TxWizard.h"
#include "link/app/ProgramBody.h"
#include "selection/LogonBox.h"
#include "tests/link/EndToEndFixture.h"
#include "tests/support/RecordingMessageService.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <iostream>

namespace {

void sayReady()
{
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    controls::GuardedApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4 || (args[1] != QLatin1String("login") && args[1] != QLatin1String("data"))) {
        std::cerr << "usage: link_signal_child login|data PROGRAM-FILE CALLER-ARGUMENT\n";
        return 64;
    }
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};

    // At the login: report once the login box is up and leave it open.
    QTimer atLogin;
    bool loginSeen = false;
    // With a data set: the driver logs in and chooses it; the wizard then stays on page 2.
    std::unique_ptr<e2etest::ProgramDriver> driver;
    if (args[1] == QLatin1String("login")) {
        QObject::connect(&atLogin, &QTimer::timeout, [&] {
            if (!loginSeen && qobject_cast<selection::TLogonBox*>(QApplication::activeModalWidget())) {
                loginSeen = true;
                sayReady();
            }
        });
        atLogin.start(20);
    } else {
        driver = std::make_unique<e2etest::ProgramDriver>();
        driver->Wizard = [](taxlink::TForm1& form) {
            form.Wizard1->NextClick();
            form.btnDataSentakuClick();
            sayReady();
        };
    }
    const int code = taxlink::RunProgram({args[2], {args[3]}, /*KeepMessageService=*/true});
    for (const core::MessageRequest& message : messages.messages)
        std::cerr << "message: " << message.text.toStdString() << '\n';
    return code;
}
