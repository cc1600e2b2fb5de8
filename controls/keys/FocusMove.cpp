#include "controls/keys/FocusMove.h"

#include <QCoreApplication>
#include <QWidget>

namespace controls {

bool SelectNextControl(QWidget* from, bool forward) {
    if (from == nullptr || from->isWindow())
        return false;
    // The form walks its tab order from its focused control, as it does for a Tab key that no
    // control took. The key goes to the form itself so that a control that handles Tab on its
    // own is not asked again.
    QWidget* form = from->window();
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(form, &tab);
    return true;
}

int keyCodeOf(const QKeyEvent* event) {
    return event->key() == Qt::Key_Backtab ? int(Qt::Key_Tab) : event->key();
}

QChar keyCharOf(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return u'\t';
    if (isEnterKey(event->key()))
        return u'\r';
    const QString text = event->text();
    return text.size() == 1 ? text.at(0) : QChar();
}

Qt::KeyboardModifiers shiftStateOf(const QKeyEvent* event) {
    Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Backtab)
        mods |= Qt::ShiftModifier;
    return mods;
}

} // namespace controls
