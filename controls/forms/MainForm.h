#pragma once
// The program's main form, which SetFormPosition centres dialogs over and whose client area
// bounds the sizes PutFormSize stores. The start-up registers it; without one the primary
// screen's work area stands in.

#include <QRect>

class QWidget;

namespace controls {

void SetMainForm(QWidget* form);
QWidget* MainForm();
// The main form's client area in screen coordinates, else the primary screen's work area.
QRect MainFormClientRect();
// The desktop work area (the available geometry of the primary screen).
QRect DesktopWorkArea();

} // namespace controls
