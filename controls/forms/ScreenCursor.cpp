#include "controls/forms/ScreenCursor.h"

#include <QApplication>
#include <QCursor>

namespace controls {

void SetBusyScreenCursor() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void ResetScreenCursor() {
    while (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
}

} // namespace controls
