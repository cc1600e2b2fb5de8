// Placing a form over the main form or the screen, kept inside the desktop work area.
#include "controls/forms/MainForm.h"
#include "controls/forms/TBSDI.h"
#include "core/Globals.h"

#include <QGuiApplication>
#include <QScreen>

namespace controls {

void TBSDI::SetFormPosition(int xOffset, int yOffset, int areaWidth, int areaHeight, int kind) {
    const QRect work = DesktopWorkArea();
    const int right = work.x() + work.width();
    const int bottom = work.y() + work.height();
    if (!FirstLayout && x() > 0 && x() < right && y() > 0 && y() < bottom)
        return;

    const core::TSystemDef& def = core::SystemDef;
    QWidget* mainForm = MainForm();
    const bool mainShowing = mainForm != nullptr && mainForm->isVisible();
    int left = x();
    int top = y();
    if ((kind == 1 || kind == 2) && mainShowing) {
        Position = poDesigned;
        const QRect main = mainForm->frameGeometry();
        if (kind == 1) {
            left = main.x() + def.FrameHeight + xOffset + int((areaWidth - width()) / 2.0);
            top = main.y() + def.FrameHeight + def.CaptionHeight + def.MenuHeight + 0 + yOffset
                  + int((areaHeight - height()) / 2.0);
        } else {
            left = main.x() + int((main.width() - width()) / 2.0);
            top = main.y() + int((main.height() - height()) / 2.0);
        }
    } else {
        // Centred on the screen: computed here, so that the clamp below applies to it as well.
        Position = poScreenCenter;
        left = work.x() + (work.width() - width()) / 2;
        top = work.y() + (work.height() - height()) / 2;
    }

    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (left + width() > right)
        left = right - width();
    if (top + height() > bottom)
        top = bottom - height();
    if (borderStyle_ == bsDialog) {
        left = qMax(0, left);
        top = qMax(0, top);
    }
    move(left, top);
}

} // namespace controls
