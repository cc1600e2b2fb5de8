#pragma once
// The program's radio button: Enter and the arrow keys of its KeyStyles move the focus instead of
// reaching the form's default button or the group's arrow handling.

#include "controls/keys/ControlEvents.h"
#include "controls/keys/KeyStyles.h"

#include <QRadioButton>

namespace controls {

class TxRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TxRadioButton(QWidget* parent = nullptr);
    explicit TxRadioButton(const QString& text, QWidget* parent = nullptr);

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void SetKeyStyles(TKeyStyles styles) { keyStyles_ = TKeyStyles::fromByte(styles.toByte()); }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TKeyStyles keyStyles_ = kDefaultKeyStyles;
};

} // namespace controls
