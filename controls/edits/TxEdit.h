#pragma once
// The program's single-line edit: the Enter and arrow moves of its KeyStyles, text alignment,
// a flat or sunken border, the caret placement on entry, the text read and written as an
// amount (Curr) or an integer (Long), a paste block for fields without input method, and the
// capture of the reading (kana) of what is typed.

#include "controls/edits/ImeMode.h"
#include "controls/edits/ImeReading.h"
#include "controls/keys/ControlEvents.h"
#include "controls/keys/KeyStyles.h"
#include "core/Currency.h"

#include <QLineEdit>

namespace controls {

class Cp932LimitValidator;

enum TCursorPoss { cpAllSel, cpLeft, cpRight };
enum TBorderStyle { bsNone, bsSingle };

class TxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxEdit(QWidget* parent = nullptr);

    Qt::Alignment Alignment() const { return alignment() & Qt::AlignHorizontal_Mask; }
    void SetAlignment(Qt::Alignment alignment); // Qt::AlignLeft, AlignRight or AlignHCenter

    TBorderStyle KeyEdit3D() const { return keyEdit3D_; }
    void SetKeyEdit3D(TBorderStyle style);

    TKeyStyles KeyStyles() const { return keyStyles_; }
    void SetKeyStyles(TKeyStyles styles) { keyStyles_ = TKeyStyles::fromByte(styles.toByte()); }

    TCursorPoss CursorPos() const { return cursorPos_; }
    void SetCursorPos(TCursorPoss pos) { cursorPos_ = pos; }

    // The text as an amount or an integer; 0 when it is none (grouping commas make it none).
    // Writing 0 leaves the text as it is, so a form may store 0 after the text.
    core::Currency Curr() const;
    void SetCurr(core::Currency value);
    qint32 Long() const;
    void SetLong(qint32 value);

    // The reading captured while the field had the focus, in half-width katakana. Writing an
    // empty text leaves the reading; any other text replaces it.
    QString kana();
    void SetKana(const QString& reading);
    bool KanaSw() const { return kanaSw_; }
    void SetKanaSw(bool on) { kanaSw_ = on; }

    // With KillPaste on and the input method disabled, neither paste nor the context menu work.
    bool KillPaste() const { return killPaste_; }
    void SetKillPaste(bool on) { killPaste_ = on; }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode mode);

    // The input limit in CP932 bytes; 0 for none.
    int MaxLength() const;
    void SetMaxLength(int bytes);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool pasteBlocked() const { return killPaste_ && imeMode_ == imDisable; }
    bool arrowMoves(int key) const;
    void appendReading(const QString& piece);

    TBorderStyle keyEdit3D_ = bsSingle;
    TKeyStyles keyStyles_ = kDefaultKeyStyles;
    TCursorPoss cursorPos_ = cpAllSel;
    QString reading_;
    bool kanaSw_ = false;
    bool killPaste_ = true;
    TImeMode imeMode_ = imDontCare;
    ImeReading ime_;
    Cp932LimitValidator* limit_;
};

} // namespace controls
