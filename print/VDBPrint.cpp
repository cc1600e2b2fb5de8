// Printer settings on the platform printer.
#include "print/VDBPrint.h"

#include "print/ErrorLog.h"
#include "print/PlatformPrinter.h"
#include "print/PrintLibrary.h"

#include <QPageSize>
#include <QPrinter>

namespace print {

namespace {

template <typename F>
void guarded(const char* name, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("Vdb.%1:%2").arg(QString::fromLatin1(name), QString::fromUtf8(e.what())));
    }
}

// The papers the driver lists: the known sizes of the platform's paper numbers.
QList<QPageSize> driverPapers() {
    QList<QPageSize> papers;
    for (int id = 0; id < int(QPageSize::LastPageSize); ++id) {
        const QPageSize size{QPageSize::PageSizeId(id)};
        if (size.windowsId() > 0)
            papers << size;
    }
    return papers;
}

} // namespace

TVDBPrint::TVDBPrint(bool noDefaultPrinter) : NoDefaultPrinter(noDefaultPrinter) {
    if (!NoDefaultPrinter)
        TTOption = 1;
}

int TVDBPrint::GetPaperNumber(const QString& name, int length, int width, int defaultNumber) {
    if (NoDefaultPrinter)
        return 0;
    const QList<QPageSize> papers = driverPapers();
    if (!name.isEmpty())
        for (const QPageSize& p : papers)
            if (p.name() == name)
                return p.windowsId();
    if (length > 0 && width > 0)
        for (const QPageSize& p : papers) {
            const QSizeF mm = p.size(QPageSize::Millimeter);
            if (std::abs(mm.height() * 10 - length) < 10 && std::abs(mm.width() * 10 - width) < 10)
                return p.windowsId();
        }
    return defaultNumber;
}

int TVDBPrint::GetPaper() {
    if (NoDefaultPrinter)
        return 9;
    int number = 9;
    guarded("GetPaper", [&] { number = PrinterPaperNumber(); });
    return number;
}

void TVDBPrint::SetPaper(int number) {
    if (NoDefaultPrinter)
        return;
    guarded("SetPaper", [&] {
        const QPageSize size(QPageSize::id(number));
        if (size.isValid())
            PlatformPrinter().setPageSize(size);
    });
}

void TVDBPrint::SetTTOption(int option) {
    if (!NoDefaultPrinter)
        TTOption = option;
}

void TVDBPrint::SetUserPaperSize(int length, int width) {
    if (NoDefaultPrinter)
        return;
    guarded("SetUserPaperSize", [&] {
        PlatformPrinter().setPageSize(QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter));
        UserPaperSet = true;
    });
}

void TVDBPrint::ResetUserPaperSize() {
    if (NoDefaultPrinter || !UserPaperSet)
        return;
    UserPaperSet = false;
}

void TVDBPrint::GetDevMode(TPGWDEF& def) {
    if (NoDefaultPrinter)
        return;
    guarded("GetDevMode", [&] {
        QPrinter& p = PlatformPrinter();
        def.DeviceName = p.printerName().left(31);
        def.FormName = p.pageLayout().pageSize().name().left(31);
        def.PrinterNum = PrinterIndex();
        const QSizeF mm = p.pageLayout().pageSize().size(QPageSize::Millimeter);
        def.PaperLength = int(mm.height() * 10);
        def.PaperWidth = int(mm.width() * 10);
        def.Orientation = PrinterOrientation();
        def.Copies = p.copyCount();
        def.Collate = p.collateCopies() ? 1 : 0;
        def.Duplex = p.duplex() == QPrinter::DuplexNone ? 1 : p.duplex() == QPrinter::DuplexShortSide ? 3 : 2;
        def.YResolution = p.resolution();
        def.DevModeFields = 0x8000; // the platform collates
    });
}

void TVDBPrint::SetDevMode(const TPGWDEF& def) {
    if (NoDefaultPrinter)
        return;
    guarded("SetDevMode", [&] {
        QPrinter& p = PlatformPrinter();
        p.setCopyCount(qMax(1, def.Copies));
        p.setCollateCopies(def.Collate == 1);
        if (def.ColorMode != 0)
            p.setColorMode(def.ColorMode == 1 ? QPrinter::GrayScale : QPrinter::Color);
        if (def.Duplex != 0)
            p.setDuplex(def.Duplex == 1 ? QPrinter::DuplexNone
                                        : def.Duplex == 2 ? QPrinter::DuplexLongSide : QPrinter::DuplexShortSide);
        // Print quality has no setting of its own on this platform: the resolution stays.
    });
}

} // namespace print
