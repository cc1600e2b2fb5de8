// Start of the print library.
#include "print/PrintLibrary.h"

#include "print/BigHintWindow.h"
#include "print/ErrorLog.h"
#include "print/Fields.h"
#include "print/Pagewerk.h"
#include "print/PlatformPrinter.h"
#include "print/Preview.h"
#include "print/Printing.h"
#include "print/VDBPrint.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace print {

namespace {
bool initialised = false;
std::unique_ptr<TVDBPrint> vdb;
} // namespace

TVDBPrint& Vdb() {
    if (!vdb)
        vdb = std::make_unique<TVDBPrint>(true);
    return *vdb;
}

void InitPrintLibrary() {
    try {
        NumberingPage = 1;
        PageTotal = 1;
        ShownPage = 1;
        PageNumberList.clear();
        const bool noPrinter = PdfJobFolder().isEmpty() && QPrinterInfo::defaultPrinterName().isEmpty();
        if (noPrinter)
            WritePrintErrorLog(QStringLiteral("Vdb.Create:デフォルト プリンタが存在しません"));
        vdb = std::make_unique<TVDBPrint>(noPrinter);
        PlatformPrinter();
        vdb->SetTTOption(2);
        TBigHintWindow::Install();
        TPagewerk::PreviewEntry = [](TPGWDEF& def) { return PreviewFile(def); };
        TPagewerk::PrintEntry = [](TPGWDEF& def) { return int(PrintFile(def)); };
        TPagewerk::PlatformPrinterState = [] {
            return std::pair<qint32, qint32>(PrinterIndex(), PlatformPrinter().copyCount());
        };
        initialised = true;
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("PRINT.初期化:%1").arg(QString::fromUtf8(e.what())));
        initialised = false;
    }
}

bool PrintLibraryInitialised() {
    return initialised;
}

} // namespace print
