#include "controls/keys/KeyNavigation.h"

#include "controls/keys/FocusMove.h"

#include <QKeyEvent>
#include <QWidget>

namespace controls {

bool arrowStyleOf(int key, TKeyStyle& style, bool& forward) {
    switch (key) {
    case Qt::Key_Left: style = ksLeft; forward = false; return true;
    case Qt::Key_Up: style = ksUp; forward = false; return true;
    case Qt::Key_Right: style = ksRight; forward = true; return true;
    case Qt::Key_Down: style = ksDown; forward = true; return true;
    default: return false;
    }
}

bool handleSimpleKeys(QWidget* self, QKeyEvent* event, TKeyStyles styles, const TKeyEvent& onKeyDown,
                      const TKeyPressEvent& onKeyPress) {
    const int keyBefore = keyCodeOf(event);
    int key = keyBefore;
    if (onKeyDown)
        onKeyDown(self, key, shiftStateOf(event));
    TKeyStyle style;
    bool forward = false;
    if (arrowStyleOf(keyBefore, style, forward) && shiftStateOf(event) == Qt::NoModifier && styles.contains(style)) {
        SelectNextControl(self, forward);
        return true;
    }
    if (key == 0)
        return true;

    const QChar charBefore = keyCharOf(event);
    if (charBefore.isNull())
        return false;
    QChar ch = charBefore;
    if (onKeyPress)
        onKeyPress(self, ch);
    if (charBefore == u'\r' && styles.contains(ksEnter)) {
        SelectNextControl(self, true);
        return true;
    }
    return ch.isNull();
}

} // namespace controls
