#include "controls/edits/TallekEdit.h"

#include "controls/edits/Cp932LimitValidator.h"
#include "controls/edits/NumberMask.h"
#include "controls/keys/FocusMove.h"
#include "core/text/KanaMap.h"
#include "core/text/NumberText.h"
#include "platform/Cp932.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace controls {

namespace {

// The reading is kept within 1,024 CP932 bytes, the most a reading of this edit holds.
constexpr int kKanaBytes = 1024;

QChar zeroKeyChar(TZeroKey key) {
    switch (key) {
    case zkDot: return u'.';
    case zkPlus: return u'+';
    case zkMinus: return u'-';
    case zkAsterisk: return u'*';
    case zkSlash: return u'/';
    default: return QChar();
    }
}

QString withoutCommas(QString text) {
    return text.remove(u',');
}

int commaCount(const QString& text) {
    return int(text.count(u','));
}

// The piece shortened by `bytes` CP932 bytes from its end.
QString cutFromEnd(const QString& piece, int bytes) {
    QString out = piece;
    int removed = 0;
    while (removed < bytes && !out.isEmpty()) {
        removed += int(platform::cp932Length(out.right(1)));
        out.chop(1);
    }
    return out;
}

} // namespace

TTallekEdit::TTallekEdit(QWidget* parent) : QLineEdit(parent), limit_(new Cp932LimitValidator(this)) {
    setValidator(limit_);
    connect(this, &QLineEdit::textChanged, this, [this] { textChangedByAnyone(); });
    applyBackground();
}

void TTallekEdit::SetAlignment(Qt::Alignment alignment) {
    setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void TTallekEdit::SetBrush(const QBrush& brush) {
    brush_ = brush;
    applyBackground();
}

void TTallekEdit::SetTransparent(bool on) {
    transparent_ = on;
    brush_.setStyle(on ? Qt::NoBrush : Qt::SolidPattern);
    applyBackground();
}

void TTallekEdit::applyBackground() {
    // The background is painted with Brush; a transparent edit lets its parent show through.
    QPalette pal = palette();
    pal.setBrush(QPalette::Base, transparent_ ? QBrush(Qt::transparent) : brush_);
    setPalette(pal);
    setAutoFillBackground(false);
    update();
}

void TTallekEdit::SetImeMode(TImeMode mode) {
    imeMode_ = mode;
    applyImeMode(this, mode);
}

void TTallekEdit::SetComma(bool on) {
    comma_ = on;
    if (!on)
        limit_->setLimit(maxLength_);
}

void TTallekEdit::SetMaxLength(int digits) {
    maxLength_ = digits;
    limit_->setLimit(digits);
}

int TTallekEdit::InputLimit() const {
    return limit_->limit();
}

int TTallekEdit::digitCount(const QString& text) const {
    return int(platform::cp932Length(comma_ ? withoutCommas(text) : text));
}

// ---- text ----------------------------------------------------------------------------------

void TTallekEdit::InsertText(const QString& piece) {
    const QString current = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selected = int(selectedText().size());
    const int commasBefore = commaCount(current);
    QString work = current;
    if (selected > 0)
        work.remove(start, selected);
    QString cut = piece;
    if (maxLength_ > 0) {
        const int excess = qMax(0, int(platform::cp932Length(withoutCommas(work + piece))) - maxLength_);
        cut = cutFromEnd(piece, excess);
    }
    const QString inserted = work.left(start) + cut + work.mid(start);
    suppressChange_ = true;
    setText(inserted);
    suppressChange_ = false;
    if (maxLength_ > 0 && digitCount(inserted) >= maxLength_) {
        autoNextResult_.include(acMaxLength);
        if (autoNextCtls_.contains(acSendEnter))
            autoNextResult_.include(acSendEnter);
    }
    changeNotification();
    setCursorPosition(start + int(cut.size()) + (commaCount(text()) - commasBefore));
}

void TTallekEdit::FormatValue(const QString& text) {
    if (!isNumeric() || outputFormat_.isEmpty() || (allowBlank_ && text.isEmpty()))
        return;
    DecimalText value;
    if (!ParseDecimal(withoutCommas(text), value))
        value = DecimalText{}; // no number formats as zero
    // A number beyond the money range is left as it stands rather than shown wrong.
    if (!WithinFixedPointRange(value))
        return;
    setText(FormatDecimal(outputFormat_, value));
    if (maxLength_ > 0)
        limit_->setLimit(maxLength_ + commaCount(this->text()));
}

void TTallekEdit::textChangedByAnyone() {
    if (suppressChange_)
        return;
    if (inKeyEvent_) {
        changePending_ = true;
        return;
    }
    changeNotification();
}

void TTallekEdit::changeNotification() {
    if (comma_ && keyTyped_) {
        keyTyped_ = false;
        int caret = cursorPosition();
        const int length = int(text().size());
        const int before = commaCount(text());
        FormatValue(text());
        const int after = commaCount(text());
        if (length == 0 || after > before)
            ++caret;
        else if (after < before)
            --caret;
        setCursorPosition(caret);
    }
    if (OnChange)
        OnChange(this);
}

// ---- keys ----------------------------------------------------------------------------------

bool TTallekEdit::event(QEvent* event) {
    // The control takes Tab and Shift+Tab itself instead of leaving them to the form.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TTallekEdit::keyDownStep(int& key, Qt::KeyboardModifiers shift) {
    keyTyped_ = true;
    const bool noShift = shift == Qt::NoModifier;
    int move = 0; // 1 next, -1 previous
    switch (key) {
    case Qt::Key_Tab:
        keyTyped_ = false;
        if (noShift && autoNextCtls_.contains(acTabKey))
            return; // the Tab character raises the signal
        if (noShift)
            move = 1;
        else if (shift == Qt::ShiftModifier)
            move = -1;
        else
            key = 0; // Ctrl+Tab and the like do nothing
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        keyTyped_ = false;
        if (keyStyles_.contains(ksEnter))
            move = 1;
        break;
    case Qt::Key_Up:
        keyTyped_ = false;
        if (keyStyles_.contains(ksUp))
            move = -1;
        break;
    case Qt::Key_Down:
        keyTyped_ = false;
        if (noShift && autoNextCtls_.contains(acDownKey)) {
            key = 0;
            autoNextResult_.include(acDownKey).include(acSendEnter);
        } else if (keyStyles_.contains(ksDown)) {
            move = 1;
        }
        break;
    case Qt::Key_Left:
        keyTyped_ = false;
        if (keyStyles_.contains(ksLeft) && !hasSelectedText() && cursorPosition() == 0)
            move = -1;
        break;
    case Qt::Key_Right:
        keyTyped_ = false;
        if (keyStyles_.contains(ksRight) && !hasSelectedText() && cursorPosition() == text().size())
            move = 1;
        break;
    default:
        break;
    }
    if (move != 0) {
        SelectNextControl(this, move > 0);
        key = 0;
    }
}

bool TTallekEdit::zeroKeyApplies(TZeroKey key) const {
    if (key == zkNone || editStyle_ == esNone)
        return false;
    if (key == zkDot && (editStyle_ == esFloat || editStyle_ == esFloatMinus))
        return false; // the dot is the decimal point there
    if (key == zkMinus && (editStyle_ == esNumericMinus || editStyle_ == esFloatMinus))
        return false; // the minus changes the sign there
    return true;
}

bool TTallekEdit::filterKeeps(QChar ch) const {
    if (ch == u'\b' || ch == u'\t' || ch.unicode() == 27 || (ch >= u'0' && ch <= u'9'))
        return true;
    switch (editStyle_) {
    case esFloat: return ch == u'.';
    case esNumericMinus: return ch == u'-';
    case esFloatMinus: return ch == u'-' || ch == u'.';
    default: return false;
    }
}

QChar TTallekEdit::keyPressStep(QChar ch, Qt::KeyboardModifiers shift) {
    update();
    bool navigation = ch == u'\r';
    if (ch == u'\t' && autoNextCtls_.contains(acTabKey)) {
        if (shift & Qt::ShiftModifier)
            ch = QChar();
        else
            navigation = true;
    }
    bool inserted = false;
    if (!navigation && !ch.isNull()) {
        for (const auto& [key, zeros] : {std::pair{zero2Key_, QStringLiteral("00")}, std::pair{zero3Key_, QStringLiteral("000")}}) {
            if (!ch.isNull() && zeroKeyApplies(key) && ch == zeroKeyChar(key)) {
                ch = QChar();
                InsertText(zeros);
                inserted = true;
            }
        }
        if (!ch.isNull() && isNumeric() && !filterKeeps(ch))
            ch = QChar();
        if (ch == u'-' && (editStyle_ == esNumericMinus || editStyle_ == esFloatMinus)) {
            const core::Currency value = core::StrToCurrDefZero(withoutCommas(text()));
            if (value.raw != 0) {
                setText((-value).toString());
                setCursorPosition(int(text().size()));
                ch = QChar();
            }
        }
        if (ch == u'.' && (editStyle_ == esFloat || editStyle_ == esFloatMinus)
            && (text().isEmpty() || text().contains(u'.')))
            ch = QChar();
    }
    if (ch.isNull() && !inserted)
        return ch;

    if (ch == u'\b' || ch.unicode() == 27 || ch.unicode() == 130) {
        autoNextResult_ = {};
        if (ch.unicode() == 27)
            ch = QChar();
    } else if (ch == u'\t') {
        if (autoNextCtls_.contains(acTabKey))
            autoNextResult_.include(acTabKey).include(acSendEnter);
    } else if (ch == u'\r') {
        if (enterKeyNoBeep_)
            ch = QChar();
        autoNextResult_.exclude(acMaxLength).exclude(acSendEnter);
    } else {
        autoNextResult_.exclude(acMaxLength).exclude(acSendEnter);
        if (autoNextCtls_.contains(acMaxLength) && maxLength_ > 0
            && digitCount(text()) + 1 - int(selectedText().size()) >= maxLength_) {
            autoNextResult_.include(acMaxLength);
            if (autoNextCtls_.contains(acSendEnter)) {
                autoNextResult_.include(acSendEnter);
            } else {
                // Full: the control puts the character in itself and moves on.
                if (!ch.isNull())
                    InsertText(QString(ch));
                ch = QChar();
                SelectNextControl(this, true);
            }
        }
    }
    return ch;
}

void TTallekEdit::keyPressEvent(QKeyEvent* event) {
    if (pasteBlocked() && event->matches(QKeySequence::Paste)) {
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers shift = shiftStateOf(event);
    int key = keyCodeOf(event);
    if (key == 0) {
        event->accept();
        return;
    }
    keyDownStep(key, shift);
    if (key != 0 && OnKeyDown)
        OnKeyDown(this, key, shift);
    if (key == 0) {
        event->accept();
        return;
    }

    QChar typed = keyCharOf(event);
    if (typed == u'\t' && (shift & (Qt::ControlModifier | Qt::AltModifier)))
        typed = QChar(); // Ctrl+Tab types nothing
    if (typed.unicode() == 0x7F)
        typed = QChar(); // Delete is a key, not a character
    QChar ch = typed;
    if (!typed.isNull()) {
        if (kanaMode_ != kmNone && typed.unicode() >= 32 && !ime_.composing())
            addReading(QString(typed));
        ch = keyPressStep(typed, shift);
        if (OnKeyPress)
            OnKeyPress(this, ch);
        if (ch.isNull()) {
            event->accept();
            return;
        }
    }
    if (ch == u'\t') {
        event->accept(); // a Tab kept for the form's signal types nothing
        return;
    }

    inKeyEvent_ = true;
    if (ch != typed) {
        QKeyEvent replaced(event->type(), 0, event->modifiers(), QString(ch));
        QLineEdit::keyPressEvent(&replaced);
        event->setAccepted(replaced.isAccepted());
    } else {
        QLineEdit::keyPressEvent(event);
    }
    inKeyEvent_ = false;
    if (changePending_) {
        changePending_ = false;
        changeNotification();
    }
}

// ---- focus, input method, mouse ------------------------------------------------------------

void TTallekEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    autoNextResult_ = {};
    if (isNumeric() && !outputFormat_.isEmpty() && !comma_) {
        // Without live separators the number is edited bare.
        setText(withoutCommas(text()));
        selectAll();
    }
}

void TTallekEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window taking over (a message box, a drop-down) is no leaving.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    FormatValue(text());
    autoNextResult_ = {};
}

void TTallekEdit::inputMethodEvent(QInputMethodEvent* event) {
    const ImeReading::Step step = ime_.feed(event);
    if (step.started) {
        imeOnFlg_ = true;
        if (OnImeStatusChange)
            OnImeStatusChange(this);
    }
    if (kanaMode_ != kmNone && (step.committed || step.ended))
        addReading(step.reading);
    QLineEdit::inputMethodEvent(event);
    if (step.ended) {
        imeOnFlg_ = false;
        if (OnImeStatusChange)
            OnImeStatusChange(this);
    }
}

void TTallekEdit::addReading(const QString& piece) {
    QString reading = core::ToKatakana(kana_ + piece);
    if (kanaMode_ == kmHankaku)
        reading = core::ToHankaku(reading);
    kana_ = CutToCp932Bytes(reading, kKanaBytes);
}

void TTallekEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (pasteBlocked()) {
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

void TTallekEdit::mousePressEvent(QMouseEvent* event) {
    if (pasteBlocked() && event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TTallekEdit::enterEvent(QEnterEvent* event) {
    QLineEdit::enterEvent(event);
    const QPoint at = event->position().toPoint();
    MouseEnter(QApplication::keyboardModifiers(), at.x(), at.y());
}

void TTallekEdit::leaveEvent(QEvent* event) {
    QLineEdit::leaveEvent(event);
    const QPoint at = mapFromGlobal(QCursor::pos());
    MouseLeave(QApplication::keyboardModifiers(), at.x(), at.y());
}

void TTallekEdit::MouseEnter(Qt::KeyboardModifiers shift, int x, int y) {
    if (OnMouseEnter)
        OnMouseEnter(this, shift, x, y);
}

void TTallekEdit::MouseLeave(Qt::KeyboardModifiers shift, int x, int y) {
    if (OnMouseLeave)
        OnMouseLeave(this, shift, x, y);
}

} // namespace controls
