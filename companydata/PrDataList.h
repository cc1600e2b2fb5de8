#pragma once
// The data list (or the server data list) of a data-selection dialog printed through the print
// component: title, page number, column heads and one line per data set and per child.

#include "companydata/DataListRec.h"
#include "print/DefaultPrintRec.h"
#include "print/Pagewerk.h"

#include <QtGlobal>

namespace companydata {

class TPrDataList {
public:
    TPrDataList() = default;

    print::TPagewerk PrintComp;
    qint32 ServerList = 0;  // 0 the registry's list (numbers = REC), 1 the server list (numbers = position)
    print::TDefaultPrintRec PrintRec;
    TDataSentakuRecArray Rows;
    TDataSentakuRecDispArray DispOrder; // only these rows are printed, in this order
    qint32 Orientation = 0; // 0 portrait, 1 landscape

    // Writes the print-data file and prints it (print 1) or previews it (otherwise). Errors of
    // the file reach the caller after the file is closed.
    void PrintDataList(int print);

private:
    struct Geometry {
        int right;        // right edge of the rules and x of the page number
        int bottomRule;   // y of the rule that closes a page
        int linesPerPage;
        int yearX;
        int periodX;
        int folderX;
        int nameX;        // 250 portrait, 450 landscape (the code column takes 250)
    };

    void writeRows();
    void advanceLine();
    void writeRow(const TDataListRec& row, const QString& number, int y);
    void text(int x, int y, const QString& value, int size, const QString& alignment);
    void rule(int y, int width, int style);
    QString fontName() const;

    Geometry geometry_{};
    int page_ = 1;
    int line_ = 0;
};

} // namespace companydata
