#include "dbupgrade/dialog/TDbUpdateBox.h"

#include "companydata/BackupRestoreThread.h"
#include "companydata/LoginUserListOnDef.h"
#include "controls/buttons/TxCheckBox.h"
#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/Message2Info.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/forms/FormState.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/os/DelayWithMessages.h"
#include "core/os/DpiScale.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "dbupgrade/runner/RunUpdateScript.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTextEdit>
#include <QTreeWidget>

namespace dbupgrade {

namespace {

const QString kBackupName = QStringLiteral("dataup.fbk");
const QString kBeforeUpdateFolder = QStringLiteral(u"更新前データ");

StepTextContext currentTextContext()
{
    return StepTextContext{core::EditionFlag, core::AppInfo.AppTitle};
}

QPixmap square(const QColor& color)
{
    QPixmap pixmap(33, 33);
    pixmap.fill(color);
    return pixmap;
}

} // namespace

TDbUpdateBox::TDbUpdateBox(QWidget* owner) : TDbUpdateBox(owner, currentTextContext()) {}

TDbUpdateBox::TDbUpdateBox(QWidget* owner, const StepTextContext& context) : TBSDI(owner, bsDialog), List(context)
{
    RirekiSw = false;
    AccInfoSw = false;
    FormSizeSw = false;
    build();
    InitOK = true;
}

TDbUpdateBox::~TDbUpdateBox() = default;

void TDbUpdateBox::build()
{
    setWindowTitle(QStringLiteral(u"データベースの更新"));
    setFixedSize(472, 520);
    ImageRed = new QLabel(this);
    ImageRed->setGeometry(24, 16, 33, 33);
    ImageRed->setPixmap(square(QColor(200, 0, 0)));
    ImageGrn = new QLabel(this);
    ImageGrn->setGeometry(24, 16, 33, 33);
    ImageGrn->setPixmap(square(QColor(0, 150, 0)));
    lblTitle1 = new QLabel(this);
    lblTitle1->setGeometry(72, 24, 380, 16);
    ListView1 = new QTreeWidget(this);
    ListView1->setGeometry(24, 64, 424, 200);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(ListView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        ListView1SelectItem(item ? ListView1->indexOfTopLevelItem(item) : -1);
    });
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setGeometry(24, 272, 424, 100);
    RichEdit1->setReadOnly(true);
    cboxAgree = new controls::TxCheckBox(QStringLiteral(u"データの更新に同意します。"), this);
    cboxAgree->setGeometry(24, 384, 300, 20);
    connect(cboxAgree, &QAbstractButton::clicked, this, [this] { cboxAgreeClick(); });
    lblTitle2 = new QLabel(this);
    lblTitle2->setGeometry(24, 412, 424, 16);
    lblTitle3 = new QLabel(this);
    lblTitle3->setGeometry(24, 432, 424, 16);
    pnlProgress = new QWidget(this);
    pnlProgress->setGeometry(96, 130, 281, 57);
    pnlProgress->setAutoFillBackground(true);
    lblProgress = new QLabel(QStringLiteral(u"データの更新中です…"), pnlProgress);
    lblProgress->setGeometry(8, 6, 265, 16);
    ProgressBar1 = new QProgressBar(pnlProgress);
    ProgressBar1->setGeometry(8, 28, 265, 20);
    pnlProgress->hide();
    btnOk = new controls::TxPlButton(this);
    btnOk->CaptionA().SetCaption(QStringLiteral("OK"));
    btnOk->setGeometry(380, 470, 80, 30);
    btnOk->OnClick = [this](QObject*) { btnOkClick(); };
    btnCancel = new controls::TxPlButton(this);
    btnCancel->CaptionA().SetCaption(QStringLiteral(u"キャンセル"));
    btnCancel->setGeometry(380, 470, 80, 30);
    btnCancel->OnClick = [this](QObject*) { btnCancelClick(); };
    F12Button = btnOk;
    xAnimeProgressDialog1 = new controls::TxAnimeProgressDialog(this);
    xAnimeProgressDialog1->SetCancelBtnShow(false);
}

void TDbUpdateBox::PrepareUpdateList(quint8 kind, const QString& versionText)
{
    List.PrepareUpdateList(kind, versionText);
    const bool system = kind == kUpdateSystem;
    ImageRed->setVisible(system);
    ImageGrn->setVisible(!system);
    lblTitle1->setText(List.HeadLine);
    lblTitle2->setText(List.WarningLines.value(0));
    lblTitle3->setText(List.WarningLines.value(1));
    for (QLabel* label : {lblTitle2, lblTitle3})
        label->setStyleSheet(system ? QString() : QStringLiteral("color: red"));
    cboxAgree->setVisible(List.AgreementVisible);
    btnCancel->setVisible(List.CancelVisible);
    btnOk->move(core::ScaleByDpi(system ? 380 : 280, PixelsPerInch), btnOk->y());
    btnCancel->move(core::ScaleByDpi(380, PixelsPerInch), btnCancel->y());
    showRows();
    cboxAgreeClick();
}

void TDbUpdateBox::showRows()
{
    ListView1->clear();
    QStringList captions;
    for (const TDbUpdateListColumn& column : List.Columns)
        captions << column.Caption;
    ListView1->setHeaderLabels(captions);
    for (int i = 0; i < List.Columns.size(); ++i)
        ListView1->setColumnWidth(i, List.Columns.at(i).Width);
    for (const TDbUpdateListRow& row : List.Rows)
        new QTreeWidgetItem(ListView1, {row.Caption, row.Title, row.Status});
    if (List.SelectedRow >= 0 && List.SelectedRow < ListView1->topLevelItemCount())
        ListView1->setCurrentItem(ListView1->topLevelItem(List.SelectedRow));
    else
        ListView1SelectItem(-1);
}

void TDbUpdateBox::ListView1SelectItem(int row)
{
    RichEdit1->clear();
    List.SelectedRow = row;
    if (row >= 0 && row + List.FirstIndex >= 0)
        RichEdit1->setPlainText(List.SelectedDescription().replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TDbUpdateBox::cboxAgreeClick()
{
    btnOk->setEnabled(cboxAgree->isHidden() || cboxAgree->isChecked());
}

bool TDbUpdateBox::running() const
{
    return btnOk->Tag() == 1;
}

void TDbUpdateBox::done(int result)
{
    if (running())
        return; // neither Esc nor Cancel ends a run
    TBSDI::done(result);
}

void TDbUpdateBox::btnCancelClick()
{
    if (running())
        return;
    controls::SetFormModalResult(this, core::mrCancel);
}

QString TDbUpdateBox::databaseFolder() const
{
    return List.UpdateKind == kUpdateSystem ? core::SystemDef.SYSDIR : core::SystemDef.DataFolder;
}

QString TDbUpdateBox::GetLoginOperators()
{
    if (List.UpdateKind != kUpdateSystem)
        return {};
    core::TDM& dm = core::RequireDM();
    QString text;
    try {
        dm.fnAccDefConnected(core::SystemDef.HOSTNAME, 0);
        companydata::TLoginUserListOnDef users;
        users.Execute(core::SystemDef.GROUPID, core::SystemDef.OPCODE, false);
        for (int i = 0; i < users.Count; ++i)
            text += QString::asprintf("[ %.4d ]:  ", users.GetOpCode(i)) + users.GetOpName(i) + QLatin1Char('\r');
    } catch (...) {
        dm.IBDatabaseDEF.close();
        throw;
    }
    dm.IBDatabaseDEF.close();
    return text;
}

void TDbUpdateBox::btnOkClick()
{
    if (running())
        return;
    btnOk->SetTag(1);
    controls::SetFormModalResult(this, 4);
    core::TDM& dm = core::RequireDM();
    try {
        bool refused = false;
        if (List.UpdateKind == kUpdateSystem) {
            dm.IBDatabaseDEF.close();
            if (dm.AccDatInConnection(core::kSystemDatabase, core::SystemDef.HOSTNAME, 0, core::SystemDef.SYSDIR)) {
                controls::TMessageInfoRec info;
                controls::InitMessageInfo(info);
                info.Kind = 1;
                info.Caption = QStringLiteral(u"情報");
                info.MainText = QStringLiteral(u"現在、他のオペレータがシステムを利用中です。\r"
                                               u"データベースの更新を行うには、システムを終了するようにご連絡して下さい。");
                info.Details = QStringList{QStringLiteral(u"利用中のオペレータ (異常終了時のオペレータ含む)"), QString()};
                const QString operators = GetLoginOperators();
                for (const QString& line : operators.split(QLatin1Char('\r'), Qt::SkipEmptyParts))
                    info.Details << line;
                info.Position = 4;
                controls::ShowMessageBox(info);
                refused = true;
            }
        } else {
            if (dm.IBDatabaseDAT.connected())
                dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
            if (dm.AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 0, core::SystemDef.DataFolder)) {
                core::showMessage(core::MessageKind::Information,
                                  QStringLiteral(u"現在、他のオペレータが会計データを利用中です。\r"
                                                 u"データベースの更新を行うには、会計データの利用を停止するようにご連絡して下さい。"),
                                  core::mbYes);
                refused = true;
            }
        }
        if (!refused) {
            ExecuteUpdate();
            if (!List.BackupFileName.isEmpty() && QFileInfo::exists(List.BackupFileName))
                QFile::remove(List.BackupFileName);
            if (List.UpdateSucceeded)
                controls::SetFormModalResult(this, core::mrOk);
            else
                showFailure();
        }
    } catch (...) {
        if (!List.BackupFileName.isEmpty() && QFileInfo::exists(List.BackupFileName))
            QFile::remove(List.BackupFileName);
        reconnect();
        btnOk->SetTag(0);
        throw;
    }
    reconnect();
    btnOk->SetTag(0);
    // A Cancel click during the run may have cleared the result the run decided.
    controls::SetFormModalResult(this, List.UpdateSucceeded ? core::mrOk : 4);
}

void TDbUpdateBox::showFailure()
{
    controls::TMessage2InfoRec info;
    controls::InitMessage2Info(1, info);
    info.Lines[0].Text = List.UpdateKind == kUpdateSystem ? QStringLiteral(u"システムデータの更新に失敗しました。")
                                                           : QStringLiteral(u"会計データの更新に失敗しました。");
    int line = 1;
    if (!ErrorText.isEmpty()) {
        info.Lines[line++].Text = QStringLiteral(u"[エラー内容]");
        info.Lines[line++].Text = ErrorText;
        if (!ErrorDetail.isEmpty())
            info.Lines[line++].Text = ErrorDetail;
    }
    if (!KeptBackupFile.isEmpty())
        info.Lines[line++].Text = QStringLiteral(u"更新前のバックアップ: %1").arg(KeptBackupFile);
    controls::ShowMessageBox2(info);
}

void TDbUpdateBox::reconnect()
{
    core::TDM& dm = core::RequireDM();
    if (List.UpdateKind == kUpdateSystem) {
        if (!dm.IBDatabaseDEF.connected())
            dm.fnAccDefConnected(core::SystemDef.HOSTNAME, 1);
        return;
    }
    if (!dm.IBDatabaseDAT.connected())
        dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0);
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 1, 1);
    if (dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0))
        dm.fnGetAccInfo();
}

bool TDbUpdateBox::runBackupRestore(int mode, const QString& caption, const QString& text)
{
    xAnimeProgressDialog1->SetCaption(caption);
    xAnimeProgressDialog1->SetInfoLabel(text);
    xAnimeProgressDialog1->SetAviFile(QDir(core::SystemDef.ExeDir).filePath(QStringLiteral("progress.avi")));
    xAnimeProgressDialog1->Show(this);
    companydata::TBackupRestoreThread thread(true);
    thread.Mode = mode;
    thread.TransferKind = (core::ConnectMode == 1 || core::ConnectMode == 2) ? 1 : 0;
    thread.MyNumberStep = false;
    thread.HostName = core::SystemDef.HOSTNAME;
    thread.DatabaseName = QDir(databaseFolder())
                              .filePath(List.UpdateKind == kUpdateSystem ? core::Identity.DataDefFile
                                                                         : core::Identity.DataFile);
    thread.BackupFileName = List.BackupFileName;
    thread.KeepIndexes = 1;
    companydata::RunBackupRestoreThread(thread);
    xAnimeProgressDialog1->Close();
    raise();
    activateWindow();
    if (thread.Succeeded && !thread.Failed)
        return true;
    ErrorText = thread.ErrorMessage;
    ErrorDetail = thread.ErrorDetail;
    if (ErrorText.isEmpty())
        ErrorText = caption;
    return false;
}

int TDbUpdateBox::ExecuteUpdate()
{
    ErrorText.clear();
    ErrorDetail.clear();
    KeptBackupFile.clear();
    List.BackupFileName = QDir(core::SystemDef.TempDir).filePath(kBackupName);
    List.UpdateSucceeded = false;
    if (List.FirstIndex < 0 || !List.CurrentSteps)
        return -1;

    core::TDM& dm = core::RequireDM();
    if (List.BackupCount > 0) {
        QDir().mkpath(core::SystemDef.TempDir);
        const bool backedUp = runBackupRestore(0, QStringLiteral(u"データ更新の準備中"),
                                               QStringLiteral(u"準備中、しばらくお待ちください…"));
        dm.IBDatabaseDEF.close();
        QDir before(QDir(core::SystemDef.DocumentsDir).filePath(kBeforeUpdateFolder));
        if (before.exists())
            before.removeRecursively();
        if (!backedUp) {
            List.FirstIndex = List.LastIndex = -1;
            return -1;
        }
    }

    const TArrayDbUpdateListRec& steps = *List.CurrentSteps;
    const int first = List.FirstIndex;
    const int last = List.LastIndex;
    ProgressBar1->setRange(0, last - first + 1);
    ProgressBar1->setValue(0);
    pnlProgress->show();
    pnlProgress->raise();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool allDone = true;
    for (int index = first; index <= last; ++index) {
        const int row = index - first;
        int result = kStepScriptError;
        try {
            const TDbUpdateListRec& step = steps.at(size_t(index));
            result = step.UpdateProc ? step.UpdateProc() : kStepFileMissing;
        } catch (const std::exception& e) {
            // A step that ends in an error counts as that step failing; the restore still runs.
            ErrorText = core::exceptionText(e);
            result = kStepScriptError;
        }
        QTreeWidgetItem* item = ListView1->topLevelItem(row);
        const QString status = result == kStepDone ? QStringLiteral(u"完了")
                               : result == kStepFileMissing ? QStringLiteral(u"ﾌｧｲﾙ不足")
                                                            : QStringLiteral(u"失敗");
        List.Rows[row].Status = status;
        if (item) {
            item->setText(2, status);
            item->setIcon(2, QIcon(square(result == kStepDone ? QColor(0, 150, 0) : QColor(200, 0, 0))));
        }
        if (result != kStepDone) {
            allDone = false;
            break;
        }
        ProgressBar1->setValue(row + 1);
    }
    core::DelayWithMessages(300);
    pnlProgress->hide();
    QApplication::restoreOverrideCursor();

    if (!allDone && List.BackupCount > 0) {
        if (!runBackupRestore(1, QStringLiteral(u"更新前データの復元中"), QStringLiteral(u"復元中、しばらくお待ちください…"))) {
            // The backup is the only copy of the database as it was: it stays, under a name the
            // next run does not overwrite.
            const QString kept = QDir(core::SystemDef.TempDir)
                                     .filePath(QStringLiteral("dataup-%1.fbk")
                                                   .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"))));
            if (QFile::rename(List.BackupFileName, kept))
                KeptBackupFile = kept;
            List.FirstIndex = List.LastIndex = -1;
            return -1;
        }
    }
    List.FirstIndex = List.LastIndex = -1;
    if (!allDone)
        return 0;
    List.CurrentVersion = List.ProgramVersion;
    List.UpdateSucceeded = true;
    return 1;
}

} // namespace dbupgrade
