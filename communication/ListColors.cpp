#include "communication/ListColors.h"

#include "communication/DataTusinCtl.h"
#include "controls/grid/ColorRef.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/session/SystemDef.h"

#include <QFont>

namespace communication {

namespace {

// Stored as 0x00BBGGRR: $FFDABB light blue, $804000 dark blue.
constexpr qint32 kReceiveBackRef = 0xFFDABB;
constexpr qint32 kReceiveForeRef = 0x804000;

} // namespace

TListSelectionColors ListSelectionColors(int syoriType, const core::TSystemDef& systemDef)
{
    if (syoriType == stDataReceive)
        return {controls::fromColorRef(kReceiveBackRef), controls::fromColorRef(kReceiveForeRef)};
    return {controls::fromColorRef(systemDef.ActiveColor), controls::fromColorRef(systemDef.ForeColor)};
}

void ApplyListSelectionColors(controls::TxGrid& grid, int syoriType)
{
    const TListSelectionColors selection = ListSelectionColors(syoriType, core::SystemDef);
    controls::TxGridColors colors = grid.Colors();
    colors.SelBackColor = selection.back;
    colors.SelForeColor = selection.fore;
    grid.SetColors(colors);
}

void PaintFocusedRow(controls::TxGrid& grid, int row, const QFont& font)
{
    if (row < 0 || row >= grid.RowCount())
        return;
    QFont plain = font;
    plain.setBold(false);
    plain.setItalic(false);
    plain.setUnderline(false);
    plain.setStrikeOut(false);
    grid.SetRowBackColor(row, grid.Colors().SelBackColor);
    grid.SetRowForeColor(row, grid.Colors().SelForeColor);
    grid.SetRowFont(row, plain);
}

void UnpaintRow(controls::TxGrid& grid, int row)
{
    if (row < 0 || row >= grid.RowCount())
        return;
    grid.SetRowBackColor(row, QColor());
    grid.SetRowForeColor(row, QColor());
    grid.ResetRowFont(row);
}

} // namespace communication
