#pragma once
// The take-in window of the cash-book exchange ("現金出納帳の取り込み"). The communication
// creates it, sets ReceiveKind and MergeMode, gives it the received database with
// SetReceiveDataFile and either shows it modally (cash-book data: the run starts by itself
// 1.5 seconds after showing; "閉じる" ends it with 1) or calls ExecuteSilent (accounting data;
// a failed silent run shows the window with its log before returning). GetSyoriResult then
// gives 1 for data taken in, a negative code for a refusal, 0 when nothing was done.

#include "cloudexchange/CashBookImport.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QTextEdit;
class QTreeWidget;
class QWidget;

namespace controls {
class TxPlButton;
}

namespace cloudexchange {

class TCashBookLoaderBox : public QDialog, public TCashBookImport {
    Q_OBJECT

public:
    explicit TCashBookLoaderBox(QWidget* owner = nullptr);
    ~TCashBookLoaderBox() override;

    bool AutoRunPending = true;
    bool ShowAfterFailure = false;

    QLabel* lblTitle1;
    QLabel* lblTitle2;
    QLabel* lblTitle3;
    QTreeWidget* ListView1;
    QWidget* pnlProgress;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QTextEdit* RichEdit1;
    controls::TxPlButton* btnOk;
    controls::TxPlButton* btnCancel;
    controls::TxPlButton* btnOutput;
    QTimer Timer1;

    void ExecuteSilent();
    void SetUpView();
    void ShowResultTitles();

    void btnOkClick();
    void btnCancelClick();
    void btnOutputClick();
    void Timer1Timer();
    void ListView1SelectItem(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetAutoRun();
    void addListLine(const core::TTessaroSyoriInfo& row);
    void clearList();
    bool running_ = false; // btnOk's tag 1
};

} // namespace cloudexchange
