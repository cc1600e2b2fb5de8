#include "controls/combo/TxComboBox.h"

#include "controls/edits/ImeReading.h"
#include "controls/keys/FocusMove.h"
#include "controls/keys/KeyNavigation.h"
#include "core/text/SjisText.h"
#include "platform/Cp932.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace controls {

TxComboBox::TxComboBox(QWidget* parent) : QComboBox(parent) {
    SetStyle(csDropDown);
    // A choice from the list; typing in the edit part is connected with the edit part itself.
    connect(this, &QComboBox::activated, this, [this] { userChanged(); });
    // Every index of 0 or more, set by the form or chosen in the list, is the one to fall back to.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !inSearch_)
            lastIndex_ = index;
    });
}

void TxComboBox::SetStyle(TComboBoxStyle style) {
    style_ = style;
    setEditable(style != csDropDownList);
    QLineEdit* edit = lineEdit();
    if (edit && edit != connectedEdit_) {
        // No completion and no new items from typed text: the edit part holds what the user
        // types, the code search decides the item.
        setCompleter(nullptr);
        setInsertPolicy(QComboBox::NoInsert);
        connect(edit, &QLineEdit::textEdited, this, [this] { userChanged(); });
        connectedEdit_ = edit;
    }
}

void TxComboBox::SetItemIndex(int index) {
    setCurrentIndex(index);
    if (index >= 0)
        lastIndex_ = index;
}

bool TxComboBox::DroppedDown() const {
    return view() && view()->isVisible();
}

void TxComboBox::showPopup() {
    view()->setMinimumWidth(dropDownWidth_ > 0 ? dropDownWidth_ : 0);
    QComboBox::showPopup();
}

void TxComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (keyLen_ <= 0)
        return;
    if (currentIndex() >= 0 || lastIndex_ == -1) {
        if (lastIndex_ >= 0 && lastIndex_ < count())
            setEditTextWithCaret(itemText(lastIndex_));
    } else {
        setCurrentIndex(lastIndex_);
    }
}

void TxComboBox::userChanged() {
    if (inSearch_)
        return;
    if (keyLen_ > 0)
        searchCode(currentText());
    if (OnChange)
        OnChange(this);
}

void TxComboBox::searchCode(const QString& text) {
    int codeBytes = keyLen_;
    const qsizetype term = keyTerm_.isEmpty() ? -1 : text.indexOf(keyTerm_);
    if (term >= 0)
        codeBytes = qMin(codeBytes, int(platform::cp932Length(text.left(term))));
    const QString code = core::TrimBlanks(CutToCp932Bytes(text, codeBytes));
    if (code.isEmpty())
        return;
    // A double-byte first character: the user is typing a name, not a code.
    if (core::SjisCharWidth(text.at(0).unicode()) == 2) {
        lastIndex_ = currentIndex();
        return;
    }
    // The search begins after the current item and wraps round, the current item last.
    const int n = count();
    const int start = currentIndex();
    for (int k = 1; k <= n; ++k) {
        const int i = ((start + k) % n + n) % n;
        if (itemText(i).startsWith(code, Qt::CaseInsensitive)) {
            lastIndex_ = i;
            return;
        }
    }
    inSearch_ = true;
    setCurrentIndex(-1);
    if (hasEditPart())
        setEditTextWithCaret(code);
    inSearch_ = false;
}

int TxComboBox::caretPosition() const {
    const QLineEdit* edit = lineEdit();
    if (edit == nullptr)
        return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TxComboBox::setEditTextWithCaret(const QString& text) {
    if (QLineEdit* edit = lineEdit()) {
        edit->setText(text);
        edit->setCursorPosition(int(text.size()));
    }
}

void TxComboBox::keyPressEvent(QKeyEvent* event) {
    const int keyBefore = keyCodeOf(event);
    int key = keyBefore;
    if (OnKeyDown)
        OnKeyDown(this, key, shiftStateOf(event));
    const bool dropped = DroppedDown();
    if (keyBefore == Qt::Key_Delete && (dropped || caretPosition() == 0 || currentText().isEmpty())) {
        // Delete goes back to the first item (nothing when there is none).
        if (count() > 0) {
            lastIndex_ = 0;
            setCurrentIndex(0);
            setEditTextWithCaret(itemText(0));
        }
        event->accept();
        return;
    }
    TKeyStyle style;
    bool forward = false;
    if (!dropped && arrowStyleOf(keyBefore, style, forward) && shiftStateOf(event) == Qt::NoModifier
        && keyStyles_.contains(style)) {
        SelectNextControl(this, forward);
        event->accept();
        return;
    }
    if (key == 0) {
        event->accept();
        return;
    }
    const QChar typed = keyCharOf(event);
    if (!typed.isNull()) {
        QChar ch = typed;
        if (OnKeyPress)
            OnKeyPress(this, ch);
        if (typed == u'\r' && !dropped && keyStyles_.contains(ksEnter)) {
            SelectNextControl(this, true);
            event->accept();
            return;
        }
        if (ch.isNull()) {
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void TxComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    lastIndex_ = currentIndex();
}

void TxComboBox::focusOutEvent(QFocusEvent* event) {
    // Leaving selects the item the code search remembered; a popup taking the focus is no leave.
    if (keyLen_ > 0 && event->reason() != Qt::PopupFocusReason) {
        setCurrentIndex(lastIndex_);
        if (lastIndex_ >= 0 && lastIndex_ < count())
            setEditTextWithCaret(itemText(lastIndex_));
    }
    QComboBox::focusOutEvent(event);
}

} // namespace controls
