#include "controls/buttons/TxCheckBox.h"

#include "controls/keys/KeyNavigation.h"

#include <QKeyEvent>

namespace controls {

TxCheckBox::TxCheckBox(QWidget* parent) : QCheckBox(parent) {}

TxCheckBox::TxCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void TxCheckBox::keyPressEvent(QKeyEvent* event) {
    if (handleSimpleKeys(this, event, keyStyles_, OnKeyDown, OnKeyPress)) {
        event->accept();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

} // namespace controls
