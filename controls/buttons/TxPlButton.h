#pragma once
// The program's drawn push button: a vertical colour gradation or a plain colour, an optional
// picture, up to two caption lines with their own alignment, a frame by button style, a
// pressed look and a focus mark. A click gives the form the button's modal result before the
// click handler runs, so the handler may set the form's modal result back to keep a dialog
// open. Enter presses the focused button; Esc presses a Cancel button.

#include "controls/buttons/PlButtonParts.h"
#include "controls/keys/ControlEvents.h"

#include <QWidget>

class QShortcut;

namespace controls {

enum TxPlButtonStyle { bsNormal, bsFlat, bsFlatNoFrame, bsRoundRect, bsRoundRectNoFrame };
enum TxPlBtnFrameType { bffFlat, bffEtched, bffBump };

class TxPlButton : public QWidget {
    Q_OBJECT
public:
    explicit TxPlButton(QWidget* parent = nullptr);

    TxPlButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TxPlButtonStyle style);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on);
    bool Gradation() const { return gradation_; }
    void SetGradation(bool on);
    QColor GradBeginColor() const { return gradBeginColor_; }
    void SetGradBeginColor(const QColor& color) { gradBeginColor_ = color; update(); }
    QColor GradEndColor() const { return gradEndColor_; }
    void SetGradEndColor(const QColor& color) { gradEndColor_ = color; update(); }
    QColor Color() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; parentColor_ = false; update(); }
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on) { parentColor_ = on; update(); }
    // Off: the button takes no focus, shows no focus mark, pressed shift or embossed disabled
    // text, and ignores Enter and Esc.
    bool HasFocus() const { return hasFocus_; }
    void SetHasFocus(bool on);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TxPlBtnImage& Image() { return image_; }
    TxPlBtnCaption& CaptionA() { return captionA_; }
    TxPlBtnCaption& CaptionB() { return captionB_; }
    int CaptionLineSpace() const { return captionLineSpace_; }
    void SetCaptionLineSpace(int pixels) { captionLineSpace_ = pixels; update(); }
    int CaptionTop() const { return captionTop_; }
    void SetCaptionTop(int pixels); // switches CaptionVertCenter off
    bool CaptionVertCenter() const { return captionVertCenter_; }
    void SetCaptionVertCenter(bool on) { captionVertCenter_ = on; update(); }
    TxPlBtnFrameType FlatFrameType() const { return flatFrameType_; }
    void SetFlatFrameType(TxPlBtnFrameType type) { flatFrameType_ = type; update(); }

    bool Pressed() const { return pressed_; }

    // The click: modal result to the form, OnClick, then the form's modal result takes effect.
    void Click();

    TNotifyEvent OnClick;
    TMouseMoveEvent OnMouseEnter;
    TMouseMoveEvent OnMouseLeave;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool isRound() const { return buttonStyle_ == bsRoundRect || buttonStyle_ == bsRoundRectNoFrame; }
    void updateRegion();
    void updateCancelShortcut();
    void paintButton(QPainter& p);
    void paintCaption(QPainter& p, const TxPlBtnCaption& caption, int top, bool shifted);
    void paintFrame(QPainter& p);

    TxPlButtonStyle buttonStyle_ = bsNormal;
    bool cancel_ = false;
    bool gradation_ = true;
    QColor gradBeginColor_ = QColor(255, 255, 255);
    QColor gradEndColor_ = QColor(192, 192, 192);
    QColor color_;
    bool parentColor_ = false;
    bool hasFocus_ = true;
    int modalResult_ = 0;
    int tag_ = 0;
    TxPlBtnImage image_;
    TxPlBtnCaption captionA_;
    TxPlBtnCaption captionB_;
    int captionLineSpace_ = 4;
    int captionTop_ = 0;
    bool captionVertCenter_ = true;
    TxPlBtnFrameType flatFrameType_ = bffFlat;
    bool pressed_ = false;
    bool captionFromName_ = false;
    QShortcut* cancelShortcut_ = nullptr;
};

} // namespace controls
