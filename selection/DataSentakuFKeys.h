#pragma once
// The function-key captions of the data-selection dialog as a pure function of its state: the
// dialog gathers a TFKeyState (mode, processing type, focus, the focused row) and applies the
// TFKeyResult to its buttons. A key whose caption is bare ("F5:") does nothing.

#include <QString>
#include <QtGlobal>

#include <array>

namespace selection {

// Index of a key in the caption array: Esc, F1 … F8, F12.
enum TFKeyIndex { fkEsc = 0, fkF1, fkF2, fkF3, fkF4, fkF5, fkF6, fkF7, fkF8, fkF12, fkCount };

using TFKeyCaptions = std::array<QString, fkCount>;

// The bare caption of a key ("ESC:", "F1:" … "F8:", "F12:").
QString BareCaption(int key);
bool IsBareCaption(int key, const QString& caption);
TFKeyCaptions DefaultCaptions();

// The focused row as the captions see it.
struct TFKeyRow {
    bool HasName = false;       // ENTTEXT not empty
    QString EntText;            // for the free and new areas
    bool Shared = false;        // a shared row (data on a shared folder)
    bool Fetched = false;       // a shared row fetched to this computer
    quint8 Gassan = 0;          // kind of the row (10 for a child)
    quint8 ParentGassan = 0;    // kind of its parent record (the row's own for a parent)
    bool HasCloudLine = false;  // CLOUD
    bool Broken = false;        // DATA_STATUS ≠ 0
    qint32 VerMajor = 0;
};

struct TFKeyState {
    int ConnectMode = 0;        // 0 stand-alone, 1 and 2 client/server
    int SyoriType = 0;
    bool GridFocused = false;
    bool HasCurrentRow = false;
    bool PastePending = false;
    TFKeyRow Row;               // read only with a current row
    bool CloudShareMode = false;    // TDM.IsCloudShareMode
    bool AutoShareBoxVisible = false;
    bool AutoShareBoxChecked = false;
    bool AutoShareSwitch = false;   // the session's auto-share switch
    bool GridEnabled = true;
    bool PanelEnabled = true;       // the bottom panel of the keys
    // The shared and cloud buttons as they are now (kept where no rule sets them).
    bool FetchEnabled = false;
    bool StoreEnabled = false;
    bool CloudEnabled = false;
};

struct TFKeyResult {
    TFKeyCaptions Captions;
    int KeyState = 0;           // 0 no usable row, 1 a row, 2 choosing a paste target
    bool FetchEnabled = false;  // btnKyoyuDataDown
    bool StoreEnabled = false;  // btnKyoyuDataUp
    bool CloudEnabled = false;  // btnCloudShare
    bool SearchEnabled = true;  // false: btnSearch and btnSearchCancel disabled (SyoriType 3)
    bool SetHints = false;      // the grid has the focus: the hints are set
    bool PasteHint = false;     // the grid's hint is the paste hint
};

TFKeyResult SetFKeyCaptions(const TFKeyState& state);

// The grid's paste hint while a copy is pending.
QString PasteGridHint();

} // namespace selection
