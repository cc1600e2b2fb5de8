// The print library's edit.
#include "print/EditPgw.h"

#include "controls/keys/FocusMove.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace print {

TEditPgw::TEditPgw(QWidget* parent) : QLineEdit(parent) {}

void TEditPgw::SetKeyEdit3D(TEditBorder b) {
    if (b == border_)
        return;
    border_ = b;
    setFrame(b == bsSingle);
}

qint64 TEditPgw::Curr() const {
    bool ok = false;
    const double v = text().trimmed().remove(u',').toDouble(&ok);
    return ok ? qint64(v) : 0;
}

void TEditPgw::SetCurr(qint64 value) {
    if (value != 0)
        setText(QString::number(value));
}

qint32 TEditPgw::Long() const {
    bool ok = false;
    const qint32 v = text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

void TEditPgw::SetLong(qint32 value) {
    if (value != 0)
        setText(QString::number(value));
}

void TEditPgw::SetKana(const QString& text) {
    if (!text.isEmpty())
        kana_ = text;
}

void TEditPgw::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    kana_.clear();
    if (CursorPos == cpAllSel)
        selectAll();
    else if (CursorPos == cpLeft)
        setCursorPosition(0);
    else
        setCursorPosition(int(text().size()));
}

bool TEditPgw::moveFocus(bool forward) {
    return window() != this && controls::SelectNextControl(this, forward);
}

void TEditPgw::keyPressEvent(QKeyEvent* event) {
    using controls::TKeyStyle;
    if (event->matches(QKeySequence::Paste) && !testAttribute(Qt::WA_InputMethodEnabled)) {
        event->accept(); // paste refused with the input method off
        return;
    }
    const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    const bool wholeSelected = selectedText() == text();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (KeyStyles.contains(controls::ksEnter)) {
            moveFocus(true);
            return;
        }
        break;
    case Qt::Key_Left:
        if (plain && KeyStyles.contains(controls::ksLeft) && cursorPosition() == 0 &&
            (!hasSelectedText() || wholeSelected)) {
            moveFocus(false);
            return;
        }
        break;
    case Qt::Key_Up:
        if (plain && KeyStyles.contains(controls::ksUp)) {
            moveFocus(false);
            return;
        }
        break;
    case Qt::Key_Right:
        if (plain && KeyStyles.contains(controls::ksRight) && wholeSelected) {
            moveFocus(true);
            return;
        }
        break;
    case Qt::Key_Down:
        if (plain && KeyStyles.contains(controls::ksDown)) {
            moveFocus(true);
            return;
        }
        break;
    default:
        if (KanaSw && !event->text().isEmpty() && event->text().at(0).unicode() > 31)
            kana_ += event->text();
        break;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace print
