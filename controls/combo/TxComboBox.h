#pragma once
// The program's combo box: the Enter and arrow moves of its KeyStyles (none while the list is
// dropped down), a width for the dropped-down list, Delete back to the first item, and the
// code search over items that begin with a code and a separator ("001:現金").
//
// Code search (KeyLen > 0): while the user types, the first item that begins with the typed
// code (letter case ignored) is remembered, without selecting it; leaving the control or
// closing the list selects the remembered item. A code that matches nothing clears the
// selection and stays in the edit part.

#include "controls/keys/ControlEvents.h"
#include "controls/keys/KeyStyles.h"

#include <QComboBox>

namespace controls {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TxComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TxComboBox(QWidget* parent = nullptr);

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);

    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int pixels) { dropDownWidth_ = pixels; }

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void SetKeyStyles(TKeyStyles styles) { keyStyles_ = TKeyStyles::fromByte(styles.toByte()); }

    // Length of the item code in CP932 bytes; 0 or less switches the code search off.
    int KeyLen() const { return keyLen_; }
    void SetKeyLen(int bytes) { keyLen_ = bytes; }
    // The separator that ends the code inside an item's text.
    QString KeyTerm() const { return keyTerm_; }
    void SetKeyTerm(const QString& term) { keyTerm_ = term; }

    // The item index; setting one of 0 or more also makes it the item to fall back to.
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);
    // The item the control falls back to when the focus leaves it or the list closes.
    int LastIndex() const { return lastIndex_; }

    bool DroppedDown() const;

    void showPopup() override;
    void hidePopup() override;

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void userChanged();
    void searchCode(const QString& text);
    bool hasEditPart() const { return style_ != csDropDownList; }
    int caretPosition() const;
    void setEditTextWithCaret(const QString& text);

    TComboBoxStyle style_ = csDropDown;
    int dropDownWidth_ = 0;
    TKeyStyles keyStyles_ = kDefaultKeyStyles;
    int keyLen_ = 0;
    QString keyTerm_ = QStringLiteral(":");
    int lastIndex_ = -1;
    bool inSearch_ = false;
    QLineEdit* connectedEdit_ = nullptr; // the edit part whose typing is watched
};

} // namespace controls
