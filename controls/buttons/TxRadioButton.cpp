#include "controls/buttons/TxRadioButton.h"

#include "controls/keys/KeyNavigation.h"

#include <QKeyEvent>

namespace controls {

TxRadioButton::TxRadioButton(QWidget* parent) : QRadioButton(parent) {}

TxRadioButton::TxRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

void TxRadioButton::keyPressEvent(QKeyEvent* event) {
    if (handleSimpleKeys(this, event, keyStyles_, OnKeyDown, OnKeyPress)) {
        event->accept();
        return;
    }
    QRadioButton::keyPressEvent(event);
}

} // namespace controls
