#pragma once
// The colours of the communication list's focused row: blue on light blue in the receive list
// (type 2), the operator's highlight colour and text colour in every other list.

#include <QColor>

class QFont;

namespace core {
struct TSystemDef;
}

namespace controls {
class TxGrid;
}

namespace communication {

struct TListSelectionColors {
    QColor back;
    QColor fore;
};

TListSelectionColors ListSelectionColors(int syoriType, const core::TSystemDef& systemDef);

// Sets the grid's selection colours for the operation type.
void ApplyListSelectionColors(controls::TxGrid& grid, int syoriType);

// Paints the focused row in the grid's selection colours with a plain copy of the font, and
// gives a row that lost the focus the grid's own colours and font back.
void PaintFocusedRow(controls::TxGrid& grid, int row, const QFont& font);
void UnpaintRow(controls::TxGrid& grid, int row);

} // namespace communication
