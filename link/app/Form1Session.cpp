// The main form's session: the start-up step (folders, application INI file, data module),
// the login on first show, and the end (data released, logon record deleted, caller told).

#include "link/app/Form1.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/SystemFolders.h"
#include "core/os/MachineNames.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "link/app/DataChoice.h"
#include "link/app/ModuleLaunch.h"
#include "link/app/WorkFolder.h"
#include "link/export/HojinZeiDataExport.h"
#include "platform/CallerLink.h"
#include "platform/IniFile.h"
#include "selection/AppIniCreateBox.h"
#include "selection/LogonBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QTimer>

#include <stdexcept>

namespace taxlink {

namespace {

const QString kApplicationName = QStringLiteral("ヂル連動コンポーネント");

// The start-up step's failure: the text to show.
struct TInitError : std::runtime_error {
    explicit TInitError(const QString& text)
        : std::runtime_error("start-up failed")
        , Text(text)
    {
    }
    QString Text;
};

core::TFontRec FontRecOf(const QFont& font)
{
    core::TFontRec rec;
    rec.Name = font.family();
    rec.Size = font.pointSize();
    rec.Style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0);
    return rec;
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

bool TForm1::StartUp()
{
    core::SystemDef.AppName = kApplicationName;
    InitErrorText = QStringLiteral("アプリケーションの初期化に失敗しました。\r%1を終了します。").arg(kApplicationName);
    bool done = false;
    try {
        InitSystemEnvironment();
        QApplication::setApplicationDisplayName(Exporter->Caption);
        setWindowTitle(Exporter->Caption);
        core::DM = new core::TDM(qApp);
        done = true;
    } catch (const TInitError& error) {
        InitErrorText = error.Text;
    } catch (...) {
    }
    if (!done) {
        core::showMessage(core::MessageKind::Error, InitErrorText, core::mbYes);
        return false;
    }
    return true;
}

void TForm1::InitSystemEnvironment()
{
    core::TSystemDef& def = core::SystemDef;
    def.OsVersion = core::GetWinMajorVersion();
    const QStyle* style = QApplication::style();
    def.MenuHeight = style->pixelMetric(QStyle::PM_MenuBarItemSpacing) + fontMetrics().height();
    def.CaptionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
    def.FrameHeight = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    def.FrameAdjust = def.FrameHeight > 4 ? 2 * (def.FrameHeight - 4) : 0;
    core::AppKind = 0;
    def.WinUserName = core::GetLogonUserName();
    def.ComputerName = core::GetPcName();

    def.ExeDir = withoutTrailingSlash(QFileInfo(programFile_).absolutePath());
    def.ProgramRoot = withoutTrailingSlash(QFileInfo(def.ExeDir).absolutePath());
    def.PrintDir = def.ProgramRoot + QStringLiteral("/print");
    def.HelpDir = def.ProgramRoot + QStringLiteral("/help");
    def.SqlDir = def.ProgramRoot + QStringLiteral("/sql");

    const QString common = withoutTrailingSlash(core::GetAppDataDir(true));
    if (common.isEmpty())
        throw TInitError(QStringLiteral("アプリケーションの初期化に失敗しました。\r%1を終了します。\rデータフォルダの取得に失敗しました。")
                             .arg(kApplicationName));
    const QString homeDir = core::NativeSubPath(core::Identity.HomeDir);
    def.DataRoot = QDir::cleanPath(common + QLatin1Char('/') + homeDir);
    def.IniDir = def.DataRoot + QStringLiteral("/ini");
    def.LogDir = def.DataRoot + QStringLiteral("/log");
    def.TempDir = def.DataRoot + QStringLiteral("/temp");
    // The work folder holds the link settings of the chosen data set: the user's own.
    def.WorkDir = PrivateWorkFolder();
    if (def.WorkDir.isEmpty())
        throw TInitError(InitErrorText);
    def.WinSystemDir = core::GetSystemDir();
    def.DocumentsDir = QDir::cleanPath(core::GetMyDocumentsDir() + QLatin1Char('/') + homeDir);
    def.ViewDataDir = QDir::cleanPath(def.WorkDir + QLatin1Char('/') + core::NativeSubPath(core::Identity.ViewDataDir));
    def.SYSDIR = def.DataRoot + QStringLiteral("/data");
    def.DataFolder.clear();
    def.HOSTNAME = def.ComputerName;
    def.USER = QStringLiteral("TALLEK");
    def.PASSWORD = QStringLiteral("vorbin");
    def.ScreenFont = FontRecOf(font());
    def.BaseFont = FontRecOf(font());

    for (const QString& folder : {def.IniDir, def.LogDir, def.TempDir, def.DocumentsDir})
        QDir().mkpath(folder);

    def.IniFile = def.DataRoot + QLatin1Char('/') + core::Identity.AppName + QStringLiteral(".ini");
    const QString notSetUp =
        QStringLiteral("アプリケーションの初期設定がおこなわれていないため\r%1を終了します。").arg(kApplicationName);
    auto readLocal = [&] { return platform::TIniFile(def.IniFile).ReadSectionValues(QStringLiteral("LOCAL")); };
    QStringList local;
    if (QFileInfo::exists(def.IniFile))
        local = readLocal();
    if (local.join(QString()).trimmed().isEmpty()) {
        if (!CreateDefaultIni())
            throw TInitError(notSetUp);
        local = readLocal();
    }

    auto value = [&](const QString& key) {
        for (const QString& line : local)
            if (line.section(QLatin1Char('='), 0, 0).compare(key, Qt::CaseInsensitive) == 0)
                return line.section(QLatin1Char('='), 1);
        return QString();
    };
    def.HOSTNAME = value(QStringLiteral("HOSTNAME"));
    def.GOGLOBAL = value(QStringLiteral("GOGLOBAL")).toUpper() == QStringLiteral("YES") ? 1 : 0;
    def.GROUP = value(QStringLiteral("GROUP")).toUpper() == QStringLiteral("YES") ? 1 : 0;
    // Native paths keep their "/" and their case.
    def.SYSDIR = value(QStringLiteral("SYSDIR"));
    def.USER = value(QStringLiteral("USER")).toUpper();
    def.PASSWORD = value(QStringLiteral("PASSWORD")).toLower();

    // Stand-alone until the login says otherwise.
    def.HOSTNAME.clear();
    def.GOGLOBAL = 0;
    def.GROUPID = 10000;
}

bool TForm1::CreateDefaultIni()
{
    selection::TAppIniCreateBox box(nullptr);
    return box.Ready() && box.SaveServerSettings(true);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // After the window is on screen, so that the login box appears over a drawn form.
    QTimer::singleShot(0, this, [this] { FirstShow(); });
}

void TForm1::FirstShow()
{
    repaint();
    if (qEnvironmentVariableIsSet(kCloseOnShowVariable) || signalClose_) {
        closedByProgram_ = true;
        close();
        return;
    }
    LoggedOn = RunLogon();
    if (LoggedOn) {
        if (core::DM->fnGetSysDef()) {
            core::DM->LoadGengoTable();
            return;
        }
        core::DM->DeleteLogonInfo();
    } else if (core::DM) {
        core::DM->IBDatabaseDEF.close();
    }
    closedByProgram_ = true;
    close();
}

bool TForm1::RunLogon()
{
    selection::TLogonBox box(nullptr);
    if (!box.Ready())
        return false;
    return box.exec() == QDialog::Accepted;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Only a close the user starts is a cancel; the program's own close keeps its result.
    if (!closedByProgram_)
        ResultCode = 1;
    if (!closing_) {
        closing_ = true;
        CloseDataAndSession();
    }
    event->accept();
}

void TForm1::CloseDataAndSession()
{
    if (DataChoice)
        DataChoice->CloseForShutdown();
    if (LoggedOn && core::DM) {
        // After a fatal database error (a lost server) the logon record cannot be deleted.
        if (!core::FatalDbError &&
            (core::DM->IBDatabaseDEF.connected() || core::DM->fnAccDefConnected(core::SystemDef.HOSTNAME, 1)))
            core::DM->DeleteLogonInfo();
        try {
            core::DM->IBDatabaseDEF.close();
        } catch (const std::exception&) {
            // a connection the server dropped is gone either way
        }
    }
    LoggedOn = false;
}

void TForm1::CloseBySignal()
{
    if (signalClose_ || closing_)
        return;
    ResultCode = 1;
    closedByProgram_ = true;
    // Each pass dismisses the modal window on top (login, data selection, a message box); the
    // code that opened it goes on and may open another, which the next pass dismisses. With
    // none left the form closes.
    signalClose_ = new QTimer(this);
    connect(signalClose_, &QTimer::timeout, this, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            return;
        }
        signalClose_->stop();
        if (!closing_)
            close();
    });
    signalClose_->start(20);
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::FormDestroy()
{
    if (Exporter)
        Exporter->FreeChangesSettings();
    DataChoice.reset();
    Exporter.reset();
    ClearHostHooks();
    if (endAtOnce_)
        return; // the caller was told when the creation ended
    platform::setForegroundWindow(CallerWnd);
    platform::enableWindow(CallerWnd, true);
    if (CallerWnd != 0)
        platform::postMessageToWindow(CallerWnd, CallerMsg, CallerParam, ResultCode);
}

} // namespace taxlink
