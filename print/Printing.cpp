// Printing: checks, printer preparation and the page loop.
#include "print/Printing.h"

#include "core/ui/MessageService.h"
#include "print/ErrorLog.h"
#include "print/Fields.h"
#include "print/PgwFile.h"
#include "print/PgwFormat.h"
#include "print/PlatformPrinter.h"
#include "print/Preview.h"
#include "print/PrintLibrary.h"
#include "print/RenderState.h"
#include "print/Renderer.h"
#include "print/VDBPrint.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace print {

bool PrintCancelled = false;

namespace {

bool dialogCollate = false;

void missing(const QString& path) {
    core::showMessage(core::MessageKind::Error, QStringLiteral("<%1> が見つかりません。").arg(path));
}

// The job settings of another record copied into the library's record.
void copyJobSettings(const TPGWDEF& d) {
    TPGWDEF& g = PgwDef;
    g.Title = d.Title;
    g.PrinterNum = d.PrinterNum;
    g.PaperSize = d.PaperSize;
    g.OutPutPaper = d.OutPutPaper;
    g.PaperName = d.PaperName;
    g.DocTitle = d.DocTitle;
    g.Orientation = d.Orientation;
    g.TopMargin = d.TopMargin;
    g.LeftMargin = d.LeftMargin;
    g.EvenLeftOffset = d.EvenLeftOffset;
    g.TopCorrect = d.TopCorrect;
    g.LeftCorrect = d.LeftCorrect;
    g.FormTopMargin = d.FormTopMargin;
    g.FormLeftMargin = d.FormLeftMargin;
    g.NetColor1 = d.NetColor1;
    g.NetColor2 = d.NetColor2;
    g.UserColor1 = d.UserColor1;
    g.UserColor2 = d.UserColor2;
    g.OcrGreen = d.OcrGreen;
    g.OcrBlue = d.OcrBlue;
    g.OcrBrown = d.OcrBrown;
    g.OcrPink = d.OcrPink;
    g.OcrOrange = d.OcrOrange;
    g.OcrViolet = d.OcrViolet;
    g.OcrPurple = d.OcrPurple;
    g.PrintFom = d.PrintFom;
    g.PrnDlg = d.PrnDlg;
    g.Zoom = d.Zoom;
    g.ModeSw = d.ModeSw;
    g.PaperLength = d.PaperLength;
    g.PaperWidth = d.PaperWidth;
    g.Scale = d.Scale;
    g.Copies = d.Copies;
    g.PrintQuality = d.PrintQuality;
    g.ColorMode = d.ColorMode;
    g.Duplex = d.Duplex;
    g.Collate = d.Collate;
    g.YResolution = d.YResolution;
    g.PageNoSettings = d.PageNoSettings;
    g.VRATIO = d.VRATIO;
    g.HRATIO = d.HRATIO;
    g.GrayScale = d.GrayScale;
}

// A print job on the platform printer: begin, new page, end or abort.
class Job {
public:
    bool begin() {
        PrepareNextJob();
        PlatformPrinter().setDocName(PgwDef.DocTitle);
        if (!painter.begin(&PlatformPrinter()))
            throw std::runtime_error("印刷を開始できません。");
        return true;
    }
    void newPage() {
        if (!PlatformPrinter().newPage())
            throw std::runtime_error("改ページできません。");
        ++page;
    }
    void end() {
        if (painter.isActive())
            painter.end();
        page = 1;
    }
    void abort() {
        if (!painter.isActive())
            return;
        PlatformPrinter().abort();
        painter.end();
        if (!PdfJobFolder().isEmpty())
            QFile::remove(LastPdfJob());
        page = 1;
    }
    QPainter painter;
    int page = 1; // the printer's page number within the job
};

} // namespace

bool TStartPrintDlg::Execute() {
    if (RunDialog)
        return RunDialog(Range);
    QPrintDialog dialog(&PlatformPrinter());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(Range.MinPage, Range.MaxPage);
    dialog.setFromTo(Range.FromPage, Range.ToPage);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Range.PageNumbers = dialog.printRange() == QAbstractPrintDialog::PageRange;
    if (Range.PageNumbers) {
        Range.FromPage = dialog.fromPage();
        Range.ToPage = dialog.toPage();
    }
    Range.Collate = PlatformPrinter().collateCopies();
    return true;
}

TNowPrintingdlg::TNowPrintingdlg(TStartPrintDlg& start, QWidget* parent) : QDialog(parent), start_(start) {
    setWindowTitle(QStringLiteral("印刷"));
    auto* layout = new QVBoxLayout(this);
    PrintMessage = new QLabel(QStringLiteral(" 印刷中です。"), this);
    PrintMessage->setAlignment(Qt::AlignCenter);
    PageMessage = new QLabel(this);
    PageMessage->setAlignment(Qt::AlignCenter);
    CancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    layout->addWidget(PrintMessage);
    layout->addWidget(PageMessage);
    layout->addWidget(CancelButton);
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    Timer = new QTimer(this);
    Timer->setInterval(500);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, [this] { PrintStart(); });
    Timer->start();
}

void TNowPrintingdlg::CancelButtonClick() {
    const int answer = core::showMessage(core::MessageKind::Confirmation, QStringLiteral("印刷を中止しますか？"),
                                         core::mbYesNo);
    if (answer != core::mrYes)
        return; // No: printing goes on
    PrintCancelled = true;
    if (Timer->isActive()) { // pressed before the loop started: nothing is printed
        Timer->stop();
        reject();
    }
}

void TNowPrintingdlg::PrintStart() {
    try {
        runLoop();
    } catch (const std::exception& e) {
        PrintCancelled = true;
        WritePrintErrorLog(QStringLiteral("PRINT.メイン:%1").arg(QString::fromUtf8(e.what())));
    }
    accept();
}

void TNowPrintingdlg::runLoop() {
    int copiesLoop = 1;
    if (PgwDef.Collate == 1 || (PgwDef.Copies > 1 && dialogCollate)) {
        dialogCollate = true;
        copiesLoop = PgwDef.Copies;
        PgwDef.Collate = 0;
        PgwDef.Copies = 1;
        Vdb().SetDevMode(PgwDef);
    } else if ((PgwDef.DevModeFields & 0x8000) != 0 && PgwDef.ColorMode == 1) {
        Vdb().SetDevMode(PgwDef);
    }
    QPrinter& printer = PlatformPrinter();
    const double fx = printer.logicalDpiX() / 254.0;
    const double fy = printer.logicalDpiY() / 254.0;

    const QString formPath = PgwDef.FormFile.trimmed();
    const QString dataPath = PgwDef.DataFile;
    if (!formPath.isEmpty()) {
        if (!QFileInfo::exists(formPath)) {
            PrintCancelled = true; // nothing was printed
            missing(formPath);
            return;
        }
        HensuuYomikomi(formPath, 0, 0);
    }
    if (dataPath.isEmpty()) {
        PrintCancelled = true;
        core::showMessage(core::MessageKind::Error, QStringLiteral("印刷ファイルの指定がありません。"));
        return;
    }
    if (!QFileInfo::exists(dataPath)) {
        PrintCancelled = true;
        missing(dataPath);
        return;
    }
    TPgwFile data;
    TPgwFile form;
    data.Open(dataPath);
    const bool withForm = PgwDef.PrintFom && !formPath.isEmpty() && form.Open(formPath);
    const QList<int> orientations = PageOrientations(dataPath, PgwDef.Orientation);

    const QSizeF printable = PrintableSizeMm();
    QSizeF paper = PaperSizeMm(PrinterPaperNumber(), printable);
    Vdb().ResetUserPaperSize();
    if (!UnknownPaperMet && PrinterOrientation() == 1)
        paper.transpose();
    if (UnknownPaperMet)
        paper = QSizeF(printable.width() + 20, printable.height() + 20);
    LeftOffset = PgwDef.LeftMargin - int(std::nearbyint((paper.width() - printable.width()) / 2)) * 10;
    TopOffset = PgwDef.TopMargin - int(std::nearbyint((paper.height() - printable.height()) / 2)) * 10;
    EvenOffset = PgwDef.EvenLeftOffset;

    const TPrintRange& range = start_.Range;
    const int firstPage = range.PageNumbers ? range.FromPage : NumberingPage;
    auto orientationOf = [&](int page) { return page >= 1 && page <= orientations.size() ? orientations.at(page - 1) : -1; };
    const int firstOrientation = orientationOf(range.PageNumbers ? range.FromPage : 1);
    if (firstOrientation >= 0 && firstOrientation != PrinterOrientation())
        SetPrinterOrientation(firstOrientation);

    Job job;
    job.begin();
    const int renderFrom = range.PageNumbers ? range.FromPage : 1;
    auto call = [&](const QString& kind, int fieldSet) {
        TRenderCall c;
        c.Kind = kind;
        c.FieldSet = fieldSet;
        c.EvenPage = job.page % 2 == 0;
        c.Zoom = PgwDef.Zoom;
        c.Fx = fx;
        c.Fy = fy;
        c.Resolution = printer.logicalDpiX();
        c.PrinterCanvas = true;
        return c;
    };
    for (int copy = copiesLoop; copy > 0; --copy) {
        data.Rewind();
        NumberingPage = firstPage;
        int pagesLeft = range.PageNumbers ? range.ToPage - range.FromPage + 1 : range.MaxPage;
        PageMessage->clear();
        bool formEnded = false;
        if (withForm) {
            form.Rewind();
            if (range.PageNumbers && CountFilePages(formPath) > 1)
                form.FindPage(range.FromPage, true);
            formEnded = RenderPage(form, job.painter, call(QStringLiteral("FOM"), 0)) == 1;
        }
        if (range.PageNumbers) {
            data.FindPage(range.FromPage, false);
            const int o = orientationOf(range.FromPage);
            if (o >= 0 && o != PrinterOrientation()) {
                job.abort();
                SetPrinterOrientation(o);
                job.begin();
            }
        }
        int documentPage = renderFrom;
        while (!data.AtEnd() && pagesLeft > 0) {
            --pagesLeft;
            const int fieldSet = (documentPage - 1) % (FieldSetCount + 1);
            const bool dataEnded = RenderPage(data, job.painter, call(QStringLiteral("DAT"), fieldSet)) == 1;
            if (AfterPage)
                AfterPage(*this, job.page);
            QApplication::processEvents(); // lets Cancel be pressed between pages
            if (!dataEnded && pagesLeft > 0) {
                const int next = orientationOf(documentPage + 1);
                const QString message = PageMessageText;
                if (next >= 0 && next != PrinterOrientation()) {
                    job.end();
                    SetPrinterOrientation(next);
                    if (!message.isEmpty())
                        core::showMessage(core::MessageKind::Information, message);
                    job.begin();
                } else if (!message.isEmpty()) {
                    job.end();
                    core::showMessage(core::MessageKind::Information, message);
                    job.begin();
                } else {
                    job.newPage();
                }
                PageMessage->setText(QStringLiteral("(Page=%1)").arg(job.page));
                if (withForm) {
                    if (formEnded)
                        form.Rewind();
                    formEnded = RenderPage(form, job.painter, call(QStringLiteral("FOM"), 0)) == 1;
                }
            }
            ++NumberingPage;
            ++documentPage;
            if (PrintCancelled)
                break;
        }
        if (withForm && !PrintCancelled && !range.PageNumbers && !formEnded) {
            while (!formEnded) {
                job.newPage();
                PageMessage->setText(QStringLiteral("(Page=%1)").arg(job.page));
                formEnded = RenderPage(form, job.painter, call(QStringLiteral("FOM"), 0)) == 1;
            }
        }
        if (PrintCancelled) {
            job.abort();
            break;
        }
        if (copy > 1) {
            job.end();
            SetPrinterOrientation(PgwDef.Orientation);
            job.begin();
        }
    }
    job.end();
}

qint16 PrintFile(TPGWDEF& def) {
    if (!PrintLibraryInitialised())
        return 0;
    if (!def.Permit) {
        PreviewFile(def);
        return 0;
    }
    PrintCancelled = false;
    NumberingPage = 1;
    try {
        const QString formPath = def.FormFile;
        const QString dataPath = def.DataFile;
        if (!QFileInfo::exists(dataPath)) {
            missing(dataPath);
            return 0;
        }
        TPgwFile data;
        if (!data.Open(dataPath) || data.LineCount() == 0)
            throw std::runtime_error("印刷データを読み込めません。");
        if (!IsSignatureLine(data.FirstLine())) {
            core::showMessage(core::MessageKind::Error, QStringLiteral("<PAGEWERK>印刷データではありません。"));
            return 0;
        }
        if (!formPath.trimmed().isEmpty() && !QFileInfo::exists(formPath.trimmed())) {
            missing(formPath);
            return 0;
        }
        if (&def == &PgwDef) {
            const int paper = Vdb().GetPaper();
            SelectPrinter(def.PrinterNum);
            Vdb().SetPaper(paper);
        } else {
            copyJobSettings(def);
            PgwDef.FormFile = def.FormFile;
            PgwDef.DataFile = def.DataFile;
            SelectPrinter(PgwDef.PrinterNum);
            if (PgwDef.PaperSize == 0)
                PgwDef.PaperSize = Vdb().GetPaperNumber(PgwDef.PaperName, PgwDef.PaperLength, PgwDef.PaperWidth, 9);
            Vdb().SetPaper(PgwDef.OutPutPaper != 0 ? PgwDef.OutPutPaper : PgwDef.PaperSize);
        }
        Vdb().SetDevMode(def);
        if (PgwDef.Copies < 1 || PgwDef.Copies > 99)
            PgwDef.Copies = 1;
        if (PgwDef.Zoom < 5 || PgwDef.Zoom > 15)
            PgwDef.Zoom = 10;
        CountDocumentPages();
        SetPrinterOrientation(PgwDef.Orientation);
        PlatformPrinter().setCopyCount(PgwDef.Copies < 2 ? 1 : PgwDef.Copies);

        TStartPrintDlg start;
        const int pages = CountPages(dataPath, true);
        start.Range = TPrintRange{1, pages, 1, pages, false, false};
        bool proceed = true;
        dialogCollate = false;
        if (PgwDef.PrnDlg) {
            proceed = start.Execute();
            if (proceed) {
                NumberingPage = start.Range.PageNumbers ? start.Range.FromPage : 1;
                dialogCollate = start.Range.Collate;
                Vdb().GetDevMode(def);
                if (&def != &PgwDef) {
                    PgwDef.Copies = def.Copies;
                    PgwDef.Collate = def.Collate;
                    PgwDef.ColorMode = def.ColorMode;
                }
            }
        }
        SetPaperRatios(Vdb().GetPaper());
        if (proceed) {
            TNowPrintingdlg progress(start);
            progress.exec();
        }
        if (PrintCancelled || !proceed) {
            SetPrinterOrientation(PgwDef.Orientation);
            return 0;
        }
        return -1;
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("PRINT.開始:%1").arg(QString::fromUtf8(e.what())));
        return 0;
    }
}

void PrintCurrentPage(TPGWDEF& def, int page, int orientation) {
    if (!PrintLibraryInitialised())
        return;
    PrintCancelled = false;
    NumberingPage = page;
    try {
        const int paper = Vdb().GetPaper();
        SelectPrinter(def.PrinterNum);
        Vdb().SetPaper(paper);
        def.Copies = 1;
        if (&def != &PgwDef) {
            PgwDef.ColorMode = def.ColorMode;
            PgwDef.Copies = 1;
        }
        PlatformPrinter().setCopyCount(1);
        SetPrinterOrientation(orientation);
        TStartPrintDlg start;
        const int pages = CountPages(def.DataFile, true);
        start.Range = TPrintRange{1, pages, page, page, true, false};
        dialogCollate = false;
        SetPaperRatios(Vdb().GetPaper());
        TNowPrintingdlg progress(start);
        progress.exec();
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("PRINT.現在のページ:%1").arg(QString::fromUtf8(e.what())));
    }
    SetPrinterOrientation(orientation);
}

} // namespace print
