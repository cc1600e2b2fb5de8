// Paper ratios and sizes.
#include "print/RenderState.h"

#include "print/PgwDef.h"

#include <QSizeF>

namespace print {

qint32 LeftOffset = 0;
qint32 TopOffset = 0;
qint32 EvenOffset = 0;
double PaperRatioV = 0;
double PaperRatioH = 0;
QString PageMessageText;
bool UnknownPaperMet = false;

void SetPaperRatios(int printerPaper) {
    const int document = PgwDef.PaperSize;
    if (printerPaper == document) {
        PaperRatioV = PgwDef.VRATIO;
        PaperRatioH = PgwDef.HRATIO;
        return;
    }
    struct Ratio {
        int from, to;
        double v, h;
    };
    static constexpr Ratio kRatios[] = {
        {8, 9, 707, 707},    {8, 12, 843, 842},   {9, 11, 707, 705},  {9, 13, 865, 867},   {12, 13, 726, 728},
        {12, 9, 839, 840},   {13, 9, 1156, 1154}, {9, 12, 1192, 1190}, {9, 8, 1414, 1414}, {12, 8, 1186, 1188},
    };
    for (const Ratio& r : kRatios)
        if (r.from == document && r.to == printerPaper) {
            PaperRatioV = r.v;
            PaperRatioH = r.h;
            return;
        }
}

QSizeF PaperSizeMm(int paper, const QSizeF& printableMm) {
    switch (paper) {
    case 8: return {297, 420};
    case 9: return {210, 297};
    case 11: return {148, 210};
    case 12: return {250, 354};
    case 13: return {182, 257};
    case 16: return {254, 356};
    case 17: return {280, 432};
    case 44: return {229, 280};
    case 45: return {254, 280};
    case 46: return {381, 280};
    case 90: return {305, 280};
    default:
        UnknownPaperMet = true;
        return {printableMm.width() + 20, printableMm.height() + 20};
    }
}

} // namespace print
