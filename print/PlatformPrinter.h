#pragma once
// "The platform printer": one QPrinter for the whole library, CUPS natively. With the
// environment variable TAXLINK_PRINT_PDF_DIR set (tests, the demo) every print job goes to a PDF
// file of its own in that folder ("job-001.pdf", "job-002.pdf", …), through the same engine.

#include <QSizeF>
#include <QString>

class QPrinter;

namespace print {

QPrinter& PlatformPrinter();
// The folder of the PDF switch; empty when jobs go to the printer.
QString PdfJobFolder();
// Points the printer at the next job's PDF file when the switch is on.
void PrepareNextJob();
// The file the last job wrote with the PDF switch on.
QString LastPdfJob();

// The printer's paper number (the platform's paper codes; 9 A4), 0 when it has none.
int PrinterPaperNumber();
// The printable area of the current paper in mm, in the printer's orientation.
QSizeF PrintableSizeMm();
// 0 portrait, 1 landscape.
int PrinterOrientation();
void SetPrinterOrientation(int orientation);
// The printer's index in the list of installed printers, -1 with the PDF switch.
int PrinterIndex();
void SelectPrinter(int index);

} // namespace print
