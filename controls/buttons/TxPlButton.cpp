#include "controls/buttons/TxPlButton.h"

#include "controls/forms/FormState.h"
#include "controls/keys/FocusMove.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace controls {

namespace {
constexpr int kCorner = 10;
} // namespace

TxPlButton::TxPlButton(QWidget* parent)
    : QWidget(parent),
      image_([this] { update(); }),
      captionA_([this] { update(); }),
      captionB_([this] { update(); }) {
    color_ = palette().color(QPalette::Button);
    resize(75, 26);
    setFocusPolicy(Qt::StrongFocus);
}

void TxPlButton::SetButtonStyle(TxPlButtonStyle style) {
    buttonStyle_ = style;
    updateRegion();
    update();
}

void TxPlButton::SetCancel(bool on) {
    cancel_ = on;
    updateCancelShortcut();
}

void TxPlButton::SetGradation(bool on) {
    gradation_ = on;
    if (on)
        parentColor_ = false;
    update();
}

void TxPlButton::SetHasFocus(bool on) {
    hasFocus_ = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    updateCancelShortcut();
    update();
}

void TxPlButton::SetCaptionTop(int pixels) {
    captionTop_ = pixels;
    captionVertCenter_ = false;
    update();
}

void TxPlButton::updateCancelShortcut() {
    // Esc presses a Cancel button anywhere on its form, when it can take the focus.
    const bool wanted = cancel_ && hasFocus_;
    if (wanted && cancelShortcut_ == nullptr) {
        cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WindowShortcut);
        connect(cancelShortcut_, &QShortcut::activated, this, [this] {
            if (isEnabled() && isVisible())
                Click();
        });
    } else if (!wanted && cancelShortcut_ != nullptr) {
        delete cancelShortcut_;
        cancelShortcut_ = nullptr;
    }
}

void TxPlButton::Click() {
    pressed_ = false;
    QWidget* form = window();
    const int previous = FormModalResult(form);
    SetFormModalResult(form, modalResult_);
    update();
    if (OnClick) {
        try {
            OnClick(this);
        } catch (...) {
            // A click handler that ends in an error (or the silent abort) keeps the dialog open.
            SetFormModalResult(form, previous);
            throw;
        }
    }
    ApplyFormModalResult(form);
}

void TxPlButton::updateRegion() {
    if (!isRound()) {
        clearMask();
        return;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), kCorner / 2.0, kCorner / 2.0);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void TxPlButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateRegion();
}

void TxPlButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (hasFocus_)
        setFocus(Qt::MouseFocusReason);
    pressed_ = true;
    update();
}

void TxPlButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const bool wasPressed = pressed_;
    pressed_ = false;
    update();
    if (wasPressed && rect().contains(event->position().toPoint()))
        Click();
}

void TxPlButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (OnMouseEnter) {
        const QPoint at = event->position().toPoint();
        OnMouseEnter(this, Qt::NoModifier, at.x(), at.y());
    }
    update();
}

void TxPlButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (OnMouseLeave) {
        const QPoint at = mapFromGlobal(QCursor::pos());
        OnMouseLeave(this, Qt::NoModifier, at.x(), at.y());
    }
    pressed_ = false;
    update();
}

void TxPlButton::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(event->key()) && isEnabled() && hasFocus_ && shiftStateOf(event) == Qt::NoModifier) {
        event->accept();
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TxPlButton::keyReleaseEvent(QKeyEvent* event) {
    if (isEnterKey(event->key())) {
        pressed_ = false;
        update();
    }
    QWidget::keyReleaseEvent(event);
}

void TxPlButton::focusInEvent(QFocusEvent* event) {
    if (hasFocus_)
        QWidget::focusInEvent(event);
    update();
}

void TxPlButton::focusOutEvent(QFocusEvent* event) {
    if (hasFocus_)
        QWidget::focusOutEvent(event);
    update();
}

void TxPlButton::changeEvent(QEvent* event) {
    // The first parent gives an empty first caption the button's name, as at design time.
    if (event->type() == QEvent::ParentChange && !captionFromName_ && parentWidget()) {
        captionFromName_ = true;
        if (captionA_.Caption().isEmpty() && !objectName().isEmpty())
            captionA_.SetCaption(objectName());
    }
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void TxPlButton::paintEvent(QPaintEvent*) {
    if (parentColor_) {
        QPainter p(this);
        paintButton(p);
        return;
    }
    // Drawn off screen and copied in one piece, so that the button does not flicker.
    QPixmap buffer(size());
    buffer.fill(Qt::transparent);
    {
        QPainter p(&buffer);
        paintButton(p);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void TxPlButton::paintButton(QPainter& p) {
    const int w = width();
    const int h = height();
    const bool shifted = pressed_ && hasFocus_;

    // 1. Background.
    if (gradation_) {
        for (int y = 0; y < h; ++y) {
            p.setPen(GradationColorAt(gradBeginColor_, gradEndColor_, y, h));
            p.drawLine(0, y, w - 1, y);
        }
    } else if (!parentColor_) {
        p.fillRect(rect(), color_);
    }

    // 2. Picture.
    if (image_.Visible() && !image_.Picture().isNull()) {
        image_.placeIn(w, h);
        QPixmap picture = image_.Picture();
        int x = image_.Left();
        int y = image_.Top();
        if (image_.TransParent()) {
            // The colour of the bottom-left pixel is the transparent colour, as for bitmaps.
            const QImage img = picture.toImage();
            picture.setMask(QBitmap::fromImage(img.createMaskFromColor(img.pixel(0, img.height() - 1))));
        } else {
            if (shifted) {
                ++x;
                ++y;
            }
            if (!isEnabled() && hasFocus_) {
                QStyleOption option;
                option.initFrom(this);
                picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
            }
        }
        p.drawPixmap(x, y, picture);
    }

    // 3 and 4. Captions.
    p.setFont(font());
    const int lineHeight = p.fontMetrics().height();
    const bool hasA = !captionA_.Caption().isEmpty();
    const bool hasB = !captionB_.Caption().isEmpty();
    int topA = captionTop_;
    int topB = captionTop_ + lineHeight + captionLineSpace_;
    if (captionVertCenter_) {
        const CaptionTops tops = CenteredCaptionTops(h, lineHeight, captionLineSpace_, hasA, hasB);
        topA = tops.first;
        topB = tops.second;
        captionTop_ = tops.first;
    } else if (!hasA) {
        topB = captionTop_;
    }
    if (hasA)
        paintCaption(p, captionA_, topA, shifted);
    if (hasB)
        paintCaption(p, captionB_, topB, shifted);

    // 5 and 6. Frame and focus mark.
    paintFrame(p);
    if (hasFocus() && hasFocus_) {
        if (isRound()) {
            p.setPen(QPen(QColor(32, 32, 32), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRect(QPoint(2, 2), QPoint(w - 3, h - 3)), 4, 4);
        } else {
            QRect r = rect().adjusted(3, 3, -3, -3);
            if (buttonStyle_ == bsFlat && flatFrameType_ == bffBump)
                r.adjust(0, 0, 1, 1);
            else if (buttonStyle_ == bsFlat && flatFrameType_ == bffEtched)
                r.adjust(0, 0, -1, -1);
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = r;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
        }
    }
}

void TxPlButton::paintCaption(QPainter& p, const TxPlBtnCaption& caption, int top, bool shifted) {
    const QString text = caption.Caption();
    const QFontMetrics fm = p.fontMetrics();
    const int from = caption.Left() + 2;
    const int to = width() - caption.Right() - 2;
    const int dx = shifted ? 1 : 0;
    const int baseline = top + fm.ascent() + dx;

    // The left edge of each character (one entry for the whole line unless spread evenly).
    QList<int> lefts;
    QStringList pieces;
    if (caption.Alignment() == taEven && text.size() > 1) {
        QList<int> widths;
        for (const QChar c : text) {
            widths << fm.horizontalAdvance(c);
            pieces << QString(c);
        }
        lefts = EvenCharPositions(widths, from, to);
    } else {
        const int textWidth = fm.horizontalAdvance(text);
        int x = 0;
        switch (caption.Alignment()) {
        case taLeft: x = from; break;
        case taRight: x = to - textWidth; break;
        default: x = width() / 2 - textWidth / 2; break;
        }
        lefts << x;
        pieces << text;
    }
    const auto draw = [&](int offset, const QColor& color) {
        p.setPen(color);
        for (qsizetype i = 0; i < pieces.size(); ++i)
            p.drawText(lefts.at(i) + dx + offset, baseline + offset, pieces.at(i));
    };
    if (!isEnabled() && hasFocus_) {
        draw(1, palette().color(QPalette::Light));
        draw(0, palette().color(QPalette::Dark));
    } else {
        draw(0, isEnabled() ? palette().color(QPalette::ButtonText)
                            : palette().color(QPalette::Disabled, QPalette::Text));
    }
}

void TxPlButton::paintFrame(QPainter& p) {
    const QPalette& pal = palette();
    switch (buttonStyle_) {
    case bsNormal:
        if (pressed_) {
            p.setBrush(Qt::NoBrush);
            p.setPen(pal.color(QPalette::Dark));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
            p.setPen(QColor(128, 128, 128));
            p.drawRect(rect().adjusted(1, 1, -2, -2));
        } else {
            qDrawWinButton(&p, rect(), pal, false, nullptr);
        }
        break;
    case bsFlat:
        if (flatFrameType_ == bffEtched)
            qDrawShadeRect(&p, rect(), pal, true, 1, 0, nullptr);
        else if (flatFrameType_ == bffBump)
            qDrawShadeRect(&p, rect(), pal, false, 1, 0, nullptr);
        else
            qDrawShadePanel(&p, rect(), pal, false, 1, nullptr);
        break;
    case bsRoundRect:
        p.setPen(QColor(117, 117, 117));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(rect().adjusted(0, 0, -1, -1), kCorner / 2.0, kCorner / 2.0);
        break;
    case bsFlatNoFrame:
    case bsRoundRectNoFrame:
        break;
    }
}

} // namespace controls
