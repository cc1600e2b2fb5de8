#pragma once
// What the end-to-end tests of the program share: the demo folder that scripts/make-demo-folder
// makes (the one place that knows its layout), its environment set for a test, and a driver
// that plays the operator while the program body runs: it answers the login, chooses a data
// set in the data selection, steps through the wizard and closes any other modal window it
// finds (recording it), so that no test waits on a window.

#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/grid/TxGrid.h"
#include "link/app/Form1.h"
#include "selection/DataSentakuBox.h"
#include "selection/LogonBox.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace e2etest {

// A demo folder: DIR with its program folder, registry file, common folder and the variables
// of DIR/env.
struct DemoFolder {
    QString dir;
    QString error; // why the folder could not be made; empty when it is ready
    std::vector<std::pair<QByteArray, QByteArray>> env;

    QString programFolder() const { return dir + QStringLiteral("/program"); }
    QString programFile() const { return programFolder() + QStringLiteral("/taxlink"); }
    QString dataRoot() const { return dir + QStringLiteral("/common/quorvo/tallekzaimu"); }
    QString sysDir() const { return dataRoot() + QStringLiteral("/data"); }
};

// Runs scripts/make-demo-folder DIR with the arguments and reads DIR/env.
inline DemoFolder makeDemoFolder(const QString& dir, const QStringList& arguments)
{
    DemoFolder folder;
    folder.dir = dir;
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral(TAXLINK_SOURCE_DIR "/scripts/make-demo-folder"), QStringList{dir} + arguments);
    if (!script.waitForFinished(600000) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        folder.error = QStringLiteral("make-demo-folder failed: ") + QString::fromLocal8Bit(script.readAll());
        return folder;
    }
    QFile env(dir + QStringLiteral("/env"));
    if (!env.open(QIODevice::ReadOnly)) {
        folder.error = QStringLiteral("no env file in ") + dir;
        return folder;
    }
    for (const QByteArray& line : env.readAll().split('\n')) {
        const qsizetype at = line.indexOf('=');
        if (at > 0)
            folder.env.emplace_back(line.left(at), line.mid(at + 1));
    }
    return folder;
}

// Sets environment variables (nullopt: unset) for the lifetime of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                qputenv(it->first.constData(), *it->second);
            else
                qunsetenv(it->first.constData());
        }
    }
    void set(const QByteArray& name, const std::optional<QByteArray>& value)
    {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name.constData())
                                      ? std::optional<QByteArray>(qgetenv(name.constData()))
                                      : std::nullopt);
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }

private:
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

// Plays the operator. Poll() runs every 20 ms inside whatever event loop is running: it logs in
// on the login box, chooses the row of DataRec on the data selection and closes every other
// modal window (recorded in Problems). Once the operator is logged in and no modal window is
// up, the Wizard script runs once with the main form.
class ProgramDriver : public QObject {
public:
    QString OpCode = QStringLiteral("10");
    QString Password = QStringLiteral("test");
    bool ClientServer = false; // logs in as "クライアント(C/S)" (the [SERVER] section of the INI)
    int DataRec = 1;
    std::function<void(taxlink::TForm1& form)> Wizard;

    QStringList Problems;  // unexpected windows, refusals, a time-out
    bool LoggedIn = false;
    bool DataChosen = false;
    bool WizardRan = false;

    explicit ProgramDriver(int timeoutMs = 300000)
    {
        connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
        poll_.start(20);
        watchdog_.setSingleShot(true);
        connect(&watchdog_, &QTimer::timeout, this, [this] { GiveUp(); });
        watchdog_.start(timeoutMs);
    }

    static taxlink::TForm1* MainForm()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<taxlink::TForm1*>(widget))
                return form;
        return nullptr;
    }

private:
    void Poll()
    {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            HandleModal(modal);
            return;
        }
        taxlink::TForm1* form = MainForm();
        if (!form || !form->LoggedOn || WizardRan || !Wizard)
            return;
        WizardRan = true;
        QPointer<taxlink::TForm1> target = form;
        // Its own timer: this one keeps answering the modal windows the wizard opens.
        QTimer::singleShot(0, this, [this, target] {
            if (target)
                Wizard(*target);
        });
    }

    void HandleModal(QWidget* modal)
    {
        if (qobject_cast<controls::TxProgressForm*>(modal))
            return;
        if (auto* logon = qobject_cast<selection::TLogonBox*>(modal)) {
            if (loginTried_) {
                Problems << QStringLiteral("the login was refused");
                logon->reject();
                return;
            }
            loginTried_ = true;
            (ClientServer ? logon->btnCS : logon->btnSA)->setChecked(true);
            logon->txtOpCode->setText(OpCode);
            logon->txtPassword->setText(Password);
            logon->OKBtnClick();
            LoggedIn = logon->result() == QDialog::Accepted;
            return;
        }
        if (auto* choice = qobject_cast<selection::TDataSentakuBox*>(modal)) {
            int row = -1;
            for (int r = 0; r < choice->Grid->RowCount() && row < 0; ++r)
                if (choice->Grid->RowValue(r) == DataRec)
                    row = r;
            if (DataChosen || row < 0) {
                Problems << QStringLiteral("data selection: row %1 not chosen").arg(DataRec);
                choice->reject();
                return;
            }
            DataChosen = true;
            choice->Grid->SetRow(row);
            choice->F12Click();
            return;
        }
        Problems << QStringLiteral("unexpected window %1 \"%2\"")
                        .arg(QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    void GiveUp()
    {
        Problems << QStringLiteral("timed out");
        for (int tries = 0; tries < 20; ++tries) {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                break;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
            else
                modal->close();
            QCoreApplication::processEvents();
        }
        if (taxlink::TForm1* form = MainForm())
            form->close();
    }

    QTimer poll_;
    QTimer watchdog_;
    bool loginTried_ = false;
};

} // namespace e2etest
