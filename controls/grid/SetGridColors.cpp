#include "controls/grid/SetGridColors.h"

#include "controls/grid/ColorRef.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/session/SystemDef.h"

namespace controls {

void SetGridColors(TxGrid& grid, int mode, const core::TSystemDef& systemDef, int editionFlag) {
    const QColor grey(128, 128, 128);
    TxGridColors colors = grid.Colors();
    colors.FixedBackColor = fromColorRef(systemDef.ColHeaderColor);
    colors.FixedBorderColor = grey;
    colors.BackColor = fromColorRef(systemDef.ClientColor);
    colors.OddRowBackColor = colors.BackColor;
    colors.FocusBorderColor = fromColorRef(systemDef.ActiveColor);
    colors.BorderColor = grey;
    colors.ThruBorderColor = QColor(0, 128, 0);
    colors.DisabledColor = grey;
    colors.VoidAreaColor = fromColorRef(clGrayText);
    if (editionFlag == 1 || editionFlag == 2)
        colors.ThruBorderColor = QColor(255, 107, 36);
    if (mode != 1) {
        colors.BackColor = fromColorRef(systemDef.ClientColor1);
        colors.OddRowBackColor = fromColorRef(systemDef.ClientColor2);
    }
    grid.SetColors(colors);
}

void SetGridColors(TxGrid& grid, int mode) {
    SetGridColors(grid, mode, core::SystemDef, core::EditionFlag);
}

} // namespace controls
