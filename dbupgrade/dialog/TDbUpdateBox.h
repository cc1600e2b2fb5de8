#pragma once
// The modal dialog "データベースの更新" that brings one database to the program's schema: it
// lists the pending steps of its model (TDbUpdateList), asks for agreement (company data),
// refuses while other operators use the database, backs the database up when a pending step
// asks for it, runs the steps one by one, marks each row, restores the backup when a step
// fails, and tells the outcome by its modal result: 1 every step done, 2 cancelled, 4 refused
// or failed. It reconnects the database before it closes.
//
// The caller prepares it with PrepareUpdateList and shows it modally; nothing in this program
// shows it (the data selection uses only the version check of the model).

#include "controls/forms/TBSDI.h"
#include "dbupgrade/DbUpdateList.h"

#include <QString>

class QLabel;
class QProgressBar;
class QTextEdit;
class QTreeWidget;

namespace controls {
class TxAnimeProgressDialog;
class TxCheckBox;
class TxPlButton;
}

namespace dbupgrade {

class TDbUpdateBox : public controls::TBSDI {
    Q_OBJECT

public:
    explicit TDbUpdateBox(QWidget* owner = nullptr);
    TDbUpdateBox(QWidget* owner, const StepTextContext& context);
    ~TDbUpdateBox() override;

    // The step tables, the version check and the list rows.
    TDbUpdateList List;

    // Prepares the model and shows its texts, columns and rows.
    void PrepareUpdateList(quint8 kind, const QString& versionText);

    // The whole run of the OK button.
    void btnOkClick();
    // Backup, steps, restore: 1 every pending step done, 0 a step failed (after the restore, or
    // without one when no backup was taken), -1 nothing pending, the backup or the restore failed.
    int ExecuteUpdate();
    // The other operators logged on to the system database, "[ %.4d ]:  %s" and CR each; empty
    // for company data.
    QString GetLoginOperators();
    void cboxAgreeClick();
    void ListView1SelectItem(int row);
    void btnCancelClick();

    // The backup of a run whose restore failed, kept under a name of its own; empty otherwise.
    QString KeptBackupFile;
    // Error text and detail of the failed backup, restore or step.
    QString ErrorText;
    QString ErrorDetail;

    QLabel* ImageRed;
    QLabel* ImageGrn;
    QLabel* lblTitle1;
    QLabel* lblTitle2;
    QLabel* lblTitle3;
    QTreeWidget* ListView1;
    QTextEdit* RichEdit1;
    controls::TxCheckBox* cboxAgree;
    QWidget* pnlProgress;
    QLabel* lblProgress;
    QProgressBar* ProgressBar1;
    controls::TxPlButton* btnOk;
    controls::TxPlButton* btnCancel;
    controls::TxAnimeProgressDialog* xAnimeProgressDialog1;

public slots:
    void done(int result) override;

private:
    void build();
    void showRows();
    bool running() const;
    // Backs up (mode 0) or restores (mode 1) the database of the kind; false after a failure,
    // with ErrorText and ErrorDetail set.
    bool runBackupRestore(int mode, const QString& caption, const QString& text);
    void reconnect();
    void showFailure();
    QString databaseFolder() const;
};

} // namespace dbupgrade
