// The rebuild of the details dialog (F7): the company database backed up and restored through
// the backup and restore worker. The database is first copied beside itself (a shared area's:
// into the temp folder, where the copy is rebuilt and then put in the area's place), so that a
// failure can put the old database back. Every write over the database is a one-step replace:
// a copy beside it renamed over it, so that a failure leaves it whole.
#include "selection/DataSyosaiInfoBox.h"

#include "companydata/BackupRestoreThread.h"
#include "companydata/DataInfomation.h"
#include "controls/dialogs/SlotGuard.h"
#include "core/Globals.h"
#include "core/backup/BackupSteps.h"
#include "core/backup/FileSwap.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuOpsSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>

namespace selection {

namespace {

bool serverMode() { return core::ConnectMode == 1 || core::ConnectMode == 2; }

QString inFolder(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString withSuffix(const QString& file, const QString& suffix)
{
    const QFileInfo info(file);
    return inFolder(info.path(), info.completeBaseName() + QLatin1Char('.') + suffix);
}

// A copy of source takes the place of target in one step (copied beside target, renamed over
// it), in the connection mode's file system; target untouched when it fails.
bool replaceWithCopy(const QString& source, const QString& target)
{
    const QString scratch = core::scratchNameBeside(target);
    if (!serverMode()) {
        if (QFile::copy(source, scratch) && core::replaceLocalFile(scratch, target))
            return true;
        QFile::remove(scratch);
        return false;
    }
    core::TDM& dm = core::RequireDM();
    bool done = false;
    try {
        done = core::fileops::FCopy(dm, source, scratch, core::ConnectMode)
            && core::replaceServerFile(core::sessionServerRoutines(core::SystemDef.HOSTNAME), scratch, target);
    } catch (...) {
        core::reportCurrentFailure(QStringLiteral("TDataSyosaiInfoBox.RebuildData"),
                                   QStringLiteral("データ再構築の処理に失敗しました。"));
    }
    if (!done && core::fileops::FExistState(dm, scratch, core::ConnectMode) == core::FileState::Present)
        core::fileops::FDel(dm, scratch, core::ConnectMode, false);
    return done;
}

bool copyFile(const QString& source, const QString& target)
{
    if (!serverMode())
        return QFile::copy(source, target);
    return core::fileops::FCopy(core::RequireDM(), source, target, core::ConnectMode);
}

bool runWorker(companydata::TBackupRestoreThread& worker)
{
    companydata::RunBackupRestoreThread(worker);
    return worker.Succeeded && !worker.Failed;
}

void deleteFile(const QString& file)
{
    if (!serverMode()) {
        QFile::remove(file);
        return;
    }
    core::TDM& dm = core::RequireDM();
    if (core::fileops::FExistState(dm, file, core::ConnectMode) == core::FileState::Present)
        core::fileops::FDel(dm, file, core::ConnectMode, false);
}

int showBox(TDataSyosaiInfoBox& box, quint8 kind, const QStringList& lines)
{
    controls::TMessage2InfoRec info;
    controls::InitMessage2Info(kind, info);
    if (kind == 3)
        info.Buttons = core::mbOKCancel;
    for (int i = 0; i < lines.size() && i < int(info.Lines.size()); ++i)
        info.Lines[i].Text = lines.at(i);
    return box.ShowBox2(info);
}

} // namespace

void TDataSyosaiInfoBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        controls::TBSDI::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_F7) {
        event->accept();
        if (!event->isAutoRepeat())
            controls::RunGuarded([this] { RebuildClick(); });
        return;
    }
    if (key == Qt::Key_F12) {
        event->accept();
        if (!event->isAutoRepeat() && btnOK->isVisible() && btnOK->isEnabled())
            btnOK->click();
        return;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F8) {
        event->accept();
        return;
    }
    controls::TBSDI::keyPressEvent(event);
}

void TDataSyosaiInfoBox::RebuildClick()
{
    // An input method that composes takes F7: the rebuild is offered only without one.
    if (!RebuildOffered || (ImeComposing && ImeComposing()))
        return;
    if (serverMode()
        && core::RequireDM().AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 0, DataPath)) {
        showBox(*this, 2,
                {QStringLiteral("現在、他のユーザーがデータに接続中です。他のユーザーがデータに接続している間はデータの再構築は行えません。")});
        return;
    }
    QStringList question{QStringLiteral("データの再構築を行いますか？"),
                         QStringLiteral("注意１）データサイズによりデータ再構築に時間がかかる場合があります。"
                                        "再構築中にコンピュータの電源は切らないで下さい。")};
    if (InfoRec.Status == companydata::kDataBroken)
        question << QStringLiteral("注意２）破損データの場合はデータ再構築が適正に行われない場合があります。");
    if (showBox(*this, 3, question) != core::mrOk)
        return;
    if (!RebuildData())
        return;
    showBox(*this, 2, {QStringLiteral("データの再構築は適正に行われました。")});
    LayoutInfo();
    Rebuilt = 1;
}

bool TDataSyosaiInfoBox::RebuildData()
{
    const auto putInPlace = [this](const QString& source, const QString& target) {
        return ReplaceDatabase ? ReplaceDatabase(source, target) : replaceWithCopy(source, target);
    };
    const auto progress = ShowProgress(*this, QStringLiteral("再構築中"), QStringLiteral("再構築中、しばらくお待ちください…"));

    companydata::TBackupRestoreThread worker(true);
    bool succeeded = false;
    QString copy;
    QString backup;
    // Whether the copy must stay: it holds the only good database when putting it in place failed.
    bool keepCopy = false;
    try {
        LockData(true);
        const QString temp = core::SystemDef.TempDir;
        for (const QString& name : {core::kTempBackupFile, core::Identity.DataFile, core::Identity.DataIniFile})
            if (!temp.isEmpty() && !name.isEmpty())
                QFile::remove(inFolder(temp, name));

        const QString database = companydata::TDataInfomation::DataFileName(DataPath);
        // A shared area is rebuilt on a copy in the temp folder, which then takes its place.
        const bool onCopy = ShareMode == 1 && RebuildOffered;
        copy = onCopy ? inFolder(temp, core::Identity.DataFile) : withSuffix(database, QStringLiteral("fd_"));
        backup = serverMode() ? withSuffix(inFolder(DataPath, core::kTempBackupFile), QStringLiteral("fb_"))
                              : inFolder(temp, core::kTempBackupFile);

        if (!copyFile(database, copy)) {
            copy.clear();
            showBox(*this, 2, {QStringLiteral("データ再構築の前処理（会計データのコピー）に失敗しました。")});
        } else {
            bool failed = false;
            try {
                worker.Mode = 3;
                worker.HostName = core::SystemDef.HOSTNAME;
                worker.DatabaseName = onCopy ? copy : database;
                worker.BackupFileName = backup;
                failed = !(RunWorker ? RunWorker(worker) : runWorker(worker));
                if (!failed && onCopy && !putInPlace(copy, database)) {
                    // The area keeps its old database; the rebuilt copy stays in the temp folder.
                    failed = true;
                    keepCopy = true;
                }
                if (!failed) {
                    companydata::TDataInfomation info;
                    info.DataPlace = quint8(core::ConnectMode);
                    info.SetDataStatus(DataPath, companydata::kDataNormal);
                    succeeded = true;
                }
            } catch (...) {
                failed = true;
                core::reportCurrentFailure(QStringLiteral("TDataSyosaiInfoBox.RebuildData"),
                                           QStringLiteral("データ再構築の処理に失敗しました。"));
            }
            if (failed) {
                showBox(*this, 2, {QStringLiteral("データ再構築の処理に失敗しました。")});
                // The database itself was rebuilt in place: its copy goes back.
                if (!onCopy && !putInPlace(copy, database))
                    keepCopy = true;
            }
        }
    } catch (...) {
        core::reportCurrentFailure(QStringLiteral("TDataSyosaiInfoBox.RebuildData"),
                                   QStringLiteral("データ再構築の処理に失敗しました。"));
    }
    try {
        if (!copy.isEmpty() && !keepCopy)
            deleteFile(copy);
        if (!backup.isEmpty())
            deleteFile(backup);
    } catch (...) {
        core::reportCurrentFailure(QStringLiteral("TDataSyosaiInfoBox.RebuildData"),
                                   QStringLiteral("データ再構築の処理に失敗しました。"));
    }
    try {
        LockData(false);
    } catch (...) {
        core::reportCurrentFailure(QStringLiteral("TDataSyosaiInfoBox.LockData"),
                                   QStringLiteral("データ再構築の処理に失敗しました。"));
    }
    progress->Close();
    if (isVisible()) {
        raise();
        activateWindow();
    }
    return succeeded;
}

} // namespace selection
