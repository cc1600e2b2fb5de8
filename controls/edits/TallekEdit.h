#pragma once
// The product line's edit for amounts and for names whose reading is wanted. Beyond a line
// edit it has: numeric styles with a character filter, thousands separators kept while typing
// (Comma), formatting to an output format when the focus leaves, keys that type "00" or "000",
// the minus key changing the sign, Enter, Tab and arrow moves, auto-next signals that tell the
// form when the field is full or Tab or Down was pressed, the kana reading of what is typed,
// a report of the input method's composition state, a paste block and a transparent look.
//
// MaxLength counts digits: the grouping commas of the formatted text come on top. Lengths
// count CP932 bytes.
//
// The kana reading (Kana): characters typed without the input method are appended as they
// are; a composition of the input method adds its committed text when that is all kana,
// otherwise the last all-kana pre-edit text of the composition (see ImeReading). The reading
// is kept in katakana, full-width (kmZenkaku) or half-width (kmHankaku).

#include "controls/edits/ImeMode.h"
#include "controls/edits/ImeReading.h"
#include "controls/keys/ControlEvents.h"
#include "controls/keys/KeyStyles.h"

#include <QBrush>
#include <QLineEdit>

namespace controls {

class Cp932LimitValidator;

enum TEditStyle { esNone, esNumeric, esFloat, esNumericMinus, esFloatMinus };
enum TKanaMode { kmNone, kmZenkaku, kmHankaku };
enum TZeroKey { zkNone, zkDot, zkPlus, zkMinus, zkAsterisk, zkSlash };

class TTallekEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TTallekEdit(QWidget* parent = nullptr);

    // Puts the piece where the caret or the selection is, within MaxLength.
    void InsertText(const QString& piece);
    // Sets the text to the number of `text` in OutputFormat (numeric styles only).
    void FormatValue(const QString& text);

    Qt::Alignment Alignment() const { return alignment() & Qt::AlignHorizontal_Mask; }
    void SetAlignment(Qt::Alignment alignment);
    TAutoNextCtls AutoNextCtls() const { return autoNextCtls_; }
    void SetAutoNextCtls(TAutoNextCtls ctls) { autoNextCtls_ = TAutoNextCtls::fromByte(ctls.toByte()); }
    // The signals raised by the last keys; the form reads them in its key handlers.
    TAutoNextCtls AutoNextCtls_Result() const { return autoNextResult_; }
    QBrush Brush() const { return brush_; }
    void SetBrush(const QBrush& brush);
    TEditStyle EditStyle() const { return editStyle_; }
    void SetEditStyle(TEditStyle style) { editStyle_ = style; }
    QString Kana() const { return kana_; }
    void SetKana(const QString& kana) { kana_ = kana; }
    TKanaMode KanaMode() const { return kanaMode_; }
    void SetKanaMode(TKanaMode mode) { kanaMode_ = mode; }
    TKeyStyles KeyStyles() const { return keyStyles_; }
    void SetKeyStyles(TKeyStyles styles) { keyStyles_ = TKeyStyles::fromByte(styles.toByte()); }
    bool KillPaste() const { return killPaste_; }
    void SetKillPaste(bool on) { killPaste_ = on; }
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode mode);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    QString OutputFormat() const { return outputFormat_; }
    void SetOutputFormat(const QString& format) { outputFormat_ = format; }
    bool Comma() const { return comma_; }
    void SetComma(bool on);
    TZeroKey Zero2Key() const { return zero2Key_; }
    void SetZero2Key(TZeroKey key) { zero2Key_ = key; }
    TZeroKey Zero3Key() const { return zero3Key_; }
    void SetZero3Key(TZeroKey key) { zero3Key_ = key; }
    bool ImeOnFlg() const { return imeOnFlg_; }
    void SetImeOnFlg(bool on) { imeOnFlg_ = on; }
    bool AllowBlank() const { return allowBlank_; }
    void SetAllowBlank(bool on) { allowBlank_ = on; }
    bool EnterKeyNoBeep() const { return enterKeyNoBeep_; }
    void SetEnterKeyNoBeep(bool on) { enterKeyNoBeep_ = on; }
    // Digits (CP932 bytes) the field holds at most; 0 for no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int digits);
    // The input limit in force: MaxLength plus the commas of the formatted text.
    int InputLimit() const;

    TMouseMoveEvent OnMouseEnter;
    TMouseMoveEvent OnMouseLeave;
    TNotifyEvent OnImeStatusChange;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnChange;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    virtual void MouseEnter(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseLeave(Qt::KeyboardModifiers shift, int x, int y);

private:
    bool isNumeric() const { return editStyle_ != esNone; }
    bool pasteBlocked() const { return killPaste_ && imeMode_ == imDisable; }
    int digitCount(const QString& text) const;
    bool zeroKeyApplies(TZeroKey key) const;
    bool filterKeeps(QChar ch) const;
    void keyDownStep(int& key, Qt::KeyboardModifiers shift);
    QChar keyPressStep(QChar ch, Qt::KeyboardModifiers shift);
    void textChangedByAnyone();
    void changeNotification();
    void addReading(const QString& piece);
    void applyBackground();

    TAutoNextCtls autoNextCtls_;
    TAutoNextCtls autoNextResult_;
    QBrush brush_ = QBrush(Qt::white);
    TEditStyle editStyle_ = esNone;
    QString kana_;
    TKanaMode kanaMode_ = kmNone;
    TKeyStyles keyStyles_{ksEnter};
    bool killPaste_ = false;
    TImeMode imeMode_ = imDontCare;
    bool transparent_ = false;
    QString outputFormat_;
    bool comma_ = false;
    bool keyTyped_ = false;
    TZeroKey zero2Key_ = zkNone;
    TZeroKey zero3Key_ = zkNone;
    bool imeOnFlg_ = false;
    bool allowBlank_ = false;
    bool enterKeyNoBeep_ = false;
    int maxLength_ = 0;
    ImeReading ime_;
    Cp932LimitValidator* limit_;
    bool inKeyEvent_ = false;     // the line edit is handling a key: changes are taken after it
    bool changePending_ = false;
    bool suppressChange_ = false; // the control changes its own text and notifies itself
};

} // namespace controls
