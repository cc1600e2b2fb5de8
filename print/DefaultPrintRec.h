#pragma once
// The print dialog's settings as a caller of the print component copies them: colour or black
// and white, the first page, the font and the three font sizes.

#include <QString>
#include <QtGlobal>

#include <array>

namespace print {

struct TDefaultPrintRec {
    QString OptionName;
    qint32 Color = 0;      // 1 colour, 0 black and white
    qint32 StartPage = 1;
    quint8 Ryoumen = 0;    // both sides
    qint32 FontNo = 0;     // index into FontNames followed by PFontNames
    qint32 TitleSize = 16;
    qint32 HeadSize = 9;
    qint32 BodySize = 10;
    std::array<qint32, 4> PrintColors{};
    QString OptionText;
};

} // namespace print
