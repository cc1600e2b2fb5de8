#pragma once
// The colour set of the list grid. An invalid colour means "not used" where a field says so.

#include <QColor>

namespace controls {

struct TxGridColors {
    QColor FixedBackColor{240, 240, 240};   // header row and row-header column
    QColor FixedBorderColor{128, 128, 128}; // lines between header cells
    QColor BackColor{Qt::white};            // rows with an even index (0, 2, …)
    QColor OddRowBackColor{Qt::white};      // rows with an odd index
    QColor ForeColor{Qt::black};            // cell text
    QColor FocusBorderColor{0, 0, 128};     // frame of the current cell
    QColor BorderColor{192, 192, 192};      // lines between cells
    QColor ThruBorderColor;                 // lines above and below the current row; none when invalid
    QColor DisabledColor{128, 128, 128};    // cell text while the grid is disabled
    QColor VoidAreaColor{240, 240, 240};    // the area beyond the last row and column
    QColor SelBackColor;                    // back of the current cell; the row's own when invalid
    QColor SelForeColor;                    // text of the current cell; the row's own when invalid
};

} // namespace controls
