#include "cloudexchange/CashBookLoaderBox.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/forms/FormState.h"
#include "core/os/DpiScale.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace cloudexchange {

namespace {

const QString kClose = QStringLiteral("閉じる");

controls::TxPlButton* makeButton(QWidget* parent, const QString& caption, int left, int top) {
    auto* b = new controls::TxPlButton(parent);
    b->CaptionA().SetCaption(caption);
    b->setGeometry(left, top, 80, 28);
    return b;
}

} // namespace

TCashBookLoaderBox::TCashBookLoaderBox(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("現金出納帳の取り込み"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(631, 466);
    lblTitle1 = new QLabel(this);
    lblTitle1->setGeometry(60, 10, 560, 18);
    lblTitle2 = new QLabel(this);
    lblTitle2->setGeometry(60, 30, 560, 18);
    lblTitle3 = new QLabel(this);
    lblTitle3->setGeometry(60, 50, 560, 18);
    lblTitle3->setStyleSheet(QStringLiteral("color: red"));
    ListView1 = new QTreeWidget(this);
    ListView1->setGeometry(15, 75, 600, 225);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setFocusPolicy(Qt::NoFocus);
    pnlProgress = new QWidget(this);
    pnlProgress->setGeometry(115, 150, 400, 70);
    auto* progressLayout = new QVBoxLayout(pnlProgress);
    Label1 = new QLabel(pnlProgress);
    ProgressBar1 = new QProgressBar(pnlProgress);
    ProgressBar1->setRange(0, 7);
    progressLayout->addWidget(Label1);
    progressLayout->addWidget(ProgressBar1);
    pnlProgress->hide();
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setGeometry(15, 305, 600, 110);
    RichEdit1->setReadOnly(true);
    btnOk = makeButton(this, QStringLiteral("OK"), 450, 425);
    btnCancel = makeButton(this, QStringLiteral("キャンセル"), 540, 425);
    btnOutput = makeButton(this, QStringLiteral("ファイル出力"), 15, 425);
    btnOk->OnClick = [this](QObject*) { btnOkClick(); };
    btnCancel->OnClick = [this](QObject*) { btnCancelClick(); };
    btnOutput->OnClick = [this](QObject*) { btnOutputClick(); };
    ListView1->connect(ListView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        ListView1SelectItem(item ? ListView1->indexOfTopLevelItem(item) : -1);
    });
    Timer1.setSingleShot(false);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    RowAdded = [this](const core::TTessaroSyoriInfo& row) { addListLine(row); };
    ShowStep = [this](const QString& caption) {
        Label1->setText(caption);
        QApplication::processEvents();
    };
    SetProgress = [this](int value) { ProgressBar1->setValue(qMin(value, 7)); };

    btnOutput->setEnabled(false);
    btnOk->setEnabled(false);
    btnCancel->setEnabled(false);
    SetAutoRun();
}

TCashBookLoaderBox::~TCashBookLoaderBox() {
    Timer1.stop();
    RowAdded = nullptr;
    ShowStep = nullptr;
    SetProgress = nullptr;
}

void TCashBookLoaderBox::SetAutoRun() {
    btnOk->setEnabled(false);
    btnCancel->setEnabled(false);
    btnOk->hide();
    btnCancel->CaptionA().SetCaption(kClose);
    Timer1.stop();
    Timer1.setInterval(1500);
    AutoRunPending = true;
}

void TCashBookLoaderBox::SetUpView() {
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({QStringLiteral("ステータス"), QStringLiteral("情報")});
    ListView1->setColumnWidth(0, core::ScaleByDpi(80, logicalDpiX(), 96));
    ListView1->setColumnWidth(1, core::ScaleByDpi(500, logicalDpiX(), 96));
    if (ReceiveKind == 0) {
        lblTitle1->setText(QStringLiteral("現金出納帳データの取り込みを行います。"));
        lblTitle2->setText(QStringLiteral("この処理を実行することにより、顧問先と現金残高の同期が行われます。"));
    } else {
        lblTitle1->setText(QStringLiteral("データの取り込みを行います。"));
        lblTitle2->setText(QStringLiteral("この処理を実行することにより、送信元とデータの同期が行われます。"));
    }
    lblTitle3->clear();
    btnOk->move(450, btnOk->y());
    btnCancel->move(540, btnCancel->y());
}

void TCashBookLoaderBox::ShowResultTitles() {
    if (SyoriResult > 0) {
        lblTitle1->setText(ReceiveKind == 0 ? QStringLiteral("現金出納帳データの取り込みを行いました。")
                                            : QStringLiteral("データの取り込みを行いました。"));
        lblTitle2->setText(QStringLiteral("下記の情報を確認して下さい。"));
    } else {
        lblTitle1->setText(ReceiveKind == 0 ? QStringLiteral("現金出納帳データの取り込みが中止されました。")
                                            : QStringLiteral("データの取り込みが中止されました。"));
        lblTitle2->setText(QStringLiteral("下記の情報より、中止された理由を確認して下さい。"));
    }
    lblTitle3->clear();
}

void TCashBookLoaderBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetUpView();
    update();
    if (AutoRunPending) {
        Timer1.start();
        pnlProgress->show();
        Label1->setText(QStringLiteral("準備中です…"));
        QApplication::processEvents();
    } else if (ShowAfterFailure && SyoriResult < 0) {
        pnlProgress->hide();
        ShowResultTitles();
    }
    QApplication::restoreOverrideCursor();
}

void TCashBookLoaderBox::Timer1Timer() {
    Timer1.stop();
    if (AutoRunPending)
        btnOkClick();
}

void TCashBookLoaderBox::ExecuteSilent() {
    if (ReceiveKind != 1)
        return;
    Timer1.stop();
    SetUpView();
    if (AutoRunPending)
        btnOkClick();
}

void TCashBookLoaderBox::clearList() {
    ListView1->clear();
    RichEdit1->clear();
}

void TCashBookLoaderBox::addListLine(const core::TTessaroSyoriInfo& row) {
    if (SyoriLog.size() == 1)
        clearList(); // a new run starts its list afresh
    auto* item = new QTreeWidgetItem(ListView1);
    item->setText(0, SyoriKindCaption(row.Kind));
    item->setText(1, row.Text);
}

void TCashBookLoaderBox::ListView1SelectItem(int row) {
    RichEdit1->clear();
    if (row >= 0 && row < SyoriLog.size())
        RichEdit1->setPlainText(SyoriLog[row].Text);
}

void TCashBookLoaderBox::btnOkClick() {
    if (running_)
        return;
    running_ = true;
    controls::SetFormModalResult(this, 0);
    btnCancel->CaptionA().SetCaption(kClose);
    btnCancel->setEnabled(false);
    btnOk->setEnabled(false);
    clearList();
    pnlProgress->show();
    RunImport();
    if (ListView1->topLevelItemCount() > 0)
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    AutoRunPending = false;
    ShowResultTitles();
    pnlProgress->hide();
    btnOutput->setEnabled(ListView1->topLevelItemCount() > 0);
    btnCancel->setEnabled(true);
    running_ = false;
    if (isVisible()) {
        btnCancel->setFocus();
    } else if (SyoriResult < 0) {
        ShowAfterFailure = true;
        exec();
    }
}

void TCashBookLoaderBox::btnCancelClick() {
    if (running_)
        return;
    controls::SetFormModalResult(this, btnCancel->CaptionA().Caption() == kClose ? 1 : 2);
}

void TCashBookLoaderBox::btnOutputClick() { ExportSyoriLog(SyoriLog); }

} // namespace cloudexchange
