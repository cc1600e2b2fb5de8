#include "controls/edits/TxEdit.h"

#include "controls/edits/Cp932LimitValidator.h"
#include "controls/keys/FocusMove.h"
#include "controls/keys/KeyNavigation.h"
#include "core/text/KanaMap.h"
#include "core/text/NumberText.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace controls {

namespace {
// The reading is kept within 1,024 CP932 bytes, the most a reading of this edit holds.
constexpr int kReadingBytes = 1024;
} // namespace

TxEdit::TxEdit(QWidget* parent) : QLineEdit(parent), limit_(new Cp932LimitValidator(this)) {
    setValidator(limit_);
}

void TxEdit::SetAlignment(Qt::Alignment alignment) {
    setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void TxEdit::SetKeyEdit3D(TBorderStyle style) {
    keyEdit3D_ = style;
    setFrame(style == bsSingle);
}

core::Currency TxEdit::Curr() const {
    core::Currency value;
    return core::TryStrToCurr(text(), value) ? value : core::Currency{};
}

void TxEdit::SetCurr(core::Currency value) {
    if (value.raw != 0)
        setText(value.toString());
}

qint32 TxEdit::Long() const {
    bool ok = false;
    const qint32 value = text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

void TxEdit::SetLong(qint32 value) {
    if (value != 0)
        setText(QString::number(value));
}

QString TxEdit::kana() {
    reading_ = CutToCp932Bytes(core::ToKatakana(reading_), kReadingBytes);
    return CutToCp932Bytes(core::ToHankaku(reading_), kReadingBytes);
}

void TxEdit::SetKana(const QString& reading) {
    if (!reading.isEmpty())
        reading_ = reading;
}

void TxEdit::SetImeMode(TImeMode mode) {
    imeMode_ = mode;
    applyImeMode(this, mode);
}

int TxEdit::MaxLength() const {
    return limit_->limit();
}

void TxEdit::SetMaxLength(int bytes) {
    limit_->setLimit(bytes);
}

bool TxEdit::arrowMoves(int key) const {
    const int length = int(text().size());
    const int selLength = int(selectedText().size());
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    switch (key) {
    case Qt::Key_Left:
        return start == 0 && (selLength == 0 || selLength == length);
    case Qt::Key_Right:
        // A caret after the last character with nothing selected stays: the user may be
        // still typing there.
        return selLength == length;
    default:
        return true;
    }
}

void TxEdit::keyPressEvent(QKeyEvent* event) {
    if (pasteBlocked() && event->matches(QKeySequence::Paste)) {
        event->accept();
        return;
    }
    // Key down: the form's handler first, then the key as it left it.
    int key = keyCodeOf(event);
    if (OnKeyDown)
        OnKeyDown(this, key, shiftStateOf(event));
    if (key == 0) {
        event->accept();
        return;
    }
    TKeyStyle style;
    bool forward = false;
    if (arrowStyleOf(key, style, forward) && shiftStateOf(event) == Qt::NoModifier && keyStyles_.contains(style)
        && arrowMoves(key)) {
        SelectNextControl(this, forward);
        event->accept();
        return;
    }

    // Key press: the form's handler first, then Enter as it left it.
    const QChar typed = keyCharOf(event);
    if (!typed.isNull()) {
        QChar ch = typed;
        if (OnKeyPress)
            OnKeyPress(this, ch);
        if (ch == u'\r' && keyStyles_.contains(ksEnter) && SelectNextControl(this, true)) {
            event->accept();
            return;
        }
        if (ch.isNull()) {
            event->accept();
            return;
        }
        if (kanaSw_ && hasFocus() && ch.unicode() >= 32 && !ime_.composing() && !isReadOnly())
            appendReading(QString(ch));
        if (ch != typed) {
            QKeyEvent replaced(event->type(), 0, event->modifiers(), QString(ch));
            QLineEdit::keyPressEvent(&replaced);
            event->setAccepted(replaced.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TxEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const int length = int(text().size());
    switch (cursorPos_) {
    case cpAllSel: setSelection(0, length); break;
    case cpLeft: setCursorPosition(0); break;
    case cpRight: setCursorPosition(length); break;
    }
    reading_.clear();
}

void TxEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (pasteBlocked()) {
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

void TxEdit::mousePressEvent(QMouseEvent* event) {
    // The right button and the middle button (selection paste) do nothing while paste is blocked.
    if (pasteBlocked() && event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TxEdit::inputMethodEvent(QInputMethodEvent* event) {
    const ImeReading::Step step = ime_.feed(event);
    if (kanaSw_ && hasFocus() && step.committed)
        appendReading(step.reading);
    QLineEdit::inputMethodEvent(event);
}

void TxEdit::appendReading(const QString& piece) {
    reading_ = CutToCp932Bytes(reading_ + piece, kReadingBytes);
}

} // namespace controls
