// The library's printer.
#include "print/PlatformPrinter.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace print {

namespace {
int jobNumber = 0;
QString lastJob;
} // namespace

QString PdfJobFolder() {
    return qEnvironmentVariable("TAXLINK_PRINT_PDF_DIR");
}

QPrinter& PlatformPrinter() {
    static std::unique_ptr<QPrinter> printer;
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPageSize(QPageSize(QPageSize::A4));
        if (!PdfJobFolder().isEmpty()) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setFullPage(true);
        }
    }
    return *printer;
}

void PrepareNextJob() {
    const QString folder = PdfJobFolder();
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    lastJob = QStringLiteral("%1/job-%2.pdf").arg(folder).arg(++jobNumber, 3, 10, QChar(u'0'));
    PlatformPrinter().setOutputFileName(lastJob);
}

QString LastPdfJob() {
    return lastJob;
}

int PrinterPaperNumber() {
    return PlatformPrinter().pageLayout().pageSize().windowsId();
}

QSizeF PrintableSizeMm() {
    return PlatformPrinter().pageLayout().paintRect(QPageLayout::Millimeter).size();
}

int PrinterOrientation() {
    return PlatformPrinter().pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
}

void SetPrinterOrientation(int orientation) {
    PlatformPrinter().setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int PrinterIndex() {
    if (!PdfJobFolder().isEmpty())
        return -1;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    return int(names.indexOf(PlatformPrinter().printerName()));
}

void SelectPrinter(int index) {
    if (!PdfJobFolder().isEmpty())
        return;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    const QString name = index >= 0 && index < names.size() ? names.at(index) : QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        PlatformPrinter().setPrinterName(name);
}

} // namespace print
