#pragma once
// The print dialog's settings as a caller of the print library hands them over and reads them
// back: black and white or colour, the first page number, two-sided margins, the font and the
// three font sizes, the four report colours and the dialog's options.

#include <QString>
#include <QtGlobal>

namespace print {

struct TDefaultPrintRec {
    QString ReportName;       // with it the dialog keeps its choices per operator
    qint32 ColorPrint = 0;    // 0 black and white, 1 colour
    qint32 StartPage = 1;     // number printed on the first page
    bool BothSides = false;   // even pages keep their margin on the right
    qint32 FontNo = 0;        // index into FontNames followed by PFontNames
    qint32 TitleFontSize = 16;
    qint32 HeadFontSize = 9;
    qint32 BodyFontSize = 10;
    qint32 LineColor1 = 0;    // frame lines
    qint32 LineColor2 = 0;    // vertical and horizontal rules
    qint32 NetColor1 = 0;     // shading of heading rows
    qint32 NetColor2 = 0;     // shading of total rows
    QString OptionText;       // the dialog's options, key=value lines
};

} // namespace print
