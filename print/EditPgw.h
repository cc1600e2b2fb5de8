#pragma once
// The print library's single-line edit: Enter and the arrow keys of its KeyStyles move between
// fields, the caret is placed on entry, numbers are set and read directly, and paste is refused
// while the input method is off. The reading (kana) of input-method text cannot be had from the
// Linux input methods, so kana collects only the characters typed directly.

#include "controls/keys/KeyStyles.h"

#include <QLineEdit>

namespace print {

enum TCursorPoss { cpAllSel, cpLeft, cpRight };
enum TEditBorder { bsNone, bsSingle };

class TEditPgw : public QLineEdit {
public:
    explicit TEditPgw(QWidget* parent = nullptr);

    Qt::Alignment Alignment() const { return alignment(); }
    void SetAlignment(Qt::Alignment a) { setAlignment(a); }
    TEditBorder KeyEdit3D() const { return border_; }
    void SetKeyEdit3D(TEditBorder b);
    controls::TKeyStyles KeyStyles{controls::ksEnter, controls::ksUp};
    TCursorPoss CursorPos = cpAllSel;
    bool KanaSw = false;

    qint64 Curr() const;          // the text as a whole currency amount; 0 when not a number
    void SetCurr(qint64 value);   // 0 leaves the text
    qint32 Long() const;
    void SetLong(qint32 value);
    QString kana() const { return kana_; }
    void SetKana(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool moveFocus(bool forward);
    TEditBorder border_ = bsNone;
    QString kana_;
};

} // namespace print
