#pragma once
// The program's masked edit: a line edit with an input mask written in the form resources'
// notation, and the Enter and arrow moves of its KeyStyles.

#include "controls/keys/ControlEvents.h"
#include "controls/keys/KeyStyles.h"

#include <QLineEdit>

namespace controls {

// The form resources' mask ("aaaa-aaaa-aaaa;1;_": optional letters or digits, literal "-",
// literals kept, "_" for blanks) in Qt's notation ("nnnn-nnnn-nnnn;_"). The middle field (keep
// literals) has no Qt counterpart: Qt's text always holds the literals.
QString QtInputMask(const QString& editMask);

class TxMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString& editMask);

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void SetKeyStyles(TKeyStyles styles) { keyStyles_ = TKeyStyles::fromByte(styles.toByte()); }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString editMask_;
    TKeyStyles keyStyles_ = kDefaultKeyStyles;
};

} // namespace controls
