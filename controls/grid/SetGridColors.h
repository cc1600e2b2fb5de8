#pragma once
// The standard colours of a list grid from the operator's colour settings.

namespace core {
struct TSystemDef;
}

namespace controls {

class TxGrid;

// Mode 1: every row in the operator's client colour; any other mode: even rows in the first and
// odd rows in the second alternate client colour. The partner edition (editionFlag 1 or 2)
// draws the current row's lines in its orange instead of green.
void SetGridColors(TxGrid& grid, int mode, const core::TSystemDef& systemDef, int editionFlag);

// The same with the session's operator settings and edition.
void SetGridColors(TxGrid& grid, int mode);

} // namespace controls
