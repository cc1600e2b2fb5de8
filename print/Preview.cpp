// The preview window.
#include "print/Preview.h"

#include "core/files/SystemFolders.h"
#include "core/ui/MessageService.h"
#include "print/ErrorLog.h"
#include "print/Fields.h"
#include "print/PgwFile.h"
#include "print/PgwFormat.h"
#include "print/PgwJob.h"
#include "print/PlatformPrinter.h"
#include "print/PrintLibrary.h"
#include "print/Printing.h"
#include "print/RenderState.h"
#include "print/Renderer.h"
#include "print/VDBPrint.h"
#include "print/Yohaku.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace print {

namespace {

int roundEven(double v) {
    return int(std::nearbyint(v));
}

template <typename F>
void guarded(const char* place, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("%1:%2").arg(QString::fromUtf8(place), QString::fromUtf8(e.what())));
    }
}

// The text without its last extension (a dot after the last path separator).
QString withoutExtension(const QString& text) {
    const qsizetype dot = text.lastIndexOf(u'.');
    const qsizetype separator = qMax(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    return dot > separator ? text.left(dot) : text;
}

bool passedRecordIsGlobal(const TPGWDEF& def) {
    return &def == &PgwDef;
}

} // namespace

TImagePaintBox::TImagePaintBox(TImageDispForm& form, QWidget* parent) : QWidget(parent), form_(form) {
    setToolTip(QStringLiteral("印刷可能範囲"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImagePaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    form_.PaintPage(painter);
}

void TImagePaintBox::mousePressEvent(QMouseEvent* event) {
    form_.dragStart_ = event->globalPosition().toPoint();
    form_.dragging_ = event->buttons() == Qt::LeftButton;
    if (form_.dragging_)
        setCursor(Qt::SizeAllCursor);
}

void TImagePaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (!form_.dragging_ || event->buttons() != Qt::LeftButton)
        return;
    const QPoint now = event->globalPosition().toPoint();
    QScrollBar* h = form_.ImagePaintScrollBox->horizontalScrollBar();
    QScrollBar* v = form_.ImagePaintScrollBox->verticalScrollBar();
    h->setValue(qMax(0, h->value() + form_.dragStart_.x() - now.x()));
    v->setValue(qMax(0, v->value() + form_.dragStart_.y() - now.y()));
    form_.dragStart_ = now;
}

void TImagePaintBox::mouseReleaseEvent(QMouseEvent*) {
    form_.dragging_ = false;
    unsetCursor();
}

TImageDispForm::TImageDispForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ImageDispForm"));
    setWindowTitle(QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("SpeedBar"));
    bar->setFixedHeight(30);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 0, 2, 0);
    auto button = [&](const char* name, const QString& text, const QString& hint, auto handler) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        row->addWidget(b);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    CloseButton = button("CloseButton", QStringLiteral("閉じる"), QStringLiteral("プレビューを中止する。"), [this] {
        CloseCode = 0;
        closingByButton_ = true;
        close();
    });
    PrintButton = button("PrintButton", QStringLiteral("印刷"), QStringLiteral("印刷"), [this] { PrintAll(); });
    PrintSetupButton = button("PrintSetupButton", QStringLiteral("設定"), QStringLiteral("ﾌﾟﾘﾝﾀ設定"), [this] { PrinterSetup(); });
    SB_MARGIN = button("SB_MARGIN", QStringLiteral("余白"), QStringLiteral("上余白・左余白を設定します"), [this] { Margins(); });
    ZoomJustButton = button("ZoomJustButton", QStringLiteral("全体"), QStringLiteral("全体を表示する"), [this] { ZoomFit(); });
    SpeedButton3 = button("SpeedButton3", QStringLiteral("100%"), QStringLiteral("１００％表示"), [this] { Zoom100(); });
    ZoomInButton = button("ZoomInButton", QStringLiteral("+"), QStringLiteral("拡大"), [this] { ZoomIn(); });
    ZoomOutButton = button("ZoomOutButton", QStringLiteral("-"), QStringLiteral("縮小"), [this] { ZoomOut(); });
    DispZoom = new QLabel(bar);
    DispZoom->setObjectName(QStringLiteral("DispZoom"));
    row->addWidget(DispZoom);
    PgJump = button("PgJump", QStringLiteral("Jmp"), QStringLiteral("ﾍﾟｰｼﾞ指定"), [this] { JumpPage(); });
    PgJump->setStyleSheet(QStringLiteral("color: red"));
    TopPage = button("TopPage", QStringLiteral("|<"), QStringLiteral("先頭ﾍﾟｰｼﾞ"), [this] { FirstPage(); });
    PrevPage = button("PrevPage", QStringLiteral("<"), QStringLiteral("前ﾍﾟｰｼﾞ"), [this] { PriorPage(); });
    NextPage = button("NextPage", QStringLiteral(">"), QStringLiteral("次ﾍﾟｰｼﾞ"), [this] { FollowingPage(); });
    LastPage = button("LastPage", QStringLiteral(">|"), QStringLiteral("最終ﾍﾟｰｼﾞ"), [this] { FinalPage(); });
    WherePage = new QLabel(bar);
    WherePage->setObjectName(QStringLiteral("WherePage"));
    row->addWidget(WherePage);
    CurrentPage = button("CurrentPage", QStringLiteral("頁印刷"), QStringLiteral("現在のページを印刷"), [this] { PrintShownPage(); });
    PrevPaper = button("PrevPaper", QStringLiteral("前の帳票"), QString(), [this] {
        CloseCode = -1;
        closingByButton_ = true;
        close();
    });
    NextPaper = button("NextPaper", QStringLiteral("次の帳票"), QString(), [this] {
        CloseCode = 1;
        closingByButton_ = true;
        close();
    });
    ImageOut = button("ImageOut", QString(), QStringLiteral("ファイルに保存"), [this] { ImageOutClick(); });
    ImageOpen = button("ImageOpen", QString(), QStringLiteral("ファイルの読込"), [this] { ImageOpenClick(); });
    ImageOpenCancel = button("ImageOpenCancel", QString(), QStringLiteral("ファイルの読込を取り消す"), [this] { CancelOpenJob(); });
    for (QToolButton* b : {ImageOut, ImageOpen, ImageOpenCancel}) {
        b->setVisible(false);
        b->setEnabled(false);
    }
    row->addStretch();
    outer->addWidget(bar);

    ImagePaintScrollBox = new QScrollArea(this);
    ImagePaintScrollBox->setObjectName(QStringLiteral("ImagePaintScrollBox"));
    PaperPanel = new QWidget;
    PaperPanel->setObjectName(QStringLiteral("PaperPanel"));
    PaperPanel->setAutoFillBackground(true);
    QPalette pal = PaperPanel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    PaperPanel->setPalette(pal);
    ImagePaintBox = new TImagePaintBox(*this, PaperPanel);
    ImagePaintBox->setObjectName(QStringLiteral("ImagePaintBox"));
    ImagePaintScrollBox->setWidget(PaperPanel);
    ImagePaintScrollBox->setWidgetResizable(false);
    outer->addWidget(ImagePaintScrollBox, 1);
    formFile_ = PgwDef.FormFile;
    dataFile_ = PgwDef.DataFile;
}

TImageDispForm::~TImageDispForm() = default;

QSizeF TImageDispForm::paperMm() const {
    QSizeF paper = PaperSizeMm(PrinterPaperNumber(), PrintableSizeMm());
    if (!UnknownPaperMet && PrinterOrientation() == 1)
        paper.transpose();
    return paper;
}

void TImageDispForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!setUpDone_) { // once: later activations keep the page and the zoom
        setUpDone_ = true;
        SetUp();
        if (OnShown)
            QTimer::singleShot(0, this, [this] { OnShown(*this); });
    }
}

void TImageDispForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (setUpDone_)
        Layout();
}

void TImageDispForm::closeEvent(QCloseEvent* event) {
    if (!closingByButton_)
        CloseCode = PrevPaper->isHidden() ? 1 : 0;
    closingByButton_ = false;
    Orientations.clear();
    event->accept();
    done(QDialog::Accepted);
}

void TImageDispForm::SetUp() {
    guarded("PREVIEW.FormCreate", [&] {
        CloseCode = PrevPaper->isHidden() ? 1 : 0;
        Zoom = PgwDef.Zoom;
        FactorX = logicalDpiX() / 254.0;
        FactorY = logicalDpiY() / 254.0;
        HensuuYomikomi(formFile_, 0, 0);
        CountDocumentPages();
        Layout();
        updateWherePage();
        ZoomFit();
        Orientations = PageOrientations(dataFile_, PgwDef.Orientation);
        ApplyPageOrientation();
    });
}

bool TImageDispForm::fits(int zoom) const {
    const QSizeF mm = paperMm();
    const double ppi = logicalDpiX();
    const QSize box = ImagePaintScrollBox->size();
    return box.width() >= roundEven(ppi * mm.width() / 25.4 * zoom / 10) + 15 &&
           box.height() >= roundEven(zoom / 10.0 * ppi * mm.height() / 25.4) + PaperPanel->y();
}

void TImageDispForm::ZoomFit() {
    for (int n = 20; n >= 5; --n)
        if (fits(n)) {
            Zoom = n;
            break;
        }
    redisplay();
}

void TImageDispForm::Layout() {
    guarded("PREVIEW.FormResize", [&] {
        ImagePaintScrollBox->horizontalScrollBar()->setValue(0);
        ImagePaintScrollBox->verticalScrollBar()->setValue(0);
        Vdb().ResetUserPaperSize();
        const QSizeF printable = PrintableSizeMm();
        QSizeF paper = paperMm();
        const double ppi = logicalDpiX();
        QSize panel;
        if (!UnknownPaperMet)
            panel = QSize(roundEven(ppi * paper.width() / 25.4 * Zoom * 0.1), roundEven(ppi * paper.height() / 25.4 * Zoom * 0.1));
        else
            panel = QSize(roundEven((printable.width() + 10) / 25.4 * ppi * Zoom * 0.1) + 2,
                          roundEven((printable.height() + 10) / 25.4 * ppi * Zoom * 0.1) + 2);
        PaperPanel->resize(panel);
        const QSize box(roundEven(printable.width() / 25.4 * ppi * Zoom * 0.1) + 2,
                        roundEven(printable.height() / 25.4 * ppi * Zoom * 0.1) + 2);
        ImagePaintBox->setGeometry((panel.width() - box.width()) / 2, (panel.height() - box.height()) / 2, box.width(),
                                   box.height());
        const int ul = roundEven((paper.width() - printable.width()) / 2) * 10;
        const int ut = roundEven((paper.height() - printable.height()) / 2) * 10;
        LeftOffset = PgwDef.LeftMargin - ul;
        TopOffset = PgwDef.TopMargin - ut;
        EvenOffset = PgwDef.EvenLeftOffset;
        DispZoom->setText(QStringLiteral("%1%2").arg(Zoom * 10).arg(QStringLiteral("%")));
    });
}

void TImageDispForm::PaintPage(QPainter& painter) {
    if (painting_)
        return;
    painting_ = true;
    guarded("PREVIEW.ImageBoxPaint", [&] {
        const QRect area(0, 0, ImagePaintBox->width(), ImagePaintBox->height());
        painter.fillRect(area, Qt::white);
        QPen frame(QColor(0, 0, 255));
        frame.setStyle(Qt::DotLine);
        painter.setPen(frame);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        if (dataFile_.isEmpty()) {
            painter.drawText(10, 20, QStringLiteral("印刷ファイルの指定がありません。"));
            return;
        }
        if (!QFileInfo::exists(dataFile_)) {
            painter.drawText(10, 20, QStringLiteral("\"%1\"が見つかりません。").arg(dataFile_));
            return;
        }
        TRenderCall call;
        call.EvenPage = ShownPage % 2 == 0;
        call.Zoom = Zoom;
        call.Fx = FactorX;
        call.Fy = FactorY;
        call.Resolution = logicalDpiX();
        TPgwFile form;
        if (!formFile_.trimmed().isEmpty() && form.Open(formFile_) && form.FindPage(ShownPage, true)) {
            call.Kind = QStringLiteral("FOM");
            RenderPage(form, painter, call);
        }
        TPgwFile data;
        if (data.Open(dataFile_) && data.FindPage(ShownPage, false)) {
            call.Kind = QStringLiteral("DAT");
            call.FieldSet = FieldSetOfPage(ShownPage);
            RenderPage(data, painter, call);
        }
    });
    painting_ = false;
}

void TImageDispForm::updateWherePage() {
    WherePage->setText(QStringLiteral("%1/%2").arg(ShownPage).arg(PageTotal));
}

void TImageDispForm::redisplay() {
    Layout();
    ImagePaintBox->update();
}

void TImageDispForm::ApplyPageOrientation() {
    if (ShownPage >= 1 && ShownPage <= Orientations.size() && Orientations.at(ShownPage - 1) != PrinterOrientation()) {
        SetPrinterOrientation(Orientations.at(ShownPage - 1));
        Layout();
    }
}

void TImageDispForm::FirstPage() {
    ShownPage = 1;
    NumberingPage = ShownPage;
    ApplyPageOrientation();
    ImagePaintBox->update();
    updateWherePage();
}

void TImageDispForm::FinalPage() {
    ShownPage = PageTotal;
    NumberingPage = ShownPage;
    ApplyPageOrientation();
    ImagePaintBox->update();
    updateWherePage();
}

void TImageDispForm::PriorPage() {
    if (PageTotal > 1 && ShownPage > 1) {
        NextPage->setEnabled(true);
        --ShownPage;
    }
    NumberingPage = ShownPage;
    ApplyPageOrientation();
    ImagePaintBox->update();
    updateWherePage();
}

void TImageDispForm::FollowingPage() {
    if (PageTotal > 1 && ShownPage < PageTotal) {
        PrevPage->setEnabled(true);
        ++ShownPage;
    }
    NumberingPage = ShownPage;
    ApplyPageOrientation();
    ImagePaintBox->update();
    updateWherePage();
}

void TImageDispForm::JumpPage() {
    guarded("ImageDispForm.PgJumpClick", [&] {
        core::TextRequest request;
        request.caption = QStringLiteral("ページ指定");
        request.prompt = QStringLiteral("表示したいページ番号を入力してください");
        request.initialText = QStringLiteral("1");
        const std::optional<QString> answer = core::askText(request);
        if (answer) {
            bool ok = false;
            int n = answer->trimmed().toInt(&ok);
            if (!ok)
                n = 1;
            if (n >= 1 && n <= PageTotal) {
                ShownPage = n;
                NumberingPage = n;
            }
        }
        ApplyPageOrientation();
        ImagePaintBox->update();
        updateWherePage();
    });
}

void TImageDispForm::ZoomIn() {
    if (Zoom < 20)
        ++Zoom;
    redisplay();
}

void TImageDispForm::ZoomOut() {
    if (Zoom > 5)
        --Zoom;
    redisplay();
}

void TImageDispForm::Zoom100() {
    Zoom = 10;
    redisplay();
}

void TImageDispForm::PrintAll() {
    if (!PgwDef.Permit)
        return;
    const QString form = PgwDef.FormFile, data = PgwDef.DataFile;
    const int orientation = PrinterOrientation();
    const int page = ShownPage;
    const bool prnDlg = PgwDef.PrnDlg;
    guarded("PREVIEW.印刷", [&] {
        PgwDef.FormFile = formFile_;
        PgwDef.DataFile = dataFile_;
        PgwDef.PrnDlg = true;
        PgwDef.Zoom = 10;
        PgwDef.PrinterNum = PrinterIndex();
        SetPaperRatios(Vdb().GetPaper());
        PrintFile(PgwDef);
    });
    ShownPage = page;
    NumberingPage = page;
    updateWherePage();
    PgwDef.FormFile = form;
    PgwDef.DataFile = data;
    PgwDef.PrnDlg = prnDlg;
    SetPrinterOrientation(orientation);
    Layout();
}

void TImageDispForm::PrintShownPage() {
    if (!PgwDef.Permit)
        return;
    const QString form = PgwDef.FormFile, data = PgwDef.DataFile;
    guarded("PREVIEW.現在のページ", [&] {
        PgwDef.FormFile = formFile_;
        PgwDef.DataFile = dataFile_;
        PgwDef.Zoom = 10;
        PgwDef.PrinterNum = PrinterIndex();
        SetPaperRatios(Vdb().GetPaper());
        PrintCurrentPage(PgwDef, ShownPage, PrinterOrientation());
    });
    NumberingPage = ShownPage;
    PgwDef.FormFile = form;
    PgwDef.DataFile = data;
    Layout();
}

void TImageDispForm::PrinterSetup() {
    guarded("PREVIEW.プリンタ設定", [&] {
        if (RunPrinterSetup)
            RunPrinterSetup();
        else {
            QPageSetupDialog dialog(&PlatformPrinter(), this);
            dialog.exec();
        }
        SetPaperRatios(Vdb().GetPaper());
        Layout();
        ImagePaintBox->update();
    });
}

void TImageDispForm::Margins() {
    guarded("PREVIEW.余白設定", [&] {
        const bool samePaper = Vdb().GetPaper() == PgwDef.PaperSize;
        int top = PgwDef.TopMargin, left = PgwDef.LeftMargin, v = PgwDef.VRATIO, h = PgwDef.HRATIO;
        bool ok = false;
        if (RunMarginDialog) {
            ok = RunMarginDialog(top, left, v, h, samePaper);
        } else {
            Tfmyohaku dialog(this);
            dialog.SetTopMargin(top);
            dialog.SetLeftMargin(left);
            dialog.SetVRatio(v);
            dialog.SetHRatio(h);
            dialog.GroupBox3->setVisible(samePaper);
            dialog.resize(dialog.width(), samePaper ? 320 : 220);
            ok = dialog.exec() == QDialog::Accepted;
            top = dialog.TopMargin();
            left = dialog.LeftMargin();
            v = dialog.VRatio();
            h = dialog.HRatio();
        }
        if (ok) {
            PgwDef.TopMargin = top;
            PgwDef.LeftMargin = left;
            if (samePaper) {
                PgwDef.VRATIO = v == 0 ? 1000 : v;
                PgwDef.HRATIO = h == 0 ? 1000 : h;
            }
        }
        SetPaperRatios(Vdb().GetPaper());
        Layout();
        ImagePaintBox->update();
    });
}

void TImageDispForm::SaveJob(const QString& folder, const QString& base) {
    if (painting_)
        return;
    painting_ = true;
    guarded("PREVIEW.Text作成", [&] { SavePrintJob(dataFile_, formFile_, folder, base); });
    painting_ = false;
    Layout();
}

void TImageDispForm::OpenJob(const QString& path) {
    if (painting_)
        return;
    guarded("PREVIEW.Text読込", [&] {
        if (!FileHasSignature(path)) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("[PAGEWERK]印刷ファイルではありません。"));
            return;
        }
        const TPrintJobHeader h = ReadPrintJobHeader(path);
        if (!h.FormFile.isEmpty() && !QFileInfo::exists(h.FormFile)) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("<%1> が見つかりません。").arg(h.FormFile));
            return;
        }
        remembered_ = PgwDef;
        dataFile_ = path;
        formFile_ = h.FormFile;
        PgwDef.PaperSize = h.PaperSize;
        PgwDef.OutPutPaper = h.OutPutPaper;
        PgwDef.Orientation = h.Orientation;
        PgwDef.TopMargin = h.TopMargin;
        PgwDef.LeftMargin = h.LeftMargin;
        PgwDef.NetColor1 = h.NetColor1;
        PgwDef.NetColor2 = h.NetColor2;
        PgwDef.UserColor1 = h.UserColor1;
        PgwDef.UserColor2 = h.UserColor2;
        PgwDef.PrintFom = h.PrintFom;
        const QString savedForm = PgwDef.FormFile, savedData = PgwDef.DataFile;
        PgwDef.FormFile = formFile_;
        PgwDef.DataFile = dataFile_;
        CountDocumentPages();
        PgwDef.FormFile = savedForm;
        PgwDef.DataFile = savedData;
        updateWherePage();
        HensuuYomikomi(formFile_, 0, 0);
        Orientations = PageOrientations(dataFile_, PgwDef.Orientation);
        ApplyPageOrientation();
        ImageOpenCancel->setEnabled(true);
    });
    Layout();
    ImagePaintBox->update();
}

void TImageDispForm::ImageOutClick() {
    if (painting_)
        return;
    painting_ = true; // no painting while the dialog is up and the files are written
    guarded("PREVIEW.Text作成", [&] {
        const QString folder = core::GetMyDocumentsDir();
        const QString proposed =
            QStringLiteral("%1/%2%3").arg(folder, withoutExtension(PgwDef.Title), QStringLiteral(".pgw"));
        QString path;
        if (AskSaveJobPath) {
            path = AskSaveJobPath(folder, proposed);
        } else {
            QFileDialog dialog(this, QString(), folder, QStringLiteral("印刷（プレビュー）ファイルの保存 (*.pgw)"));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(QStringLiteral("pgw"));
            dialog.selectFile(proposed);
            if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
                path = dialog.selectedFiles().first();
        }
        if (!path.isEmpty()) {
            const QFileInfo chosen(path);
            SavePrintJob(dataFile_, formFile_, chosen.absolutePath(), chosen.completeBaseName());
        }
    });
    Layout();
    painting_ = false;
}

void TImageDispForm::ImageOpenClick() {
    if (painting_)
        return;
    QString path;
    guarded("PREVIEW.Text読込", [&] {
        const QString folder = core::GetMyDocumentsDir();
        if (AskOpenJobPath) {
            path = AskOpenJobPath(folder);
        } else {
            QFileDialog dialog(this, QString(), folder, QStringLiteral("*.pgw"));
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setDefaultSuffix(QStringLiteral("pgw"));
            if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
                path = dialog.selectedFiles().first();
        }
    });
    if (!path.isEmpty())
        OpenJob(path);
}

void TImageDispForm::CancelOpenJob() {
    guarded("PREVIEW.読込取消", [&] {
        ImageOpenCancel->setEnabled(false);
        if (formFile_ != PgwDef.FormFile || dataFile_ != PgwDef.DataFile) {
            const QString form = PgwDef.FormFile, data = PgwDef.DataFile;
            PgwDef = remembered_;
            PgwDef.FormFile = form;
            PgwDef.DataFile = data;
            formFile_ = form;
            dataFile_ = data;
            CountDocumentPages();
            updateWherePage();
            HensuuYomikomi(formFile_, 0, 0);
            Orientations = PageOrientations(dataFile_, PgwDef.Orientation);
            ApplyPageOrientation();
        }
    });
    ImagePaintBox->update();
}

int PreviewFile(TPGWDEF& def) {
    if (!PrintLibraryInitialised())
        return 0;
    int result = 0;
    guarded("PREVIEW.開始", [&] {
        if (!passedRecordIsGlobal(def)) {
            const bool prev = PgwDef.PrevPaperButton, next = PgwDef.NextPaperButton;
            PgwDef = def;
            PgwDef.PrevPaperButton = prev;
            PgwDef.NextPaperButton = next;
        }
        NumberingPage = 1;
        PaperRatioV = 0;
        PaperRatioH = 0;
        if (!QFileInfo::exists(def.DataFile)) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("<%1> が見つかりません。").arg(def.DataFile));
            return;
        }
        if (!def.FormFile.trimmed().isEmpty() && !QFileInfo::exists(def.FormFile.trimmed())) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("<%1> が見つかりません。").arg(def.FormFile));
            return;
        }
        SelectPrinter(PgwDef.PrinterNum);
        if (PgwDef.Copies < 1 || PgwDef.Copies > 99)
            PgwDef.Copies = 1;
        if (PgwDef.Zoom < 5 || PgwDef.Zoom > 20)
            PgwDef.Zoom = 10;
        if (PgwDef.PaperSize == 0)
            PgwDef.PaperSize = Vdb().GetPaperNumber(PgwDef.PaperName, PgwDef.PaperLength, PgwDef.PaperWidth, 9);
        TImageDispForm form;
        form.setWindowTitle(PgwDef.Title);
        form.PrevPaper->setVisible(def.PrevPaperButton);
        form.PrevPaper->setEnabled(def.PrevPaperButton);
        form.NextPaper->setVisible(def.NextPaperButton);
        form.NextPaper->setEnabled(def.NextPaperButton);
        form.PrintButton->setEnabled(PgwDef.Permit);
        form.PrintSetupButton->setEnabled(PgwDef.Permit);
        form.CurrentPage->setEnabled(PgwDef.Permit);
        form.CurrentPage->setVisible(PgwDef.CurrentPage);
        Vdb().SetPaper(PgwDef.OutPutPaper != 0 ? PgwDef.OutPutPaper : PgwDef.PaperSize);
        SetPrinterOrientation(PgwDef.Orientation);
        Vdb().SetDevMode(PgwDef);
        SetPaperRatios(Vdb().GetPaper());
        form.setWindowState(Qt::WindowMaximized);
        form.exec();
        result = form.CloseCode;
    });
    return result;
}

} // namespace print
