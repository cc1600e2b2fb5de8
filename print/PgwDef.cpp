// The library's job settings at start.
#include "print/PgwDef.h"

namespace print {

TPGWDEF StartPgwDef() {
    TPGWDEF d;
    d.PaperName = QStringLiteral("A4");
    d.PrinterNum = -1;
    d.PaperSize = 9;
    d.Scale = 100;
    d.Copies = 1;
    d.PrintQuality = -4;
    d.Duplex = 1;
    d.BinNum = 7;
    d.NetColor1 = 0xC0C0C0;
    d.NetColor2 = 0xC0C0C0;
    d.OcrGreen = 0x2CBE00;
    d.OcrBlue = 0xAC661F;
    d.OcrBrown = 0x23234D;
    d.OcrPink = 0x7F02F0;
    d.OcrOrange = 0x41B3FE;
    d.OcrViolet = 0x903D57;
    d.OcrPurple = 0x741A82;
    d.PrintFom = true;
    d.PrnDlg = true;
    d.Zoom = 10;
    d.CurrentPage = true;
    d.ModeSw = true;
    d.Permit = true;
    d.PaperLength = 2970;
    d.PaperWidth = 2100;
    d.VRATIO = 1000;
    d.HRATIO = 1000;
    d.PageNoSettings.FontName = QStringLiteral("ＭＳ 明朝");
    d.PageNoSettings.FontSize = 10;
    d.PageNoSettings.Format = QStringLiteral("(%d/%d)");
    d.PageNoSettings.PlaceholderCount = 2;
    return d;
}

TPGWDEF PgwDef = StartPgwDef();

QString FitPath(const QString& text) {
    return text.left(127);
}

QString FitName(const QString& text) {
    return text.left(63);
}

} // namespace print
