#pragma once
// The printer's device settings (paper, copies, collation, duplex, colour) read and changed on
// the platform printer. Without a default printer (and without the PDF switch) every operation
// does nothing and returns its default. Failures go to the error log, never to the caller.

#include "print/PgwDef.h"

#include <QString>
#include <QtGlobal>

namespace print {

class TVDBPrint {
public:
    // noDefaultPrinter: the platform has no default printer.
    explicit TVDBPrint(bool noDefaultPrinter);
    bool NoDefaultPrinter = false;

    int GetPaperNumber(const QString& name, int length, int width, int defaultNumber);
    int GetPaper();
    void SetPaper(int number);
    void SetTTOption(int option); // recorded only: the platform prints TrueType faces as they are
    void SetUserPaperSize(int length, int width);
    void ResetUserPaperSize();
    void GetDevMode(TPGWDEF& def);
    void SetDevMode(const TPGWDEF& def);

    int TTOption = 0;
    bool UserPaperSet = false;
};

// The library's one instance, made by InitPrintLibrary.
TVDBPrint& Vdb();

} // namespace print
