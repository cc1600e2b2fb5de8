#pragma once
// The function-key captions and the grid hint of the shared-data selection as a pure function
// of its state (keys indexed as in DataSentakuFKeys.h: Esc, F1 … F8, F12).

#include "selection/DataSentakuFKeys.h"

#include <QString>

namespace selection {

struct TServerFKeyState {
    bool GridFocused = false;
    bool DriveSet = false;   // ShareRoot is set
    bool HasRows = false;    // the grid has rows
    bool HasCurrentRow = false;
    bool CopyMarked = false; // a copy source waits for its paste target
    // The current row (read only with a current row).
    bool Cloud = false;
    quint8 Gassan = 0;
    bool FreeArea = false;
    bool InUse = false;      // column 9
    bool Broken = false;     // DATA_STATUS ≠ 0
    bool GridEnabled = true;
    bool PanelEnabled = true;
};

enum TServerGridHint { shNone, shSelect, shNoDrive, shNoArea, shPaste };

struct TServerFKeyResult {
    TFKeyCaptions Captions;
    int KeyMode = 0;       // 0 no row, 1 a row, 2 choosing the paste target
    bool F12Enabled = true;
    TServerGridHint Hint = shNone; // shNone: the grid's hint stays
};

TServerFKeyResult ServerFKeyCaptions(const TServerFKeyState& state);

// The grid hints and the drive box's hint (naming the shared folder in use).
QString ServerGridHint(TServerGridHint hint);
QString ServerDriveHint(const QString& shareDir);

} // namespace selection
